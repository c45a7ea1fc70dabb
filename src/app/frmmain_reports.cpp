// The main window's menu commands for reports and exports.
#include "app/frmmain.h"

#include "calendar/arrivalspanel.h"
#include "reports/exports.h"
#include "reports/frmcommissionpayment.h"
#include "reports/frmfinancesummary.h"
#include "reports/frmreservationquickview.h"

#include <QCalendarWidget>

void frmMain::mnuFileExportCustomers_Click()
{
    ExportCustomers(this);
}

void frmMain::mnuFileExportResCSV_Click()
{
    ExportReservations(this);
}

void frmMain::mnuFileExportThisMonth_Click()
{
    // The month of the day chosen on the arrivals panel.
    ExportThisMonth(this, arrivals()->findChild<QCalendarWidget*>(QStringLiteral("dtCalendar"))->selectedDate());
}

void frmMain::mnuFileExportThisMonthView_Click()
{
    frmReservationQuickView::ask(this);
}

void frmMain::mnuFileExportCommissionAccounts_Click()
{
    ExportCommissionAccounts(this);
}

void frmMain::mnuBookingsFinanceSummary_Click()
{
    frmFinanceSummary::ask(this);
}

void frmMain::mnuCommissionPayments_Click()
{
    frmCommissionPayment::ask(this);
}
