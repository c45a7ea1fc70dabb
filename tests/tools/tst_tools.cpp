// Checks the databases made from schema/ and the two tools that make them.
#include "core/sqliteext.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <map>
#include <set>

namespace {

// A connection that registers the program's collation, as the program does.
class Db {
public:
    explicit Db(const QString& file, bool readOnly = true)
    {
        const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        } else {
            sqliteext::registerExtensions(m_db);
        }
    }
    ~Db() { sqlite3_close(m_db); }
    bool ok() const { return m_db != nullptr; }

    // All rows, each column as text (Null as "<null>").
    QList<QStringList> rows(const QString& sql)
    {
        QList<QStringList> out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            qWarning("%s: %s", qPrintable(sql), sqlite3_errmsg(m_db));
            return out;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_NULL)
                    row << QStringLiteral("<null>");
                else
                    row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            }
            out << row;
        }
        sqlite3_finalize(st);
        return out;
    }
    QString value(const QString& sql)
    {
        const auto r = rows(sql);
        return r.isEmpty() || r.first().isEmpty() ? QString() : r.first().first();
    }
    QStringList column(const QString& sql)
    {
        QStringList out;
        for (const auto& r : rows(sql))
            out << r.value(0);
        return out;
    }
    bool exec(const QString& sql)
    {
        char* msg = nullptr;
        const bool ok = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &msg) == SQLITE_OK;
        if (!ok)
            qWarning("%s: %s", qPrintable(sql), msg);
        sqlite3_free(msg);
        return ok;
    }
    QSet<QString> columnsOf(const QString& table)
    {
        QSet<QString> out;
        for (const auto& r : rows(QStringLiteral("SELECT lower(name) FROM pragma_table_info('%1')").arg(table)))
            out.insert(r.value(0));
        return out;
    }

private:
    sqlite3* m_db = nullptr;
};

QByteArray hashOf(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run runTool(const QString& exe, const QStringList& args)
{
    QProcess p;
    p.start(exe, args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

const QString kDefault = QString::fromUtf8(DEFAULT_DB_FILE);
const QString kVersion2 = QString::fromUtf8(VERSION2_DB_FILE);
const QString kSchema = QString::fromUtf8(SOURCE_DIR "/schema");

// The tools are built beside the default databases: <build>/tools next to
// <build>/schema (tools/CMakeLists.txt).
QString toolPath(const QString& name)
{
    QDir dir(QFileInfo(kDefault).absolutePath());
    dir.cdUp();
#ifdef Q_OS_WIN
    return dir.absoluteFilePath(QStringLiteral("tools/") + name + QStringLiteral(".exe"));
#else
    return dir.absoluteFilePath(QStringLiteral("tools/") + name);
#endif
}

const QString kMakedb = toolPath(QStringLiteral("makedb"));
const QString kGendb = toolPath(QStringLiteral("gendb"));
const QString kChecksource = toolPath(QStringLiteral("checksource"));

// Writes text to root/path, making its folders.
void writeFile(const QString& root, const QString& path, const QByteArray& text)
{
    QDir(root).mkpath(QFileInfo(path).path());
    QFile f(root + u'/' + path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
}

}  // namespace

class TestTools : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTableHasItsColumns_data();
    void everyTableHasItsColumns();
    void reservedRows();
    void paymentMethodsComeInTableOrderWithTheCardFourth();
    void suppliedUnitsCanBePricedAndTaxed();
    void newBookingRowDefaults();
    void deletedIdsAreNotReused();
    void namesCompareWithoutCaseBeyondAscii();
    void version2LacksTheTwoPhoneColumns();
    void makedbKeepsAnExistingFileWithIfAbsent();
    void makedbFailureNamesTheLineAndLeavesNothing();
    void gendbMakesTheSizesAskedWithoutOverlaps();
    void gendbIsDeterministic();
    void gendbPresetsGiveTheirSizesAndLaterOptionsWin();
    void sourceCheckCatchesEachBadForm_data();
    void sourceCheckCatchesEachBadForm();
};

void TestTools::initTestCase()
{
    for (const QString& f : {kDefault, kVersion2, kMakedb, kGendb, kChecksource, kSchema + "/tables.sql"})
        QVERIFY2(QFileInfo::exists(f), qPrintable(f + " is missing"));
}

void TestTools::everyTableHasItsColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    const auto row = [](const char* t, const char* cols) {
        QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(cols).toLower().split(' ');
    };
    row("booking", "id customerid fromdate todate noadults nokids bookedby notes PaymentMethod Tip AmountPayed "
                   "CommissionID CommissionAmount CreditCardNo CreditCardExpiry CreditCardType BookingUDFID Discount");
    row("bookingroom", "id bookingid roomid");
    row("customer", "ID FirstName LastName BusinessName Address1 Address2 City State PostCode Country Phone "
                    "HomePhone Mobile Fax Email SubmittedDate");
    row("CustomerUDF", "id name type pos");
    row("CustomerUDFOption", "option itemCustomFieldID");
    row("CustomerUDFData", "id CustomerID CustomerUDFID Data");
    row("BookingUDF", "id name");
    row("room", "id Name Notes ChargeForEach UnitPrice LowUnitPrice HighUnitPrice LowWeekendPrice "
                "HighWeekendPrice TaxRateID CommissionID CommissionPercentage");
    row("taxrate", "id name percentage");
    row("item", "id name SaleAmount TaxRateID IsDefault");
    row("invoiceline", "id bookingid itemid quantity name amount taxratename taxratepercentage");
    row("season", "month highlow");
    row("commission", "id name notes");
    row("commissionPayment", "id CommissionID Amount SubmittedDate Notes");
    row("PaymentMethod", "id method");
    row("settings", "webbookingemail webbookingproviderindex webbookingprovidercustom");
    row("DatabaseVersion", "ver");
    row("Commodity", "id singular plural");
}

void TestTools::everyTableHasItsColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    Db db(kDefault);
    QVERIFY(db.ok());
    const QSet<QString> have = db.columnsOf(table);
    QVERIFY2(!have.isEmpty(), qPrintable("no table " + table));
    for (const QString& c : columns)
        QVERIFY2(have.contains(c), qPrintable(table + " lacks " + c));
}

