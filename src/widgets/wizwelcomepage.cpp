#include "widgets/wizardpages.h"

#include "widgets/guard.h"
#include "widgets/plaintext.h"
#include "ui_wizwelcomepage.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

// ---- Welcome page ----------------------------------------------------------

WizWelcomePage::WizWelcomePage(WizardRun& run, const WelcomeTexts& texts, bool& showWelcome, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::WizWelcomePage), m_showWelcome(showWelcome)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    setObjectName(texts.objectName);
    setWindowTitle(texts.title);
    ui->lblHeading->setText(texts.heading);
    ui->lblWelcomeMessage->setText(texts.message);
    ui->chkDisplayNext->setChecked(true);
}

WizWelcomePage::~WizWelcomePage()
{
    delete ui;
}

void WizWelcomePage::Store()
{
    if (!ui->chkDisplayNext->isChecked())
        m_showWelcome = false;
}
