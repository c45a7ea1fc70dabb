#include "reports/reportstore.h"

#include "core/format.h"
#include "core/rowscan.h"
#include "core/invoicetotals.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace ReportStore {

namespace {

QString DayStart(const QDate& d)
{
    return Fmt::dbDateTime(Fmt::clockDateTime(d, QTime(0, 0)));
}

// A day ends at 23:59:00: an arrival in its last minute belongs to no day.
QString DayEnd(const QDate& d)
{
    return Fmt::dbDateTime(Fmt::clockDateTime(d, QTime(23, 59)));
}

}  // namespace

RowScan CommissionAccounts()
{
    return RowScan(QStringLiteral("SELECT id, name FROM commission ORDER BY id"));
}

RowScan CommissionDues()
{
    return RowScan(QStringLiteral(
        "SELECT commissionID, commissionAmount, fromDate FROM booking ORDER BY commissionID, fromDate, id"));
}

RowScan CommissionPaymentsMade()
{
    return RowScan(QStringLiteral("SELECT commissionID, amount, submittedDate FROM commissionPayment "
                                  "ORDER BY commissionID, submittedDate, id"));
}

RowScan CustomersForExport()
{
    return RowScan(QStringLiteral("SELECT FirstName, LastName, Address1, Address2, City, State, PostCode, "
                                  "Country, Phone, Email, BusinessName, SubmittedDate FROM customer ORDER BY ID"));
}

RowScan ReservationsForExport()
{
    return RowScan(QStringLiteral(
        "SELECT FromDate, ToDate, BookedBy, CustomerID, Notes, NoAdults, NoKids, PaymentMethod, CreditCardNo, "
        "CreditCardExpiry, CreditCardType, FirstName, LastName, Address1, Address2, City, State, PostCode, Country, "
        "Phone, Email, SubmittedDate, BusinessName FROM booking, customer WHERE customer.ID = booking.customerid "
        "ORDER BY booking.id"));
}

qint64 CustomerCount()
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM customer")).toLongLong();
}

qint64 BookingCount()
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM booking")).toLongLong();
}

qint64 CommissionPaymentCount()
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM commissionPayment")).toLongLong();
}

namespace {

// The overlap of a booking with the range [start, end]: the range's start or
// end within the booking, or the booking within the range, bounds included.
// Only a stay that ends by the range's start and begins by its end can.
const char* const kOverlap =
    "todate >= ? AND fromdate <= ? AND ((? >= fromdate AND ? <= todate) OR (? >= fromdate AND ? <= todate) "
    "OR (fromdate >= ? AND todate <= ?))";

// The values of the parameters before kOverlap, then those of its own.
QVariantList OverlapParams(QVariantList params, const QDateTime& start, const QDateTime& end)
{
    const QString s = Fmt::dbDateTime(start), e = Fmt::dbDateTime(end);
    params << s << e << s << s << e << e << s << e;
    return params;
}

}  // namespace

namespace {

// The booked units of the stays overlapping the range, for the rows and for
// their count. The stays are found first from the departures index: those
// that end after the range's start, of which those that begin by its end.
QString BookedUnitsOverlappingFrom()
{
    return QStringLiteral(" FROM booking, bookingroom, customer, room "
                          "WHERE customer.ID = booking.customerid AND bookingroom.roomid = room.id "
                          "AND bookingroom.bookingid = booking.id "
                          "AND booking.id IN (SELECT id FROM booking WHERE todate >= ? AND +fromdate <= ?) AND ")
        + QLatin1String(kOverlap);
}

QVariantList BookedUnitsOverlappingParams(const QDateTime& start, const QDateTime& end)
{
    return OverlapParams({Fmt::dbDateTime(start), Fmt::dbDateTime(end)}, start, end);
}

}  // namespace

RowScan BookedUnitsOverlapping(const QDateTime& start, const QDateTime& end)
{
    return RowScan(QStringLiteral("SELECT booking.id, fromdate, todate, firstname, lastname, room.id AS roomid, "
                                  "room.name AS rname")
                       + BookedUnitsOverlappingFrom() + QStringLiteral(" ORDER BY fromdate, booking.id, bookingroom.id"),
                   BookedUnitsOverlappingParams(start, end));
}

