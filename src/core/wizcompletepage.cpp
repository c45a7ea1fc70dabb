#include "core/wizardpages.h"

#include "core/guard.h"
#include "core/plaintext.h"
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
