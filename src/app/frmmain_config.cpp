// The main window's menu commands for configuration.
#include "app/frmmain.h"

void frmMain::mnuBookingsRoomNotes_Click() {}
void frmMain::mnuViewAccounts_Click() {}
void frmMain::mnuConfigureWizard_Click() {}
void frmMain::mnuConfigureTerminology_Click() {}
void frmMain::mnuConfigureRooms_Click() {}
void frmMain::mnuConfigHighLowSeason_Click() {}
void frmMain::mnuConfigChargeableItems_Click() {}
void frmMain::mnuConfigTax_Click() {}
void frmMain::mnuConfigCustomField_Click() {}
void frmMain::mnuConfigPaymentMethods_Click() {}
