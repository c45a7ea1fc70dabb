#include "core/rowscan.h"

#include "core/db.h"

#include <sqlite3.h>

#include <cstring>

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
    if (const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr); rc != SQLITE_OK) {
        if (IsUnreadableFileCode(rc)) {
            sqlite3_finalize(m_stmt);
            throw AppError::unreadableFile(objConn.fileName(), QString::fromUtf8(sqlite3_errmsg(db)), sql, where);
        }
        refuse(QString::fromUtf8(sqlite3_errmsg(db)));
    }
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

void RowScan::fail(int rc) const
{
    sqlite3* db = objConn.handle();
    const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("The database is not open.");
    // A pass over part of the rows would work out wrong figures: it raises
    // whenever it fails, a damaged file as such.
    if (db && IsUnreadableFileCode(rc))
        throw AppError::unreadableFile(objConn.fileName(), reason, m_sql, m_where);
    throw AppError(kErrDatabase, reason + QStringLiteral("\n") + m_sql.simplified(), m_where);
}

bool RowScan::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(rc);
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
    case SQLITE_INTEGER:
        return Money::fromRaw(integer(column));
    case SQLITE_TEXT: {
        Money m;
        return Money::fromDecimalText(text(column), &m) ? m : Money();
    }
    default:
        // A double or bytes another program stored: read as a query reads it.
        return Money::fromDb(value(column));
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

QVariant RowScan::value(int column) const
{
    // As the Qt driver reads a column of each kind.
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB: {
        const char* p = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(p, sqlite3_column_bytes(m_stmt, column)));
    }
    default: {
        const void* p = sqlite3_column_text16(m_stmt, column);
        return QVariant(QString(static_cast<const QChar*>(p), sqlite3_column_bytes16(m_stmt, column) / 2));
    }
    }
}

RowScan::Stored RowScan::stored(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return Stored::Null;
    case SQLITE_INTEGER:
        return Stored::Integer;
    case SQLITE_FLOAT:
        return Stored::Real;
    case SQLITE_BLOB:
        return Stored::Bytes;
    default:
        return Stored::Text;
    }
}

namespace {

// Whether the bytes are UTF-8 that the database hands out as UTF-16
// unchanged: no byte that starts no character, no overlong form, no
// surrogate, nothing past U+10FFFF, and neither U+FFFE nor U+FFFF (which the
// database turns into U+FFFD).
bool IsPlainUtf8(const unsigned char* s, int n)
{
    int i = 0;
    while (i < n) {
        // Eight plain ASCII bytes at a time.
        quint64 word;
        while (i + 8 <= n && (std::memcpy(&word, s + i, 8), (word & 0x8080808080808080ULL) == 0))
            i += 8;
        if (i >= n)
            break;
        if (n - i < 8) {
            // The last few bytes at once when they are plain ASCII too.
            unsigned char any = 0;
            for (int k = i; k < n; ++k)
                any |= s[k];
            if (any < 0x80)
                break;
        }
        const unsigned char b = s[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int more;
        char32_t c;
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            c = b & 0x07;
        } else {
            return false;
        }
        if (i + more >= n)
            return false;
        for (int k = 1; k <= more; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (s[i + k] & 0x3F);
        }
        const char32_t least = more == 1 ? 0x80 : (more == 2 ? 0x800 : 0x10000);
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF)
            return false;
        i += 1 + more;
    }
    return true;
}

}  // namespace

const char* RowScan::plainText(int column, int* size) const
{
    // One look at the column for its kind, its text and its length. The
    // value is the statement's own ("unprotected"): read here, on the
    // connection's one thread, and not kept.
    sqlite3_value* v = sqlite3_column_value(m_stmt, column);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        *size = 0;
        return "";
    case SQLITE_INTEGER:   // the database's digits are QString::number's
    case SQLITE_TEXT: {
        const auto* p = sqlite3_value_text(v);
        *size = sqlite3_value_bytes(v);
        return IsPlainUtf8(p, *size) ? reinterpret_cast<const char*>(p) : nullptr;
    }
    default:
        return nullptr;
    }
}

void RowScan::appendText(int column, QByteArray& out) const
{
    int size = 0;
    if (const char* p = plainText(column, &size))
        out.append(p, size);
    else
        out.append(value(column).toString().toUtf8());
}
