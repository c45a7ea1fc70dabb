#include "config/configwizard.h"

#include "config/frmwizconfig_charges.h"
#include "config/frmwizconfig_commodity.h"
#include "config/frmwizconfig_regional.h"
#include "config/frmwizconfig_rooms.h"
#include "core/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/db.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settings.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <algorithm>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kPages = 6;

}  // namespace

void WizConfig_Refuse(const QString& message, QWidget* focus)
{
    MsgBox(message, vbOKOnly | vbCritical);
    focus->setFocus();
}

// ---- Driver ----------------------------------------------------------------

WizConfigCopies ConfigWizard::Load(const QString& postCode, const QString& salesTaxName)
{
    WizConfigCopies c;
    c.PostCode = postCode;
    c.SalesTaxName = salesTaxName;
    c.CostPerNight = CostPerNight();
    c.SalesTaxPercentage = SalesTaxPercentage();
    c.SalesTaxPercentage2 = SalesTaxPercentage2();
    c.SalesTaxName2 = ConfigText(QStringLiteral("SalesTaxName2"), QStringLiteral("2nd Sales Tax"));
    c.EnableTax2 = ConfigFlag(QStringLiteral("EnabledSalesTax2"), false);
    c.CommoditySingular = gsCommoditySingular;
    c.CommodityPlural = gsCommodityPlural;
    for (const NamedRow& u : UnitRecord::listed())
        c.Rooms.push_back({u.id, false, u.name});
    return c;
}

ConfigWizard::Result ConfigWizard::ask(const QString& postCode, const QString& salesTaxName, QWidget* parent)
{
    WizardRun run{WizConfig_Screen, WizConfig_Cancel, kPages};
    WizConfigCopies copies = Load(postCode, salesTaxName);
    const WizardResult r = RunWizard(run, WizConfig_ShowWelcome, [&](int page) -> std::unique_ptr<WizPage> {
        switch (page) {
        case 1:
            return std::make_unique<WizWelcomePage>(
                run,
                WelcomeTexts{QStringLiteral("frmWizConfig_Welcome"), QStringLiteral("Configuration Wizard"),
                             QStringLiteral("Welcome to the Configuration Wizard"),
                             QStringLiteral("Using this wizard you can configure your reservation information.")},
                WizConfig_ShowWelcome, parent);
        case 2: return std::make_unique<frmWizConfig_Commodity>(run, copies, parent);
        case 3: return std::make_unique<frmWizConfig_Regional>(run, copies, parent);
        case 4: return std::make_unique<frmWizConfig_Charges>(run, copies, parent);
        case 5: return std::make_unique<frmWizConfig_Rooms>(run, copies, parent);
        default: return std::make_unique<WizCompletePage>(run, QStringLiteral("frmWizConfig_Complete"), parent);
        }
    });
    if (r == WizardResult::Cancelled)
        return Result::Cancelled;
    return Finish(copies) ? Result::Finished : Result::NotSaved;
}

bool ConfigWizard::Finish(const WizConfigCopies& c)
{
    WaitCursor wait;
    // The settings first: when they cannot be written, the wizard says so
    // and neither they nor the units change.
    if (!SaveConfigTexts({{QStringLiteral("SalesTaxPercentage2"), Fmt::number(c.SalesTaxPercentage2)},
                     {QStringLiteral("SalesTaxName2"), c.SalesTaxName2},
                     {QStringLiteral("EnabledSalesTax2"), FlagText(c.EnableTax2)},
                     {QStringLiteral("PostCode"), c.PostCode},
                     {QStringLiteral("SalesTaxName"), c.SalesTaxName},
                     {QStringLiteral("SalesTaxPercentage"), Fmt::number(c.SalesTaxPercentage)},
                     {QStringLiteral("CostPerNight"), Fmt::moneyPlain(c.CostPerNight)},
                     {QStringLiteral("CommoditySingular"), c.CommoditySingular},
                     {QStringLiteral("CommodityPlural"), c.CommodityPlural}})) {
        wait.restore();
        MsgBox(SettingsFailureMessage(), vbCritical | vbOKOnly);
        return false;
    }

    gsCommoditySingular = c.CommoditySingular;
    gsCommodityPlural = c.CommodityPlural;
    // The percentages are read back as written.
    ForgetSalesTaxPercentages();

    Connection::Transaction t(objConn);
    // The two sales taxes as prices and totals charge them, so that the
    // labels, the options dialog and every price agree with the wizard. A
    // row removed in the tax-rate list is written back under its id: units
    // added below are charged at the first.
    WriteSalesTaxRows(c.SalesTaxName, c.SalesTaxPercentage, c.SalesTaxName2, c.SalesTaxPercentage2);
    for (const WizConfig_Room& room : c.Rooms) {
        if (room.Deleted) {
            if (room.ID != -1)
                RemoveUnitWithBookings(room.ID);
        } else if (room.ID == -1) {
            UnitRecord added;
            added.name = room.Name;
            added.unitPrice = added.lowUnitPrice = added.highUnitPrice = c.CostPerNight;
            added.lowWeekendPrice = added.highWeekendPrice = c.CostPerNight;
            added.taxRateId = TaxRateId::First;
            added.save();
        }
    }
    t.commit();
    return true;
}
