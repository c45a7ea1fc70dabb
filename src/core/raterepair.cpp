#include "core/raterepair.h"

#include "core/db.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

struct Column {
    RepairedRate::Kind kind;
    const char* select;   // id, booking id, name, percentage of the rows outside 0 to 100
    const char* update;   // sets the percentage of one row
};

// A stored number outside 0 to 100, and a value that is no number (a text
// such as "7 %"; a Null reads as 0 and is left alone). The invoice lines'
// conditions are their partial indexes' (schema/indexes.sql), word for word.
#define OUT_OF_RANGE(c) " typeof(" c ") IN ('integer', 'real') AND (" c " < 0 OR " c " > 100)"
#define NOT_A_NUMBER(c) " typeof(" c ") NOT IN ('integer', 'real', 'null')"
#define NOT_CHARGEABLE(c) " (" OUT_OF_RANGE(c) " OR" NOT_A_NUMBER(c) ")"

// In the order of RepairedRate::Kind.
const Column kColumns[] = {
    {RepairedRate::TaxRate, "SELECT id, 0, name, percentage FROM taxrate WHERE" NOT_CHARGEABLE("percentage") " ORDER BY id",
     "UPDATE taxrate SET percentage = ? WHERE id = ?"},
    {RepairedRate::UnitCommission,
     "SELECT id, 0, name, CommissionPercentage FROM room WHERE" NOT_CHARGEABLE("CommissionPercentage") " ORDER BY id",
     "UPDATE room SET CommissionPercentage = ? WHERE id = ?"},
    {RepairedRate::InvoiceLine,
     "SELECT id, bookingid, name, taxratepercentage FROM invoiceline WHERE" OUT_OF_RANGE("taxratepercentage")
     " UNION ALL SELECT id, bookingid, name, taxratepercentage FROM invoiceline WHERE" NOT_A_NUMBER("taxratepercentage")
     " ORDER BY bookingid, id",
     "UPDATE invoiceline SET taxratepercentage = ? WHERE id = ?"},
};

#undef NOT_CHARGEABLE
#undef NOT_A_NUMBER
#undef OUT_OF_RANGE

// The percentage a stored text reads as: a number, "." or "," its decimal
// sign, a "%" after it allowed ("7 %", "12%", "7,5"), set into 0 to 100;
// any other text 0, as it was charged.
double PercentageOfText(QString text)
{
    text = text.trimmed();
    if (text.endsWith(u'%'))
        text = text.chopped(1).trimmed();
    if (!text.contains(u'.'))
        text.replace(u',', u'.');
    bool ok = false;
    const double p = QLocale::c().toDouble(text, &ok);
    return !ok || !std::isfinite(p) ? 0 : std::clamp(p, 0.0, 100.0);
}

}  // namespace

std::vector<RepairedRate> RepairOutOfRangeRates(RepairProgress* progress)
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
            const QVariant stored = q.value(3);
            if (stored.typeId() == QMetaType::QString || stored.typeId() == QMetaType::QByteArray) {
                r.wasText = true;
                r.text = stored.toString();
                r.now = PercentageOfText(r.text);
            } else {
                r.was = stored.toDouble();
                r.now = r.was > 100 ? 100 : 0;
            }
            repaired.push_back(r);
            if (progress)
                progress->step(0, 0);
        }
    }
    if (repaired.empty())
        return repaired;
    Connection::Transaction transaction(objConn);
    qint64 done = 0;
    for (const RepairedRate& r : repaired) {
        objConn.execute(QString::fromLatin1(kColumns[r.kind].update), {r.now, r.id});
        if (progress)
            progress->step(++done, qint64(repaired.size()));
    }
    transaction.commit();
    return repaired;
}
