#include "calendar/calendar.h"

Calendar::Calendar(QWidget* parent) : QWidget(parent)
{
}

void Calendar::Setup()
{
}

void Calendar::InitHeaders()
{
}

void Calendar::Refresh()
{
}

void Calendar::SaveCalendarGridLayout()
{
}
