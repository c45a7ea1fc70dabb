#include "widgets/platform.h"

#include "core/filewriter.h"
#include "core/modmain.h"
#include "widgets/filedialogs.h"
#include "widgets/guard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

const char* const kAppTitle = "Tarlomy";

bool SaveFileService::getSaveFileName(SaveFileRequest& request)
{
    SaveFileRequest asked = request;
    for (;;) {
        SaveFileRequest shown = asked;
        if (!choose(shown))
            return false;
        if (!RefusedAsOpenDatabase(shown.fileName)) {
            request = shown;
            return true;
        }
        asked.fileName = shown.fileName;
        asked.filterIndex = shown.filterIndex;
    }
}

namespace {

class DesktopMessageBoxes : public MessageBoxService {
public:
    int show(QWidget* parent, const QString& prompt, int style, const QString& title) override
    {
        // Before the main window is shown there is no window to centre on.
        if (parent && !parent->isVisible())
            parent = nullptr;
        QMessageBox box(parent);
        box.setWindowTitle(title);
        // Messages often quote what the user typed: never read as markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(prompt);
        switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        struct Choice { QMessageBox::StandardButton button; int answer; };
        QList<Choice> choices;
        switch (style & 0x7) {
        case vbOKCancel: choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbAbortRetryIgnore:
            choices = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
            break;
        case vbYesNoCancel:
            choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNo: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
        case vbRetryCancel: choices = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
        default: choices = {{QMessageBox::Ok, vbOK}}; break;
        }
        QMessageBox::StandardButtons buttons;
        for (const Choice& c : choices)
            buttons |= c.button;
        box.setStandardButtons(buttons);
        const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
        if (defaultIndex < choices.size())
            box.setDefaultButton(choices[defaultIndex].button);
        if (!parent) {
            // Placed by us, in the middle of the screen, once its size is known.
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            placeDialog(&box, 5);
        }
        const int pressed = box.exec();
        for (const Choice& c : choices)
            if (c.button == pressed)
                return c.answer;
        // Closed with the window's close box: the answer of Escape.
        if ((style & 0x7) == vbYesNo)
            return vbNo;
        return (style & 0x7) == vbOKOnly ? vbOK : vbCancel;
    }
};


class DesktopShell : public ShellService {
public:
    int open(const QString& target, std::function<void(int)> failed) override
    {
        const QUrl url = QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
        if (url.isLocalFile()) {
            const QFileInfo info(url.toLocalFile());
            if (!info.dir().exists())
                return SE_ERR_PNF;
            if (!info.exists())
                return SE_ERR_FNF;
            if (!info.isReadable())
                return SE_ERR_ACCESSDENIED;
        }
        // The opener runs on its own and is never waited for; one that keeps
        // running is left to run. What it ends with is told when it ends.
        auto* process = new QProcess;
        auto report = [process, failed](int result) {
            process->deleteLater();
            if (result <= 32 && failed)
                RunGuarded([&] { failed(result); });
        };
        QObject::connect(process, &QProcess::errorOccurred, process, [report](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                report(SE_ERR_NOASSOC);
        });
        QObject::connect(process, &QProcess::finished, process,
                         [report](int code, QProcess::ExitStatus status) {
                             report(status != QProcess::NormalExit ? int(SE_ERR_ASSOCINCOMPLETE)
                                                                   : OpenerResult(code));
                         });
        process->start(QStringLiteral("xdg-open"), {url.isLocalFile() ? url.toLocalFile() : url.toString()});
        return SE_OK;
    }

