#include "config/wizardrecords.h"

#include "core/balancenotice.h"
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

namespace {

void WriteTaxRate(qint32 id, const QString& name, double percentage)
{
    const int changed = objConn.execute(QStringLiteral("UPDATE taxrate SET name = ?, percentage = ? WHERE id = ?"),
                                        {name, percentage, id});
    if (changed == 0)
        objConn.execute(QStringLiteral("INSERT INTO taxrate (id, name, percentage) VALUES (?, ?, ?)"),
                        {id, name, percentage});
    BalanceNotice::moved();
}

void WriteEditedTaxRate(qint32 id, const SalesTaxRowEdit& e)
{
    if (e.restore || e.name || e.percentage)
        BalanceNotice::moved();
    const bool exists = objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM taxrate WHERE id = ?"), {id}).toInt() > 0;
    if (!exists) {
        if (e.restore || e.name || e.percentage)
            objConn.execute(QStringLiteral("INSERT INTO taxrate (id, name, percentage) VALUES (?, ?, ?)"),
                            {id, e.name.value_or(e.wizardName), e.percentage.value_or(e.wizardPercentage)});
        return;
    }
    if (e.name)
        objConn.execute(QStringLiteral("UPDATE taxrate SET name = ? WHERE id = ?"), {*e.name, id});
    if (e.percentage)
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = ? WHERE id = ?"), {*e.percentage, id});
}

}  // namespace

void WriteWizardRecords(const std::vector<WizConfig_Room>& rooms, Money price, const SalesTaxRowEdit& first,
                        const SalesTaxRowEdit& second)
{
    Connection::Transaction transaction(objConn);
    WriteEditedTaxRate(TaxRateId::Second, second);
    WriteEditedTaxRate(TaxRateId::First, first);
    for (const WizConfig_Room& room : rooms) {
        if (room.Deleted) {
            if (room.ID != -1) {
                BookingUnitStore::removeBookingsOfUnit(room.ID);
                UnitRecord::remove(room.ID);
            }
        } else if (room.ID == -1) {
            UnitRecord added;
            added.name = room.Name;
            added.unitPrice = added.lowUnitPrice = added.highUnitPrice = price;
            added.lowWeekendPrice = added.highWeekendPrice = price;
            added.taxRateId = TaxRateId::First;
            added.save();
        }
    }
    transaction.commit();
}

void WriteSalesTaxRows(const QString& name, double percentage, const QString& name2, double percentage2)
{
    Connection::Transaction transaction(objConn);
    WriteTaxRate(TaxRateId::Second, name2, percentage2);
    WriteTaxRate(TaxRateId::First, name, percentage);
    transaction.commit();
}
