#include "core/db.h"

#include "core/format.h"
#include "core/sqliteext.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>

#include <sqlite3.h>

Connection objConn;

namespace {

// The database's own words for what went wrong with a statement ("database
// is locked"), not the driver's general "Unable to fetch row", then the
// statement.
QString StatementError(const QSqlError& error, const QString& sql)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text + QStringLiteral("\n") + sql.simplified();
}

// The error of a failing statement: an unreadable file's as such.
AppError StatementFailure(const QSqlError& error, const QString& sql, const Where& where)
{
    if (IsUnreadableFileCode(error.nativeErrorCode().toInt()))
        return AppError::unreadableFile(objConn.fileName(),
                                        error.databaseText().isEmpty() ? error.text() : error.databaseText(), sql,
                                        where);
    return AppError(kErrDatabase, StatementError(error, sql), where);
}

PartialReads* g_partialReads = nullptr;

}  // namespace

bool IsUnreadableFileCode(int sqliteCode)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_IOERR:
        return true;
    default:
        return false;
    }
}

PartialReads::PartialReads()
    : m_outer(g_partialReads), m_failure(kErrDatabase, QString(), Where{"", "", 0})
{
    g_partialReads = this;
}

PartialReads::~PartialReads()
{
    g_partialReads = m_outer;
}

bool PartialReads::keep(const AppError& e)
{
    if (!g_partialReads)
        return false;
    if (!g_partialReads->m_failed) {
        g_partialReads->m_failed = true;
        g_partialReads->m_failure = e;
    }
    return true;
}

bool PartialReads::failedSoFar()
{
    return g_partialReads && g_partialReads->m_failed;
}

Query Query::none(const QString& sql, const Where& where)
{
    Query q(QSqlQuery(objConn.database()), sql, where);
    q.m_none = true;
    return q;
}

bool Query::next()
{
    if (m_none)
        return false;
    if (m_q.next())
        return true;
    // The driver reads a failing step as the end of the rows; only its error
    // tells them apart.
    const QSqlError error = m_q.lastError();
    if (error.type() == QSqlError::NoError)
        return false;
    const AppError failure = StatementFailure(error, m_sql, m_where);
    if (failure.isUnreadableFile() && PartialReads::keep(failure)) {
        m_none = true;
        return false;
    }
    throw failure;
}

QString Query::text(int column) const
{
    const QVariant v = m_q.value(column);
    return v.isNull() ? QString() : v.toString();
}

QString Query::text(const QString& column) const
{
    const QVariant v = m_q.value(column);
    return v.isNull() ? QString() : v.toString();
}

QDateTime Query::dateTime(int column) const
{
    return Fmt::fromDbDateTime(m_q.value(column));
}

QDateTime Query::dateTime(const QString& column) const
{
    return Fmt::fromDbDateTime(m_q.value(column));
}

QVariant dbValue(const QDateTime& dt)
{
    return dt.isValid() ? QVariant(Fmt::dbDateTime(dt)) : dbNull();
}

QVariant dbValue(Money m)
{
    return m.toDb();
}

QVariant dbValue(bool b)
{
    return QVariant(b ? 1 : 0);
}

Connection::Connection() = default;

Connection::~Connection()
{
    // The connection lives as long as the process; the driver may already be
    // gone when static objects are destroyed, so nothing is torn down here.
}

bool Connection::open(const QString& file, QString* why, int busyTimeoutMs)
{
    auto refuse = [&](const QString& reason) {
        if (why)
            *why = reason;
        close();
        return false;
    };
    close();
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile())
        return refuse(QStringLiteral("The file does not exist."));

    static int serial = 0;
    m_name = QStringLiteral("objConn-%1").arg(++serial);
    m_file = info.absoluteFilePath();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // mode=rw: open an existing file only, never create one.
    const QString uri = QStringLiteral("file:") + QString::fromUtf8(QUrl::toPercentEncoding(m_file, "/"))
                        + QStringLiteral("?mode=rw");
    m_db.setDatabaseName(uri);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!m_db.open())
        return refuse(m_db.lastError().text());
    sqlite3* h = handle();
    if (!h || !sqliteext::registerExtensions(h))
        return refuse(QStringLiteral("The database engine could not be prepared."));

    QSqlQuery probe(m_db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return refuse(probe.lastError().text());
    // An empty file opens as a database without tables: it is none of ours.
    if (!probe.next() || probe.value(0).toLongLong() == 0)
        return refuse(QStringLiteral("The file holds no database."));
    // SQLite opens a write-protected file read-only without a word.
    if (sqlite3_db_readonly(h, "main") != 0)
        return refuse(QStringLiteral("The file is write-protected."));
    if (!probe.exec(QStringLiteral("BEGIN IMMEDIATE")) || !probe.exec(QStringLiteral("ROLLBACK")))
        return refuse(probe.lastError().text());
    // A file from an earlier build has its name indexes put in FOLD's order.
    QString converted;
    if (!sqliteext::convertNameIndexes(h, &converted))
        return refuse(converted);
    // Room for the indexes of a few years of bookings (16 MB).
    if (!probe.exec(QStringLiteral("PRAGMA cache_size = -16000")))
        return refuse(probe.lastError().text());
    return true;
}

