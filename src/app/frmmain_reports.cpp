// The main window's menu commands for reports and exports.
#include "app/frmmain.h"

void frmMain::mnuFileExportCustomers_Click() {}
void frmMain::mnuFileExportResCSV_Click() {}
void frmMain::mnuFileExportThisMonth_Click() {}
void frmMain::mnuFileExportThisMonthView_Click() {}
void frmMain::mnuFileExportCommissionAccounts_Click() {}
void frmMain::mnuBookingsFinanceSummary_Click() {}
void frmMain::mnuCommissionPayments_Click() {}
