#include "core/invoicelinestore.h"

#include "core/db.h"

Money InvoiceLine::itemTotal() const
{
    return amount.times(quantity);
}

Money InvoiceLine::tax() const
{
    const double rate = chargedPercentage();
    if (rate == 0)
        return Money();
    return amount.percent(rate).times(quantity);
}

namespace InvoiceLineStore {

namespace {

const char* const kColumns = "SELECT id, itemid, quantity, name, amount, taxratename, taxratepercentage FROM invoiceline ";

InvoiceLine lineOf(const Query& q)
{
    InvoiceLine line;
    line.id = q.integer(0);
    line.itemId = q.integer(1);
    line.quantity = q.value(2).toDouble();
    line.quantityNull = q.isNull(2);
    line.name = q.text(3);
    line.amount = q.money(4);
    line.amountNull = q.isNull(4);
    line.taxRateName = q.text(5);
    line.taxRatePercentage = q.value(6).toDouble();
    line.percentageNull = q.isNull(6);
    return line;
}

Fields fieldsOf(const Values& v)
{
    return {{QStringLiteral("BookingID"), v.bookingId},
            {QStringLiteral("ItemID"), v.itemId},
            {QStringLiteral("Quantity"), v.quantity},
            {QStringLiteral("Name"), v.name},
            {QStringLiteral("Amount"), dbValue(v.amount)},
            {QStringLiteral("TaxRateName"), v.taxRateName},
            {QStringLiteral("TaxRatePercentage"), v.taxRatePercentage}};
}

}  // namespace

QList<InvoiceLine> linesOf(qint64 bookingId)
{
    QList<InvoiceLine> lines;
    Query q = objConn.query(QLatin1String(kColumns) + QStringLiteral("WHERE bookingid = ? ORDER BY id"), {bookingId});
    while (q.next())
        lines << lineOf(q);
    return lines;
}

bool hasLines(qint64 bookingId)
{
    return objConn.scalar(QStringLiteral("SELECT EXISTS(SELECT 1 FROM invoiceline WHERE bookingid = ?)"), {bookingId})
               .toLongLong()
           != 0;
}

std::optional<InvoiceLine> read(qint64 lineId)
{
    Query q = objConn.query(QLatin1String(kColumns) + QStringLiteral("WHERE id = ?"), {lineId});
    if (!q.next())
        return std::nullopt;
    return lineOf(q);
}

qint64 add(const Values& v)
{
    return objConn.insert(QStringLiteral("InvoiceLine"), fieldsOf(v));
}

void update(qint64 lineId, const Values& v)
{
    objConn.update(QStringLiteral("InvoiceLine"), lineId, fieldsOf(v));
}

void remove(qint64 lineId)
{
    objConn.execute(QStringLiteral("DELETE FROM invoiceline WHERE id = ?"), {lineId});
}

void removeItemLines(qint64 bookingId, qint64 itemId)
{
    objConn.execute(QStringLiteral("DELETE FROM invoiceline WHERE itemid = ? AND bookingid = ?"), {itemId, bookingId});
}

void removeOf(qint64 bookingId)
{
    objConn.execute(QStringLiteral("DELETE FROM invoiceline WHERE bookingid = ?"), {bookingId});
}

}  // namespace InvoiceLineStore