    // The opener's exit code as one of the reasons above.
    static int OpenerResult(int exitCode)
    {
        switch (exitCode) {
        case 0: return SE_OK;
        case 2: return SE_ERR_FNF;
        case 3: return SE_ERR_NOASSOC;
        case 4: return SE_ERR_ASSOCINCOMPLETE;
        default: return SE_ERR_OOM0;
        }
    }
};

// Help is a folder of HTML pages beside the program, one page per topic, shown
// by the desktop's browser: "help/topicN.html", "help/index.html" and
// "help/search.html" stand for the topics, the index tab and the search tab.
// The browser is given a copy of the folder in the user's cache with the
// unit words put in (the folder itself when no copy can be made).
class DesktopHelp : public HelpService {
public:
    void setHelpFile(const QString& file) override { m_folder = QFileInfo(file).absolutePath() + "/help/"; }
    bool showContext(QWidget*, int context) override
    {
        const QString page = QStringLiteral("topic%1.html").arg(context);
        return openPage(QFileInfo::exists(m_folder + page) ? page : QStringLiteral("index.html"));
    }
    void showTab(QWidget*, int tab) override
    {
        openPage(tab == -1 ? QStringLiteral("search.html") : QStringLiteral("index.html"));
    }

private:
    bool openPage(const QString& name)
    {
        return OpenOrTell(pagesFolder() + name, QStringLiteral("Unable to open the help page."));
    }

    QString pagesFolder() const
    {
        const QString copy =
            QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/help/");
        const QFileInfoList files = QDir(m_folder).entryInfoList(QDir::Files);
        if (files.isEmpty() || !QDir().mkpath(copy))
            return m_folder;
        for (const QFileInfo& file : files) {
            QFile in(file.filePath());
            if (!in.open(QIODevice::ReadOnly))
                return m_folder;
            QByteArray bytes = in.readAll();
            if (file.suffix() == QLatin1String("html"))
                bytes = HelpPageWithUnitWords(bytes);
            if (!WriteWholeFile(copy + file.fileName(), bytes))
                return m_folder;
        }
        return copy;
    }

    QString m_folder;
};

class DesktopPrint : public PrintService {
public:
    bool printDialog(QWidget* owner, QPrinter& printer) override
    {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }
    bool pageSetupDialog(QWidget* owner, QPrinter& printer) override
    {
        QPageSetupDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }
};

class DesktopTempFiles : public TempFileService {
public:
    QString tempFolder() override
    {
        const QString dir = QDir::tempPath();
        return QDir(dir).exists() ? dir : QString();
    }
    QString createUniqueFile(const QString& folder, const QString& prefix, const QString& suffix) override
    {
        const QDir dir(folder);
        if (!dir.exists())
            return QString();
        for (int attempt = 0; attempt < 1000; ++attempt) {
            const quint32 n = QRandomGenerator::global()->bounded(0x10000u);
            const QString name = dir.filePath(prefix + QString::number(n, 16).toUpper() + suffix);
            QFile file(name);
            if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                return name;
        }
        return QString();
    }
};

class DesktopSystemInfo : public SystemInfoService {
public:
    bool launch() override
    {
        // Tools that describe the computer come first, then the desktops'
        // system monitors, which show at least its processor and memory.
        static const char* const tools[] = {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk", "cpu-x",
                                            "gnome-system-monitor", "mate-system-monitor", "plasma-systemmonitor",
                                            "ksysguard", "xfce4-taskmanager", "lxtask"};
        for (const char* tool : tools) {
            const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
            if (!path.isEmpty() && QProcess::startDetached(path, {}))
                return true;
        }
        return false;
    }
};

class DesktopProcess : public ProcessService {
public:
    [[noreturn]] void endProgram(int code) override
    {
        std::fflush(nullptr);
        std::_Exit(code);
    }
};

}  // namespace

void Platform::useDesktop()
{
    m_messageBoxes = std::make_unique<DesktopMessageBoxes>();
    m_saveFile = desktopSaveFileService();
    m_shell = std::make_unique<DesktopShell>();
    m_help = std::make_unique<DesktopHelp>();
    m_print = std::make_unique<DesktopPrint>();
    m_tempFiles = std::make_unique<DesktopTempFiles>();
    m_systemInfo = std::make_unique<DesktopSystemInfo>();
    m_process = std::make_unique<DesktopProcess>();
}


