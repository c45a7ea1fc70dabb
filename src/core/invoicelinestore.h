#pragma once
// A booking's invoice lines (table invoiceline), read and written here and
// nowhere else. A booking's charges exist only as these lines.
#include "core/money.h"

#include <QList>
#include <QString>
#include <optional>

// A stored tax percentage as it is charged and shown: one of 0 or less
// (which an older file may hold) counts as no tax.
inline double ChargedTaxPercentage(double stored)
{
    return stored > 0 ? stored : 0;
}

// One invoice line as stored.
struct InvoiceLine {
    qint64 id = 0;
    qint64 itemId = 0;
    double quantity = 0;
    QString name;
    Money amount;                // unit price, tax excluded
    QString taxRateName;
    double taxRatePercentage = 0;
    // Columns that hold Null (read as 0 above).
    bool quantityNull = false;
    bool amountNull = false;
    bool percentageNull = false;

    // Quantity times unit price, tax excluded, to the ten-thousandth.
    Money itemTotal() const;
    // The rate the line is charged, and shown, at (see ChargedTaxPercentage).
    double chargedPercentage() const { return ChargedTaxPercentage(taxRatePercentage); }
    // The line's tax: the unit tax rounded to the ten-thousandth, times the
    // quantity; 0 when the percentage is 0 or less.
    Money tax() const;
};

namespace InvoiceLineStore {

// The lines of a booking in the order they were added.
QList<InvoiceLine> linesOf(qint64 bookingId);
bool hasLines(qint64 bookingId);
// The line with that id; nothing when there is no such row.
std::optional<InvoiceLine> read(qint64 lineId);

// What a line is made of: its booking, item, quantity, name, unit price and
// the tax name and percentage copied into it.
struct Values {
    qint64 bookingId = 0;
    qint64 itemId = 0;
    qint64 quantity = 1;
    QString name;
    Money amount;
    QString taxRateName;
    double taxRatePercentage = 0;
};
// Adds a line and returns its id.
qint64 add(const Values& v);
// Writes every column of the line.
void update(qint64 lineId, const Values& v);
void remove(qint64 lineId);
// Removes the booking's lines of one item (the stay's lines, to price them again).
void removeItemLines(qint64 bookingId, qint64 itemId);
// Removes every line of the booking (the booking cancelled).
void removeOf(qint64 bookingId);

}  // namespace InvoiceLineStore