void Connection::close()
{
    if (m_name.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
    m_file.clear();
    m_transactionDepth = 0;
    m_abandoned = false;
    m_unsettled.clear();
}

bool Connection::isOpen() const
{
    return !m_name.isEmpty() && m_db.isOpen();
}

sqlite3* Connection::handle() const
{
    if (!m_db.isValid() || !m_db.driver())
        return nullptr;
    const QVariant v = m_db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

void Connection::fail(const QSqlQuery& q, const QString& sql, const Where& where)
{
    if (!isOpen())
        throw AppError(kErrDatabase, QStringLiteral("The database is not open.\n") + sql.simplified(), where);
    throw StatementFailure(q.lastError(), sql, where);
}

void Connection::ensureSettled(const Where& where)
{
    if (m_unsettled.isEmpty())
        return;
    sqlite3* h = handle();
    if (h && sqlite3_get_autocommit(h) == 0 && sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw AppError(kErrDatabase,
                       QStringLiteral("The changes of work that failed could not be undone: ")
                           + QString::fromUtf8(sqlite3_errmsg(h)),
                       where);
    m_unsettled.clear();
}

QSqlQuery Connection::prepare(const QString& sql, const QVariantList& params, const Where& where)
{
    ensureSettled(where);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q, sql, where);
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params[i]);
    if (!q.exec())
        fail(q, sql, where);
    return q;
}

Query Connection::query(const QString& sql, const QVariantList& params, const Where& where)
{
    try {
        return Query(prepare(sql, params, where), sql, where);
    } catch (const AppError& e) {
        // The first row is read with the statement.
        if (e.isUnreadableFile() && PartialReads::keep(e))
            return Query::none(sql, where);
        throw;
    }
}

int Connection::execute(const QString& sql, const QVariantList& params, const Where& where)
{
    QSqlQuery q = prepare(sql, params, where);
    return q.numRowsAffected();
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params, const Where& where)
{
    QSqlQuery q = prepare(sql, params, where);
    if (q.next())
        return q.value(0);
    if (q.lastError().type() != QSqlError::NoError)
        fail(q, sql, where);
    return QVariant();
}

namespace {

QString quoted(const QString& identifier)
{
    return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

qint64 Connection::insert(const QString& table, const Fields& fields, const Where& where)
{
    QString sql;
    QVariantList params;
    if (fields.empty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table));
    } else {
        QStringList columns;
        QStringList marks;
        for (const auto& [column, value] : fields) {
            columns << quoted(column);
            marks << QStringLiteral("?");
            params << value;
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(table), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }
    QSqlQuery q = prepare(sql, params, where);
    return q.lastInsertId().toLongLong();
}

void Connection::update(const QString& table, qint64 id, const Fields& fields, const Where& where)
{
    if (fields.empty())
        return;
    QStringList sets;
    QVariantList params;
    for (const auto& [column, value] : fields) {
        sets << quoted(column) + QStringLiteral(" = ?");
        params << value;
    }
    params << id;
    prepare(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?").arg(quoted(table), sets.join(QStringLiteral(", "))),
            params, where);
}

bool Connection::tableExists(const QString& table)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                  {table})
               .toInt()
           > 0;
}

int Connection::columnIndex(const QString& table, const QString& column)
{
    const QVariant cid = scalar(QStringLiteral("SELECT cid FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"),
                                {table, column});
    return cid.isValid() ? cid.toInt() : -1;
}

// The outermost transaction holds the database's; one inside it joins it.
// The depth counts only transactions that have begun: a BEGIN that fails
// raises before anything is counted, so the next one begins afresh.
Connection::Transaction::Transaction(Connection& c, const Where& where) : m_c(c), m_where(where)
{
    if (m_c.m_transactionDepth == 0) {
        // Taking the write lock at once lets a busy file be waited for; a
        // lock asked for halfway through could only fail.
        m_c.execute(QStringLiteral("BEGIN IMMEDIATE"), {}, where);
        m_c.m_abandoned = false;
    }
    ++m_c.m_transactionDepth;
}

Connection::Transaction::~Transaction()
{
    if (m_done || m_c.m_transactionDepth <= 0)   // done, or the connection was closed
        return;
    // Left by an error or without commit(): the work is undone, all of it.
    if (--m_c.m_transactionDepth > 0) {
        m_c.m_abandoned = true;
        return;
    }
    // A rollback the database refuses leaves the work in the file's journal,
    // neither saved nor undone: the connection remembers it, and the next
    // statement tries again or raises (a destructor cannot).
    if (m_c.isOpen() && sqlite3_get_autocommit(m_c.handle()) == 0) {
        QSqlQuery q(m_c.m_db);
        if (!q.exec(QStringLiteral("ROLLBACK")))
            m_c.m_unsettled = StatementError(q.lastError(), QStringLiteral("ROLLBACK"));
    }
}

void Connection::Transaction::commit()
{
    if (m_done)
        return;
    if (m_c.m_transactionDepth == 1) {
        if (m_c.m_abandoned)
            RaiseError(kErrDatabase, QStringLiteral("A part of the work failed; none of it was saved."), m_where);
        // A COMMIT that fails (another program reading the file) raises and
        // leaves this transaction to be rolled back.
        m_c.execute(QStringLiteral("COMMIT"), {}, m_where);
    }
    --m_c.m_transactionDepth;
    m_done = true;
}

bool Connection::inTransaction() const
{
    return m_transactionDepth > 0;
}
