#include "customers/frmwizmaillist_file.h"

#include "widgets/filedialogs.h"
#include "widgets/guard.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "ui_frmwizmaillist_file.h"

#include <QIcon>

frmWizMailList_File::frmWizMailList_File(WizardRun& run, QString& fileName, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizMailList_File), m_fileName(fileName)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    ui->imgWizard->setPixmap(QIcon(QStringLiteral(":/images/wizards/mailinglist.svg")).pixmap(ui->imgWizard->size()));
    connect(ui->cmdBrowse, &QPushButton::clicked, this, guarded(this, &frmWizMailList_File::cmdBrowse_Click));
    ui->txtName->setText(m_fileName);
}

frmWizMailList_File::~frmWizMailList_File()
{
    delete ui;
}

void frmWizMailList_File::cmdBrowse_Click()
{
    SaveFileRequest request;
    request.owner = this;
    request.filters = {QStringLiteral("Text documents (*.txt)"), QStringLiteral("*.txt")};
    if (platform().saveFile().getSaveFileName(request) && !request.fileName.isEmpty())
        ui->txtName->setText(request.fileName);
}

bool frmWizMailList_File::Validate()
{
    if (ui->txtName->text().isEmpty())
        MsgBox(QStringLiteral("No mailing list filename has been entered. Please enter a filename to continue."),
               vbCritical);
    else if (!RefusedAsOpenDatabase(ui->txtName->text()))
        return true;
    ui->txtName->setFocus();
    return false;
}

void frmWizMailList_File::Store()
{
    // Kept as typed: a name of blanks is a name.
    m_fileName = ui->txtName->text();
}
