#include "reports/frmwizoconfig_provider.h"

#include "core/modmain.h"
#include "widgets/guard.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "ui_frmwizoconfig_provider.h"

#include <QIcon>

namespace {
const int kCustomEntry = 1;
}

frmWizOConfig_Provider::frmWizOConfig_Provider(WizardRun& run, WebSettings& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizOConfig_Provider), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    ui->imgWizard->setPixmap(QIcon(QStringLiteral(":/images/wizards/webbookings.svg")).pixmap(ui->imgWizard->size()));
    ComboAdd(ui->cboProvider, QStringLiteral("Response-o-Matic (default)"));
    ComboAdd(ui->cboProvider, QStringLiteral("Custom..."));
    // An index the list does not hold leaves no entry chosen.
    ui->cboProvider->setCurrentIndex(m_copies.providerIndex < ui->cboProvider->count() ? m_copies.providerIndex : -1);
    ui->txtCustom->setText(m_copies.providerCustom);
    // A key that types or edits the address (a paste, an undo, an input
    // method's text included) chooses it; one that only moves the focus or
    // the cursor, or a modifier on its own, changes nothing.
    connect(ui->txtCustom, &QLineEdit::textEdited, this, guarded(this, &frmWizOConfig_Provider::txtCustom_KeyDown));
}

frmWizOConfig_Provider::~frmWizOConfig_Provider()
{
    delete ui;
}

void frmWizOConfig_Provider::txtCustom_KeyDown()
{
    ui->cboProvider->setCurrentIndex(kCustomEntry);
}

bool frmWizOConfig_Provider::Validate()
{
    if (ui->cboProvider->currentIndex() != kCustomEntry || !ui->txtCustom->text().isEmpty())
        return true;
    return MsgBox(QStringLiteral("No custom provider has been entered. Continue anyway?"), vbYesNoCancel) == vbYes;
}

void frmWizOConfig_Provider::Store()
{
    // A stored index the list does not hold stays until an entry is chosen.
    if (ui->cboProvider->currentIndex() >= 0)
        m_copies.providerIndex = ui->cboProvider->currentIndex();
    // The custom address is kept while the default is chosen, for later.
    m_copies.providerCustom = ui->txtCustom->text();
}
