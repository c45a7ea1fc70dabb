#pragma once
// Percentages an earlier build let into the file: it took any tax rate or
// commission percentage, and an invoice line keeps the tax percentage copied
// into it. The program charges percentages from 0 to 100 only; one outside
// them is set, once, to the nearest of the two when the file is opened, and
// the user is told which and where to check them.
#include <QString>
#include <vector>

struct RepairedRate {
    enum Kind { TaxRate, UnitCommission, InvoiceLine };
    Kind kind = TaxRate;
    qint64 id = 0;          // the row's id
    qint64 bookingId = 0;   // an invoice line's booking
    QString name;           // the tax rate's, the unit's or the line's name
    double was = 0;
    double now = 0;
};

// Sets every percentage outside 0 to 100 (tax rates, units' commission
// percentages, invoice lines' tax percentages) to the nearest of 0 and 100,
// all in one transaction, and tells which it set.
std::vector<RepairedRate> RepairOutOfRangeRates();
