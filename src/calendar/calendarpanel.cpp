#include "calendar/calendarpanel.h"

#include "booking/bookingwizard.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/frmbookingsummary.h"
#include "core/mainview.h"
#include "core/modmain.h"
#include "ui_calendarpanel.h"

CalendarPanel::CalendarPanel(QWidget* parent) : QWidget(parent), ui(new Ui::CalendarPanel)
{
    ui->setupUi(this);
    connect(ui->MainCalendar, &Calendar::CalendarClick, this, &CalendarPanel::MainCalendar_CalendarClick);
}

CalendarPanel::~CalendarPanel()
{
    delete ui;
}

Calendar* CalendarPanel::MainCalendar() const
{
    return ui->MainCalendar;
}

void CalendarPanel::MainCalendar_CalendarClick(qint32 iSelectedBookingID)
{
    if (iSelectedBookingID == 0)
        return;
    giSummaryReservationID = iSelectedBookingID;
    giSummaryReturnCode = -1;
    {
        frmBookingSummary summary(window());
        summary.exec();
    }
    // The summary has asked before returning 2.
    if (giSummaryReturnCode == 1) {
        mainView().DoEditBooking(iSelectedBookingID);
    } else if (giSummaryReturnCode == 2) {
        DoCancel(iSelectedBookingID);
        ShowArrivals();
    }
}
