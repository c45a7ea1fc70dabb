#pragma once
// Whether a unit is free for a period. A booking conflicts when the period's
// start lies within it, when the period's end lies within it, or when it lies
// within the period, every end included; full date-times are compared.
// Stored bookings may end before they start, so the three tests are kept as
// they are rather than folded into two comparisons, which would answer those
// differently.
#include <QDateTime>
#include <QString>
#include <QVariantList>

// True when unit sApartmentID is free from sDateFrom to sDateTo, the booking
// iBookingSelfID aside; sStatus receives "Available" or "Booked".
bool IsApartmentAvailable_IgnoreSelf(qint32 iBookingSelfID, qint64 sApartmentID, const QDateTime& sDateFrom,
                                     const QDateTime& sDateTo, QString& sStatus);

// The conflict test as an SQL condition on booking.fromdate and booking.todate,
// with the values of OverlapParams bound in order. The columns carry a unary
// plus: the condition is cheapest as a scan of the dates index, which the
// planner would otherwise split into three partial scans.
QString OverlapClause();
QVariantList OverlapParams(const QDateTime& from, const QDateTime& to);
