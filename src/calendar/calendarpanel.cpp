#include "calendar/calendarpanel.h"

#include "calendar/calendar.h"
#include "ui_calendarpanel.h"

CalendarPanel::CalendarPanel(QWidget* parent) : QWidget(parent), ui(new Ui::CalendarPanel)
{
    ui->setupUi(this);
}

CalendarPanel::~CalendarPanel()
{
    delete ui;
}

Calendar* CalendarPanel::MainCalendar() const
{
    return ui->MainCalendar;
}
