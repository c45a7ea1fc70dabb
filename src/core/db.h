#pragma once
// The one database connection and the statements run on it. Every value goes
// in as a bound parameter; a failing statement raises an AppError carrying the
// caller's module, routine and line.
#include "core/apperror.h"
#include "core/money.h"
#include "core/partialreads.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <utility>
#include <vector>

struct sqlite3;

// Whether an error of the database engine says that the file is damaged or
// cannot be read (as opposed to a statement refused, a busy file or a full
// temporary disk).
bool IsUnreadableFileCode(int sqliteCode);

// A forward-only result: next() steps to each row in turn. A row the
// database fails to hand out (a read error, a full temporary disk, a busy
// file) raises an AppError naming the statement and the caller of the
// statement; it never reads as the end of the rows, unless the file is
// damaged or cannot be read while a PartialReads lives.
class Query {
public:
    Query(QSqlQuery q, const QString& sql, const Where& where) : m_q(std::move(q)), m_sql(sql), m_where(where) {}
    // A result without rows, for a statement whose first read failed.
    static Query none(const QString& sql, const Where& where);
    bool next();
    QVariant value(int column) const { return m_q.value(column); }
    QVariant value(const QString& column) const { return m_q.value(column); }
    QString text(int column) const;            // Null gives empty text
    QString text(const QString& column) const;
    qint64 integer(int column) const { return m_q.value(column).toLongLong(); }
    qint64 integer(const QString& column) const { return m_q.value(column).toLongLong(); }
    Money money(int column) const { return Money::fromDb(m_q.value(column)); }
    Money money(const QString& column) const { return Money::fromDb(m_q.value(column)); }
    QDateTime dateTime(int column) const;
    QDateTime dateTime(const QString& column) const;
    bool isNull(int column) const { return m_q.isNull(column); }
    bool isNull(const QString& column) const { return m_q.isNull(column); }
    QSqlRecord record() const { return m_q.record(); }

private:
    QSqlQuery m_q;
    QString m_sql;
    Where m_where;
    bool m_none = false;
};

// Field values of a row to add or change, in column order.
using Fields = std::vector<std::pair<QString, QVariant>>;

// Values in the form the database stores them.
QVariant dbValue(const QDateTime& dt);   // "YYYY-MM-DD HH:MM:SS"; invalid gives Null
QVariant dbValue(Money m);               // ten-thousandths
QVariant dbValue(bool b);                // 0 or 1
inline QVariant dbNull() { return QVariant(QMetaType::fromType<QString>()); }

// "?,?,?": one mark per value, for an IN list; the values are appended to params.
template <class Values>
QString BoundList(const Values& values, QVariantList& params)
{
    QString marks;
    for (const auto& v : values) {
        marks += marks.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
        params << v;
    }
    return marks;
}

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file for reading and writing. Never creates
    // a file. Fails (with a reason in *why) when the file is missing, is no
    // database, or cannot be written (read-only, or locked by another program).
    // A file another program holds is waited for up to busyTimeoutMs.
    static constexpr int kBusyTimeoutMs = 5000;
    bool open(const QString& file, QString* why = nullptr, int busyTimeoutMs = kBusyTimeoutMs);
    void close();
    bool isOpen() const;
    QString fileName() const { return m_file; }

    // Runs a statement that returns rows.
    Query query(const QString& sql, const QVariantList& params = {}, const Where& where = Where::here());
    // Runs a statement that returns none; the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {}, const Where& where = Where::here());
    // The first column of the first row; an invalid value when there is none.
    QVariant scalar(const QString& sql, const QVariantList& params = {}, const Where& where = Where::here());
    // Adds a row to table and returns its new id.
    qint64 insert(const QString& table, const Fields& fields, const Where& where = Where::here());
    // Changes the given columns of the row of table with that id.
    void update(const QString& table, qint64 id, const Fields& fields, const Where& where = Where::here());

    bool tableExists(const QString& table);
    // The place of a column in its table's rows, from 0; -1 when there is none.
    int columnIndex(const QString& table, const QString& column);
    // A name of this opening of the database, another each time it opens.
    QString connectionName() const { return m_name; }

    // Runs several changes as one: each block of work that begins a transaction
    // either commits it or, on leaving by an error or without commit(), rolls
    // it back. One begun inside another joins it; when the inner one is left
    // without commit(), the outer one's commit() raises and nothing is saved.
    // A BEGIN or COMMIT the database refuses (a file another program holds)
    // raises an AppError, and the work is rolled back.
    class Transaction {
    public:
        explicit Transaction(Connection& c, const Where& where = Where::here());
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Connection& m_c;
        Where m_where;
        bool m_done = false;
    };
    bool inTransaction() const;

    QSqlDatabase& database() { return m_db; }
    sqlite3* handle() const;

    // Raises when a rollback failed and the database still holds the work
    // that failed; every statement asks first, so nothing runs on as part of
    // work that is neither saved nor undone. A rollback that succeeds when
    // tried again here lets the statement run.
    void ensureSettled(const Where& where = Where::here());

private:
    QSqlQuery prepare(const QString& sql, const QVariantList& params, const Where& where);
    [[noreturn]] void fail(const QSqlQuery& q, const QString& sql, const Where& where);

    QString m_name;
    QString m_file;
    QSqlDatabase m_db;
    int m_transactionDepth = 0;
    bool m_abandoned = false;   // an inner transaction was left without commit()
    QString m_unsettled;        // why the last rollback failed; empty when none did
};

// The program's one connection, opened by the main window at start-up.
extern Connection objConn;
