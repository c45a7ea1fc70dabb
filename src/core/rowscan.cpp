#include "core/rowscan.h"

#include "core/db.h"

#include <sqlite3.h>

RowScan::RowScan(const QString& sql, const QVariantList& params, const Where& where) : m_sql(sql), m_where(where)
{
    sqlite3* db = objConn.handle();
    if (!db)
        throw AppError(kErrDatabase, QStringLiteral("The database is not open.\n") + sql.simplified(), where);
    objConn.ensureSettled(where);
    // The destructor does not run for an object not made.
    const auto refuse = [&](const QString& reason) {
        sqlite3_finalize(m_stmt);
        throw AppError(kErrDatabase, reason + QStringLiteral("\n") + sql.simplified(), where);
    };
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        refuse(QString::fromUtf8(sqlite3_errmsg(db)));
    if (sqlite3_bind_parameter_count(m_stmt) != params.size())
        refuse(QStringLiteral("Parameter count mismatch"));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc = SQLITE_OK;
        switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(m_stmt, i + 1);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, i + 1, v.toDouble());
            break;
        default: {
            const QByteArray text = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
        if (rc != SQLITE_OK)
            refuse(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

RowScan::~RowScan()
{
    sqlite3_finalize(m_stmt);
}

void RowScan::fail() const
{
    sqlite3* db = objConn.handle();
    const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("The database is not open.");
    throw AppError(kErrDatabase, reason + QStringLiteral("\n") + m_sql.simplified(), m_where);
}

bool RowScan::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail();
    return false;
}

bool RowScan::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

Money RowScan::money(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return Money();
    case SQLITE_TEXT: {
        Money m;
        return Money::fromDecimalText(text(column), &m) ? m : Money();
    }
    default:
        return Money::fromRaw(integer(column));
    }
}

qint64 RowScan::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double RowScan::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

const char* RowScan::bytes(int column, int* size) const
{
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    *size = sqlite3_column_bytes(m_stmt, column);
    return p ? p : "";
}

QString RowScan::text(int column) const
{
    int size = 0;
    const char* p = bytes(column, &size);
    return QString::fromUtf8(p, size);
}