void TestTools::reservedRows()
{
    Db db(kDefault);
    QVERIFY(db.ok());
    QCOMPARE(db.column("SELECT id FROM taxrate WHERE id IN (1, 2, 3) ORDER BY id"),
             QStringList({"1", "2", "3"}));
    QCOMPARE(db.value("SELECT percentage + 0 FROM taxrate WHERE id = 1"), QString("0.0"));
    // Every new line is looked up through its item joined with its tax rate.
    QCOMPARE(db.column("SELECT item.id FROM item, taxrate WHERE item.taxrateid = taxrate.id AND item.id IN (1, 2) "
                       "ORDER BY item.id"),
             QStringList({"1", "2"}));
    QCOMPARE(db.value("SELECT name FROM commission WHERE id = 1"), QString("No Commission"));
    QCOMPARE(db.value("SELECT count(*) FROM BookingUDF WHERE id = 1"), QString("1"));
    QCOMPARE(db.column("SELECT month FROM season ORDER BY month").size(), 12);
    QCOMPARE(db.value("SELECT count(*) FROM season WHERE month BETWEEN 1 AND 12 AND highlow IN ('H', 'L')"),
             QString("12"));
    QCOMPARE(db.rows("SELECT webbookingemail, webbookingproviderindex, webbookingprovidercustom FROM settings"),
             QList<QStringList>({{"", "0", ""}}));
    QCOMPARE(db.column("SELECT ver FROM DatabaseVersion"), QStringList({"3"}));
    // No custom customer field is defined: nothing would maintain it.
    QCOMPARE(db.value("SELECT count(*) FROM CustomerUDF"), QString("0"));
    // The wizard looks a plural up by its text without doubling apostrophes.
    QCOMPARE(db.value("SELECT count(*) FROM Commodity WHERE plural LIKE '%''%'"), QString("0"));
    QCOMPARE(db.value("SELECT singular FROM Commodity WHERE plural = 'Rooms'"), QString("Room"));
}

void TestTools::paymentMethodsComeInTableOrderWithTheCardFourth()
{
    Db db(kDefault);
    // The statement the main window fills its list with, without ORDER BY.
    const QStringList methods = db.column("SELECT method FROM paymentMethod");
    QCOMPARE(methods, db.column("SELECT method FROM PaymentMethod ORDER BY id"));
    QVERIFY(methods.size() >= 4);
    QVERIFY2(methods.at(3).contains("Card", Qt::CaseInsensitive), qPrintable(methods.at(3)));
}

