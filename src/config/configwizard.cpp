#include "config/configwizard.h"

#include "config/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/db.h"
#include "core/format.h"
#include "core/guard.h"
#include "core/modmain.h"
#include "core/plaintext.h"
#include "core/platform.h"
#include "core/reserved.h"
#include "core/settings.h"
#include "core/waitcursor.h"
#include "ui_frmwizconfig_charges.h"
#include "ui_frmwizconfig_commodity.h"
#include "ui_frmwizconfig_regional.h"
#include "ui_frmwizconfig_rooms.h"

#include <QCheckBox>
#include <algorithm>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kPages = 6;

void Refuse(const QString& message, QWidget* focus)
{
    MsgBox(message, vbOKOnly | vbCritical);
    focus->setFocus();
}

}  // namespace

// ---- Driver ----------------------------------------------------------------

WizConfigCopies ConfigWizard::Load(const QString& postCode, const QString& salesTaxName)
{
    WizConfigCopies c;
    c.PostCode = postCode;
    c.SalesTaxName = salesTaxName;
    c.CostPerNight = sCostPerNight;
    c.SalesTaxPercentage = dSalesTaxPercentage;
    c.SalesTaxPercentage2 = dSalesTaxPercentage2;
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
    Finish(copies);
    return Result::Finished;
}

void ConfigWizard::Finish(const WizConfigCopies& c)
{
    WaitCursor wait;
    SaveConfigTexts({{QStringLiteral("SalesTaxPercentage2"), Fmt::number(c.SalesTaxPercentage2)},
                     {QStringLiteral("SalesTaxName2"), c.SalesTaxName2},
                     {QStringLiteral("EnabledSalesTax2"), FlagText(c.EnableTax2)},
                     {QStringLiteral("PostCode"), c.PostCode},
                     {QStringLiteral("SalesTaxName"), c.SalesTaxName},
                     {QStringLiteral("SalesTaxPercentage"), Fmt::number(c.SalesTaxPercentage)},
                     {QStringLiteral("CostPerNight"), Fmt::moneyPlain(c.CostPerNight)},
                     {QStringLiteral("CommoditySingular"), c.CommoditySingular},
                     {QStringLiteral("CommodityPlural"), c.CommodityPlural}});

    gsCommoditySingular = c.CommoditySingular;
    gsCommodityPlural = c.CommodityPlural;
    // Read back as the program reads them; the defaults serve only when the
    // store lost a key.
    dSalesTaxPercentage2 = ConfigDecimal(QStringLiteral("SalesTaxPercentage2"), QStringLiteral("10"));
    sCostPerNight = Money::fromDouble(ConfigDecimal(QStringLiteral("CostPerNight"), QStringLiteral("10.00")));
    dSalesTaxPercentage = ConfigDecimal(QStringLiteral("SalesTaxPercentage"), QStringLiteral("10"));

    Connection::Transaction t(objConn);
    // Added units are charged at the first sales tax: a rate row removed in
    // the tax-rate list is written back, so their stays keep an invoice line.
    const bool adds = std::any_of(c.Rooms.begin(), c.Rooms.end(),
                                  [](const WizConfig_Room& r) { return r.ID == -1 && !r.Deleted; });
    if (adds && !TaxRateRecord::find(TaxRateId::First))
        WriteTaxRate(TaxRateId::First, c.SalesTaxName, c.SalesTaxPercentage);
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
}

// ---- Page 2: naming convention -------------------------------------------------

frmWizConfig_Commodity::frmWizConfig_Commodity(WizardRun& run, WizConfigCopies& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizConfig_Commodity), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    connect(ui->cboList, &QComboBox::currentIndexChanged, this, guarded(this, &frmWizConfig_Commodity::cboList_Click));

    PopulateCombo(ui->cboList, false);
    ComboAdd(ui->cboList, QStringLiteral("Custom..."), -1);
    const int listed = ui->cboList->findText(m_copies.CommodityPlural, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (listed >= 0) {
        SetListIndex(ui->cboList, listed);
    } else {
        SetListIndex(ui->cboList, ui->cboList->count() - 1);
        ui->txtSingular->setText(m_copies.CommoditySingular);
        ui->txtPlural->setText(m_copies.CommodityPlural);
    }
    cboList_Click();
}

