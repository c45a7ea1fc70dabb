#include "app/frmtip.h"

#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/settingkeys.h"
#include "ui_frmtip.h"

#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>

#include <limits>

namespace {

const char* const kTipsFile = "TipOfTheDay.txt";

}  // namespace

frmTip::frmTip(QWidget* parent) : QDialog(parent), ui(new Ui::frmTip)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->imgBulb->setPixmap(QPixmap(QStringLiteral(":/images/tipbulb.svg")));
    connect(ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmTip::cmdOK_Click));
    connect(ui->cmdNextTip, &QPushButton::clicked, this, guarded(this, &frmTip::cmdNextTip_Click));
    // Only the user's clicks store the switch, never the load setting it.
    connect(ui->chkLoadTipsAtStartup, &QCheckBox::clicked, this, guarded(this, &frmTip::chkLoadTipsAtStartup_Click));
    Form_Load();
}

frmTip::~frmTip()
{
    delete ui;
}

void frmTip::Form_Load()
{
    // The box shows the stored switch: opening the window from the Help menu
    // does not turn the start-up tips back on.
    ui->chkLoadTipsAtStartup->setChecked(Val(Options::ShowTipsAtStartup.read()) != 0);

    // A stored number that is no whole number counts as out of range, and an
    // out-of-range number starts again at the first tip (DoNextTip).
    bool ok = false;
    const qint64 stored = Options::CurrentTip.read().trimmed().toLongLong(&ok);
    CurrentTip = ok && stored >= 0 && stored <= std::numeric_limits<qint32>::max() - 1 ? qint32(stored) : 0;

    const QString fileName = QString::fromLatin1(kTipsFile);
    if (!LoadTips(AppPath() + fileName)) {
        ui->lblTipText->setText(QStringLiteral("That the ") + fileName + QStringLiteral(" file was not found? ")
                                + QStringLiteral("\r\n\r\n") + QStringLiteral("Create a text file named ") + fileName
                                + QStringLiteral(" using NotePad with 1 tip per line. ")
                                + QStringLiteral("Then place it in the same directory as the application. "));
    }
}

bool frmTip::LoadTips(const QString& sFile)
{
    if (sFile.isEmpty() || !QFileInfo(sFile).isFile())
        return false;
    QFile file(sFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Every line is a tip, empty ones included.
    QTextStream in(&file);
    while (!in.atEnd())
        Tips << in.readLine();
    file.close();
    DoNextTip();
    return true;
}

void frmTip::DoNextTip()
{
    ++CurrentTip;
    if (CurrentTip < 1 || CurrentTip > Tips.size())
        CurrentTip = 1;
    if (!Options::CurrentTip.save(QString::number(CurrentTip)))
        ReportUnsavedSettings();
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!Tips.isEmpty())
        ui->lblTipText->setText(Tips.at(CurrentTip - 1));
}

void frmTip::cmdNextTip_Click()
{
    DoNextTip();
}

void frmTip::cmdOK_Click()
{
    accept();
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    if (!Options::ShowTipsAtStartup.save(
                         ui->chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0")))
        ReportUnsavedSettings();
}