void TestTools::suppliedUnitsCanBePricedAndTaxed()
{
    Db db(kDefault);
    QVERIFY(db.value("SELECT count(*) FROM room").toInt() >= 1);
    // The payment step joins each unit with its tax rate; a unit without one
    // would get no invoice line.
    QCOMPARE(db.value("SELECT count(*) FROM room LEFT JOIN taxrate ON room.taxrateid = taxrate.id "
                      "WHERE taxrate.id IS NULL"),
             QString("0"));
    QCOMPARE(db.value("SELECT count(*) FROM room WHERE ChargeForEach NOT IN ('Night', 'Night and Person', 'Hour', "
                      "'Week', 'Week and Person', 'Month', 'Month and Person', 'Person') OR LowUnitPrice <= 0 "
                      "OR HighUnitPrice <= 0 OR LowWeekendPrice <= 0 OR HighWeekendPrice <= 0 OR UnitPrice <= 0"),
             QString("0"));
}

void TestTools::newBookingRowDefaults()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("db.mdb");
    QVERIFY(QFile::copy(kDefault, file));
    Db db(file, false);
    QVERIFY(db.exec("INSERT INTO booking (fromdate, todate, PaymentMethod, BookedBy, CreditCardNo, "
                    "CreditCardExpiry, CreditCardType) VALUES ('2024-03-05 09:00:00', '2024-03-06 14:00:00', "
                    "'', '', '', '', '')"));
    const auto r = db.rows("SELECT customerid, noadults, nokids, Tip, AmountPayed, CommissionID, CommissionAmount, "
                           "BookingUDFID, notes FROM booking");
    QCOMPARE(r.size(), 1);
    // No customer yet; what the customer step shows for a new booking; no
    // money; "No Commission", which the payment step may replace by a unit's
    // account; no custom field choice stored.
    QCOMPARE(r.first(), QStringList({"0", "2", "0", "0", "0", "1", "0", "<null>", ""}));

    QVERIFY(db.exec("INSERT INTO room (Name, UnitPrice, LowUnitPrice, HighUnitPrice, LowWeekendPrice, "
                    "HighWeekendPrice, TaxRateID) VALUES ('Added by the wizard', 10, 10, 10, 10, 10, 2)"));
    QCOMPARE(db.rows("SELECT ChargeForEach, CommissionID FROM room WHERE Name = 'Added by the wizard'"),
             QList<QStringList>({{"Night", "<null>"}}));
}

void TestTools::deletedIdsAreNotReused()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("db.mdb");
    QVERIFY(QFile::copy(kDefault, file));
    Db db(file, false);
    for (const char* table : {"taxrate", "item", "commission", "BookingUDF", "booking", "customer", "invoiceline",
                              "PaymentMethod", "room", "commissionPayment", "bookingroom"}) {
        const QString t = QString::fromLatin1(table);
        QString values;
        if (t == "booking")
            values = "(fromdate, todate) VALUES ('2024-01-01 14:00:00', '2024-01-02 10:00:00')";
        else if (t == "invoiceline")
            values = "(bookingid, itemid) VALUES (1, 1)";
        else if (t == "bookingroom")
            values = "(bookingid, roomid) VALUES (1, 1)";
        else if (t == "commissionPayment")
            values = "(CommissionID) VALUES (1)";
        else
            values = "DEFAULT VALUES";
        QVERIFY(db.exec(QString("INSERT INTO %1 %2").arg(t, values)));
        const QString last = db.value(QString("SELECT max(rowid) FROM %1").arg(t));
        QVERIFY(db.exec(QString("DELETE FROM %1 WHERE rowid = %2").arg(t, last)));
        QVERIFY(db.exec(QString("INSERT INTO %1 %2").arg(t, values)));
        QVERIFY2(db.value(QString("SELECT max(rowid) FROM %1").arg(t)).toLongLong() == last.toLongLong() + 1,
                 qPrintable(t));
    }
}

