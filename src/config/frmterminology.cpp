#include "config/frmterminology.h"

#include "config/configlist.h"
#include "config/frmtaxrate.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/amountbox.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/plaintext.h"
#include "core/reserved.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"
#include "ui_frmterminology.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

const QString kDefaultTax2Name = QStringLiteral("2nd Sales Tax");

void SelectExactly(QComboBox* c, const QString& text)
{
    c->setCurrentIndex(c->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

}  // namespace

frmTerminology::Answer frmTerminology::ask(const QString& postCode, const QString& salesTaxName, QWidget* parent)
{
    frmTerminology dlg(postCode, salesTaxName, parent);
    return dlg.exec() == QDialog::Accepted ? Answer::Saved : Answer::Cancelled;
}

frmTerminology::frmTerminology(const QString& postCode, const QString& salesTaxName, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmTerminology), m_salesTaxName(salesTaxName)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->chkEnableTax2, &QCheckBox::toggled, this, guarded(this, &frmTerminology::chkEnableTax2_Click));
    connect(ui->cmdTaxAdvanced, &QPushButton::clicked, this, guarded(this, &frmTerminology::cmdTaxAdvanced_Click));
    connect(ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmTerminology::cmdOK_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmTerminology::cmdCancel_Click));
    Form_Load(postCode);
    FitHeightToContents(this);
}

frmTerminology::~frmTerminology()
{
    delete ui;
}

void frmTerminology::Form_Load(const QString& postCode)
{
    ui->chkAutoSelectFirstUnit->setText(NoAccessKey(QStringLiteral("Auto select first ") + gsCommoditySingular + u':'));
    SelectExactly(ui->cmdPostcode, postCode);
    SelectExactly(ui->cmdChargePer, Config::ChargePer.read());
    // A value kept that does not read as one is shown as it stands, not as
    // the default, so that OK cannot save the default over it unseen.
    const QString cost = Config::CostPerNight.text();
    if (const std::optional<Money> m = ReadSettingMoney(cost))
        ShowAmount(ui->txtCostPerNight, *m, AmountForm::Plain);
    else
        ui->txtCostPerNight->setText(cost);
    const QString tip = Config::Tip.text();
    if (const std::optional<double> v = ReadSettingNumber(tip))
        ui->txtTip->setText(Fmt::number(*v));
    else
        ui->txtTip->setText(tip);
    LoadTaxes();
    ui->dtFromTime->setTime(Config::CheckinTime.read());
    ui->dtToTime->setTime(Config::CheckoutTime.read());
    for (const auto& [box, setting] : switches())
        box->setChecked(setting->read());
    chkEnableTax2_Click();
}

std::vector<std::pair<QCheckBox*, const SettingDecl::Flag*>> frmTerminology::switches() const
{
    return {{ui->chkAutoSelectFirstUnit, &Config::AutoSelectFirstUnit},
            {ui->chkIncludeEndDate, &Config::IncludeEndDate},
            {ui->chkEnableCommission, &Config::EnableCommission},
            {ui->chkCreditCardValidation, &Config::CreditCardValidation},
            {ui->chkEnableTax2, &Config::EnabledSalesTax2}};
}

void frmTerminology::LoadTaxes()
{
    // The rows OK writes, so that a rate changed in the tax-rate list is
    // shown, and kept, here.
    if (const auto first = TaxRateRecord::find(TaxRateId::First)) {
        ui->txtSalesTaxName->setText(first->name);
        ui->txtSalesTax->setText(Fmt::number(first->percentage));
    } else {
        ui->txtSalesTaxName->setText(m_salesTaxName);
        ui->txtSalesTax->setText(Fmt::number(SalesTaxPercentage()));
    }
    if (const auto second = TaxRateRecord::find(TaxRateId::Second)) {
        ui->txtSalesTaxName2->setText(second->name);
        ui->txtSalesTax2->setText(Fmt::number(second->percentage));
    } else {
        ui->txtSalesTaxName2->setText(kDefaultTax2Name);
        ui->txtSalesTax2->setText(QStringLiteral("0"));
    }
}

void frmTerminology::chkEnableTax2_Click()
{
    const bool on = ui->chkEnableTax2->isChecked();
    ui->txtSalesTax2->setEnabled(on);
    ui->txtSalesTaxName2->setEnabled(on);
}

void frmTerminology::cmdTaxAdvanced_Click()
{
    frmTaxRate::ask(this);
    LoadTaxes();
}

void frmTerminology::cmdOK_Click()
{
    double tax = 0, tax2 = 0, tip = 0;
    Money cost;
    if (!PercentageOrZero(ui->txtSalesTax, QStringLiteral("Sales Tax Percentage"), &tax)
        || !PercentageOrZero(ui->txtSalesTax2, QStringLiteral("2nd Sales Tax Percentage"), &tax2)
        || !AmountOrZero(ui->txtCostPerNight, QStringLiteral("Default Cost Per Night"), &cost, Sign::NotNegative)
        || !PercentageOrZero(ui->txtTip, QStringLiteral("Gratuity Percentage"), &tip))
        return;
    if (ui->txtSalesTaxName2->text().isEmpty())
        ui->txtSalesTaxName2->setText(kDefaultTax2Name);
    if (ui->txtSalesTaxName->text().isEmpty())
        ui->txtSalesTaxName->setText(QStringLiteral("Sales Tax"));

    // The settings are saved first, all in one write: when they cannot be,
    // the dialog says so and stays open, and the tax rows stay as they were.
    std::vector<std::pair<QString, QString>> values{Config::ChargePer(ui->cmdChargePer->currentText()),
                                                   Config::PostCode(ui->cmdPostcode->currentText()),
                                                   Config::CostPerNight(cost),
                                                   Config::CheckinTime(ui->dtFromTime->time()),
                                                   Config::CheckoutTime(ui->dtToTime->time()),
                                                   Config::Tip(tip)};
    for (const auto& [box, setting] : switches())
        values.push_back((*setting)(box->isChecked()));
    if (!SaveConfigTexts(values)) {
        MsgBox(SettingsFailureMessage(), vbCritical | vbOKOnly);
        return;
    }
    WriteSalesTaxRows(ui->txtSalesTaxName->text(), tax, ui->txtSalesTaxName2->text(), tax2);
    KeepSalesTaxPercentages(tax, tax2);
    accept();
}

void frmTerminology::cmdCancel_Click()
{
    reject();
}
