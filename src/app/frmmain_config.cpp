// The main window's menu commands for configuration.
#include "app/frmmain.h"

#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/frmaccount.h"
#include "config/frmbookingudf.h"
#include "config/frmchargeableitems.h"
#include "config/frmconfighighlowseason.h"
#include "config/frmconfigrooms.h"
#include "config/frmpaymentmethod.h"
#include "config/frmroomnotes.h"
#include "config/frmtaxrate.h"
#include "core/guard.h"

void frmMain::mnuConfigureWizard_Click() {}
void frmMain::mnuConfigureTerminology_Click() {}

void frmMain::mnuBookingsRoomNotes_Click()
{
    RunGuarded([this] { frmRoomNotes::ask(this); });
}

void frmMain::mnuViewAccounts_Click()
{
    RunGuarded([this] { frmAccount::ask(this); });
}

// The calendar's columns are the units: it is rebuilt after every visit.
void frmMain::mnuConfigureRooms_Click()
{
    RunGuarded([this] {
        frmConfigRooms::ask(this);
        Calendar* cal = calendar()->MainCalendar();
        cal->SaveCalendarGridLayout();
        cal->InitHeaders();
        cal->Refresh();
    });
}

void frmMain::mnuConfigHighLowSeason_Click()
{
    RunGuarded([this] { frmConfigHighLowSeason::ask(this); });
}

void frmMain::mnuConfigChargeableItems_Click()
{
    RunGuarded([this] { frmChargeableItems::ask(this); });
}

void frmMain::mnuConfigTax_Click()
{
    RunGuarded([this] { frmTaxRate::ask(this); });
}

void frmMain::mnuConfigCustomField_Click()
{
    RunGuarded([this] { frmBookingUDF::ask(this); });
}

void frmMain::mnuConfigPaymentMethods_Click()
{
    RunGuarded([this] { frmPaymentMethod::ask(this); });
}
