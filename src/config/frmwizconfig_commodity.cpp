#include "config/frmwizconfig_commodity.h"

#include "core/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settings.h"
#include "ui_frmwizconfig_commodity.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <algorithm>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
        WizConfig_Refuse(QStringLiteral("No custom plural name has been entered. Please enter a plural name to continue."),
               ui->txtPlural);
        return false;
    }
    if (ui->txtSingular->text().isEmpty()) {
        WizConfig_Refuse(QStringLiteral("No custom singular name has been entered. Please enter a singular name to continue."),
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