frmWizConfig_Commodity::~frmWizConfig_Commodity()
{
    delete ui;
}

void frmWizConfig_Commodity::PopulateCombo(QComboBox* c, bool bSelect)
{
    for (const CommodityWord& w : CommodityPlurals())
        ComboAdd(c, w.plural, w.id);
    if (bSelect && c->count() > 0)
        SetListIndex(c, 0);
}

bool frmWizConfig_Commodity::custom() const
{
    const int i = ui->cboList->currentIndex();
    return i >= 0 && ComboItemData(ui->cboList, i) == -1;
}

void frmWizConfig_Commodity::cboList_Click()
{
    if (ui->cboList->count() == 0)
        return;
    const bool show = custom();
    for (QWidget* w : {static_cast<QWidget*>(ui->txtPlural), static_cast<QWidget*>(ui->txtSingular),
                       static_cast<QWidget*>(ui->lblPlural), static_cast<QWidget*>(ui->lblSingular)})
        w->setVisible(show);
}

bool frmWizConfig_Commodity::Validate()
{
    if (!custom())
        return true;
    if (ui->txtPlural->text().isEmpty()) {
        Refuse(QStringLiteral("No custom plural name has been entered. Please enter a plural name to continue."),
               ui->txtPlural);
        return false;
    }
    if (ui->txtSingular->text().isEmpty()) {
        Refuse(QStringLiteral("No custom singular name has been entered. Please enter a singular name to continue."),
               ui->txtSingular);
        return false;
    }
    return true;
}

void frmWizConfig_Commodity::Store()
{
    if (custom()) {
        m_copies.CommodityPlural = ui->txtPlural->text();
        m_copies.CommoditySingular = ui->txtSingular->text();
        return;
    }
    const QString plural = ui->cboList->currentText();
    m_copies.CommodityPlural = plural;
    m_copies.CommoditySingular = CommoditySingular(plural).value_or(plural);
}

// ---- Page 3: regional information ------------------------------------------------

frmWizConfig_Regional::frmWizConfig_Regional(WizardRun& run, WizConfigCopies& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizConfig_Regional), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    ui->cmdPostcode->setCurrentIndex(
        ui->cmdPostcode->findText(m_copies.PostCode, Qt::MatchExactly | Qt::MatchCaseSensitive));
    ui->txtSalesTaxName->setText(m_copies.SalesTaxName);
    ui->txtSalesTaxName2->setText(m_copies.SalesTaxName2);
    ui->chkEnableTax2->setChecked(m_copies.EnableTax2);
    ui->picTax2->setVisible(m_copies.EnableTax2);
    connect(ui->chkEnableTax2, &QCheckBox::toggled, ui->picTax2, &QWidget::setVisible);
}

frmWizConfig_Regional::~frmWizConfig_Regional()
{
    delete ui;
}

void frmWizConfig_Regional::Store()
{
    m_copies.PostCode = ui->cmdPostcode->currentText();
    m_copies.SalesTaxName = ui->txtSalesTaxName->text();
    m_copies.SalesTaxName2 = ui->txtSalesTaxName2->text();
    m_copies.EnableTax2 = ui->chkEnableTax2->isChecked();
}

// ---- Page 4: rates -----------------------------------------------------------------

frmWizConfig_Charges::frmWizConfig_Charges(WizardRun& run, WizConfigCopies& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizConfig_Charges), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    ui->txtName->setText(Fmt::currency(m_copies.CostPerNight));
    ui->txtSalesTax->setText(Fmt::number(m_copies.SalesTaxPercentage));
    ui->txtSalesTax2->setText(Fmt::number(m_copies.SalesTaxPercentage2));
    ui->picTax2->setVisible(m_copies.EnableTax2);
}

frmWizConfig_Charges::~frmWizConfig_Charges()
{
    delete ui;
}

bool frmWizConfig_Charges::Validate()
{
    // The second percentage is checked also while it is hidden.
    Money charge;
    for (QLineEdit* box : {ui->txtName, ui->txtSalesTax, ui->txtSalesTax2}) {
        double v = 0;
        if (box == ui->txtName ? !ReadTypedMoney(box->text(), &charge) : !ReadTypedNumber(box->text(), &v)) {
            Refuse(QStringLiteral("An incorrect amount has been entered. Please enter an amount to continue."), box);
            return false;
        }
    }
    return true;
}

