#include "config/frmwizconfig_charges.h"

#include "core/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/amountbox.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settings.h"
#include "ui_frmwizconfig_charges.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <algorithm>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// ---- Page 4: rates -----------------------------------------------------------------

frmWizConfig_Charges::frmWizConfig_Charges(WizardRun& run, WizConfigCopies& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizConfig_Charges), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    ShowAmount(ui->txtName, m_copies.CostPerNight);
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
    // The second percentage is checked also while it is hidden; an empty
    // charge is no amount here.
    Money charge;
    double percentage = 0;
    for (QLineEdit* box : {ui->txtName, ui->txtSalesTax, ui->txtSalesTax2}) {
        const Typed read = box != ui->txtName             ? ReadPercentage(box->text(), &percentage)
                           : box->text().trimmed().isEmpty() ? Typed::NotNumber
                                                             : ReadAmountBox(box, &charge, Sign::NotNegative);
        if (read != Typed::Number) {
            WizConfig_Refuse(QStringLiteral("An incorrect amount has been entered. Please enter an amount to continue."), box);
            return false;
        }
    }
    return true;
}

void frmWizConfig_Charges::Store()
{
    // A box left as it was shown keeps its copy exactly, whatever digits its
    // text shows.
    ReadAmountBox(ui->txtName, &m_copies.CostPerNight, Sign::NotNegative);
    if (ui->txtSalesTax->text() != Fmt::number(m_copies.SalesTaxPercentage))
        ReadPercentage(ui->txtSalesTax->text(), &m_copies.SalesTaxPercentage);
    if (ui->txtSalesTax2->text() != Fmt::number(m_copies.SalesTaxPercentage2))
        ReadPercentage(ui->txtSalesTax2->text(), &m_copies.SalesTaxPercentage2);
}
