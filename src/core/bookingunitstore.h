#pragma once
// The units of each booking (table bookingroom), read and written here and
// nowhere else. A unit is free for a period unless a booking that holds it
// conflicts with the period: the period's start lies within the booking,
// the period's end lies within it, or it lies within the period, every end
// included, full date-times compared. Stored bookings may end before they
// start, so the three tests are kept as they are rather than folded into two
// comparisons, which would answer those differently.
#include "core/money.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// A unit as the units step offers it.
struct OfferedUnit {
    qint64 id = 0;
    QString name;
    QString notes;
};

// A booked unit with what pricing its stay and its commission need.
struct PricedUnit {
    QString name;
    QString chargeForEach;
    Money low, high, highWeekend, lowWeekend, unitPrice;
    bool hasCommission = false;   // the unit earns commission (its account is not Null)
    qint64 commissionID = 0;
    double commissionPercentage = 0;
    QString taxName;
    double taxPercentage = 0;
};

namespace BookingUnitStore {

// The ids of the booking's units, in the order they were added.
QList<qint64> unitsOf(qint64 bookingId);
// The names of the booking's units, in the order they were added; a unit
// that no longer exists is left out.
QStringList unitNamesOf(qint64 bookingId);
// The booking's units with their prices and tax rate, in the order they
// were added; a unit without its tax rate row is left out.
std::vector<PricedUnit> pricedUnitsOf(qint64 bookingId);
// Makes the units the booking's, all at once, in the order given.
void replace(qint64 bookingId, const QList<qint64>& unitIds);

// Every unit that no booking but bookingId holds in the period, by name.
QList<OfferedUnit> freeUnits(qint64 bookingId, const QDateTime& from, const QDateTime& to);
// Whether the unit is free in the period, booking ignoreId aside.
bool isFree(qint64 unitId, const QDateTime& from, const QDateTime& to, qint64 ignoreId);
// Whether any booking holds the unit.
bool isBooked(qint64 unitId);

// Removes the unit rows of a booking, of every booking of a customer, or the
// bookings that hold a unit with all their unit rows.
void removeOf(qint64 bookingId);
void removeOfCustomer(qint64 customerId);
void removeBookingsOfUnit(qint64 unitId);

}  // namespace BookingUnitStore
