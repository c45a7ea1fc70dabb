// Opening the database file: where it is looked for, what is refused, the
// version check and the conversion of a version-2 file.
#include "widgets/database.h"
#include "core/db.h"
#include "core/modmain.h"
#include "core/configrecords.h"
#include "core/customerstore.h"
#include "core/raterepair.h"
#include "core/settings.h"
#include "core/sqliteext.h"
#include "support/testsupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

#include <optional>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void folderRule();
    void refusesWhatItCannotUse();
    void refusalsCreateAndChangeNothing();
    void refusesLockedFile();
    void versionThreeAndEmptyAccepted();
    void versionTwoConvertsOnYes();
    void versionTwoRefusedEndsUnchanged();
    void otherVersionsEndTheProgram();
    void missingTableEndsTheProgram();
    void failedConversionLeavesVersionTwo();
    void boundValuesAreStoredAsTyped();
    void failingStatementCarriesItsPlace();
    void transactionsAreAllOrNothing_data();
    void transactionsAreAllOrNothing();
    void idsAreNeverReused();
    void namesCompareWithoutCase();
    void rateCheckReadsLinesFromItsIndex();
    void foldOrderCharacterByCharacter_data();
    void foldOrderCharacterByCharacter();

private:
    static void setVersion(TestDb& db, const QVariant& ver);
};

void TestDatabase::setVersion(TestDb& db, const QVariant& ver)
{
    db.open();
    objConn.execute(QStringLiteral("DELETE FROM DatabaseVersion"));
    objConn.execute(QStringLiteral("INSERT INTO DatabaseVersion (ver) VALUES (?)"), {ver});
    objConn.close();
}

void TestDatabase::folderRule()
{
    TestDb db;
    QCOMPARE(DatabaseFolder(), AppPath());
    QCOMPARE(ConfigText(QStringLiteral("DBPath"), QStringLiteral("unset")), QStringLiteral("unset"));

    SaveConfigText(QStringLiteral("DBPath"), QString());
    QCOMPARE(DatabaseFolder(), AppPath());
    QCOMPARE(ConfigText(QStringLiteral("DBPath"), QStringLiteral("unset")), QString());

    SaveConfigText(QStringLiteral("DBPath"), QStringLiteral("/srv/data"));
    QCOMPARE(DatabaseFolder(), QStringLiteral("/srv/data/"));
    QCOMPARE(ConfigText(QStringLiteral("DBPath"), QString()), QStringLiteral("/srv/data/"));

    for (const char* kept : {"/srv/data/", "D:\\Data\\"}) {
        SaveConfigText(QStringLiteral("DBPath"), QString::fromLatin1(kept));
        QCOMPARE(DatabaseFolder(), QString::fromLatin1(kept));
    }
}

void TestDatabase::refusesWhatItCannotUse()
{
    TestDb db;
    QString why;
    QVERIFY(!objConn.open(db.folder() + QStringLiteral("missing.mdb"), &why));
    QVERIFY(!objConn.open(db.folder() + QStringLiteral("no/such/folder/db.mdb"), &why));

    const QString text = db.folder() + QStringLiteral("notes.mdb");
    writeFile(text, "This is a letter, not a database.\n");
    QVERIFY(!objConn.open(text, &why));
    QVERIFY(!why.isEmpty());

    // At start-up the failure is the message box, then the end of the program.
    sDBPath = db.folder() + QStringLiteral("nowhere/");
    QVERIFY(!OpenDatabase());
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Unable to open database ") + sDBPath + "db.mdb");
    QCOMPARE(fakes().messageBoxes->shown.last().style & 0x70, int(vbCritical));

    QVERIFY(objConn.open(db.file(), &why));
    QVERIFY(objConn.isOpen());
}

void TestDatabase::refusalsCreateAndChangeNothing()
{
    TestDb db;
    const QString missing = db.folder() + QStringLiteral("db2.mdb");
    QVERIFY(!objConn.open(missing));
    QVERIFY(!QFile::exists(missing));

    const QString text = db.folder() + QStringLiteral("letter.mdb");
    writeFile(text, "Dear guest");
    QVERIFY(!objConn.open(text));
    QFile again(text);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), QByteArray("Dear guest"));
}

