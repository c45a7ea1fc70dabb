#include "widgets/database.h"

#include "core/apperror.h"
#include "core/databasefile.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/raterepair.h"
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

void RepairStoredRates(RepairProgress* progress)
{
    const std::vector<RepairedRate> repaired = RepairOutOfRangeRates(progress);
    if (repaired.empty())
        return;
    constexpr size_t kListed = 10;
    QString text = QStringLiteral("Some percentages in the database were not numbers from 0 to 100, which the "
                                  "program cannot charge. Each was set to the nearest of 0 and 100, or a text to "
                                  "the number it reads as (0 when it reads as none); please check them:");
    for (size_t i = 0; i < repaired.size() && i < kListed; ++i) {
        const RepairedRate& r = repaired[i];
        const QString was = !r.wasText ? Fmt::number(r.was) + u'%' : u'"' + r.text + u'"';
        const QString change = was + QStringLiteral(" is now ") + Fmt::number(r.now) + u'%';
        switch (r.kind) {
        case RepairedRate::TaxRate:
            text += QStringLiteral("\n- Tax rate \"%1\": %2 (Configure > Advanced > Tax...)").arg(r.name, change);
            break;
        case RepairedRate::UnitCommission:
            text += QStringLiteral("\n- %1 \"%2\": commission %3 (Configure > %4...)")
                        .arg(gsCommoditySingular, r.name, change, gsCommodityPlural);
            break;
        case RepairedRate::InvoiceLine:
            text += QStringLiteral("\n- Booking %1, invoice line \"%2\": tax %3 (the booking's payment step)")
                        .arg(Fmt::integer(r.bookingId), r.name, change);
            break;
        }
    }
    if (repaired.size() > kListed)
        text += QStringLiteral("\n- and %1 more.").arg(Fmt::integer(qint64(repaired.size() - kListed)));
    MsgBox(text, vbExclamation | vbOKOnly);
}
