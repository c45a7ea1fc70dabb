#include "testsupport.h"

#include "widgets/application.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "core/modmain.h"
#include "core/settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QSettings>
#include <QPushButton>
#include <QTimer>

int FakeMessageBoxes::show(QWidget*, const QString& prompt, int style, const QString& title)
{
    const ShownMessage m{prompt, style, title};
    shown << m;
    if (handler)
        return handler(m);
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (style & 0x7) {
    case vbYesNo:
    case vbYesNoCancel: return vbYes;
    case vbRetryCancel: return vbRetry;
    case vbAbortRetryIgnore: return vbAbort;
    default: return vbOK;
    }
}

bool FakeSaveFile::choose(SaveFileRequest& request)
{
    requests << request;
    const QString chosen = first.isEmpty() ? answer : first.takeFirst();
    if (chosen.isEmpty())
        return false;
    request.fileName = chosen;
    request.filterIndex = answerFilterIndex;
    return true;
}

int FakeShell::open(const QString& target, std::function<void(int)> failed)
{
    opened << target;
    if (!late)
        return result;
    if (result <= 32 && failed)
        QTimer::singleShot(0, [failed, code = result] { failed(code); });
    return SE_OK;
}

bool FakePrint::printDialog(QWidget*, QPrinter& printer)
{
    ++printDialogs;
    if (acceptPrint && configure)
        configure(printer);
    return acceptPrint;
}

bool FakePrint::pageSetupDialog(QWidget*, QPrinter& printer)
{
    ++pageSetupDialogs;
    if (acceptPageSetup && configure)
        configure(printer);
    return acceptPageSetup;
}

void leaveSummary(QWidget* summary, int code)
{
    const char* button = code == 1 ? "cmdEdit" : code == 2 ? "cmdCancel" : "cmdClose";
    FakeMessageBoxes* boxes = fakes().messageBoxes;
    const int shown = boxes->shown.size();
    boxes->answers.prepend(vbYes);
    QTest::mouseClick(control<QPushButton>(summary, button), Qt::LeftButton);
    if (boxes->shown.size() > shown)
        boxes->shown.removeLast();
    else
        boxes->answers.removeFirst();
}

Fakes& fakes()
{
    static Fakes f;
    return f;
}

void installFakes()
{
    Fakes& f = fakes();
    auto messageBoxes = std::make_unique<FakeMessageBoxes>();
    auto saveFile = std::make_unique<FakeSaveFile>();
    auto shell = std::make_unique<FakeShell>();
    auto help = std::make_unique<FakeHelp>();
    auto print = std::make_unique<FakePrint>();
    auto systemInfo = std::make_unique<FakeSystemInfo>();
    f.messageBoxes = messageBoxes.get();
    f.saveFile = saveFile.get();
    f.shell = shell.get();
    f.help = help.get();
    f.print = print.get();
    f.systemInfo = systemInfo.get();
    platform().setMessageBoxes(std::move(messageBoxes));
    platform().setSaveFile(std::move(saveFile));
    platform().setShell(std::move(shell));
    platform().setHelp(std::move(help));
    platform().setPrint(std::move(print));
    platform().setSystemInfo(std::move(systemInfo));
    platform().setProcess(std::make_unique<FakeProcess>());
}

void resetProgramState()
{
    DestroyMainForm();
    resetGroundState();
    installFakes();
}

frmMain& loadMainWindow(TestDb& db)
{
    DestroyMainForm();
    SaveConfigText(QStringLiteral("DBPath"), db.folder());
    frmMain& main = MainForm();
    main.resize(1280, 800);
    return main;
}

void DbTest::openDb()
{
    resetProgramState();
    db = std::make_unique<TestDb>();
    db->open();
}

void DbTest::closeDb()
{
    resetProgramState();
    db.reset();
}

frmMain& DbTest::loadMain()
{
    db = std::make_unique<TestDb>();
    main = &loadMainWindow(*db);
    return *main;
}

QWidget* DbTest::wizard() const
{
    return main->booking();
}

void DbTest::resetInUsEnglish()
{
    resetProgramState();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
}

void DbTest::showMain()
{
    db = std::make_unique<TestDb>();
    showMain(*db);
}

void DbTest::showMain(TestDb& on)
{
    main = &loadMainWindow(on);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main));
}

void onNextModal(const std::function<bool(QWidget*)>& accept, const std::function<void(QWidget*)>& action,
                 int timeoutMs)
{
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, accept, action, timeoutMs] {
        *elapsed += 20;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && accept(modal)) {
            timer->stop();
            timer->deleteLater();
            // Keys and clicks go to the dialog only once it is the active window.
            modal->activateWindow();
            if (!QTest::qWaitForWindowActive(modal)) {
                QTest::qFail("the dialog never became the active window", __FILE__, __LINE__);
                return;
            }
            action(modal);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            QTest::qFail("no dialog opened", __FILE__, __LINE__);
        }
    });
    timer->start(20);
}

void onNextDialog(const std::function<void(QWidget*)>& action, int timeoutMs)
{
    onNextModal([](QWidget* w) { return !w->inherits("frmSplash"); }, action, timeoutMs);
}

void prepareTestApplication(bool withMainWindow)
{
    InitProgram();
    if (withMainWindow)
        RegisterMainView();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    installFakes();
}

