#include "core/bookingunitstore.h"

#include "core/db.h"

namespace {

// The conflict test as an SQL condition on booking.fromdate and
// booking.todate, with the values of overlapParams bound in order. In front
// of the three tests, a condition that every conflicting booking meets
// narrows the search to the period's neighbourhood through the dates
// indexes: the bookings that end at or after the period's earlier end and
// start at or before its later one, and those that start at or after its
// start and end at or before its end (the third test alone, which a booking
// ending before it starts may meet far from the period). Both are ranges of
// an index, whatever the length of the history. The three tests carry a
// unary plus on their columns: the planner would otherwise try them on the
// indexes too. Each clause tests first what most bookings (those long past)
// fail.
const char* const kOverlap =
    "booking.id IN (SELECT id FROM booking WHERE todate >= ? AND +fromdate <= ? "
    "UNION ALL SELECT id FROM booking WHERE fromdate >= ? AND +todate <= ?) AND "
    "((? <= +booking.todate AND ? >= +booking.fromdate) OR "
    "(? <= +booking.todate AND ? >= +booking.fromdate) OR "
    "(+booking.fromdate >= ? AND +booking.todate <= ?))";

QVariantList overlapParams(const QDateTime& from, const QDateTime& to)
{
    const QVariant f = dbValue(from);
    const QVariant t = dbValue(to);
    // The stored texts compare as the database compares them; a period may
    // end before it starts.
    const bool ordered = f.isNull() || t.isNull() || f.toString() <= t.toString();
    const QVariant earlier = ordered ? f : t;
    const QVariant later = ordered ? t : f;
    return {earlier, later, f, t, f, f, t, t, f, t};
}

// " FROM ... WHERE ..." the unit rows of the bookings but ignoreId that
// conflict with the period (of the one unit, when given), their values
// appended to params. CROSS JOIN keeps the bookings outermost: the bookings
// of the period's neighbourhood, then their unit rows (a unit's own bookings
// would be its whole history).
QString conflictingUnitRows(qint64 ignoreId, const qint64* unitId, const QDateTime& from, const QDateTime& to,
                            QVariantList& params)
{
    QString sql = QStringLiteral(" FROM booking CROSS JOIN bookingroom WHERE booking.id <> ? ");
    params << ignoreId;
    if (unitId) {
        sql += QStringLiteral("AND bookingroom.roomid = ? ");
        params << *unitId;
    }
    params += overlapParams(from, to);
    return sql + QStringLiteral("AND bookingroom.bookingid = booking.id AND ") + QLatin1String(kOverlap);
}

}  // namespace

namespace BookingUnitStore {

QList<qint64> unitsOf(qint64 bookingId)
{
    QList<qint64> ids;
    Query q = objConn.query(QStringLiteral("SELECT roomid FROM bookingroom WHERE bookingid = ? ORDER BY id"),
                            {bookingId});
    while (q.next())
        ids << q.integer(0);
    return ids;
}

QStringList unitNamesOf(qint64 bookingId)
{
    QStringList names;
    Query q = objConn.query(QStringLiteral("SELECT room.name FROM bookingroom JOIN room ON room.id = bookingroom.roomid "
                                           "WHERE bookingroom.bookingid = ? ORDER BY bookingroom.id"),
                            {bookingId});
    while (q.next())
        names << q.text(0);
    return names;
}

std::vector<PricedUnit> pricedUnitsOf(qint64 bookingId)
{
    std::vector<PricedUnit> units;
    Query q = objConn.query(
        QStringLiteral("SELECT room.name, LowUnitPrice, HighUnitPrice, HighWeekendPrice, LowWeekendPrice, "
                       "CommissionID, CommissionPercentage, unitprice, chargeforeach, taxrate.name AS tname, "
                       "taxrate.percentage FROM room, bookingroom, taxrate "
                       "WHERE bookingroom.bookingid = ? AND bookingroom.roomid = room.id "
                       "AND room.taxrateid = taxrate.id ORDER BY bookingroom.id"),
        {bookingId});
    while (q.next()) {
        PricedUnit u;
        u.name = q.text(0);
        u.low = q.money(1);
        u.high = q.money(2);
        u.highWeekend = q.money(3);
        u.lowWeekend = q.money(4);
        u.hasCommission = !q.isNull(5);
        u.commissionID = q.integer(5);
        u.commissionPercentage = q.value(6).toDouble();
        u.unitPrice = q.money(7);
        u.chargeForEach = q.text(8);
        u.taxName = q.text(9);
        u.taxPercentage = q.value(10).toDouble();
        units.push_back(u);
    }
    return units;
}

void replace(qint64 bookingId, const QList<qint64>& unitIds)
{
    Connection::Transaction transaction(objConn);
    removeOf(bookingId);
    for (qint64 unit : unitIds)
        objConn.insert(QStringLiteral("bookingroom"), {{QStringLiteral("bookingid"), bookingId}, {QStringLiteral("roomid"), unit}});
    transaction.commit();
}

QList<OfferedUnit> freeUnits(qint64 bookingId, const QDateTime& from, const QDateTime& to)
{
    QVariantList params;
    Query q = objConn.query(
        QStringLiteral("SELECT id, name, notes FROM room WHERE id NOT IN (SELECT bookingroom.roomid")
            + conflictingUnitRows(bookingId, nullptr, from, to, params)
            + QStringLiteral(") ORDER BY name COLLATE FOLD, id"),
        params);
    QList<OfferedUnit> units;
    while (q.next())
        units.append({q.integer(0), q.text(1), q.text(2)});
    return units;
}

bool isFree(qint64 unitId, const QDateTime& from, const QDateTime& to, qint64 ignoreId)
{
    QVariantList params;
    Query q = objConn.query(
        QStringLiteral("SELECT booking.id") + conflictingUnitRows(ignoreId, &unitId, from, to, params)
            + QStringLiteral(" LIMIT 1"),
        params);
    return !q.next();
}

bool isBooked(qint64 unitId)
{
    return objConn.scalar(QStringLiteral("SELECT EXISTS(SELECT 1 FROM bookingroom WHERE roomid = ?)"), {unitId})
               .toLongLong()
           != 0;
}

void removeOf(qint64 bookingId)
{
    objConn.execute(QStringLiteral("DELETE FROM bookingroom WHERE bookingid = ?"), {bookingId});
}

void removeOfCustomer(qint64 customerId)
{
    objConn.execute(
        QStringLiteral("DELETE FROM bookingroom WHERE bookingid IN (SELECT id FROM booking WHERE customerid = ?)"),
        {customerId});
}

void removeBookingsOfUnit(qint64 unitId)
{
    Connection::Transaction transaction(objConn);
    // The bookings first, through the unit's rows; then those rows go with them.
    objConn.execute(
        QStringLiteral("DELETE FROM booking WHERE id IN (SELECT bookingid FROM bookingroom WHERE roomid = ?)"),
        {unitId});
    objConn.execute(QStringLiteral("DELETE FROM bookingroom WHERE bookingid IN "
                                   "(SELECT bookingid FROM bookingroom WHERE roomid = ?)"),
                    {unitId});
    transaction.commit();
}

}  // namespace BookingUnitStore
