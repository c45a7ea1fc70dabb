// The main window's menu commands for customers.
#include "app/frmmain.h"

#include "customers/frmfindcustomer.h"
#include "customers/mailinglistwizard.h"

void frmMain::mnuCustomerFind_Click()
{
    if (const std::optional<qint64> booking = frmFindCustomer::ask(this))
        DoEditBooking(qint32(*booking));
}

void frmMain::mnuCustMailingList_Click()
{
    RunMailingListWizard(this);
}