std::unique_ptr<HelpService> desktopHelpService()
{
    return std::make_unique<DesktopHelp>();
}

QByteArray HelpPageWithUnitWords(const QByteArray& page)
{
    QString text = QString::fromUtf8(page);
    const struct {
        const char* kind;
        QString word;
    } words[] = {{"plural", gsCommodityPlural.toHtmlEscaped()}, {"singular", gsCommoditySingular.toHtmlEscaped()}};
    for (const auto& w : words) {
        const QString open = QStringLiteral("<span class=\"unit-%1\">").arg(QLatin1String(w.kind));
        for (qsizetype at = text.indexOf(open); at >= 0; at = text.indexOf(open, at)) {
            at += open.size();
            const qsizetype end = text.indexOf(QLatin1String("</span>"), at);
            if (end < 0)
                break;
            text.replace(at, end - at, w.word);
            at += w.word.size();
        }
    }
    return text.toUtf8();
}

bool OpenOrTell(const QString& target, const QString& sentence)
{
    // An address is shown as given, a file as the desktop writes its path.
    const bool address = QUrl(target).scheme().size() > 1;
    // The opener may also fail after it was started (none is set up).
    auto tell = [target, sentence, address](int result) {
        MsgBox(address ? sentence + QStringLiteral("\r\n") + target + QStringLiteral("\r\n") + ShellOpenFailureReason(result)
                       : WriteFailureMessage(sentence, target, ShellOpenFailureReason(result)),
               vbExclamation);
    };
    const int result = platform().shell().open(target, tell);
    if (result > 32)
        return true;
    tell(result);
    return false;
}

QString ShellOpenFailureReason(int code)
{
    switch (code) {
    case 2: return QStringLiteral("File not found");
    case 3: return QStringLiteral("Path not found");
    case 5: return QStringLiteral("Access denied");
    case 8: return QStringLiteral("Out of memory");
    case 11: return QStringLiteral("Invalid EXE file or error in EXE image");
    case 26: return QStringLiteral("A sharing violation occurred");
    case 27: return QStringLiteral("Incomplete or invalid file association");
    case 28: return QStringLiteral("DDE Time out");
    case 29: return QStringLiteral("DDE transaction failed");
    case 30: return QStringLiteral("DDE busy");
    case 31: return QStringLiteral("No association for file extension");
    case 32: return QStringLiteral("DLL not found");
    default: return QStringLiteral("Unknown error");
    }
}

Platform& platform()
{
    static Platform* instance = [] {
        auto* p = new Platform;
        p->useDesktop();
        return p;
    }();
    return *instance;
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    return platform().messageBoxes().show(QApplication::activeWindow(), prompt, style,
                                          title.isEmpty() ? QString::fromLatin1(kAppTitle) : title);
}

void placeDialog(QWidget* dialog, int placement)
{
    if (!dialog)
        return;
    const QScreen* screen = dialog->screen();
    if (!screen)
        return;
    const QRect scr = screen->geometry();
    const QRect frame = dialog->frameGeometry();
    const int w = frame.width();
    const int h = frame.height();
    int left = 0;
    int top = 0;
    switch (placement) {
    case 2: left = (scr.width() - w) / 2; break;
    case 3: left = scr.width() - w; break;
    case 4: top = (scr.height() - h) / 2; break;
    case 5: left = (scr.width() - w) / 2; top = (scr.height() - h) / 2; break;
    case 6: left = scr.width() - w; top = (scr.height() - h) / 2; break;
    case 7: top = scr.height() - h; break;
    case 8: left = (scr.width() - w) / 2; top = scr.height() - h; break;
    case 9: left = scr.width() - w; top = scr.height() - h; break;
    default: break;
    }
    dialog->move(scr.left() + left, scr.top() + top);
}
