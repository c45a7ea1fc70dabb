#include "booking/availability.h"

#include "core/db.h"

QString OverlapClause()
{
    // Each clause tests first what most bookings (those long past) fail.
    return QStringLiteral("booking.id IN (SELECT id FROM booking WHERE todate >= ? AND +fromdate <= ? "
                          "UNION ALL SELECT id FROM booking WHERE fromdate >= ? AND +todate <= ?) AND "
                          "((? <= +booking.todate AND ? >= +booking.fromdate) OR "
                          "(? <= +booking.todate AND ? >= +booking.fromdate) OR "
                          "(+booking.fromdate >= ? AND +booking.todate <= ?))");
}

QVariantList OverlapParams(const QDateTime& from, const QDateTime& to)
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

bool IsApartmentAvailable_IgnoreSelf(qint32 iBookingSelfID, qint64 sApartmentID, const QDateTime& sDateFrom,
                                     const QDateTime& sDateTo, QString& sStatus)
{
    QVariantList params{iBookingSelfID, sApartmentID};
    params += OverlapParams(sDateFrom, sDateTo);
    // The bookings of the neighbourhood first, then their units: the unit's
    // own bookings would be its whole history.
    Query q = objConn.query(QStringLiteral("SELECT booking.id, fromdate, todate FROM booking CROSS JOIN bookingroom "
                                           "WHERE booking.id <> ? AND bookingroom.roomid = ? "
                                           "AND bookingroom.bookingid = booking.id AND ")
                                + OverlapClause() + QStringLiteral(" LIMIT 1"),
                            params);
    const bool free = !q.next();
    sStatus = free ? QStringLiteral("Available") : QStringLiteral("Booked");
    return free;
}
