#include "benchsupport.h"

#include "app/frmmain.h"
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
