#include "support/groundsupport.h"

#include "core/bookingunitstore.h"
#include "core/db.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "core/settingsfile.h"

#include <QFile>
#include <QSettings>
#include <algorithm>
#include <sqlite3.h>

qint32 insertRow(const char* table, std::initializer_list<std::pair<const char*, QVariant>> fields)
{
    Fields f;
    for (const auto& [column, value] : fields)
        f.emplace_back(QString::fromLatin1(column), value);
    return qint32(objConn.insert(QString::fromLatin1(table), f));
}

qint32 addCustomer(std::initializer_list<std::pair<const char*, QVariant>> fields)
{
    return insertRow("customer", fields);
}

qint32 addBooking(const QString& from, const QString& to,
                  std::initializer_list<std::pair<const char*, QVariant>> fields, const QList<qint64>& units)
{
    Fields f{{QStringLiteral("fromdate"), from}, {QStringLiteral("todate"), to}};
    for (const auto& [column, value] : fields)
        f.emplace_back(QString::fromLatin1(column), value);
    const qint32 id = qint32(objConn.insert(QStringLiteral("booking"), f));
    BookingUnitStore::replace(id, units);
    return id;
}

qint32 addLine(qint32 booking, double quantity, const char* amount, double percentage, const QString& taxName,
               std::initializer_list<std::pair<const char*, QVariant>> fields)
{
    Fields f{{QStringLiteral("bookingid"), booking},      {QStringLiteral("itemid"), 2},
             {QStringLiteral("quantity"), quantity},      {QStringLiteral("name"), QStringLiteral("x")},
             {QStringLiteral("amount"), dbValue(money(amount))}, {QStringLiteral("taxratename"), taxName},
             {QStringLiteral("taxratepercentage"), percentage}};
    for (const auto& [column, value] : fields) {
        const QString name = QString::fromLatin1(column);
        auto it = std::find_if(f.begin(), f.end(), [&](const auto& c) { return c.first == name; });
        if (it != f.end())
            it->second = value;
        else
            f.emplace_back(name, value);
    }
    return qint32(objConn.insert(QStringLiteral("invoiceline"), f));
}

Money money(const char* text)
{
    Money m;
    if (!Money::fromDecimalText(QString::fromLatin1(text), &m))
        qFatal("bad amount %s", text);
    return m;
}

QStringList hostileTexts()
{
    return {
        QStringLiteral("O'Brien <b>Bold</b>"),
        QStringLiteral("<img src=x>"),
        QStringLiteral("<img src=\"/dev/zero\">"),
        QStringLiteral("\"Quoted\" 'single' `back`"),
        QStringLiteral("Robert'); DROP TABLE customer;--"),
        QStringLiteral("100% _under_ %d %s %1 %n"),
        QStringLiteral("{\\rtf1 \\b braces} \\par C:\\temp\\"),
        QStringLiteral("<firstname> <bookingid> [name] &amp; &lt;"),
        QString(10000, u'x'),
        QStringLiteral("Zoë Ærøskøbing Ωμέγα Юлия 北京 東京"),
        QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627"),
        QStringLiteral("e\u0301a\u0300 Z\u0351\u0352a\u0353"),
        QStringLiteral("\U0001F600 \U0001F3E8 \U0001F468\u200D\U0001F469\u200D\U0001F467"),
    };
}

TestDb::TestDb(const QString& source)
{
    const QString target = file();
    if (!QFile::copy(source, target))
        qFatal("cannot copy the test database %s", qPrintable(source));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    SetAppPath(folder());
}

void TestDb::open()
{
    QString why;
    if (!objConn.open(file(), &why))
        qFatal("cannot open the test database: %s", qPrintable(why));
}

void resetGroundState()
{
    objConn.close();
    sDBPath.clear();
    iBookingID = 0;
    iBookingStep = 0;
    WizMailList_Filename.clear();
    ForgetSalesTaxPercentages();
    gsCommoditySingular = QStringLiteral("Room");
    gsCommodityPlural = QStringLiteral("Rooms");
    WizConfig_ShowWelcome = WizOConfig_ShowWelcome = WizMailList_ShowWelcome = true;
    WizConfig_Screen = WizOConfig_Screen = 0;
    WizConfig_Cancel = WizOConfig_Cancel = false;
    for (const QString& app : {QString::fromLatin1(kSettingsApp), ProgramName()}) {
        QSettings store(SettingsStoreFormat(), QSettings::UserScope, app);
        store.clear();
        store.sync();
    }
}

void prepareTestEnvironment()
{
    // A settings folder of this test run's own, never the user's.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // And a cache folder (the help pages are copied there).
    static QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

namespace {

struct RowFailure {
    int failAt = 0;
    int read = 0;
    bool malformed = false;
};
RowFailure g_rowFailure;

// Passes each row read until the failing one, which fails the statement.
void rowPasses(sqlite3_context* ctx, int, sqlite3_value**)
{
    if (++g_rowFailure.read >= g_rowFailure.failAt) {
        sqlite3_result_error(ctx, g_rowFailure.malformed ? FailingRows::kMalformedError : FailingRows::kFailingRowError,
                             -1);
        sqlite3_result_error_code(ctx, g_rowFailure.malformed ? SQLITE_CORRUPT : SQLITE_IOERR_READ);
    } else {
        sqlite3_result_int(ctx, 1);
    }
}

}  // namespace

FailingRows::FailingRows(const char* table, int row, bool malformed) : m_table(QString::fromLatin1(table))
{
    g_rowFailure = RowFailure{row, 0, malformed};
    sqlite3* db = objConn.handle();
    QVERIFY(db);
    QCOMPARE(sqlite3_create_function(db, "test_row_passes", 0, SQLITE_UTF8, nullptr, rowPasses, nullptr, nullptr),
             SQLITE_OK);
    // A temporary object is found before the file's own of the same name.
    objConn.execute(QStringLiteral("CREATE TEMP VIEW \"%1\" AS SELECT * FROM main.\"%1\" WHERE test_row_passes()")
                        .arg(m_table));
}

FailingRows::~FailingRows()
{
    if (sqlite3* db = objConn.handle())
        sqlite3_exec(db, QStringLiteral("DROP VIEW IF EXISTS temp.\"%1\"").arg(m_table).toUtf8().constData(), nullptr,
                     nullptr, nullptr);
}

int FailingRows::rowsRead() const
{
    return g_rowFailure.read;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
