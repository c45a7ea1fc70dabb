#pragma once
// Every statement that the reports, the exports and the finance summary run,
// each written once. They only read.
#include "core/db.h"
#include "core/rowscan.h"

#include <QDate>
#include <QDateTime>
#include <QMap>

namespace ReportStore {

// ---- Exports -------------------------------------------------------------
// The exports read their rows as the database hands them out (RowScan).

// id, name of every commission account, in table order.
RowScan CommissionAccounts();
// commissionid, commissionAmount, fromDate of every booking, by account and start.
RowScan CommissionDues();
// commissionid, amount, submittedDate of every payment, by account and date.
RowScan CommissionPaymentsMade();
// The twelve exported columns of every customer, in table order.
RowScan CustomersForExport();
// The exported columns of every booking that has a customer row, in table order.
RowScan ReservationsForExport();
// Rows of each table, for an export's progress.
qint64 CustomerCount();
qint64 BookingCount();
qint64 CommissionPaymentCount();
// Booked units of bookings that have a customer row and overlap the range
// [start, end] (the range's start or end within the booking, or the booking
// within the range, bounds included): booking id, fromdate, todate, firstname,
// lastname, roomid, rname; by start, then booking and unit row.
RowScan BookedUnitsOverlapping(const QDateTime& start, const QDateTime& end);
// How many rows BookedUnitsOverlapping() gives, for an export's progress.
qint64 BookedUnitsOverlappingCount(const QDateTime& start, const QDateTime& end);
// fromdate, todate of the bookings of one unit that have a customer row and
// overlap the range as above, by start.
Query StaysOfUnitOverlapping(qint64 unitId, const QDateTime& start, const QDateTime& end);

// ---- Finance summary -----------------------------------------------------

// id, name of every chargeable item, by name.
Query ItemsByName();
// itemid, taxratename, taxratepercentage, amount, quantity and how many
// invoice lines (of deleted bookings too) carry all five, by tax name; names
// that differ only in case kept apart.
Query InvoiceLineGroupsByTaxName();
// name, commission due, commission paid of every account, by name.
Query CommissionTotals();

// ---- Statistics and the chart ---------------------------------------------

qint64 UnitCount();
// Booked units of the bookings arriving between the two moments, bounds included.
qint64 BookedUnitsArriving(const QDateTime& from, const QDateTime& to);
// Bookings arriving between the two moments, bounds included.
qint64 BookingsArriving(const QDateTime& from, const QDateTime& to);
// The figures of all arrivals, from one pass over the arrival dates:
// the arrival date-time shared by the most and by the fewest bookings, those
// with the largest and the smallest adult total, the months (1-12) with the
// most and the fewest arrivals over all years, the earliest on ties, and the
// number of bookings. Dates are invalid and months 0 when there are none.
struct ArrivalFigures {
    QDateTime busiest, quietest, mostAdults, fewestAdults;
    int popularMonth = 0, quietMonth = 0;
    qint64 bookings = 0;
};
ArrivalFigures ArrivalStatistics();
// First and last name of the customer with the most bookings (lowest id on
// ties); false when no customer has a booking.
bool MostRecurringCustomer(QString* firstName, QString* lastName);

// Arrivals per day from first to last: for each day that has any, the
// bookings arriving within its bounds (00:00:00 to 23:59:00), and all that
// arrive on it (a later minute too).
struct DayArrivals {
    qint64 inBounds = 0;
    qint64 all = 0;
};
QMap<QDate, DayArrivals> ArrivalsPerDay(const QDate& first, const QDate& last);
// Revenue (quantity times amount of their invoice lines) of the bookings
// arriving on each day from first to last within the day's bounds; all
// bookings when unitId is -1, else those that hold that unit.
QMap<QDate, Money> RevenuePerDay(const QDate& first, const QDate& last, qint64 unitId);

}  // namespace ReportStore
