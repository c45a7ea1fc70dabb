#include "invoicing/invoicetotals.h"

#include "core/bookingstore.h"
#include "core/db.h"
#include "core/format.h"
#include "core/reserved.h"
#include "core/settings.h"

Money InvoiceLine::itemTotal() const
{
    return amount.times(quantity);
}

Money InvoiceLine::tax() const
{
    if (!(taxRatePercentage > 0))
        return Money();
    return amount.percent(taxRatePercentage).times(quantity);
}

QList<InvoiceLine> ReadInvoiceLines(qint32 bookingId)
{
    QList<InvoiceLine> lines;
    Query q = objConn.query(QStringLiteral("SELECT id, quantity, name, amount, taxratename, taxratepercentage "
                                           "FROM invoiceline WHERE bookingid = ? ORDER BY id"),
                            {bookingId});
    while (q.next()) {
        InvoiceLine line;
        line.id = q.integer(0);
        line.quantity = q.value(1).toDouble();
        line.name = q.text(2);
        line.amount = q.money(3);
        line.taxRateName = q.text(4);
        line.taxRatePercentage = q.value(5).toDouble();
        lines << line;
    }
    return lines;
}

QString FirstTaxName(const QList<InvoiceLine>& lines)
{
    QString reference;
    bool allSame = !lines.isEmpty();
    for (const InvoiceLine& line : lines) {
        if (reference.isEmpty())
            reference = line.taxRateName;
        else if (line.taxRateName != reference)
            allSame = false;
    }
    return allSame ? reference : QStringLiteral("Tax of:");
}

BookingTotals TotalsOfLines(const QList<InvoiceLine>& lines, Money tip, Money payments)
{
    BookingTotals t;
    Money sum;
    Money tax;
    for (const InvoiceLine& line : lines) {
        sum += line.itemTotal();
        tax += line.tax();
    }

    Money tax2;
    t.salesTax2Enabled = ConfigFlag(QStringLiteral("EnabledSalesTax2"), false);
    if (t.salesTax2Enabled) {
        Query q = objConn.query(QStringLiteral("SELECT name, percentage FROM taxrate WHERE id = ?"),
                                {TaxRateId::Second});
        if (q.next()) {
            t.salesTax2RateFound = true;
            t.salesTax2Percentage = q.value(1).toDouble();
            if (t.salesTax2Percentage != 0)
                tax2 = sum.percent(t.salesTax2Percentage);
        }
    }

    t.subTotal = sum.rounded(2);
    t.salesTax1 = tax.rounded(2);
    t.salesTax2 = tax2.rounded(2);
    t.tip = tip.rounded(2);
    t.totalPayable = t.subTotal + t.salesTax1 + t.salesTax2 + t.tip;
    t.payments = payments.rounded(2);
    t.balanceDue = t.totalPayable - t.payments;

    t.cSubTotal = Fmt::currency(t.subTotal);
    t.cSalesTax1 = Fmt::currency(t.salesTax1);
    t.cSalesTax2 = Fmt::currency(t.salesTax2);
    t.cTip = Fmt::currency(t.tip);
    t.cTotalPayable = Fmt::currency(t.totalPayable);
    t.cPayments = Fmt::currency(t.payments);
    t.cBalanceDue = Fmt::currency(t.balanceDue);
    return t;
}

BookingTotals CalcTotal(qint32 bookingId)
{
    return CalcTotal(bookingId, ReadInvoiceLines(bookingId));
}

BookingTotals CalcTotal(qint32 bookingId, const QList<InvoiceLine>& lines)
{
    Money tip;
    Money payments;
    if (const std::optional<BookingRecord> b = BookingStore::read(bookingId)) {
        tip = b->tip;
        payments = b->amountPayed;
    }
    return TotalsOfLines(lines, tip, payments);
}

Money CommissionOf(Money totalPayable, double percentage)
{
    return totalPayable.percent(percentage).rounded(2);
}