qint64 BookedUnitsOverlappingCount(const QDateTime& start, const QDateTime& end)
{
    RowScan r(QStringLiteral("SELECT count(*)") + BookedUnitsOverlappingFrom(), BookedUnitsOverlappingParams(start, end));
    return r.next() ? r.integer(0) : 0;
}

Query StaysOfUnitOverlapping(qint64 unitId, const QDateTime& start, const QDateTime& end)
{
    // From the unit's own rows: over a long range, that is fewer rows than
    // all the stays of the range.
    return objConn.query(QStringLiteral("SELECT fromdate, todate FROM bookingroom CROSS JOIN booking CROSS JOIN customer "
                                        "WHERE bookingroom.roomid = ? AND booking.id = bookingroom.bookingid "
                                        "AND customer.ID = booking.customerid AND ")
                             + QLatin1String(kOverlap) + QStringLiteral(" ORDER BY fromdate"),
                         OverlapParams({unitId}, start, end));
}

Query ItemsByName()
{
    return objConn.query(QStringLiteral("SELECT id, name FROM item ORDER BY name COLLATE FOLD, id"));
}

Query InvoiceLineGroupsByTaxName()
{
    // Grouped from the item index alone; the few groups are then sorted.
    return objConn.query(QStringLiteral(
        "SELECT itemid, taxratename, taxratepercentage, amount, quantity, n FROM "
        "(SELECT itemid, taxratename, taxratepercentage, amount, quantity, count(*) AS n FROM invoiceline "
        "GROUP BY itemid, taxratename COLLATE BINARY, taxratepercentage, amount, quantity) "
        "ORDER BY taxratename COLLATE FOLD, taxratename COLLATE BINARY"));
}

Query CommissionTotals()
{
    return objConn.query(QStringLiteral(
        "SELECT name, (SELECT SUM(commissionamount) FROM booking WHERE booking.commissionID = commission.id), "
        "(SELECT SUM(amount) FROM commissionPayment WHERE commissionPayment.commissionID = commission.id) "
        "FROM commission ORDER BY name COLLATE FOLD, id"));
}

qint64 UnitCount()
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM room")).toLongLong();
}

qint64 BookedUnitsArriving(const QDateTime& from, const QDateTime& to)
{
    return objConn
        .scalar(QStringLiteral("SELECT count(*) FROM booking, bookingroom WHERE booking.id = bookingroom.bookingid "
                               "AND fromdate >= ? AND fromdate <= ?"),
                {Fmt::dbDateTime(from), Fmt::dbDateTime(to)})
        .toLongLong();
}

qint64 BookingsArriving(const QDateTime& from, const QDateTime& to)
{
    return objConn
        .scalar(QStringLiteral("SELECT count(*) FROM booking WHERE fromdate BETWEEN ? AND ?"),
                {Fmt::dbDateTime(from), Fmt::dbDateTime(to)})
        .toLongLong();
}

namespace {

// The month of a stored date: the number that its sixth and seventh
// characters begin with, 0 when they begin with none.
int MonthOf(const QByteArray& date)
{
    int month = 0;
    for (int i = 5; i < 7 && i < date.size() && date[i] >= '0' && date[i] <= '9'; ++i)
        month = month * 10 + (date[i] - '0');
    return month;
}

}  // namespace

