#include "reports/frmwizoconfig_email.h"

#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "ui_frmwizoconfig_email.h"

#include <QIcon>

frmWizOConfig_Email::frmWizOConfig_Email(WizardRun& run, WebSettings& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizOConfig_Email), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    ui->imgWizard->setPixmap(QIcon(QStringLiteral(":/images/wizards/webbookings.svg")).pixmap(ui->imgWizard->size()));
    ui->txtName->setText(m_copies.email);
}

frmWizOConfig_Email::~frmWizOConfig_Email()
{
    delete ui;
}

bool frmWizOConfig_Email::Validate()
{
    // Any text is an address here: the form service is the one to judge it.
    if (!ui->txtName->text().isEmpty())
        return true;
    MsgBox(QStringLiteral("No email address has been entered. Please enter an email address to continue."), vbCritical);
    ui->txtName->setFocus();
    return false;
}

void frmWizOConfig_Email::Store()
{
    m_copies.email = ui->txtName->text();
}
