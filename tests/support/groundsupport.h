#pragma once
// What every test program shares, and all that a test of the ground floor
// (no display, no widgets) needs: a settings folder and a copy of the
// default database of its own, rows added directly, amounts and hostile
// texts.
#include "core/money.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>
#include <initializer_list>
#include <utility>

// A fresh copy of a database file in a folder of its own, which becomes the
// program's folder (AppPath) and the database folder.
class TestDb {
public:
    explicit TestDb(const QString& source = QString::fromUtf8(DEFAULT_DB_FILE));
    QString folder() const { return m_dir.path() + u'/'; }
    QString file() const { return folder() + QStringLiteral("db.mdb"); }
    // Opens objConn on the copy.
    void open();

private:
    QTemporaryDir m_dir;
};

// A TestDb opened at once, as most tests start.
class OpenTestDb : public TestDb {
public:
    explicit OpenTestDb(const QString& source = QString::fromUtf8(DEFAULT_DB_FILE)) : TestDb(source) { open(); }
};

// Puts every shared variable back to its start value, clears the settings
// store and closes the connection.
void resetGroundState();

// Adds a row to a table of the open database and returns its id.
qint32 insertRow(const char* table, std::initializer_list<std::pair<const char*, QVariant>> fields);

// The rows most tests start from, added directly. A customer with the
// columns given; a booking of a stay (dates as stored, "YYYY-MM-DD
// HH:MM:SS"), with other columns as for insertRow and the units given; an
// invoice line of a booking: quantity, unit price as decimal text, tax
// percentage and name, of item 2 ("New Item...") named "x" unless other
// columns are given.
qint32 addCustomer(std::initializer_list<std::pair<const char*, QVariant>> fields);
qint32 addBooking(const QString& from, const QString& to,
                  std::initializer_list<std::pair<const char*, QVariant>> fields = {},
                  const QList<qint64>& units = {});
qint32 addLine(qint32 booking, double quantity, const char* amount, double percentage = 0,
               const QString& taxName = QString(), std::initializer_list<std::pair<const char*, QVariant>> fields = {});

// While it lives, every statement of the open database that reads `table`
// fails at the row number `row` it reads (counted over all statements, from
// 1) with kFailingRowError, as a disk that cannot read a page (or, malformed,
// with kMalformedError, as a damaged page): the rows before it come out, then
// the statement fails with the database's error of that kind. The table and
// the file stay as they are (a temporary view stands in the table's place).
class FailingRows {
public:
    static constexpr const char* kFailingRowError = "disk I/O error (test)";
    static constexpr const char* kMalformedError = "database disk image is malformed (test)";
    FailingRows(const char* table, int row, bool malformed = false);
    ~FailingRows();
    FailingRows(const FailingRows&) = delete;
    FailingRows& operator=(const FailingRows&) = delete;
    // The rows read so far, the failing one included.
    int rowsRead() const;

private:
    QString m_table;
};

// A file's bytes ("<unreadable>" when it cannot be read), and a file written whole.
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// An amount written as plain decimal text ("12.5"); the test stops on anything else.
Money money(const char* text);

// Texts a hostile or careless user may type: markup, quotes, SQL and LIKE
// fragments, braces and backslashes, typed placeholders, very long, non-Latin,
// right-to-left and combining text, emoji. Whatever shows or stores one of
// them must give it back exactly as typed.
QStringList hostileTexts();

// Called by the test mains before the application starts: a settings folder
// of the run's own.
void prepareTestEnvironment();

// The main of a test of the ground floor: no widgets, no display.
#define TARLOMY_GROUND_TEST_MAIN(TestObject)                             \
    int main(int argc, char** argv)                                     \
    {                                                                   \
        prepareTestEnvironment();                                       \
        QCoreApplication app(argc, argv);                               \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); \
        TestObject tc;                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                      \
        return QTest::qExec(&tc, argc, argv);                           \
    }
