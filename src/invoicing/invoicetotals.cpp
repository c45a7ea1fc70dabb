#include "invoicing/invoicetotals.h"

#include "core/bookingstore.h"
#include "core/configrecords.h"
#include "core/db.h"
#include "core/format.h"
#include "core/reserved.h"
#include "core/settings.h"

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

namespace {

// The second sales tax as the settings and tax rate 3 give it.
struct SecondTax {
    bool enabled = false;
    bool found = false;
    double percentage = 0;
};

SecondTax ReadSecondTax()
{
    SecondTax t;
    t.enabled = ConfigFlag(QStringLiteral("EnabledSalesTax2"), false);
    if (t.enabled) {
        if (const std::optional<TaxRateRecord> rate = TaxRateRecord::find(TaxRateId::Second)) {
            t.found = true;
            t.percentage = rate->percentage;
        }
    }
    return t;
}

// The lines' totals and taxes, tax excluded, each line to the ten-thousandth.
struct LineSums {
    Money sum, tax;
    void add(const InvoiceLine& line)
    {
        sum += line.itemTotal();
        tax += line.tax();
    }
};

// The figures from the lines' sums, the tip and the payments.
BookingTotals TotalsOfSums(const LineSums& lines, Money tip, Money payments, const SecondTax& second)
{
    BookingTotals t;
    Money tax2;
    t.salesTax2Enabled = second.enabled;
    t.salesTax2RateFound = second.found;
    t.salesTax2Percentage = ChargedTaxPercentage(second.percentage);
    if (second.found && t.salesTax2Percentage != 0)
        tax2 = lines.sum.percent(t.salesTax2Percentage);

    t.subTotal = lines.sum.rounded(2);
    t.salesTax1 = lines.tax.rounded(2);
    t.salesTax2 = tax2.rounded(2);
    t.tip = tip.rounded(2);
    t.totalPayable = t.subTotal + t.salesTax1 + t.salesTax2 + t.tip;
    t.payments = payments.rounded(2);
    t.balanceDue = t.totalPayable - t.payments;
    return t;
}

}  // namespace

BookingTotals TotalsOfLines(const QList<InvoiceLine>& lines, Money tip, Money payments)
{
    LineSums sums;
    for (const InvoiceLine& line : lines)
        sums.add(line);
    BookingTotals t = TotalsOfSums(sums, tip, payments, ReadSecondTax());
    t.cSubTotal = Fmt::currency(t.subTotal);
    t.cSalesTax1 = Fmt::currency(t.salesTax1);
    t.cSalesTax2 = Fmt::currency(t.salesTax2);
    t.cTip = Fmt::currency(t.tip);
    t.cTotalPayable = Fmt::currency(t.totalPayable);
    t.cPayments = Fmt::currency(t.payments);
    t.cBalanceDue = Fmt::currency(t.balanceDue);
    return t;
}

QHash<qint32, CustomerBalance> CustomerBalances(const QList<qint32>& customerIds)
{
    QHash<qint32, CustomerBalance> balances;
    if (customerIds.isEmpty())
        return balances;
    const SecondTax second = ReadSecondTax();
    QVariantList params;
    QStringList marks;
    for (qint32 id : customerIds) {
        params << id;
        marks << QStringLiteral("?");
    }
    Query q = objConn.query(QStringLiteral("SELECT b.customerid, b.id, b.Tip, b.AmountPayed, l.id, l.quantity, "
                                           "l.amount, l.taxratepercentage "
                                           "FROM booking b LEFT JOIN invoiceline l ON l.bookingid = b.id "
                                           "WHERE b.customerid IN (")
                                + marks.join(u',') + QStringLiteral(") ORDER BY b.id, l.id"),
                            params);
    bool any = false;
    qint64 bookingId = 0;
    qint32 customerId = 0;
    Money tip, paid;
    LineSums sums;
    const auto finishBooking = [&] {
        CustomerBalance& b = balances[customerId];
        b.due += TotalsOfSums(sums, tip, paid, second).totalPayable;
        b.paid += paid;
    };
    while (q.next()) {
        if (!any || q.integer(1) != bookingId) {
            if (any)
                finishBooking();
            any = true;
            bookingId = q.integer(1);
            customerId = qint32(q.integer(0));
            tip = q.money(2);
            paid = q.money(3);
            sums = LineSums();
        }
        if (!q.isNull(4)) {
            InvoiceLine line;
            line.quantity = q.value(5).toDouble();
            line.amount = q.money(6);
            line.taxRatePercentage = q.value(7).toDouble();
            sums.add(line);
        }
    }
    if (any)
        finishBooking();
    return balances;
}

BookingTotals CalcTotal(qint32 bookingId)
{
    return CalcTotal(bookingId, InvoiceLineStore::linesOf(bookingId));
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
