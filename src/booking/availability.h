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
// with the values of OverlapParams bound in order. In front of the three
// tests, a condition that every conflicting booking meets narrows the search
// to the period's neighbourhood through the dates indexes: the bookings that
// end at or after the period's earlier end and start at or before its later
// one, and those that start at or after its start and end at or before its
// end (the third test alone, which a booking ending before it starts may
// meet far from the period). Both are ranges of an index, whatever the
// length of the history. The three tests carry a unary plus on their columns:
// the planner would otherwise try them on the indexes too.
QString OverlapClause();
QVariantList OverlapParams(const QDateTime& from, const QDateTime& to);
