#include "booking/availability.h"

#include "core/bookingunitstore.h"

bool IsApartmentAvailable_IgnoreSelf(qint32 iBookingSelfID, qint64 sApartmentID, const QDateTime& sDateFrom,
                                     const QDateTime& sDateTo, QString& sStatus)
{
    const bool free = BookingUnitStore::isFree(sApartmentID, sDateFrom, sDateTo, iBookingSelfID);
    sStatus = free ? QStringLiteral("Available") : QStringLiteral("Booked");
    return free;
}
