#include "calendar/calendarpanel.h"

#include "booking/bookingwizard.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/frmbookingsummary.h"
#include "widgets/mainview.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/panellayout.h"
#include "ui_calendarpanel.h"

CalendarPanel::CalendarPanel(QWidget* parent) : QWidget(parent), ui(new Ui::CalendarPanel)
{
    ui->setupUi(this);
    connect(ui->MainCalendar, &Calendar::CalendarClick, this,
            guarded(this, &CalendarPanel::MainCalendar_CalendarClick));
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
    ActOnSummaryChoice(iSelectedBookingID, frmBookingSummary::ask(iSelectedBookingID, window()));
}

void CalendarPanel::Form_Resize()
{
    using namespace PanelLayout;
    QWidget* shape = ui->Shape1_0;
    Calendar* MainCalendar = ui->MainCalendar;
    setWidth(shape, widthOf(this) - leftOf(this) - 250);
    setHeight(shape, heightOf(this) - topOf(shape));
    setWidth(MainCalendar, widthOf(this) - leftOf(this) - 550);
    setHeight(MainCalendar, heightOf(this) - topOf(shape) - 350);
    refreshStep("calendar", [MainCalendar] { MainCalendar->Refresh(); });
    setWidth(ui->Label1_16, widthOf(this));
}
