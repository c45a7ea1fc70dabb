#include "reports/reportstore.h"

#include "core/format.h"
#include "invoicing/invoicetotals.h"

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

Query CommissionAccounts()
{
    return objConn.query(QStringLiteral("SELECT id, name FROM commission ORDER BY id"));
}

Query CommissionDues()
{
    return objConn.query(QStringLiteral(
        "SELECT commissionID, commissionAmount, fromDate FROM booking ORDER BY commissionID, fromDate, id"));
}

Query CommissionPaymentsMade()
{
    return objConn.query(QStringLiteral("SELECT commissionID, amount, submittedDate FROM commissionPayment "
                                        "ORDER BY commissionID, submittedDate, id"));
}

Query CustomersForExport()
{
    return objConn.query(QStringLiteral("SELECT FirstName, LastName, Address1, Address2, City, State, PostCode, "
                                        "Country, Phone, Email, BusinessName, SubmittedDate FROM customer ORDER BY ID"));
}

Query ReservationsForExport()
{
    return objConn.query(QStringLiteral(
        "SELECT FromDate, ToDate, BookedBy, CustomerID, Notes, NoAdults, NoKids, PaymentMethod, CreditCardNo, "
        "CreditCardExpiry, CreditCardType, FirstName, LastName, Address1, Address2, City, State, PostCode, Country, "
        "Phone, Email, SubmittedDate, BusinessName FROM booking, customer WHERE customer.ID = booking.customerid "
        "ORDER BY booking.id"));
}

Query BookedUnitsOverlapping(const QDateTime& start, const QDateTime& end)
{
    const QString s = Fmt::dbDateTime(start), e = Fmt::dbDateTime(end);
    return objConn.query(
        QStringLiteral("SELECT booking.id, fromdate, todate, firstname, lastname, room.id AS roomid, "
                       "room.name AS rname FROM booking, bookingroom, customer, room "
                       "WHERE customer.ID = booking.customerid AND bookingroom.roomid = room.id "
                       "AND bookingroom.bookingid = booking.id "
                       "AND ((? >= fromdate AND ? <= todate) OR (? >= fromdate AND ? <= todate) "
                       "OR (fromdate >= ? AND todate <= ?)) "
                       "ORDER BY fromdate, booking.id, bookingroom.id"),
        {s, s, e, e, s, e});
}

Query ItemsByName()
{
    return objConn.query(QStringLiteral("SELECT id, name FROM item ORDER BY name, id"));
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
        "FROM commission ORDER BY name, id"));
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

ArrivalFigures ArrivalStatistics()
{
    // The bookings are grouped by arrival once; every figure is read from
    // those groups (a few per day), not from the bookings again.
    Query r = objConn.query(QStringLiteral(
        "WITH g AS MATERIALIZED (SELECT fromdate AS d, count(*) AS n, total(noadults) AS a FROM booking "
        "GROUP BY fromdate), "
        "m AS MATERIALIZED (SELECT CAST(substr(d, 6, 2) AS INTEGER) AS mo, sum(n) AS n FROM g GROUP BY mo) "
        "SELECT (SELECT d FROM g ORDER BY n DESC, d LIMIT 1), (SELECT d FROM g ORDER BY n, d LIMIT 1), "
        "(SELECT d FROM g ORDER BY a DESC, d LIMIT 1), (SELECT d FROM g ORDER BY a, d LIMIT 1), "
        "(SELECT mo FROM m ORDER BY n DESC, mo LIMIT 1), (SELECT mo FROM m ORDER BY n, mo LIMIT 1), "
        "(SELECT total(n) FROM g)"));
    ArrivalFigures f;
    if (!r.next())
        return f;
    f.busiest = r.dateTime(0);
    f.quietest = r.dateTime(1);
    f.mostAdults = r.dateTime(2);
    f.fewestAdults = r.dateTime(3);
    f.popularMonth = int(r.integer(4));
    f.quietMonth = int(r.integer(5));
    f.bookings = qint64(r.value(6).toDouble());
    return f;
}

bool MostRecurringCustomer(QString* firstName, QString* lastName)
{
    // Bookings are counted per customer from the customer index of bookings.
    Query r = objConn.query(QStringLiteral(
        "SELECT c.firstname, c.lastname FROM (SELECT customerid, count(*) AS n FROM booking GROUP BY customerid) AS b "
        "JOIN customer AS c ON c.ID = b.customerid ORDER BY b.n DESC, c.ID LIMIT 1"));
    if (!r.next())
        return false;
    *firstName = r.text(0);
    *lastName = r.text(1);
    return true;
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