void TestDatabase::refusesLockedFile()
{
    // Another program holding the file for writing (CI runs as root, where a
    // write-protected file can still be written, so a lock stands in for it).
    TestDb db;
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(db.file().toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QString why;
    QVERIFY(!objConn.open(db.file(), &why, 50));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY(objConn.open(db.file(), &why));
}

void TestDatabase::versionThreeAndEmptyAccepted()
{
    OpenTestDb db;
    CheckDatabaseVersion(nullptr);
    QVERIFY(fakes().messageBoxes->shown.isEmpty());

    objConn.execute(QStringLiteral("UPDATE DatabaseVersion SET ver = NULL"));
    CheckDatabaseVersion(nullptr);
    objConn.execute(QStringLiteral("DELETE FROM DatabaseVersion"));
    CheckDatabaseVersion(nullptr);
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

void TestDatabase::versionTwoConvertsOnYes()
{
    OpenTestDb db(QString::fromUtf8(VERSION2_DB_FILE));
    fakes().messageBoxes->answers = {vbYes};
    CheckDatabaseVersion(nullptr);
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("Unable to open database file - expecting version 3, but found version 2. Would you like "
                            "to convert the database file to 3?"));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbYesNo | vbQuestion));
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT ver FROM DatabaseVersion")).toInt(), 3);
    const qint64 id = objConn.insert(QStringLiteral("customer"), {{QStringLiteral("LastName"), QStringLiteral("Ng")},
                                                                  {QStringLiteral("Mobile"), QStringLiteral("0400")},
                                                                  {QStringLiteral("HomePhone"), QString()}});
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT Mobile FROM customer WHERE id = ?"), {id}).toString(),
             QStringLiteral("0400"));
    // The next start finds version 3 and asks nothing.
    fakes().messageBoxes->shown.clear();
    CheckDatabaseVersion(nullptr);
    QVERIFY(fakes().messageBoxes->shown.isEmpty());

    // A converted file has the customer columns of a new one, in the same order.
    const auto customerColumns = [] {
        QStringList names;
        Query q = objConn.query(QStringLiteral("SELECT name FROM pragma_table_info('customer')"));
        while (q.next())
            names << q.text(0);
        return names;
    };
    const QStringList converted = customerColumns();
    OpenTestDb fresh;
    QCOMPARE(converted, customerColumns());
}

void TestDatabase::versionTwoRefusedEndsUnchanged()
{
    OpenTestDb db(QString::fromUtf8(VERSION2_DB_FILE));
    fakes().messageBoxes->answers = {vbNo};
    try {
        CheckDatabaseVersion(nullptr);
        QFAIL("refusing the conversion must raise an error");
    } catch (const AppError& e) {
        QCOMPARE(e.number(), kErrObjectDefined);
        QVERIFY(e.reportText().startsWith(QStringLiteral("Run-time error '-2147220452':")));
    }
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT ver FROM DatabaseVersion")).toInt(), 2);
    QVERIFY(!objConn.query(QStringLiteral("SELECT * FROM customer")).record().contains(QStringLiteral("Mobile")));
}

void TestDatabase::otherVersionsEndTheProgram()
{
    for (const QVariant& ver : {QVariant(4), QVariant(1)}) {
        resetProgramState();
        TestDb db;
        setVersion(db, ver);
        db.open();
        try {
            CheckDatabaseVersion(nullptr);
            QFAIL("the program must end");
        } catch (const ProgramEnded&) {
        }
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("Unable to open database file - expecting version 3, but found version ")
                     + ver.toString());
    }
}

void TestDatabase::missingTableEndsTheProgram()
{
    OpenTestDb db;
    objConn.execute(QStringLiteral("DROP TABLE DatabaseVersion"));
    try {
        CheckDatabaseVersion(nullptr);
        QFAIL("the program must end");
    } catch (const ProgramEnded&) {
    }
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("Unable to open database file - expecting version 3, but found previous version."));
}

