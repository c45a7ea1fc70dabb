#include "benchsupport.h"

#include "core/db.h"
#include "app/frmmain.h"
#include "core/modmain.h"
#include "core/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

QString LargeDbFolder()
{
    static QTemporaryDir dir;
    static bool ready = false;
    if (!ready) {
        const QString source = QString::fromUtf8(LARGE_DB_FILE);
        if (!QFile::exists(source)) {
            std::fprintf(stderr, "No large database at %s: build the target large_db first.\n", LARGE_DB_FILE);
            std::exit(2);
        }
        QFile::link(source, dir.filePath(QStringLiteral("db.mdb")));
        SetAppPath(dir.path());
        SaveConfigText(QStringLiteral("DBPath"), dir.path() + u'/');
        ready = true;
    }
    return dir.path() + u'/';
}

void OpenLargeDb()
{
    if (!objConn.isOpen() && !objConn.open(LargeDbFolder() + QStringLiteral("db.mdb"))) {
        std::fprintf(stderr, "Cannot open the large database.\n");
        std::exit(2);
    }
}

frmMain& MainOnLargeDb()
{
    LargeDbFolder();
    return MainForm();
}
