#include "widgets/wizardpages.h"

#include "widgets/guard.h"
#include "widgets/plaintext.h"
#include "ui_wizcompletepage.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

// ---- Closing page ----------------------------------------------------------

WizCompletePage::WizCompletePage(WizardRun& run, const QString& objectName, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::WizCompletePage)
{
    ui->setupUi(this);
    AttachButtons();
    setObjectName(objectName);
}

WizCompletePage::~WizCompletePage()
{
    delete ui;
}
