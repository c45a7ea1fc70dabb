#pragma once
// Many rows read fast: a statement's rows stepped through as the database
// engine hands them out, each value read in place without a QVariant. For a
// pass over a whole table (statistics, balances); lists and dialogs read
// through Query. Every value goes in as a bound parameter; a failing
// statement raises an AppError as Query's do, a damaged or unreadable file
// always (never the end of the rows, whatever PartialReads lives).
#include "core/apperror.h"
#include "core/money.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3_stmt;

class RowScan {
public:
    RowScan(const QString& sql, const QVariantList& params = {}, const Where& where = Where::here());
    ~RowScan();
    RowScan(const RowScan&) = delete;
    RowScan& operator=(const RowScan&) = delete;

    // Steps to the next row; false after the last.
    bool next();
    bool isNull(int column) const;
    // Null reads as 0 (and, for text, as nothing).
    qint64 integer(int column) const;
    double real(int column) const;
    // A stored amount as Money::fromDb reads it: text as a decimal number.
    Money money(int column) const;
    // The column's text as UTF-8 bytes, valid until the next step or the
    // next read of the same column in another form (value(), text of a
    // number): the database converts the column in place and frees these
    // bytes. Copy them before reading the column again.
    const char* bytes(int column, int* size) const;
    QString text(int column) const;

    // The value as Query::value() gives it: Null, a whole number, a double,
    // bytes or text.
    QVariant value(int column) const;
    // What the column holds in this row.
    enum class Stored { Null, Integer, Real, Text, Bytes };
    Stored stored(int column) const;
    // The column's text in place, when it is what Query::text() gives in
    // UTF-8: stored text that is sound UTF-8, a whole number's digits, or
    // Null as nothing. Null for any other value (a double, bytes, text that
    // is no sound UTF-8). Valid as bytes() are; the column is read once.
    const char* plainText(int column, int* size) const;
    // Appends the column's text, as Query::text() gives it, in UTF-8: in
    // place when plainText() has it, else its QVariant's text.
    void appendText(int column, QByteArray& out) const;

private:
    [[noreturn]] void fail(int rc) const;

    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    Where m_where;
};