void TestTools::namesCompareWithoutCaseBeyondAscii()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("db.mdb");
    QVERIFY(QFile::copy(kDefault, file));
    Db db(file, false);
    QVERIFY(db.exec("INSERT INTO customer (FirstName, LastName) VALUES ('Zoë', 'ÉLODIE'), ('Ann', 'eve'), "
                    "('bob', 'élodie'), ('Al', 'Zed')"));
    QCOMPARE(db.value("SELECT count(*) FROM customer WHERE LastName = 'Élodie' COLLATE FOLD"), QString("2"));
    // Case is folded and accented letters sort with their base letter, so
    // both spellings of Élodie sort together, before Eve, by first name, and
    // the name index gives that order.
    const char* const byName = "SELECT FirstName FROM customer ORDER BY ifnull(LastName, '') COLLATE FOLD, "
                               "ifnull(FirstName, '') COLLATE FOLD, ID";
    QCOMPARE(db.column(byName), QStringList({"bob", "Zoë", "Ann", "Al"}));
    QVERIFY(db.rows(QStringLiteral("EXPLAIN QUERY PLAN ") + byName).first().last().contains("COVERING INDEX customer_list"));
    QCOMPARE(db.value("SELECT count(*) FROM customer WHERE FirstName = 'ZOË' COLLATE FOLD"), QString("1"));
    // SQLite's own NOCASE stays SQLite's: it folds ASCII only.
    QCOMPARE(db.value("SELECT count(*) FROM customer WHERE FirstName = 'ZOË'"), QString("0"));
    QCOMPARE(db.value("SELECT count(*) FROM room WHERE Name = 'ROOM 1'"), QString("1"));
    QCOMPARE(db.value("SELECT count(*) FROM PaymentMethod WHERE method = 'cash'"), QString("1"));
    // The season is told by exactly "H"; a lower-case h is low season.
    QVERIFY(db.exec("UPDATE season SET highlow = 'h' WHERE month = 1"));
    QCOMPARE(db.value("SELECT count(*) FROM season WHERE month = 1 AND highlow = 'H'"), QString("0"));
}

void TestTools::version2LacksTheTwoPhoneColumns()
{
    Db v2(kVersion2);
    QVERIFY(v2.ok());
    const QSet<QString> have = v2.columnsOf("customer");
    QVERIFY(!have.contains("mobile"));
    QVERIFY(!have.contains("homephone"));
    QVERIFY(have.contains("fax") && have.contains("submitteddate") && have.contains("firstname"));
    QCOMPARE(v2.column("SELECT ver FROM DatabaseVersion"), QStringList({"2"}));
    // Apart from that it is the default database.
    Db v3(kDefault);
    QCOMPARE(v2.value("SELECT count(*) FROM sqlite_master"), v3.value("SELECT count(*) FROM sqlite_master"));
    QCOMPARE(v2.value("SELECT count(*) FROM Commodity"), v3.value("SELECT count(*) FROM Commodity"));
}

void TestTools::makedbKeepsAnExistingFileWithIfAbsent()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("db.mdb");
    const QStringList sql = {kSchema + "/tables.sql", kSchema + "/rows.sql"};
    QCOMPARE(runTool(kMakedb, QStringList{"--if-absent", out} + sql).exitCode, 0);
    {
        Db db(out, false);
        QVERIFY(db.exec("INSERT INTO booking (fromdate, todate) VALUES ('2030-01-01 14:00:00', '2030-01-02 10:00:00')"));
    }
    QCOMPARE(runTool(kMakedb, QStringList{"--if-absent", out} + sql).exitCode, 0);
    QCOMPARE(Db(out).value("SELECT count(*) FROM booking"), QString("1"));
    // Without the option the file is made anew.
    QCOMPARE(runTool(kMakedb, QStringList{out} + sql).exitCode, 0);
    QCOMPARE(Db(out).value("SELECT count(*) FROM booking"), QString("0"));
}

void TestTools::makedbFailureNamesTheLineAndLeavesNothing()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.sql");
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("-- fine so far\nINSERT INTO taxrate (name) VALUES ('x');\n\nINSERT INTO nosuch VALUES (1);\n");
    }
    const QString out = dir.filePath("new.mdb");
    Run r = runTool(kMakedb, {out, kSchema + "/tables.sql", kSchema + "/rows.sql", bad});
    QVERIFY(r.exitCode > 0);
    QVERIFY2(r.err.contains("bad.sql:4:") && r.err.contains("nosuch"), qPrintable(r.err));
    QCOMPARE(QDir(dir.path()).entryList({"new.mdb*"}, QDir::Files), QStringList());

    // A failed rebuild leaves the earlier file as it was.
    QCOMPARE(runTool(kMakedb, {out, kSchema + "/tables.sql", kSchema + "/rows.sql"}).exitCode, 0);
    const QByteArray before = hashOf(out);
    QVERIFY(runTool(kMakedb, {out, kSchema + "/tables.sql", bad}).exitCode > 0);
    QCOMPARE(hashOf(out), before);
    QCOMPARE(QDir(dir.path()).entryList({"new.mdb*"}, QDir::Files), QStringList({"new.mdb"}));
}

