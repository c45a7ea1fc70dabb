#pragma once
// Many rows read fast: a statement's rows stepped through as the database
// engine hands them out, each value read in place without a QVariant. For a
// pass over a whole table (statistics, balances); lists and dialogs read
// through Query. Every value goes in as a bound parameter; a failing
// statement raises an AppError as Query's do.
#include "core/apperror.h"
#include "core/money.h"

#include <QString>
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
    // The column's text as UTF-8 bytes, valid until the next step.
    const char* bytes(int column, int* size) const;
    QString text(int column) const;

private:
    [[noreturn]] void fail() const;

    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    Where m_where;
};
