#pragma once
// The services the program takes from the desktop, each behind one small
// interface. The program uses the desktop implementations; tests install
// scripted fakes (tests/support) so that nothing ever waits on a modal window.
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <functional>
#include <memory>

class QWidget;
class QPrinter;
class QImage;

// Message box buttons, icons and answers, as the program's messages name them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The title message boxes carry when the caller gives none.
extern const char* const kAppTitle;

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows prompt with the buttons and icon of style; returns the answer.
    virtual int show(QWidget* parent, const QString& prompt, int style, const QString& title) = 0;
};

// What a save-file dialog is asked for and what it hands back. The dialog
// opens centred on its owner's window, with its title.
struct SaveFileRequest {
    QWidget* owner = nullptr;
    QString fileName;        // in: proposed name; out: the chosen full path
    QString dialogTitle;     // empty: the desktop's own title
    QStringList filters;     // description and pattern pairs: {"CSV(*.CSV)", "*.CSV", ...}
    int filterIndex = 1;     // in/out, counts from 1
    QString initialDir;
    QString defaultExt;      // added to a name typed without one (".csv" or "csv")
};

class SaveFileService {
public:
    virtual ~SaveFileService() = default;
    // True when the user chose a file (and agreed to replace it if it exists).
    // The program's own database is never handed back: a choice of it (or of
    // its journals) is refused with a message and the dialog shown again,
    // with the name chosen. A cancel leaves request as it was.
    bool getSaveFileName(SaveFileRequest& request);

protected:
    // One showing of the dialog: true, with the choice in request, or false.
    virtual bool choose(SaveFileRequest& request) = 0;
};

// Opening a document or address with the desktop's associated program.
class ShellService {
public:
    virtual ~ShellService() = default;
    // Returns at once, never waiting on the opener: a number greater than 32
    // when it was started, else the reason: 0 out of memory, 2 file not
    // found, 3 path not found, 5 access denied, 8 out of memory, 26 sharing
    // violation, 27 association incomplete, 31 no associated program. An
    // opener that fails after it started hands its reason (the same numbers)
    // to failed, when given, on the GUI thread.
    virtual int open(const QString& target, std::function<void(int)> failed = nullptr) = 0;
};

enum ShellResult : int {
    SE_ERR_OOM0 = 0,
    SE_ERR_FNF = 2,
    SE_ERR_PNF = 3,
    SE_ERR_ACCESSDENIED = 5,
    SE_ERR_OOM = 8,
    SE_ERR_SHARE = 26,
    SE_ERR_ASSOCINCOMPLETE = 27,
    SE_ERR_DDETIMEOUT = 28,
    SE_ERR_DDEFAIL = 29,
    SE_ERR_DDEBUSY = 30,
    SE_ERR_NOASSOC = 31,
    SE_ERR_DLLNOTFOUND = 32,
    SE_OK = 33,
};

// The reason shown when the desktop could not open a document, by the code
// the shell service returned (32 or less).
QString ShellOpenFailureReason(int code);

// Opens target (a file, a web page, a "mailto:" address) with the desktop's
// associated program. When it cannot be opened, at once or when its opener
// has ended, the user is told sentence, then the target and the reason, each
// on a line of its own. Returns false when it was told at once.
bool OpenOrTell(const QString& target, const QString& sentence);

// The program's help: context topics, contents, index and search. A page
// that cannot be opened is told to the user, with the reason; showContext
// returns false when it was told at once.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void setHelpFile(const QString& file) = 0;
    virtual bool showContext(QWidget* owner, int context) = 0;   // context 1: contents
    virtual void showTab(QWidget* owner, int tab) = 0;           // -2 index, -1 search
};

// Printing and page setup.
class PrintService {
public:
    virtual ~PrintService() = default;
    // The print dialog; true when the user chose to print. Page setup sets up
    // the printer last chosen here.
    virtual bool printDialog(QWidget* owner, QPrinter& printer) = 0;
    virtual bool pageSetupDialog(QWidget* owner, QPrinter& printer) = 0;
};

// Unique temporary files.
class TempFileService {
public:
    virtual ~TempFileService() = default;
    // The user's temporary folder; empty when there is none.
    virtual QString tempFolder() = 0;
    // Creates a new empty file with a unique name in folder, starting with
    // prefix; returns its full path, or an empty text when none could be made.
    virtual QString createUniqueFile(const QString& folder, const QString& prefix, const QString& suffix) = 0;
};

// The desktop's system-information tool.
class SystemInfoService {
public:
    virtual ~SystemInfoService() = default;
    // Starts it; false when no such tool is installed or it could not start.
    virtual bool launch() = 0;
};

// Ending the program at once (no unload handler runs).
class ProcessService {
public:
    virtual ~ProcessService() = default;
    [[noreturn]] virtual void endProgram(int code) = 0;
};

class Platform {
public:
    MessageBoxService& messageBoxes() { return *m_messageBoxes; }
    SaveFileService& saveFile() { return *m_saveFile; }
    ShellService& shell() { return *m_shell; }
    HelpService& help() { return *m_help; }
    PrintService& print() { return *m_print; }
    TempFileService& tempFiles() { return *m_tempFiles; }
    SystemInfoService& systemInfo() { return *m_systemInfo; }
    [[noreturn]] void endProgram(int code)
    {
        m_process->endProgram(code);
        std::abort();   // a stand-in that returns must not let the program go on
    }

    void setMessageBoxes(std::unique_ptr<MessageBoxService> s) { m_messageBoxes = std::move(s); }
    void setSaveFile(std::unique_ptr<SaveFileService> s) { m_saveFile = std::move(s); }
    void setShell(std::unique_ptr<ShellService> s) { m_shell = std::move(s); }
    void setHelp(std::unique_ptr<HelpService> s) { m_help = std::move(s); }
    void setPrint(std::unique_ptr<PrintService> s) { m_print = std::move(s); }
    void setTempFiles(std::unique_ptr<TempFileService> s) { m_tempFiles = std::move(s); }
    void setSystemInfo(std::unique_ptr<SystemInfoService> s) { m_systemInfo = std::move(s); }
    void setProcess(std::unique_ptr<ProcessService> s) { m_process = std::move(s); }

    // Puts back the desktop implementations of every service.
    void useDesktop();

private:
    std::unique_ptr<MessageBoxService> m_messageBoxes;
    std::unique_ptr<SaveFileService> m_saveFile;
    std::unique_ptr<ShellService> m_shell;
    std::unique_ptr<HelpService> m_help;
    std::unique_ptr<PrintService> m_print;
    std::unique_ptr<TempFileService> m_tempFiles;
    std::unique_ptr<SystemInfoService> m_systemInfo;
    std::unique_ptr<ProcessService> m_process;
};

Platform& platform();

// The desktop's save-file dialog on its own (tests drive it for real).
std::unique_ptr<SaveFileService> desktopSaveFileService();
// The desktop's help on its own (tests drive it over a scripted shell).
std::unique_ptr<HelpService> desktopHelpService();

// A help page with the user's words for the units put in: every
// <span class="unit-plural"> and <span class="unit-singular"> holds
// gsCommodityPlural and gsCommoditySingular, so that the pages name the menus
// as the menus read.
QByteArray HelpPageWithUnitWords(const QByteArray& page);

// A message box over the active window; an empty title gives kAppTitle.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

// Moves a top-level dialog to a screen position: 1 top-left, 2 top-centre,
// 3 top-right, 4 middle-left, 5 centre, 6 middle-right, 7 bottom-left,
// 8 bottom-centre, 9 bottom-right; any other code the top-left corner.
void placeDialog(QWidget* dialog, int placement);