void TestTools::gendbMakesTheSizesAskedWithoutOverlaps()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("big.mdb");
    const Run r = runTool(kGendb, {out, "--from", kDefault, "--units", "15", "--customers", "400", "--bookings",
                                      "3000", "--years", "3", "--seed", "11", "--today", "2025-06-15"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    Db db(out);
    QCOMPARE(db.value("SELECT count(*) FROM room"), QString("15"));
    QCOMPARE(db.value("SELECT count(*) FROM customer"), QString("400"));
    QCOMPARE(db.value("SELECT count(*) FROM booking"), QString("3000"));
    // No two stays of one unit touch: the availability test counts shared
    // boundaries as a clash.
    QCOMPARE(db.value("SELECT count(*) FROM (SELECT b.fromdate, LAG(b.todate) OVER (PARTITION BY br.roomid "
                      "ORDER BY b.fromdate, b.todate) AS prev FROM bookingroom br JOIN booking b "
                      "ON b.id = br.bookingid) WHERE prev >= fromdate"),
             QString("0"));
    QCOMPARE(db.value("SELECT count(*) FROM booking b WHERE todate <= fromdate OR datetime(fromdate) IS NOT fromdate "
                      "OR datetime(todate) IS NOT todate"),
             QString("0"));
    QCOMPARE(db.value("SELECT count(*) FROM booking b WHERE NOT EXISTS (SELECT 1 FROM bookingroom br WHERE "
                      "br.bookingid = b.id) OR NOT EXISTS (SELECT 1 FROM customer c WHERE c.id = b.customerid)"),
             QString("0"));
    // One accommodation line per booked unit, with the unit's tax copied.
    QCOMPARE(db.value("SELECT count(*) FROM invoiceline WHERE itemid = 1"),
             db.value("SELECT count(*) FROM bookingroom"));
    QCOMPARE(db.value("SELECT count(*) FROM invoiceline WHERE itemid = 1 AND (taxratename <> 'Sales Tax' "
                      "OR taxratepercentage <> 10)"),
             QString("0"));
    QCOMPARE(db.value("SELECT count(*) FROM invoiceline l WHERE NOT EXISTS (SELECT 1 FROM item WHERE item.id = "
                      "l.itemid)"),
             QString("0"));
    // The stays run up to about a year after today, and today is busy.
    const QString last = db.value("SELECT max(todate) FROM booking");
    QVERIFY2(last > "2026-05-15" && last < "2026-10-15", qPrintable(last));
    QVERIFY(db.value("SELECT min(fromdate) FROM booking") < "2023-07-15");
    QVERIFY(db.value("SELECT count(*) FROM booking WHERE fromdate <= '2025-06-15 12:00:00' "
                     "AND todate >= '2025-06-15 12:00:00'").toInt() >= 3);
    // The reserved rows of the default are kept.
    QCOMPARE(db.value("SELECT count(*) FROM taxrate WHERE id IN (1, 2, 3)"), QString("3"));
    QCOMPARE(db.value("SELECT count(*) FROM item WHERE id IN (1, 2)"), QString("2"));
    QCOMPARE(db.value("SELECT count(*) FROM season"), QString("12"));
    QCOMPARE(db.value("PRAGMA integrity_check"), QString("ok"));
}

void TestTools::gendbIsDeterministic()
{
    QTemporaryDir dir;
    const auto make = [&](const QString& name, const QString& seed) {
        const QString out = dir.filePath(name);
        const Run r = runTool(kGendb, {out, "--from", kDefault, "--units", "8", "--customers", "100",
                                          "--bookings", "500", "--years", "2", "--seed", seed, "--today",
                                          "2024-02-29"});
        return r.exitCode == 0 ? hashOf(out) : QByteArray();
    };
    const QByteArray a = make("a.mdb", "5"), b = make("b.mdb", "5"), c = make("c.mdb", "6");
    QVERIFY(!a.isEmpty() && !c.isEmpty());
    QCOMPARE(a, b);
    QVERIFY(a != c);
    Db da(dir.filePath("a.mdb")), dc(dir.filePath("c.mdb"));
    QVERIFY(da.value("SELECT group_concat(LastName) FROM (SELECT LastName FROM customer ORDER BY ID LIMIT 20)")
            != dc.value("SELECT group_concat(LastName) FROM (SELECT LastName FROM customer ORDER BY ID LIMIT 20)"));
}

void TestTools::gendbPresetsGiveTheirSizesAndLaterOptionsWin()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("wide.mdb");
    Run r = runTool(kGendb, {out, "--from", kDefault, "--preset", "wide", "--customers", "50", "--bookings", "300",
                             "--today", "2025-06-15"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    Db db(out);
    QCOMPARE(db.value("SELECT count(*) FROM room"), QString("1000"));
    QCOMPARE(db.value("SELECT count(*) FROM customer"), QString("50"));
    QCOMPARE(db.value("SELECT count(*) FROM booking"), QString("300"));
    QVERIFY(db.value("SELECT min(fromdate) FROM booking") < "2016-12-31");
    // An unknown preset is refused and writes nothing.
    r = runTool(kGendb, {dir.filePath("x.mdb"), "--from", kDefault, "--units", "3", "--preset", "nope"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(!QFile::exists(dir.filePath("x.mdb")));
}

// A small tree that passes the source check, and one fault seeded in it at a
// time: each is caught, at its file and line, and the clean tree passes.
void TestTools::sourceCheckCatchesEachBadForm_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("caught");
    const auto row = [](const char* name, const char* file, const char* line, const char* caught) {
        QTest::newRow(name) << QString::fromLatin1(file) << QString::fromLatin1(line) << QString::fromLatin1(caught);
    };
    row("clean", "", "", "");
    row("upward, angle brackets", "src/core/store.cpp", "#include <app/top.h>", "a floor above");
    row("upward, quotes", "src/core/store.cpp", "#include \"app/top.h\"", "a floor above");
    row("relative", "src/core/store.cpp", "#include \"../app/top.h\"", "relative path");
    row("through a floor", "src/core/store.cpp", "#include \"core/../app/top.h\"", "relative path");
    row("relative from a test", "tests/core/tst_store.cpp", "#include \"../../src/core/store.h\"", "relative path");
    row("another window's design", "src/app/top.cpp", "#include \"ui_frmx.h\"", "the design of another window");
    row("a design in a test", "tests/core/tst_store.cpp", "#include \"ui_frmx.h\"", "the design of another window");
    row("window runs a statement", "src/booking/frmx.cpp", "    objConn.execute(\"DELETE FROM room\");",
        "uses objConn");
    row("window opens a query", "src/booking/frmx.cpp", "    QSqlQuery q;", "uses QSqlQuery");
    row("window includes the connection", "src/booking/frmx.h", "#include \"core/db.h\"", "includes core/db.h");
    // Windows without a design of their own name: a member of a list dialog
    // (through its base, declared in its header), a wizard's driver (it
    // includes a page's header), a file that defines a window's members.
    row("list member runs a statement", "src/booking/frmlist.cpp", "    objConn.execute(\"DELETE FROM room\");",
        "uses objConn");
    row("wizard driver opens a transaction", "src/booking/driver.cpp", "    Connection::Transaction t(objConn);",
        "uses Connection");
    row("window's members elsewhere", "src/booking/frmlist_more.cpp", "void frmList::more() { QSqlQuery q; }",
        "uses QSqlQuery");
    row("window scans rows", "src/booking/frmx.cpp", "    RowScan r(\"DELETE FROM room\");", "uses RowScan");
    row("window includes the row scan", "src/booking/frmx.h", "#include \"core/rowscan.h\"",
        "includes core/rowscan.h");
    // Windows on any Qt widget base, without a design.
    for (const char* base : {"QGroupBox", "QStackedWidget", "QPlainTextEdit"}) {
        const QByteArray line = "class Box : public " + QByteArray(base) + " { void f() { objConn.execute(\"x\"); } };";
        row(base, "src/booking/box.h", line.constData(), "uses objConn");
    }
    row("a setting by its key", "src/booking/frmx.cpp", "bool b = ConfigFlag(QStringLiteral(\"FirstRun\"), true);",
        "a literal key");
    row("settings written by their keys", "src/core/store.cpp",
        "void f() { SaveConfigTexts({{QStringLiteral(\"Tip\"), t}}); }", "a literal key");
    row("a folder that is no floor", "src/extra/x.cpp", "int x;", "no floor");
}

void TestTools::sourceCheckCatchesEachBadForm()
{
    QFETCH(QString, file);
    QFETCH(QString, line);
    QFETCH(QString, caught);
    QTemporaryDir root;
    const QString r = root.path();
    writeFile(r, "src/core/store.h", "#pragma once\n");
    // The ground floor's own Qt classes are no windows.
    writeFile(r, "src/core/store.cpp",
              "#include \"core/store.h\"\n#include <QString>\n#include \"core/rowscan.h\"\n"
              "class Result : public QSqlResult {\n};\nvoid Run() { RowScan r(\"x\"); }\n");
    writeFile(r, "src/app/top.h", "#pragma once\n#include \"booking/frmx.h\"\n");
    writeFile(r, "src/app/top.cpp", "#include \"app/top.h\"\n");
    // A window: its own design, statements named only in comments and texts.
    writeFile(r, "src/booking/frmx.ui", "<ui><class>frmX</class></ui>\n");
    writeFile(r, "src/booking/frmx.h", "#pragma once\n#include \"core/store.h\"\n");
    writeFile(r, "src/booking/frmx.cpp",
              "#include \"booking/frmx.h\"\n#include \"ui_frmx.h\"\n// objConn is the store's, not ours\n"
              "/* QSqlQuery\n Connection */ const char* t = \"objConn\";\n");
    writeFile(r, "src/booking/listbase.h", "#pragma once\n#include <QDialog>\nclass ListBase : public QDialog {\n};\n");
    writeFile(r, "src/booking/frmlist.h",
              "#pragma once\n#include \"booking/listbase.h\"\nclass frmList final : public ListBase {\n    void more();\n};\n");
    writeFile(r, "src/booking/frmlist.cpp", "#include \"booking/frmlist.h\"\n");
    writeFile(r, "src/booking/frmlist_more.cpp", "// More of the list.\n");
    writeFile(r, "src/booking/driver.cpp", "#include \"booking/frmx.h\"\n");
    // A store beside the windows runs statements.
    writeFile(r, "src/booking/bookstore.cpp",
              "#include \"core/store.h\"\nstruct Store : public Base {\n};\nvoid Save() { objConn.execute(\"x\"); }\n");
    writeFile(r, "tests/core/tst_store.cpp", "#include \"core/store.h\"\n#include \"app/top.h\"\n");
    QString at;
    if (!file.isEmpty()) {
        QDir(r).mkpath(QFileInfo(file).path());
        QFile f(r + u'/' + file);
        QVERIFY(f.open(QIODevice::Append));
        f.write(line.toUtf8() + '\n');
        f.close();
        // The seeded line's number: one after those already there.
        QVERIFY(f.open(QIODevice::ReadOnly));
        at = file.startsWith(QLatin1String("src/extra")) ? QStringLiteral("src/extra")
                                                          : file + u':' + QString::number(f.readAll().count('\n'));
    }

    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(kChecksource, {QStringLiteral("--floors"), QStringLiteral("core,invoicing,booking,calendar,customers,config,reports,app"), r});
    QVERIFY(p.waitForFinished(10000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    if (caught.isEmpty()) {
        QCOMPARE(p.exitCode(), 0);
    } else {
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(out.contains(at) && out.contains(caught), qPrintable(out));
        QCOMPARE(out.count(u'\n'), 1);
    }

    // The real tree passes, in one quick pass.
    if (caught.isEmpty()) {
        clock.restart();
        p.start(kChecksource, {QStringLiteral("--floors"), QStringLiteral(TARLOMY_FLOORS), QStringLiteral(SOURCE_DIR)});
        QVERIFY(p.waitForFinished(10000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardOutput().constData());
        QVERIFY2(clock.elapsed() < 5000, "the check is meant to take well under a second");
    }
}

QTEST_GUILESS_MAIN(TestTools)
#include "tst_tools.moc"
