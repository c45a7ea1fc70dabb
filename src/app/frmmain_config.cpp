// The main window's menu commands for configuration.
#include "app/frmmain.h"

#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/configwizard.h"
#include "config/frmaccount.h"
#include "config/frmbookingudf.h"
#include "config/frmchargeableitems.h"
#include "config/frmconfighighlowseason.h"
#include "config/frmconfigrooms.h"
#include "config/frmpaymentmethod.h"
#include "config/frmroomnotes.h"
#include "config/frmtaxrate.h"
#include "config/frmterminology.h"
#include "widgets/controlarray.h"
#include "widgets/guard.h"
#include "core/settingkeys.h"

#include <QLabel>

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
    RunGuarded([this] {
        frmTaxRate::ask(this);
        ShowSalesTaxNames();
    });
}

void frmMain::mnuConfigCustomField_Click()
{
    RunGuarded([this] { frmBookingUDF::ask(this); });
}

// The payment step offers the methods as they now are.
void frmMain::mnuConfigPaymentMethods_Click()
{
    RunGuarded([this] {
        frmPaymentMethod::ask(this);
        booking()->payment()->FillPaymentMethods();
    });
}

// ---- Configuration wizard and options ---------------------------------------------

namespace {

QString FirstLabel(const QWidget* main, const char* array)
{
    const QLabel* l = ControlArray<QLabel>(main, QString::fromLatin1(array)).value(0);
    return l ? l->text() : QString();
}

}  // namespace

void frmMain::mnuConfigureWizard_Click()
{
    RunGuarded([this] {
        if (ConfigWizard::ask(FirstLabel(this, "lblPostCode"), FirstLabel(this, "lblSalesTaxName"), this)
            != ConfigWizard::Result::Finished)
            return;
        UpdateCommodityNameInGUI();
        ShowSecondTax(Config::EnabledSalesTax2.read());
        ShowSalesTaxNames();
        ShowPostCode(Config::kWizardPostCode);
        // Units added or removed get or lose their columns at once.
        Calendar* cal = calendar()->MainCalendar();
        cal->InitHeaders();
        cal->Refresh();
    });
}

void frmMain::mnuConfigureTerminology_Click()
{
    RunGuarded([this] {
        const frmTerminology::Answer answer =
            frmTerminology::ask(FirstLabel(this, "lblPostCode"), FirstLabel(this, "lblSalesTaxName"), this);
        // The tax rows may have changed through "Advanced..." also when the
        // dialog was cancelled.
        ShowSalesTaxNames();
        if (answer != frmTerminology::Answer::Saved)
            return;
        ShowIncludeEndDate(Config::IncludeEndDate.read(), true);
        ShowCommission(Config::EnableCommission.read());
        ShowPostCode(Config::PostCode.read());
        ShowSecondTax(Config::EnabledSalesTax2.read());
    });
}
