#pragma once
// What the test programs of the windows share, beside the ground's
// (groundsupport.h): scripted stand-ins for the desktop's services, and a
// way to load the main window without anything waiting on a modal window.
#include "support/groundsupport.h"
#include "widgets/platform.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

// Thrown by the scripted process service where the program would end.
struct ProgramEnded {
    int code;
};

struct ShownMessage {
    QString prompt;
    int style;
    QString title;
};

// Message boxes answer from a queue (OK, or the first button's answer, when
// it is empty) and remember what they showed. A handler, when set, answers
// instead and may act on the window first.
class FakeMessageBoxes : public MessageBoxService {
public:
    int show(QWidget* parent, const QString& prompt, int style, const QString& title) override;
    QList<ShownMessage> shown;
    QList<int> answers;
    std::function<int(const ShownMessage&)> handler;
    QString lastPrompt() const { return shown.isEmpty() ? QString() : shown.last().prompt; }
    void clear() { shown.clear(); answers.clear(); handler = nullptr; }
};

class FakeSaveFile : public SaveFileService {
public:
    bool choose(SaveFileRequest& request) override;
    QList<SaveFileRequest> requests;
    QStringList first;        // the paths chosen at the first showings, in turn
    QString answer;           // the path the user "chooses" after them; empty cancels
    int answerFilterIndex = 1;
};

class FakeShell : public ShellService {
public:
    int open(const QString& target, std::function<void(int)> failed = nullptr) override;
    QStringList opened;
    int result = SE_OK;
    // The opener starts, and ends with result only afterwards, as the desktop's does.
    bool late = false;
};

class FakeHelp : public HelpService {
public:
    void setHelpFile(const QString& file) override { helpFile = file; }
    bool showContext(QWidget*, int context) override
    {
        calls << QStringLiteral("context %1").arg(context);
        return true;
    }
    void showTab(QWidget*, int tab) override { calls << QStringLiteral("tab %1").arg(tab); }
    QString helpFile;
    QStringList calls;
};

class FakePrint : public PrintService {
public:
    bool printDialog(QWidget*, QPrinter& printer) override;
    bool pageSetupDialog(QWidget*, QPrinter& printer) override;
    bool acceptPrint = true;
    bool acceptPageSetup = true;
    int printDialogs = 0;
    int pageSetupDialogs = 0;
    std::function<void(QPrinter&)> configure;   // sets up the printer as a user would
};

class FakeSystemInfo : public SystemInfoService {
public:
    bool launch() override { ++launches; return available; }
    bool available = false;
    int launches = 0;
};

class FakeProcess : public ProcessService {
public:
    [[noreturn]] void endProgram(int code) override { throw ProgramEnded{code}; }
};

// The fakes installed by the test main (owned by platform()).
struct Fakes {
    FakeMessageBoxes* messageBoxes = nullptr;
    FakeSaveFile* saveFile = nullptr;
    FakeShell* shell = nullptr;
    FakeHelp* help = nullptr;
    FakePrint* print = nullptr;
    FakeSystemInfo* systemInfo = nullptr;
};
Fakes& fakes();
// Installs fresh fakes for every service (temporary files stay real).
void installFakes();

// resetGroundState(), the main window closed and fresh fakes installed.
void resetProgramState();

// Loads the main window on db (opened by its load handler), as start-up does.
class frmMain;
frmMain& loadMainWindow(TestDb& db);

// A test object whose test functions each work on a copy of the default
// database of their own, kept in db: openDb() resets the program's state and
// opens a fresh copy, closeDb() resets the state and removes the copy;
// loadMain() loads the main window on a fresh copy as start-up does (the
// state as the test left it), and showMain() also shows it, active.
class DbTest : public QObject {
    Q_OBJECT
protected:
    void openDb();
    void closeDb();
    frmMain& loadMain();
    void showMain();
    // The booking wizard's panel of the loaded main window.
    QWidget* wizard() const;
    // The program's state set back, in the locale the tests' texts are in.
    void resetInUsEnglish();
    // The same on a copy of the test's own.
    void showMain(TestDb& on);

    std::unique_ptr<TestDb> db;
    frmMain* main = nullptr;
};

// Runs action on the next modal dialog that opens (from within whatever opens
// it), the splash window aside, once it is the active window; fails the test
// if none opens in time.
void onNextDialog(const std::function<void(QWidget*)>& action, int timeoutMs = 3000);
// The same for the next modal dialog of class T.
template <class T>
void onNextDialogOf(const std::function<void(T*)>& action, int timeoutMs = 3000);
void onNextModal(const std::function<bool(QWidget*)>& accept, const std::function<void(QWidget*)>& action,
                 int timeoutMs);

template <class T>
void onNextDialogOf(const std::function<void(T*)>& action, int timeoutMs)
{
    onNextModal([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                [action](QWidget* w) { action(qobject_cast<T*>(w)); }, timeoutMs);
}

// A control of a window found by its object name; the test stops when the
// window has none.
template <class W>
W* control(const QWidget* root, const char* name)
{
    W* w = root->findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// Leaves an open booking summary the way a user gives answer code: -1 Close,
// 1 Edit Booking, 2 Cancel Booking (agreed to; that question is taken off the
// messages shown, so that a test counts its opener's questions only).
void leaveSummary(QWidget* summary, int code);

// withMainWindow false (a program labelled unit): the main window cannot be
// reached, and a test that tries ends.
void prepareTestApplication(bool withMainWindow);

#define TARLOMY_TEST_MAIN_WITH(TestObject, withMainWindow)    \
    int main(int argc, char** argv)                           \
    {                                                         \
        prepareTestEnvironment();                             \
        QApplication app(argc, argv);                         \
        prepareTestApplication(withMainWindow);               \
        TestObject tc;                                        \
        QTEST_SET_MAIN_SOURCE_PATH                            \
        return QTest::qExec(&tc, argc, argv);                 \
    }
// A program that never needs the main window (labelled unit) ...
#define TARLOMY_TEST_MAIN(TestObject) TARLOMY_TEST_MAIN_WITH(TestObject, false)
// ... and one that loads it (labelled gui); the label follows the macro.
#define TARLOMY_GUI_TEST_MAIN(TestObject) TARLOMY_TEST_MAIN_WITH(TestObject, true)
