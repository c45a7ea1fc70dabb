#include "booking/availability.h"

#include "core/db.h"

QString OverlapClause()
{
    // Each clause tests first what most bookings (those long past) fail.
    return QStringLiteral("((? <= +booking.todate AND ? >= +booking.fromdate) OR "
                          "(? <= +booking.todate AND ? >= +booking.fromdate) OR "
                          "(+booking.fromdate >= ? AND +booking.todate <= ?))");
}

QVariantList OverlapParams(const QDateTime& from, const QDateTime& to)
{
    const QVariant f = dbValue(from);
    const QVariant t = dbValue(to);
    return {f, f, t, t, f, t};
}

bool IsApartmentAvailable_IgnoreSelf(qint32 iBookingSelfID, qint64 sApartmentID, const QDateTime& sDateFrom,
                                     const QDateTime& sDateTo, QString& sStatus)
{
    QVariantList params{iBookingSelfID, sApartmentID};
    params += OverlapParams(sDateFrom, sDateTo);
    Query q = objConn.query(QStringLiteral("SELECT booking.id, fromdate, todate FROM booking, bookingroom "
                                           "WHERE booking.id <> ? AND bookingroom.roomid = ? "
                                           "AND bookingroom.bookingid = booking.id AND ")
                                + OverlapClause() + QStringLiteral(" LIMIT 1"),
                            params);
    const bool free = !q.next();
    sStatus = free ? QStringLiteral("Available") : QStringLiteral("Booked");
    return free;
}