void TestDatabase::failedConversionLeavesVersionTwo()
{
    // A file that already has one of the new columns: the conversion fails
    // half way and must leave everything as it was.
    OpenTestDb db(QString::fromUtf8(VERSION2_DB_FILE));
    objConn.execute(QStringLiteral("ALTER TABLE customer ADD COLUMN HomePhone TEXT(50)"));
    fakes().messageBoxes->answers = {vbYes};
    QVERIFY_THROWS_EXCEPTION(AppError, CheckDatabaseVersion(nullptr));
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT ver FROM DatabaseVersion")).toInt(), 2);
    QVERIFY(!objConn.query(QStringLiteral("SELECT * FROM customer")).record().contains(QStringLiteral("Mobile")));
}

void TestDatabase::boundValuesAreStoredAsTyped()
{
    OpenTestDb db;
    const QStringList names = {QStringLiteral("O'Brien"), QStringLiteral("say \"hi\""), QStringLiteral("100%"),
                               QStringLiteral("back\\slash"), QStringLiteral("x'); DROP TABLE customer; --")};
    for (const QString& name : names) {
        const qint64 id = objConn.insert(QStringLiteral("customer"), {{QStringLiteral("LastName"), name}});
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT LastName FROM customer WHERE id = ?"), {id}).toString(), name);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM customer WHERE LastName = ?"), {name}).toInt(), 1);
    }
    const QDateTime when(QDate(2025, 3, 28), QTime(9, 0));
    const qint64 id = objConn.insert(QStringLiteral("booking"), {{QStringLiteral("fromdate"), dbValue(when)},
                                                                 {QStringLiteral("todate"), dbValue(when.addDays(1))},
                                                                 {QStringLiteral("Tip"), dbValue(Money::fromRaw(12345))}});
    Query q = objConn.query(QStringLiteral("SELECT fromdate, Tip, customerid, CommissionID, BookingUDFID, AmountPayed "
                                           "FROM booking WHERE id = ?"),
                            {id});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("2025-03-28 09:00:00"));
    QCOMPARE(q.dateTime(0), when);
    QCOMPARE(q.money(1), Money::fromRaw(12345));
    QCOMPARE(q.integer(2), qint64(0));
    QCOMPARE(q.integer(3), qint64(1));
    QVERIFY(q.isNull(4));
    QCOMPARE(q.money(5), Money());
}

void TestDatabase::failingStatementCarriesItsPlace()
{
    OpenTestDb db;
    try {
        objConn.query(QStringLiteral("SELECT nothing FROM nowhere"));
        QFAIL("the statement must fail");
    } catch (const AppError& e) {
        QCOMPARE(e.module(), QStringLiteral("tst_database"));
        QCOMPARE(e.routine(), QStringLiteral("failingStatementCarriesItsPlace"));
        QVERIFY(e.line() > 0);
        QVERIFY(e.reportText().contains(QStringLiteral("tst_database")));
    }
}

// A transaction's work is saved whole or not at all: a failing statement, a
// BEGIN or a COMMIT refused because another program holds the file, an inner
// transaction left without commit. After each the next transaction works.
void TestDatabase::transactionsAreAllOrNothing_data()
{
    QTest::addColumn<QString>("failure");
    for (const char* f : {"statement", "begin", "commit", "inner"})
        QTest::newRow(f) << f;
}

