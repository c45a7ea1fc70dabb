#include "core/invoicetotals.h"

#include "core/bookingstore.h"
#include "core/configrecords.h"
#include "core/db.h"
#include "core/format.h"
#include "core/rowscan.h"
#include "core/reserved.h"
#include "core/settingkeys.h"

#include <algorithm>
#include <vector>

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
    t.enabled = Config::EnabledSalesTax2.read();
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

namespace {

// A line as far as it counts in its booking's figures.
InvoiceLine LineOf(double quantity, Money amount, double percentage)
{
    InvoiceLine l;
    l.quantity = quantity;
    l.amount = amount;
    l.taxRatePercentage = percentage;
    return l;
}

// Adds up the balances of customers from their bookings' rows, each booking
// with its lines, booking by booking.
class BalanceSums {
public:
    explicit BalanceSums(const SecondTax& second) : m_second(second) {}
    void booking(qint64 bookingId, qint32 customerId, Money tip, Money paid)
    {
        if (m_any && bookingId == m_bookingId)
            return;
        finish();
        m_any = true;
        m_bookingId = bookingId;
        m_customerId = customerId;
        m_tip = tip;
        m_paid = paid;
        m_sums = LineSums();
    }
    void line(double quantity, Money amount, double percentage) { m_sums.add(LineOf(quantity, amount, percentage)); }
    // A booking whose lines were added up beforehand.
    void booking(qint64 bookingId, qint32 customerId, Money tip, Money paid, const LineSums& lines)
    {
        booking(bookingId, customerId, tip, paid);
        m_sums = lines;
    }
    QHash<qint32, CustomerBalance> take()
    {
        finish();
        m_any = false;
        return std::move(m_balances);
    }

private:
    void finish()
    {
        if (!m_any)
            return;
        CustomerBalance& b = m_balances[m_customerId];
        b.due += TotalsOfSums(m_sums, m_tip, m_paid, m_second).totalPayable;
        b.paid += m_paid;
    }

    SecondTax m_second;
    QHash<qint32, CustomerBalance> m_balances;
    bool m_any = false;
    qint64 m_bookingId = 0;
    qint32 m_customerId = 0;
    Money m_tip, m_paid;
    LineSums m_sums;
};

// The balances from every booking the condition picks, each with its lines,
// in one pass in booking order.
QHash<qint32, CustomerBalance> BalancesOf(const QString& condition, const QVariantList& params)
{
    BalanceSums sums(ReadSecondTax());
    RowScan r(QStringLiteral("SELECT b.customerid, b.id, b.Tip, b.AmountPayed, l.id, l.quantity, l.amount, "
                             "l.taxratepercentage FROM booking b LEFT JOIN invoiceline l ON l.bookingid = b.id")
                  + condition + QStringLiteral(" ORDER BY b.id, l.id"),
              params);
    while (r.next()) {
        sums.booking(r.integer(1), qint32(r.integer(0)), r.money(2), r.money(3));
        if (!r.isNull(4))
            sums.line(r.real(5), r.money(6), r.real(7));
    }
    return sums.take();
}

}  // namespace

QHash<qint32, CustomerBalance> CustomerBalances(const QList<qint64>& customerIds)
{
    if (customerIds.isEmpty())
        return {};
    QVariantList params;
    return BalancesOf(QStringLiteral(" WHERE b.customerid IN (") + BoundList(customerIds, params) + u')', params);
}

QHash<qint32, CustomerBalance> AllCustomerBalances()
{
    // Both tables read in stored order, which costs far less than looking up
    // each booking's lines in turn: first every booking, then every line
    // added to its booking's sums in the order the lines were added, then the
    // bookings' figures in booking order, as BalancesOf adds them up.
    struct Booking {
        qint64 id;
        qint32 customerId;
        Money tip, paid;
        LineSums lines;
    };
    std::vector<Booking> bookings;
    for (RowScan r(QStringLiteral("SELECT id, customerid, Tip, AmountPayed FROM booking ORDER BY id")); r.next();)
        bookings.push_back({r.integer(0), qint32(r.integer(1)), r.money(2), r.money(3), LineSums()});
    for (RowScan r(QStringLiteral("SELECT bookingid, quantity, amount, taxratepercentage FROM invoiceline "
                                  "WHERE typeof(bookingid) = 'integer' ORDER BY id"));
         r.next();) {
        const qint64 id = r.integer(0);
        const auto b = std::lower_bound(bookings.begin(), bookings.end(), id,
                                        [](const Booking& b, qint64 id) { return b.id < id; });
        if (b != bookings.end() && b->id == id)
            b->lines.add(LineOf(r.real(1), r.money(2), r.real(3)));
    }
    BalanceSums sums(ReadSecondTax());
    for (const Booking& b : bookings)
        sums.booking(b.id, b.customerId, b.tip, b.paid, b.lines);
    return sums.take();
}

double SecondTaxCharged()
{
    const SecondTax second = ReadSecondTax();
    return second.found ? ChargedTaxPercentage(second.percentage) : 0;
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
