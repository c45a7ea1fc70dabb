#pragma once
// Invoice lines of the booking in progress: pricing a booked unit over the
// stay, and appending lines. A booking's charges exist only as these lines.
#include "core/money.h"

#include <QDateTime>
#include <QString>

// What one booked unit costs over a stay. sChargeForEach is compared exactly:
//   "Night"            each night's price (arrival day up to, not including, the
//                      departure day), by the season of its month and weekends
//   "Night and Person" the nights' sum times iNoAdults
//   "Hour"             each clock hour from arrival to departure, priced as a night
//   "Week"/"Month"     weeks (Sundays passed) or months (month boundaries
//                      passed) times UnitPrice, at least one
//   "... and Person"   the same times iNoAdults
//   "Person"           iNoAdults times UnitPrice
//   anything else      iNoOfNights times UnitPrice
// A night or hour in a month without a season row costs nothing; "H" marks a
// high-season month, any other value a low one; Saturday and Sunday take the
// weekend prices.
Money UnitChargeAmount(const QString& sChargeForEach, const QDateTime& dtFromDate, const QDateTime& dtToDate,
                       Money LowUnitPrice, Money HighUnitPrice, Money HighWeekendPrice, Money LowWeekendPrice,
                       Money UnitPrice, qint32 iNoAdults);

// "<name> booking from <arrival> to <departure>", dates in the short format.
QString BookingLineName(const QString& sName, const QDateTime& dtFromDate, const QDateTime& dtToDate);

// Adds the one accommodation line (item 1, quantity 1) of a booked unit to the
// invoice of iBookingID, priced by UnitChargeAmount, with the unit's tax name
// and percentage copied into it. Nothing is added when item 1 is missing.
void AddBookingItemToInvoice(const QString& sChargeForEach, const QDateTime& dtFromDate, const QDateTime& dtToDate,
                             Money LowUnitPrice, Money HighUnitPrice, Money HighWeekendPrice, Money LowWeekendPrice,
                             Money UnitPrice, const QString& sName, const QString& sTaxName, double dTaxPercentage,
                             qint32 iNoAdults);

// Appends a line of item ID to the invoice of iBookingID and returns its id;
// -1, with nothing written, when the item or its tax rate does not exist.
// Items 1 (accommodation) and 2 (free text) take the given name, amount and
// tax; any other item takes its own name, sale amount and tax rate.
qint64 AddNewInvoiceLineToDB(qint32 ID, qint32 Quantity, const QString& Name, Money Amount,
                             const QString& TaxRateName, double TaxRatePercentage);
