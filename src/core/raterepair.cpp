#include "core/raterepair.h"

#include "core/db.h"


namespace {

struct Column {
    RepairedRate::Kind kind;
    const char* select;   // id, booking id, name, percentage of the rows outside 0 to 100
    const char* update;   // sets the percentage of one row
};

// A stored number outside 0 to 100; a text is no number and is left alone.
#define OUT_OF_RANGE(c) " typeof(" c ") IN ('integer', 'real') AND (" c " < 0 OR " c " > 100)"

// In the order of RepairedRate::Kind.
const Column kColumns[] = {
    {RepairedRate::TaxRate, "SELECT id, 0, name, percentage FROM taxrate WHERE" OUT_OF_RANGE("percentage") " ORDER BY id",
     "UPDATE taxrate SET percentage = ? WHERE id = ?"},
    {RepairedRate::UnitCommission,
     "SELECT id, 0, name, CommissionPercentage FROM room WHERE" OUT_OF_RANGE("CommissionPercentage") " ORDER BY id",
     "UPDATE room SET CommissionPercentage = ? WHERE id = ?"},
    {RepairedRate::InvoiceLine,
     "SELECT id, bookingid, name, taxratepercentage FROM invoiceline WHERE" OUT_OF_RANGE("taxratepercentage")
     " ORDER BY bookingid, id",
     "UPDATE invoiceline SET taxratepercentage = ? WHERE id = ?"},
};

#undef OUT_OF_RANGE

}  // namespace

std::vector<RepairedRate> RepairOutOfRangeRates()
{
    // Read first, so that a file with nothing to repair is not written to.
    std::vector<RepairedRate> repaired;
    for (const Column& c : kColumns) {
        for (Query q = objConn.query(QString::fromLatin1(c.select)); q.next();) {
            RepairedRate r;
            r.kind = c.kind;
            r.id = q.integer(0);
            r.bookingId = q.integer(1);
            r.name = q.text(2);
            r.was = q.value(3).toDouble();
            r.now = r.was > 100 ? 100 : 0;
            repaired.push_back(r);
        }
    }
    if (repaired.empty())
        return repaired;
    Connection::Transaction transaction(objConn);
    for (const RepairedRate& r : repaired)
        objConn.execute(QString::fromLatin1(kColumns[r.kind].update), {r.now, r.id});
    transaction.commit();
    return repaired;
}
