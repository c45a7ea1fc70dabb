#include "config/configwizard.h"

#include "config/frmwizconfig_charges.h"
#include "config/frmwizconfig_commodity.h"
#include "config/frmwizconfig_regional.h"
#include "config/frmwizconfig_rooms.h"
#include "core/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settingkeys.h"
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
    c.CostPerNight = CostPerNight();
    // The taxes as they are charged; a row removed in the tax-rate list as
    // the options dialog shows it.
    if (const std::optional<TaxRateRecord> first = TaxRateRecord::find(TaxRateId::First)) {
        c.SalesTaxName = first->name;
        c.SalesTaxPercentage = first->percentage;
    } else {
        c.SalesTaxName = salesTaxName;
        c.SalesTaxPercentage = SalesTaxPercentage();
    }
    if (const std::optional<TaxRateRecord> second = TaxRateRecord::find(TaxRateId::Second)) {
        c.SalesTaxName2 = second->name;
        c.SalesTaxPercentage2 = second->percentage;
    } else {
        c.SalesTaxName2 = Config::kWizardSalesTaxName2;
        c.SalesTaxPercentage2 = 0;
    }
    c.EnableTax2 = Config::EnabledSalesTax2.read();
    c.CommoditySingular = gsCommoditySingular;
    c.CommodityPlural = gsCommodityPlural;
    c.loaded = {c.SalesTaxName, c.SalesTaxName2, c.SalesTaxPercentage, c.SalesTaxPercentage2};
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
    if (!SaveConfigTexts({Config::SalesTaxPercentage2(c.SalesTaxPercentage2),
                     Config::SalesTaxName2(c.SalesTaxName2),
                     Config::EnabledSalesTax2(c.EnableTax2),
                     Config::PostCode(c.PostCode),
                     Config::SalesTaxName(c.SalesTaxName),
                     Config::SalesTaxPercentage(c.SalesTaxPercentage),
                     Config::CostPerNight(c.CostPerNight),
                     Config::CommoditySingular(c.CommoditySingular),
                     Config::CommodityPlural(c.CommodityPlural)})) {
        wait.restore();
        MsgBox(SettingsFailureMessage(), vbCritical | vbOKOnly);
        return false;
    }

    gsCommoditySingular = c.CommoditySingular;
    gsCommodityPlural = c.CommodityPlural;
    // The percentages are read back as written.
    ForgetSalesTaxPercentages();

    // The tax rows are changed only where the pages changed the taxes: a
    // name or percentage set in the tax-rate list or the options dialog
    // since the settings were written stays as it is.
    const auto edit = [](const QString& name, const QString& loadedName, double percentage, double loadedPercentage) {
        SalesTaxRowEdit e;
        if (name != loadedName)
            e.name = name;
        if (percentage != loadedPercentage)
            e.percentage = percentage;
        e.wizardName = name;
        e.wizardPercentage = percentage;
        return e;
    };
    SalesTaxRowEdit first = edit(c.SalesTaxName, c.loaded.name, c.SalesTaxPercentage, c.loaded.percentage);
    // Units added are charged at the first sales tax, whose row they need.
    first.restore = std::any_of(c.Rooms.begin(), c.Rooms.end(),
                                [](const WizConfig_Room& r) { return r.ID == -1 && !r.Deleted; });
    WriteWizardRecords(c.Rooms, c.CostPerNight, first,
                       edit(c.SalesTaxName2, c.loaded.name2, c.SalesTaxPercentage2, c.loaded.percentage2));
    return true;
}
