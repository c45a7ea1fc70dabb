#pragma once
// A booking's invoice lines: pricing a booked unit over the stay, and
// appending lines. A booking's charges exist only as these lines.
#include "core/bookingunitstore.h"
#include "core/money.h"

#include <QDateTime>
#include <QString>
#include <vector>

// What one booked unit costs over a stay. sChargeForEach is compared exactly:
//   "Night"            each night's price (arrival day up to, not including, the
//                      departure day), by the season of its month and weekends
//   "Night and Person" the nights' sum times iNoAdults
//   "Hour"             each clock hour from arrival to departure, priced as a night
//   "Week"/"Month"     weeks (Sundays passed) or months (month boundaries
//                      passed) times UnitPrice, at least one
//   "... and Person"   the same times iNoAdults
//   "Person"           iNoAdults times UnitPrice
//   anything else      iNoOfNights (the stay's nights) times UnitPrice
// A night or hour in a month without a season row costs nothing; "H" marks a
// high-season month, any other value a low one; Saturday and Sunday take the
// weekend prices.
Money UnitChargeAmount(const QString& sChargeForEach, const QDateTime& dtFromDate, const QDateTime& dtToDate,
                       Money LowUnitPrice, Money HighUnitPrice, Money HighWeekendPrice, Money LowWeekendPrice,
                       Money UnitPrice, qint32 iNoAdults, int iNoOfNights);

// "<name> booking from <arrival> to <departure>", dates in the short format.
QString BookingLineName(const QString& sName, const QDateTime& dtFromDate, const QDateTime& dtToDate);

// A booking's stay as pricing needs it.
struct Stay {
    qint32 iBookingID = 0;
    QDateTime dtFromDate;
    QDateTime dtToDate;
    qint32 iNoAdults = 0;
    int iNoOfNights = 0;   // days from arrival to departure
};

// Adds the one accommodation line (item 1, quantity 1) of a booked unit to the
// booking's invoice, priced by UnitChargeAmount, with the unit's tax name and
// percentage copied into it. Nothing is added when item 1 is missing.
void AddBookingItemToInvoice(const Stay& stay, const PricedUnit& unit);

// Appends a line of item ID to the invoice of booking iBookingID and returns
// its id; -1, with nothing written, when the item or its tax rate does not
// exist. Items 1 (accommodation) and 2 (free text) take the given name,
// amount and tax; any other item takes its own name, sale amount and tax rate.
qint64 AddNewInvoiceLineToDB(qint32 iBookingID, qint32 ID, qint32 Quantity, const QString& Name, Money Amount,
                             const QString& TaxRateName, double TaxRatePercentage);

// A booking's first invoice, all at once: a line per booked unit, then one
// of each default item.
void SeedInvoice(const Stay& stay, const std::vector<PricedUnit>& units);
// Prices the stay again: its accommodation lines replaced by a line per
// booked unit, all at once.
void RepriceStay(const Stay& stay, const std::vector<PricedUnit>& units);
