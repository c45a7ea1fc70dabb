#include "core/invoicelines.h"

#include "core/configrecords.h"
#include "core/db.h"
#include "core/format.h"
#include "core/invoicelinestore.h"
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
        if (it == m_months.constEnd())
            it = m_months.insert(month, SeasonRecord::find(month));
        *high = *it && (*it)->high;
        return it->has_value();
    }

private:
    QHash<int, std::optional<SeasonRecord>> m_months;
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
                       Money UnitPrice, qint32 iNoAdults, int iNoOfNights)
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

void AddBookingItemToInvoice(const Stay& stay, const PricedUnit& unit)
{
    const Money amount =
        UnitChargeAmount(unit.chargeForEach, stay.dtFromDate, stay.dtToDate, unit.low, unit.high, unit.highWeekend,
                         unit.lowWeekend, unit.unitPrice, stay.iNoAdults, stay.iNoOfNights);
    AddNewInvoiceLineToDB(stay.iBookingID, ItemId::Booking, 1, BookingLineName(unit.name, stay.dtFromDate, stay.dtToDate),
                          amount, unit.taxName, unit.taxPercentage);
}

qint64 AddNewInvoiceLineToDB(qint32 iBookingID, qint32 ID, qint32 Quantity, const QString& Name, Money Amount,
                             const QString& TaxRateName, double TaxRatePercentage)
{
    const std::optional<ChargeableItemRecord::Priced> item = ChargeableItemRecord::priced(ID);
    if (!item)
        return -1;
    const bool given = ID == ItemId::Booking || ID == ItemId::NewItem;
    InvoiceLineStore::Values line;
    line.bookingId = iBookingID;
    line.itemId = ID;
    line.quantity = Quantity;
    line.name = given ? Name : item->name;
    line.amount = given ? Amount : item->saleAmount;
    line.taxRateName = given ? TaxRateName : item->taxName;
    line.taxRatePercentage = given ? TaxRatePercentage : item->taxPercentage;
    return InvoiceLineStore::add(line);
}

void SeedInvoice(const Stay& stay, const std::vector<PricedUnit>& units)
{
    Connection::Transaction transaction(objConn);
    for (const PricedUnit& u : units)
        AddBookingItemToInvoice(stay, u);
    for (const ChargeableItemRecord::Priced& item : ChargeableItemRecord::pricedDefaults())
        AddNewInvoiceLineToDB(stay.iBookingID, item.id, 1, item.name, item.saleAmount, item.taxName, item.taxPercentage);
    transaction.commit();
}

void RepriceStay(const Stay& stay, const std::vector<PricedUnit>& units)
{
    Connection::Transaction transaction(objConn);
    InvoiceLineStore::removeItemLines(stay.iBookingID, ItemId::Booking);
    for (const PricedUnit& u : units)
        AddBookingItemToInvoice(stay, u);
    transaction.commit();
}
