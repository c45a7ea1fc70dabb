#include "app/frmabout.h"

#include "widgets/guard.h"
#include "widgets/platform.h"
#include "ui_frmabout.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPixmap>

namespace {

const char* const kMakerWebAddress = "https://www.orvane.example/";

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), ui(new Ui::frmAbout)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->Picture2->setPixmap(QPixmap(QStringLiteral(":/images/logo.svg")));
    ui->Picture5->setPixmap(QPixmap(QStringLiteral(":/images/logo.svg")));
    ui->Picture4->setPixmap(QPixmap(QStringLiteral(":/images/makerlogo.svg")));
    ui->Label2->installEventFilter(this);
    ui->Picture4->installEventFilter(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmAbout::cmdOK_Click));
    connect(ui->cmdSysInfo, &QPushButton::clicked, this, guarded(this, &frmAbout::cmdSysInfo_Click));
    Form_Load();
    // As tall as the texts need at the designed width, and no taller.
    QLayout* lay = layout();
    const int h = lay->hasHeightForWidth() ? lay->totalHeightForWidth(width()) : lay->totalSizeHint().height();
    setFixedSize(width(), qMax(h, lay->totalMinimumSize().height()));
}

frmAbout::~frmAbout()
{
    delete ui;
}

void frmAbout::Form_Load()
{
    ui->Picture5->setVisible(false);
    ui->Picture2->setVisible(true);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui->Label2) {
            Label2_Click();
            return true;
        }
        if (watched == ui->Picture4) {
            Picture4_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::StartSysInfo()
{
    // The tool runs on its own; the program does not wait for it.
    if (!platform().systemInfo().launch())
        MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), vbOKOnly);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::Label2_Click()
{
    platform().shell().open(QString::fromLatin1(kMakerWebAddress));
}

void frmAbout::Picture4_Click()
{
    platform().shell().open(QString::fromLatin1(kMakerWebAddress));
}