void frmWizConfig_Charges::Store()
{
    ReadTypedMoney(ui->txtName->text(), &m_copies.CostPerNight);
    ReadTypedNumber(ui->txtSalesTax->text(), &m_copies.SalesTaxPercentage);
    ReadTypedNumber(ui->txtSalesTax2->text(), &m_copies.SalesTaxPercentage2);
}

// ---- Page 5: units -------------------------------------------------------------------

frmWizConfig_Rooms::frmWizConfig_Rooms(WizardRun& run, WizConfigCopies& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizConfig_Rooms), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    connect(ui->cmdAdd, &QPushButton::clicked, this, guarded(this, &frmWizConfig_Rooms::cmdAdd_Click));
    connect(ui->cmdRemove, &QPushButton::clicked, this, guarded(this, &frmWizConfig_Rooms::cmdRemove_Click));

    for (size_t i = 0; i < m_copies.Rooms.size(); ++i)
        if (!m_copies.Rooms[i].Deleted)
            ListAdd(ui->lstRooms, m_copies.Rooms[i].Name, qint64(i));
    const QString& S = m_copies.CommoditySingular;
    const QString& P = m_copies.CommodityPlural;
    setWindowTitle(QStringLiteral("Enter your ") + S + QStringLiteral(" information"));
    ui->lblMessage->setText(QStringLiteral("Enter your ") + S + QStringLiteral(" information. For each ") + S
                            + QStringLiteral(" enter it's name (or number) and then click Add."));
    ui->lblName->setText(S + QStringLiteral(" name:"));
    ui->lblRooms->setText(QStringLiteral("Available ") + P + QStringLiteral(":"));
}

frmWizConfig_Rooms::~frmWizConfig_Rooms()
{
    delete ui;
}

void frmWizConfig_Rooms::cmdAdd_Click()
{
    const QString& S = m_copies.CommoditySingular;
    if (ui->txtName->text().isEmpty()) {
        Refuse(QStringLiteral("No ") + S + QStringLiteral(" name has been entered. Please enter a ") + S
                   + QStringLiteral(" name (or number) to continue."),
               ui->txtName);
        return;
    }
    m_copies.Rooms.push_back({-1, false, ui->txtName->text()});
    ListAdd(ui->lstRooms, ui->txtName->text(), qint64(m_copies.Rooms.size() - 1));
    ui->txtName->clear();
    ui->txtName->setFocus();
}

void frmWizConfig_Rooms::cmdRemove_Click()
{
    const QString& S = m_copies.CommoditySingular;
    const int row = ui->lstRooms->currentRow();
    if (row < 0 || ui->lstRooms->selectedItems().isEmpty()) {
        Refuse(QStringLiteral("No ") + S + QStringLiteral(" has been selected to remove. Select a ") + S
                   + QStringLiteral(" from the list to continue."),
               ui->lstRooms);
        return;
    }
    WizConfig_Room& room = m_copies.Rooms.at(size_t(ListItemData(ui->lstRooms, row)));
    if (room.ID != -1
        && MsgBox(QStringLiteral("Deleting this ") + S
                      + QStringLiteral(" will also remove any reservations that have been made with it. Are you sure "
                                       "you want to delete the ")
                      + S + QStringLiteral("?"),
                  vbYesNoCancel | vbQuestion)
               != vbYes)
        return;
    room.Deleted = true;
    delete ui->lstRooms->takeItem(row);
}

void frmWizConfig_Rooms::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && ui->txtName->hasFocus()) {
        event->accept();
        RunGuarded([this] { cmdAdd_Click(); });
        return;
    }
    WizPage::keyPressEvent(event);
}

bool frmWizConfig_Rooms::Validate()
{
    if (ui->lstRooms->count() == 0) {
        Refuse(QStringLiteral("No ") + m_copies.CommodityPlural + QStringLiteral(" have been entered. Please enter your ")
                   + m_copies.CommoditySingular + QStringLiteral(" information to continue."),
               ui->txtName);
        return false;
    }
    return true;
}
