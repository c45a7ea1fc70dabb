// The main window's menu commands for configuration.
#include "app/frmmain.h"

#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/configwizard.h"
#include "config/frmterminology.h"
#include "core/controlarray.h"
#include "core/settings.h"

#include <QLabel>

void frmMain::mnuBookingsRoomNotes_Click() {}
void frmMain::mnuViewAccounts_Click() {}
void frmMain::mnuConfigureRooms_Click() {}
void frmMain::mnuConfigHighLowSeason_Click() {}
void frmMain::mnuConfigChargeableItems_Click() {}
void frmMain::mnuConfigTax_Click() {}
void frmMain::mnuConfigCustomField_Click() {}
void frmMain::mnuConfigPaymentMethods_Click() {}

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
    if (ConfigWizard::ask(FirstLabel(this, "lblPostCode"), FirstLabel(this, "lblSalesTaxName"), this)
        != ConfigWizard::Result::Finished)
        return;
    UpdateCommodityNameInGUI();
    ShowSecondTax(ConfigFlag(QStringLiteral("EnabledSalesTax2"), false));
    ShowSalesTaxNames();
    ShowPostCode(QStringLiteral("Zip Code"));
    // Units added or removed get or lose their columns at once.
    Calendar* cal = calendar()->MainCalendar();
    cal->InitHeaders();
    cal->Refresh();
}

void frmMain::mnuConfigureTerminology_Click()
{
    if (frmTerminology::ask(FirstLabel(this, "lblPostCode"), FirstLabel(this, "lblSalesTaxName"), this)
        != frmTerminology::Answer::Saved)
        return;
    ShowIncludeEndDate(ConfigFlag(QStringLiteral("IncludeEndDate"), false), true);
    ShowCommission(ConfigFlag(QStringLiteral("EnableCommission"), false));
    ShowPostCode(QStringLiteral("Post Code"));
    ShowSecondTax(ConfigFlag(QStringLiteral("EnabledSalesTax2"), false));
}
