#include "invoicing/invoicelines.h"

#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/reserved.h"

#include <QHash>

namespace {

// Season words of the months, looked up once per month in a pricing run.
class Seasons {
public:
    // False when the month has no row.
    bool lookUp(int month, bool* high)
    {
        auto it = m_months.constFind(month);
        if (it == m_months.constEnd()) {
            Query q = objConn.query(QStringLiteral("SELECT HighLow FROM Season WHERE Month = ?"), {month});
            Entry e;
            if (q.next()) {
                e.found = true;
                e.high = q.text(0) == QLatin1String("H");
            }
            it = m_months.insert(month, e);
        }
        *high = it->high;
        return it->found;
    }

private:
    struct Entry {
        bool found = false;
        bool high = false;
    };
    QHash<int, Entry> m_months;
};

struct Prices {
    Money low, high, highWeekend, lowWeekend;
};

// The price of the night (or hour) starting on day d.
Money priceOf(const QDate& d, const Prices& p, Seasons& seasons)
{
    bool high = false;
    if (!seasons.lookUp(d.month(), &high))
        return Money();
    const bool weekend = d.dayOfWeek() == Qt::Saturday || d.dayOfWeek() == Qt::Sunday;
    if (high)
        return weekend ? p.highWeekend : p.high;
    return weekend ? p.lowWeekend : p.low;
}

// Sundays up to and including d, counted from a fixed day long ago.
qint64 sundaysUpTo(const QDate& d)
{
    const qint64 jd = d.toJulianDay();   // Julian day 0 was a Monday
    qint64 n = jd + 1;
    return n >= 0 ? n / 7 : -((-n + 6) / 7);
}

// Weeks starting on Sunday between the two days: the Sundays after the
// arrival day up to and including the departure day.
qint64 weeksBetween(const QDate& from, const QDate& to)
{
    if (!from.isValid() || !to.isValid())
        return 0;
    return sundaysUpTo(to) - sundaysUpTo(from);
}

qint64 monthsBetween(const QDate& from, const QDate& to)
{
    if (!from.isValid() || !to.isValid())
        return 0;
    return 12 * qint64(to.year() - from.year()) + (to.month() - from.month());
}

// Clock hours counted on one scale: hour boundaries between two times are the
// difference of their values, minutes ignored.
qint64 hourIndex(const QDateTime& dt)
{
    return dt.date().toJulianDay() * 24 + dt.time().hour();
}

}  // namespace

Money UnitChargeAmount(const QString& sChargeForEach, const QDateTime& dtFromDate, const QDateTime& dtToDate,
                       Money LowUnitPrice, Money HighUnitPrice, Money HighWeekendPrice, Money LowWeekendPrice,
                       Money UnitPrice, qint32 iNoAdults)
{
    const Prices prices{LowUnitPrice, HighUnitPrice, HighWeekendPrice, LowWeekendPrice};
    Seasons seasons;
    const QDate from = dtFromDate.date();
    const QDate to = dtToDate.date();

    auto nights = [&] {
        Money sum;
        for (QDate d = from; d.isValid() && d.daysTo(to) > 0; d = d.addDays(1))
            sum += priceOf(d, prices, seasons);
        return sum;
    };
    auto atLeastOne = [](qint64 n) { return n == 0 ? qint64(1) : n; };

    if (sChargeForEach == QLatin1String("Night"))
        return nights();
    if (sChargeForEach == QLatin1String("Night and Person"))
        return nights() * iNoAdults;
    if (sChargeForEach == QLatin1String("Hour")) {
        Money sum;
        if (!dtFromDate.isValid() || !dtToDate.isValid())
            return sum;   // no hours to count, as no nights are counted then
        const qint64 first = hourIndex(dtFromDate);
        const qint64 hours = hourIndex(dtToDate) - first;
        for (qint64 h = 0; h < hours; ++h)
            sum += priceOf(QDate::fromJulianDay((first + h) / 24), prices, seasons);
        return sum;
    }
    if (sChargeForEach == QLatin1String("Week"))
        return UnitPrice * atLeastOne(weeksBetween(from, to));
    if (sChargeForEach == QLatin1String("Week and Person"))
        return UnitPrice * (atLeastOne(weeksBetween(from, to)) * iNoAdults);
    if (sChargeForEach == QLatin1String("Month"))
        return UnitPrice * atLeastOne(monthsBetween(from, to));
    if (sChargeForEach == QLatin1String("Month and Person"))
        return UnitPrice * (atLeastOne(monthsBetween(from, to)) * iNoAdults);
    if (sChargeForEach == QLatin1String("Person"))
        return UnitPrice * iNoAdults;
    return UnitPrice * iNoOfNights;
}

QString BookingLineName(const QString& sName, const QDateTime& dtFromDate, const QDateTime& dtToDate)
{
    return sName + QStringLiteral(" booking from ") + Fmt::shortDate(dtFromDate.date()) + QStringLiteral(" to ")
           + Fmt::shortDate(dtToDate.date());
}

void AddBookingItemToInvoice(const QString& sChargeForEach, const QDateTime& dtFromDate, const QDateTime& dtToDate,
                             Money LowUnitPrice, Money HighUnitPrice, Money HighWeekendPrice, Money LowWeekendPrice,
                             Money UnitPrice, const QString& sName, const QString& sTaxName, double dTaxPercentage,
                             qint32 iNoAdults)
{
    const Money amount = UnitChargeAmount(sChargeForEach, dtFromDate, dtToDate, LowUnitPrice, HighUnitPrice,
                                          HighWeekendPrice, LowWeekendPrice, UnitPrice, iNoAdults);
    AddNewInvoiceLineToDB(ItemId::Booking, 1, BookingLineName(sName, dtFromDate, dtToDate), amount, sTaxName, dTaxPercentage);
}

qint64 AddNewInvoiceLineToDB(qint32 ID, qint32 Quantity, const QString& Name, Money Amount,
                             const QString& TaxRateName, double TaxRatePercentage)
{
    Query q = objConn.query(QStringLiteral("SELECT item.id, item.name, taxrate.percentage, taxrate.name AS tname, "
                                           "saleamount FROM item, taxrate "
                                           "WHERE item.taxrateid = taxrate.id AND item.id = ?"),
                            {ID});
    if (!q.next())
        return -1;
    const bool given = ID == 1 || ID == 2;
    const QString name = given ? Name : q.text(QStringLiteral("name"));
    const Money amount = given ? Amount : q.money(QStringLiteral("saleamount"));
    const QString taxName = given ? TaxRateName : q.text(QStringLiteral("tname"));
    const double taxPercentage = given ? TaxRatePercentage : q.value(QStringLiteral("percentage")).toDouble();
    return objConn.insert(QStringLiteral("InvoiceLine"), {{QStringLiteral("ItemID"), ID},
                                                          {QStringLiteral("BookingID"), iBookingID},
                                                          {QStringLiteral("Quantity"), Quantity},
                                                          {QStringLiteral("Name"), name},
                                                          {QStringLiteral("Amount"), dbValue(amount)},
                                                          {QStringLiteral("TaxRateName"), taxName},
                                                          {QStringLiteral("TaxRatePercentage"), taxPercentage}});
}
