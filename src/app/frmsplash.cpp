#include "app/frmsplash.h"

#include "app/frmmain.h"
#include "widgets/guard.h"
#include "ui_frmsplash.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

namespace {
frmSplash* g_current = nullptr;
}

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ui(new Ui::frmSplash)
{
    ui->setupUi(this);
    setFixedSize(size());
    ui->Picture2->setPixmap(QPixmap(QStringLiteral(":/images/logo.svg")));
    ui->Picture5->setPixmap(QPixmap(QStringLiteral(":/images/logo.svg")));
    ui->Frame1->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(ShowTimeMs);
    connect(Timer1, &QTimer::timeout, this, guarded(this, &frmSplash::Timer1_Timer));
    Timer2 = new QTimer(this);
    Timer2->setInterval(LoadDelayMs);
    connect(Timer2, &QTimer::timeout, this, guarded(this, &frmSplash::Timer2_Timer));
    Form_Load();
    Timer1->start();
    Timer2->start();
    g_current = this;
}

frmSplash::~frmSplash()
{
    if (g_current == this)
        g_current = nullptr;
    delete ui;
}

frmSplash* frmSplash::current()
{
    return g_current;
}

void frmSplash::Form_Load()
{
    ui->Picture2->setVisible(true);
    ui->Picture5->setVisible(false);
}

void frmSplash::Timer1_Timer()
{
    close();
}

void frmSplash::Timer2_Timer()
{
    // Loading an already loaded window does nothing.
    MainForm();
}

void frmSplash::Frame1_Click()
{
    close();
}

void frmSplash::keyPressEvent(QKeyEvent*)
{
    close();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
