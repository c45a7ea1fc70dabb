// The main window's menu commands for web bookings.
#include "app/frmmain.h"

#include "reports/bookingformpage.h"
#include "reports/webbookingswizard.h"

void frmMain::mnuWebConfig_Click()
{
    if (RunWebBookingsWizard(this) == WebBookingsAnswer::CreatePage)
        mnuWebCreatePage_Click();
}

void frmMain::mnuWebCreatePage_Click()
{
    CreateBookingFormPage(this);
}
