// The main window's menu commands for customers.
#include "app/frmmain.h"
#include "customers/mailinglistwizard.h"

void frmMain::mnuCustomerFind_Click() {}

void frmMain::mnuCustMailingList_Click()
{
    RunMailingListWizard(this);
}
