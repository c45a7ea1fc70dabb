#include "widgets/database.h"

#include "core/apperror.h"
#include "core/databasefile.h"
#include "core/db.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"

#include <QFile>
#include <QTimer>
#include <QWidget>

QString DatabaseFolder()
{
    QString folder = Config::DBPath.read(AppPath());
    if (folder.isEmpty())
        return AppPath();
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\')) {
        folder += u'/';
        if (!Config::DBPath.save(folder))
            ReportUnsavedSettings();
    }
    return folder;
}

bool OpenDatabase()
{
    const QString file = sDBPath + QStringLiteral("db.mdb");
    if (objConn.open(file))
        return true;
    MsgBox(QStringLiteral("Unable to open database ") + file, vbCritical);
    return false;
}

namespace {

QString versionText(const QVariant& ver)
{
    bool whole = false;
    const qint64 n = ver.toLongLong(&whole);
    if (whole && double(n) == ver.toDouble())
        return QString::number(n);
    return QString::number(ver.toDouble(), 'g', 15);
}

void CheckVersion(QTimer* splashTimer, QWidget* splash)
{
    if (!DatabaseFile::hasVersionTable()) {
        if (splashTimer)
            splashTimer->stop();
        MsgBox(QStringLiteral("Unable to open database file - expecting version 3, but found previous version."),
               vbCritical);
        if (splash)
            splash->close();
        platform().endProgram(1);
    }
    const QVariant ver = DatabaseFile::storedVersion();
    if (!ver.isValid() || ver.isNull())
        return;
    const double v = ver.toDouble();
    if (v == 2) {
        const int answer = MsgBox(QStringLiteral("Unable to open database file - expecting version 3, but found version ")
                                      + versionText(ver)
                                      + QStringLiteral(". Would you like to convert the database file to 3?"),
                                  vbYesNo | vbQuestion);
        if (answer != vbYes)
            RaiseError(kErrObjectDefined, QString(), HERE);
        ConvertDatabaseFrom_2_To_3();
        return;
    }
    if (v != 3) {
        MsgBox(QStringLiteral("Unable to open database file - expecting version 3, but found version ")
                   + versionText(ver),
               vbCritical);
        platform().endProgram(1);
    }
}

}  // namespace

void CheckDatabaseVersion(QTimer* splashTimer, QWidget* splash)
{
    CheckVersion(splashTimer, splash);
    EnsureIndexes();
}

void EnsureIndexes()
{
    QFile file(QStringLiteral(":/schema/indexes.sql"));
    if (!file.open(QIODevice::ReadOnly))
        RaiseError(kErrDatabase, file.fileName() + QStringLiteral(": ") + file.errorString(), HERE);
    DatabaseFile::applyIndexes(QString::fromUtf8(file.readAll()));
}