void TestDatabase::transactionsAreAllOrNothing()
{
    QFETCH(QString, failure);
    TestDb db;
    QVERIFY(objConn.open(db.file(), nullptr, 50));
    auto count = [] { return objConn.scalar(QStringLiteral("SELECT count(*) FROM booking")).toInt(); };
    auto add = [] { insertRow("booking", {{"fromdate", "2025-01-01 09:00:00"}, {"todate", "2025-01-02 14:00:00"}}); };
    const int before = count();
    // Another program's connection, which takes the file or reads it.
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(db.file());
    other.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
    QVERIFY(other.open());
    std::optional<QSqlQuery> hold(other);
    auto take = [&](const char* sql) { QVERIFY(hold->exec(QString::fromLatin1(sql))); };

    QString error;
    try {
        if (failure == QLatin1String("begin"))
            take("BEGIN IMMEDIATE");
        Connection::Transaction t(objConn);
        add();
        add();
        if (failure == QLatin1String("statement"))
            objConn.execute(QStringLiteral("INSERT INTO nowhere VALUES (1)"));
        if (failure == QLatin1String("inner")) {
            Connection::Transaction inner(objConn);
            add();
        }
        if (failure == QLatin1String("commit")) {
            take("BEGIN");
            take("SELECT count(*) FROM booking");
            QVERIFY(hold->next());
        }
        t.commit();
    } catch (const AppError& e) {
        error = e.description();
    }
    QVERIFY(!error.isEmpty());
    if (failure == QLatin1String("begin") || failure == QLatin1String("commit"))
        QVERIFY2(error.startsWith(QStringLiteral("database is locked\n")), qPrintable(error));
    hold->exec(QStringLiteral("ROLLBACK"));
    QVERIFY(!objConn.inTransaction());
    QCOMPARE(count(), before);

    // A DELETE refused tells the database's own reason, not the driver's.
    take("BEGIN IMMEDIATE");
    try {
        objConn.execute(QStringLiteral("DELETE FROM booking"));
        QFAIL("the DELETE must be refused");
    } catch (const AppError& e) {
        QVERIFY2(e.description().startsWith(QStringLiteral("database is locked\nDELETE")), qPrintable(e.description()));
    }
    hold->exec(QStringLiteral("ROLLBACK"));
    hold.reset();
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other"));

    Connection::Transaction t(objConn);
    add();
    t.commit();
    QCOMPARE(count(), before + 1);
}

void TestDatabase::idsAreNeverReused()
{
    OpenTestDb db;
    const Fields row = {{QStringLiteral("fromdate"), QStringLiteral("2025-01-01 09:00:00")},
                        {QStringLiteral("todate"), QStringLiteral("2025-01-02 14:00:00")}};
    const qint64 first = objConn.insert(QStringLiteral("booking"), row);
    objConn.execute(QStringLiteral("DELETE FROM booking WHERE id = ?"), {first});
    QVERIFY(objConn.insert(QStringLiteral("booking"), row) > first);
    // Ids past the 16-bit range stay whole.
    objConn.execute(QStringLiteral("UPDATE sqlite_sequence SET seq = 70000 WHERE name = 'booking'"));
    QCOMPARE(objConn.insert(QStringLiteral("booking"), row), qint64(70001));
}

namespace {

// Case folded for every letter, as the program's collation once stood in for NOCASE.
int foldedCompare(void*, int na, const void* a, int nb, const void* b)
{
    const QString qa = QString::fromUtf8(static_cast<const char*>(a), na).toCaseFolded();
    const QString qb = QString::fromUtf8(static_cast<const char*>(b), nb).toCaseFolded();
    return qa < qb ? -1 : qb < qa ? 1 : 0;
}

// The first column of the first row, or the error, as any SQLite program
// (one without the program's collation) sees the file.
QString asAnotherProgram(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* st = nullptr;
    QString out;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        out = QString::fromUtf8(sqlite3_errmsg(db));
    else if (const int rc = sqlite3_step(st); rc == SQLITE_ROW)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    else if (rc != SQLITE_DONE)
        out = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

}  // namespace

// The program folds names in its own collation, FOLD. A file from an earlier
// build, whose name index was ordered by a NOCASE that folded every letter,
// is put right once when it is opened. Another SQLite program never finds a
// damaged index: it refuses the name index it cannot order, and what it can
// add the program finds, sorts and matches.
namespace {

int KeepStatement(unsigned, void* kept, void* statement, void*)
{
    static_cast<QStringList*>(kept)->append(QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(statement))));
    return 0;
}

}  // namespace

