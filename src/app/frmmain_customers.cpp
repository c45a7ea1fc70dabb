// The main window's menu commands for customers.
#include "app/frmmain.h"

#include "customers/customerspanel.h"
#include "customers/frmfindcustomer.h"
#include "ui_customerspanel.h"
#include "ui_frmmain.h"

void frmMain::mnuCustomersView_Click()
{
    ShowView(ui->picCustomers, {ui->picCalendar, ui->picBooking, ui->picArrivals, ui->picReports});
    customers()->ui->gcust->setFocus();
    RefreshCustomerScreen(1, 0);
}

void frmMain::mnuCustomerFind_Click()
{
    if (const std::optional<qint64> booking = frmFindCustomer::ask(this))
        DoEditBooking(qint32(*booking));
}

void frmMain::mnuCustMailingList_Click() {}
