#include "benchsupport.h"

#include "app/frmmain.h"
#include "calendar/calendar.h"
#include "widgets/database.h"
#include "core/db.h"
#include "core/modmain.h"
#include "widgets/platform.h"
#include "core/settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>

QString BenchDbFile()
{
    const QString named = qEnvironmentVariable("BENCH_DB");
    return named.isEmpty() ? QString::fromUtf8(LARGE_DB_FILE) : named;
}

QString BenchDbFolder()
{
    static QTemporaryDir dir;
    static bool ready = false;
    if (!ready) {
        const QString source = QFileInfo(BenchDbFile()).absoluteFilePath();
        if (!QFile::exists(source)) {
            std::fprintf(stderr, "No database at %s: build the target large_db (or long_db, wide_db) first.\n",
                         qPrintable(source));
            std::exit(2);
        }
        QFile::link(source, dir.filePath(QStringLiteral("db.mdb")));
        SetAppPath(dir.path());
        SaveConfigText(QStringLiteral("DBPath"), dir.path() + u'/');
        ready = true;
    }
    return dir.path() + u'/';
}

void OpenBenchDb()
{
    if (!objConn.isOpen()) {
        if (!objConn.open(BenchDbFolder() + QStringLiteral("db.mdb"))) {
            std::fprintf(stderr, "Cannot open %s.\n", qPrintable(BenchDbFile()));
            std::exit(2);
        }
        // A file generated before an index existed gets it, as the program does.
        EnsureIndexes();
    }
}

frmMain& MainOnBenchDb()
{
    BenchDbFolder();
    return MainForm();
}

bool OpenBenchDbCopy(const QString& file)
{
    objConn.close();
    QFile::remove(file);
    return QFile::copy(BenchDbFile(), file) && QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner)
           && objConn.open(file);
}

void ShowCalendarPage(Calendar& cal)
{
    OpenBenchDb();
    cal.resize(1920, 1080);
    cal.ConnectDatabase();
    cal.Setup();
    cal.CommodityName = QStringLiteral("Rooms");
    // The first run lays the grid out at the new size, the second counts the
    // columns that fit it, as the host does on its first resize.
    cal.InitHeaders();
    cal.InitHeaders();
    cal.Refresh();
}

namespace {
class SilentMessageBoxes : public MessageBoxService {
public:
    int show(QWidget*, const QString&, int, const QString&) override { return vbOK; }
};
}  // namespace

void SilenceMessageBoxes()
{
    platform().setMessageBoxes(std::make_unique<SilentMessageBoxes>());
}

void Paint(QWidget* w)
{
    QPixmap picture = w->grab();
    (void)picture;
}

void PressCtrlEnd(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::sendEvent(w, &press);
}
