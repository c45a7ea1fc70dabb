#include "config/wizardrecords.h"

#include "core/bookingunitstore.h"
#include "core/configrecords.h"
#include "core/db.h"
#include "core/reserved.h"

std::vector<CommodityWord> CommodityPlurals()
{
    std::vector<CommodityWord> words;
    Query q = objConn.query(QStringLiteral("SELECT id, plural FROM Commodity"));
    while (q.next())
        words.push_back({qint32(q.integer(0)), q.text(1)});
    return words;
}

std::optional<QString> CommoditySingular(const QString& plural)
{
    Query q = objConn.query(QStringLiteral("SELECT singular FROM commodity WHERE plural = ? COLLATE FOLD"), {plural});
    if (q.next())
        return q.text(0);
    return std::nullopt;
}

void RemoveUnitWithBookings(qint32 unitId)
{
    Connection::Transaction transaction(objConn);
    BookingUnitStore::removeBookingsOfUnit(unitId);
    UnitRecord::remove(unitId);
    transaction.commit();
}

namespace {

void WriteTaxRate(qint32 id, const QString& name, double percentage)
{
    const int changed = objConn.execute(QStringLiteral("UPDATE taxrate SET name = ?, percentage = ? WHERE id = ?"),
                                        {name, percentage, id});
    if (changed == 0)
        objConn.execute(QStringLiteral("INSERT INTO taxrate (id, name, percentage) VALUES (?, ?, ?)"),
                        {id, name, percentage});
}

}  // namespace

void WriteSalesTaxRows(const QString& name, double percentage, const QString& name2, double percentage2)
{
    Connection::Transaction transaction(objConn);
    WriteTaxRate(TaxRateId::Second, name2, percentage2);
    WriteTaxRate(TaxRateId::First, name, percentage);
    transaction.commit();
}