ArrivalFigures ArrivalStatistics()
{
    // One walk over the arrival index: equal arrivals come together, and
    // every figure is kept up as the groups go by. The earliest group wins a
    // tie, as it is met first.
    RowScan r(QStringLiteral("SELECT fromdate, noadults FROM booking ORDER BY fromdate"));
    ArrivalFigures f;
    struct Group {
        QByteArray date;
        int type = -1;
        qint64 n = 0;
        double adults = 0;
    } group;
    qint64 mostN = -1, fewestN = -1;
    double mostA = 0, fewestA = 0;
    bool any = false;
    QByteArray busiest, quietest, mostAdults, fewestAdults;
    std::map<int, qint64> months;
    const auto close = [&] {
        if (group.type < 0)
            return;
        if (group.n > mostN) {
            mostN = group.n;
            busiest = group.date;
        }
        if (fewestN < 0 || group.n < fewestN) {
            fewestN = group.n;
            quietest = group.date;
        }
        if (!any || group.adults > mostA) {
            mostA = group.adults;
            mostAdults = group.date;
        }
        if (!any || group.adults < fewestA) {
            fewestA = group.adults;
            fewestAdults = group.date;
        }
        any = true;
        months[MonthOf(group.date)] += group.n;
        f.bookings += group.n;
    };
    while (r.next()) {
        int size = 0;
        const char* d = r.bytes(0, &size);
        const int type = r.isNull(0) ? 0 : 1;
        if (group.type != type || group.date.size() != size || std::memcmp(group.date.constData(), d, size_t(size)) != 0) {
            close();
            group = Group{QByteArray(d, size), type, 0, 0};
        }
        ++group.n;
        group.adults += r.real(1);
    }
    close();
    if (!any)
        return f;
    const auto when = [](const QByteArray& d) { return Fmt::fromDbDateTime(QString::fromUtf8(d)); };
    f.busiest = when(busiest);
    f.quietest = when(quietest);
    f.mostAdults = when(mostAdults);
    f.fewestAdults = when(fewestAdults);
    qint64 most = -1, fewest = -1;
    for (const auto& [month, n] : months) {
        if (n > most) {
            most = n;
            f.popularMonth = month;
        }
        if (fewest < 0 || n < fewest) {
            fewest = n;
            f.quietMonth = month;
        }
    }
    return f;
}

bool MostRecurringCustomer(QString* firstName, QString* lastName)
{
    // Bookings counted per customer from the customer index of bookings; the
    // most booked customer that has a row, the lowest id on ties.
    std::vector<std::pair<qint64, qint64>> counts;   // bookings, customer id
    for (RowScan r(QStringLiteral("SELECT customerid, count(*) FROM booking GROUP BY customerid")); r.next();)
        if (!r.isNull(0))
            counts.emplace_back(r.integer(1), r.integer(0));
    std::sort(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    for (const auto& [n, id] : counts) {
        Query c = objConn.query(QStringLiteral("SELECT firstname, lastname FROM customer WHERE ID = ?"), {id});
        if (c.next()) {
            *firstName = c.text(0);
            *lastName = c.text(1);
            return true;
        }
    }
    return false;
}

QMap<QDate, DayArrivals> ArrivalsPerDay(const QDate& first, const QDate& last)
{
    QMap<QDate, DayArrivals> days;
    Query r = objConn.query(
        QStringLiteral("SELECT substr(fromdate, 1, 10) AS day, total(substr(fromdate, 12) <= '23:59:00'), count(*) "
                       "FROM booking WHERE fromdate >= ? AND fromdate < ? GROUP BY day"),
        {DayStart(first), DayStart(last.addDays(1))});
    while (r.next()) {
        const QDate d = QDate::fromString(r.text(0), Qt::ISODate);
        if (d.isValid())
            days.insert(d, DayArrivals{r.integer(1), r.integer(2)});
    }
    return days;
}

QMap<QDate, Money> RevenuePerDay(const QDate& first, const QDate& last, qint64 unitId)
{
    static const QString all = QStringLiteral(
        "SELECT substr(booking.fromdate, 1, 10), invoiceline.quantity, invoiceline.amount "
        "FROM booking JOIN invoiceline ON invoiceline.bookingid = booking.id "
        "WHERE booking.fromdate >= ? AND booking.fromdate <= ? AND substr(booking.fromdate, 12) <= '23:59:00'");
    QVariantList params{DayStart(first), DayEnd(last)};
    QString sql = all;
    if (unitId != -1) {
        sql += QStringLiteral(" AND booking.id IN (SELECT bookingid FROM bookingroom WHERE roomid = ?)");
        params << unitId;
    }
    QMap<QDate, Money> days;
    Query r = objConn.query(sql, params);
    while (r.next()) {
        InvoiceLine line;
        line.quantity = r.value(1).toDouble();
        line.amount = r.money(2);
        days[QDate::fromString(r.text(0), Qt::ISODate)] += line.itemTotal();
    }
    return days;
}

}  // namespace ReportStore
