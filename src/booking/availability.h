#pragma once
// Whether a unit is free for a period (the conflict test of
// core/bookingunitstore.h).
#include <QDateTime>
#include <QString>

// True when unit sApartmentID is free from sDateFrom to sDateTo, the booking
// iBookingSelfID aside; sStatus receives "Available" or "Booked".
bool IsApartmentAvailable_IgnoreSelf(qint32 iBookingSelfID, qint64 sApartmentID, const QDateTime& sDateFrom,
                                     const QDateTime& sDateTo, QString& sStatus);
