#pragma once
// Percentages an earlier build let into the file: it took any tax rate or
// commission percentage, and an invoice line keeps the tax percentage copied
// into it; a hand-edited or converted file may hold a text ("7 %") where a
// rate's number belongs. The program charges numbers from
// 0 to 100 only; any other is set, once, to one of them when the file is
// opened, and the user is told which and where to check them.
#include <QString>
#include <vector>

struct RepairedRate {
    enum Kind { TaxRate, UnitCommission, InvoiceLine };
    Kind kind = TaxRate;
    qint64 id = 0;          // the row's id
    qint64 bookingId = 0;   // an invoice line's booking
    QString name;           // the tax rate's, the unit's or the line's name
    double was = 0;         // the number stored
    bool wasText = false;   // a text was stored in its place:
    QString text;           // that text ("7 %")
    double now = 0;
};

// Told how far a repair has come, so that one that takes long can be shown
// (by the floors above, which have windows).
class RepairProgress {
public:
    virtual ~RepairProgress() = default;
    // After each row read (total 0: not known yet) and each row set.
    virtual void step(qint64 done, qint64 total) = 0;
};

// Sets every percentage outside 0 to 100 (tax rates, units' commission
// percentages, invoice lines' tax percentages) to the nearest of 0 and 100,
// and every one stored as a text to the number it reads as ("7 %" to 7,
// "12,5%" to 12.5), set into 0 to 100, or else to 0 (as it was charged), all
// in one transaction, and tells which it set.
std::vector<RepairedRate> RepairOutOfRangeRates(RepairProgress* progress = nullptr);