// The check of stored rates made as a file opens reads the invoice lines out
// of range, or whose rate is no number, from their partial indexes, not by
// reading every line: its conditions and the indexes' are the same.
void TestDatabase::rateCheckReadsLinesFromItsIndex()
{
    OpenTestDb db;
    QStringList run;
    sqlite3_trace_v2(objConn.handle(), SQLITE_TRACE_STMT, KeepStatement, &run);
    const std::vector<RepairedRate> repaired = RepairOutOfRangeRates();
    sqlite3_trace_v2(objConn.handle(), 0, nullptr, nullptr);
    QVERIFY(repaired.empty());
    const QStringList lines = run.filter(QRegularExpression(QStringLiteral("^SELECT .* FROM invoiceline ")));
    QCOMPARE(lines.size(), 1);
    QStringList plan;
    for (Query q = objConn.query(QStringLiteral("EXPLAIN QUERY PLAN ") + lines.first()); q.next();)
        plan << q.text(3);
    for (const char* index : {"invoiceline_rate_out_of_range", "invoiceline_rate_not_a_number"})
        QVERIFY2(plan.join(u'\n').contains(QStringLiteral("USING INDEX ") + QLatin1String(index)),
                 qPrintable(plan.join(u'\n')));
}

void TestDatabase::namesCompareWithoutCase()
{
    TestDb db;
    {
        sqlite3* old = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(db.file()).constData(), &old, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        sqlite3_create_collation(old, "NOCASE", SQLITE_UTF8, nullptr, foldedCompare);
        QCOMPARE(sqlite3_exec(old,
                              "DROP INDEX customer_list; CREATE INDEX customer_name ON customer (LastName, FirstName);"
                              "INSERT INTO customer (FirstName, LastName) VALUES ('Ann', 'Ölçer'), ('Bo', 'Ångström'),"
                              "('Cy', 'ÉMILE'), ('Di', 'émile'), ('Ed', 'Zola'), ('Fay', 'adams'), ('Gus', '100%')",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(old);
    }
    QVERIFY(asAnotherProgram(db.file(), "PRAGMA integrity_check") != QLatin1String("ok"));   // as it was found

    db.open();
    QCOMPARE(objConn.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    const auto schema = [] {
        return objConn.scalar(QStringLiteral("SELECT group_concat(sql) FROM sqlite_master")).toString();
    };
    QVERIFY(schema().contains(QStringLiteral("\"LastName\" COLLATE FOLD, \"FirstName\" COLLATE FOLD")));
    // The old name index gives way to the list's.
    EnsureIndexes();
    const QString indexed = schema();
    QVERIFY(!indexed.contains(QStringLiteral("customer_name")) && indexed.contains(QStringLiteral("customer_list")));
    objConn.close();
    db.open();   // once only
    EnsureIndexes();
    QCOMPARE(schema(), indexed);

    const QString check = asAnotherProgram(db.file(), "PRAGMA integrity_check");
    QVERIFY2(!check.contains(QStringLiteral("missing")) && !check.contains(QStringLiteral("wrong"))
                 && !check.contains(QStringLiteral("out of order")),
             qPrintable(check));
    QCOMPARE(asAnotherProgram(db.file(), "INSERT INTO customer (LastName) VALUES ('Zed')"),
             QStringLiteral("no such collation sequence: FOLD"));
    QCOMPARE(asAnotherProgram(db.file(), "INSERT INTO room (Name) VALUES ('ärla Suite')"), QString());

    // The program's lists, searches and lookups.
    QCOMPARE(UnitRecord::listed().front().name, QStringLiteral("ärla Suite"));
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM room WHERE Name = ? COLLATE FOLD"), {"ÄRLA SUITE"})
                 .toInt(),
             1);
    QStringList order;
    for (const CustomerStore::ListRow& r : CustomerStore::listPage({}, nullptr, true, 100))
        order << r.lastName;
    QCOMPARE(order, QStringList({"100%", "adams", "Ångström", "ÉMILE", "émile", "Ölçer", "Zola"}));
    QCOMPARE(CustomerStore::matchCount({{QStringLiteral("lastname"), QStringLiteral("Émile")}}), 2);
    QCOMPARE(CustomerStore::matchCount({{QStringLiteral("lastname"), QStringLiteral("0%")}}), 1);
    QCOMPARE(CustomerStore::matchCount({{QStringLiteral("lastname"), QStringLiteral("_")}}), 0);
}

// Names are compared a character at a time, without copying them; the order
// is the one the whole texts give, case-folded and decomposed: on any text,
// valid or not, with any character of the basic plane.
void TestDatabase::foldOrderCharacterByCharacter_data()
{
    QTest::addColumn<QByteArrayList>("texts");
    QTest::addColumn<QByteArrayList>("against");
    QByteArrayList names;
    for (const char* n : {"", "Ölçer", "Olcer", "Ångström", "Angstrom", "\u212Bngstr\u00F6m", "A\u030Angstro\u0308m",
                          "ÉMILE", "émile", "Emile", "emile", "E\u0301mile", "ß", "SS", "ss", "\u1E9E", "straße",
                          "STRASSE", "İ", "i", "ı", "I", "Σ", "ς", "σ", "한", "\u1112\u1161\u11AB", "ﬁ", "fi", "ΐ",
                          "ι\u0308\u0301", "Lee", "lee", "Lée", "LEE", "Ødegaard", "Öberg", "Oberg", "O'Brien", "Zoë",
                          "a\u0345", "a\u302E\u1B44", "a\u1B44\u302F", "a\u302E\u0301\u1B44", "a\U0001D165"})
        names << QByteArray(n);
    QByteArrayList hostile;
    for (const QString& t : hostileTexts())
        hostile << t.toUtf8() << t.left(3).toUtf8() << t.toUpper().toUtf8();
    const QByteArrayList broken = {QByteArray("\xff"), QByteArray("a\xc3"), QByteArray("\xc0\xaf"),
                                   QByteArray("\xed\xa0\x80"), QByteArray("\xef\xbf\xbe"),
                                   QByteArray("\xef\xbb\xbf" "a"), QByteArray("x\0y", 3), QByteArray("x\0Y", 3),
                                   QByteArray("\xc3\xa9\xff"), QByteArray("\xf0\x9f\x98\x80"), QByteArray("\xe2\x82")};
    QByteArrayList everyCharacter;
    for (char32_t c = 1; c < 0x10000; ++c)
        if (!QChar::isSurrogate(c))
            everyCharacter << QString::fromUcs4(&c, 1).toUtf8();
    QTest::newRow("names") << names << names;
    QTest::newRow("hostile texts") << hostile << hostile + names;
    QTest::newRow("bytes that are no UTF-8") << broken << broken + names;
    QTest::newRow("every character") << everyCharacter
                                     << QByteArrayList{"", "e", "E", "é", "e\xcc\x81", "ß", "ss", "한", "\xef\xbf\xbd"};
}

void TestDatabase::foldOrderCharacterByCharacter()
{
    QFETCH(QByteArrayList, texts);
    QFETCH(QByteArrayList, against);
    const auto sign = [](int c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); };
    int checked = 0;
    for (const QByteArray& a : texts) {
        for (const QByteArray& other : against) {
            for (const QByteArray& b : {other, QByteArray("x" + other + "y")}) {
                const QByteArray x = b.startsWith('x') ? "x" + a + "y" : a;
                const int fast = sqliteext::compareFolded(x.constData(), int(x.size()), b.constData(), int(b.size()));
                const int whole = sqliteext::compareFoldedWhole(x.constData(), int(x.size()), b.constData(),
                                                                int(b.size()));
                if (sign(fast) != sign(whole))
                    QFAIL(qPrintable(QStringLiteral("%1 against %2: %3, whole %4")
                                         .arg(QString::fromLatin1(x.toHex()), QString::fromLatin1(b.toHex()))
                                         .arg(fast)
                                         .arg(whole)));
                ++checked;
            }
        }
    }
    QVERIFY(checked > 0);
}

TARLOMY_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
