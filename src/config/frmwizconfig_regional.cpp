#include "config/frmwizconfig_regional.h"

#include "core/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settings.h"
#include "ui_frmwizconfig_regional.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <algorithm>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
