// The main window's menu commands for web bookings.
#include "app/frmmain.h"

#include "reports/bookingformpage.h"

void frmMain::mnuWebConfig_Click() {}

void frmMain::mnuWebCreatePage_Click()
{
    CreateBookingFormPage(this);
}
