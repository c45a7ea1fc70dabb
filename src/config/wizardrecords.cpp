#include "config/wizardrecords.h"

#include "core/db.h"

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
    Query q = objConn.query(QStringLiteral("SELECT singular FROM commodity WHERE plural = ?"), {plural});
    if (q.next())
        return q.text(0);
    return std::nullopt;
}

std::vector<UnitName> UnitsByName()
{
    std::vector<UnitName> units;
    Query q = objConn.query(QStringLiteral("SELECT id, name FROM room ORDER BY name"));
    while (q.next())
        units.push_back({qint32(q.integer(0)), q.text(1)});
    return units;
}

qint32 AddUnit(const QString& name, Money price, qint32 taxRateId)
{
    const QVariant p = dbValue(price);
    return qint32(objConn.insert(QStringLiteral("room"), {{QStringLiteral("Name"), name},
                                                          {QStringLiteral("UnitPrice"), p},
                                                          {QStringLiteral("LowUnitPrice"), p},
                                                          {QStringLiteral("HighUnitPrice"), p},
                                                          {QStringLiteral("LowWeekendPrice"), p},
                                                          {QStringLiteral("HighWeekendPrice"), p},
                                                          {QStringLiteral("TaxRateID"), taxRateId}}));
}

void RemoveUnitWithBookings(qint32 unitId)
{
    // The bookings first, through the unit's rows; then those rows go with them.
    objConn.execute(QStringLiteral("DELETE FROM booking WHERE id IN "
                                   "(SELECT bookingid FROM bookingroom WHERE roomid = ?)"),
                    {unitId});
    objConn.execute(QStringLiteral("DELETE FROM bookingroom WHERE bookingid IN "
                                   "(SELECT bookingid FROM bookingroom WHERE roomid = ?)"),
                    {unitId});
    objConn.execute(QStringLiteral("DELETE FROM room WHERE id = ?"), {unitId});
}

std::optional<TaxRateRow> ReadTaxRate(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT name, percentage FROM taxrate WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return TaxRateRow{q.text(0), q.value(1).toDouble()};
}

void WriteTaxRate(qint32 id, const TaxRateRow& row)
{
    const int changed = objConn.execute(QStringLiteral("UPDATE taxrate SET name = ?, percentage = ? WHERE id = ?"),
                                        {row.name, row.percentage, id});
    if (changed == 0)
        objConn.execute(QStringLiteral("INSERT INTO taxrate (id, name, percentage) VALUES (?, ?, ?)"),
                        {id, row.name, row.percentage});
}
