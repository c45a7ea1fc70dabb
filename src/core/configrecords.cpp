#include "core/configrecords.h"

#include "core/balancenotice.h"
#include "core/bookingunitstore.h"
#include "core/db.h"
#include "core/reserved.h"
#include "core/settingkeys.h"

#include <QStringList>

namespace {

std::vector<NamedRow> namedRows(const QString& sql)
{
    std::vector<NamedRow> rows;
    Query q = objConn.query(sql);
    while (q.next())
        rows.push_back({qint32(q.integer(0)), q.text(1)});
    return rows;
}

// Whether a query of the rows that refer to id finds one.
bool exists(const QString& sql, qint32 id)
{
    return objConn.scalar(QStringLiteral("SELECT EXISTS(%1)").arg(sql), {id}).toLongLong() != 0;
}

QVariant optionalId(const std::optional<qint32>& id)
{
    return id ? QVariant(*id) : QVariant(QMetaType::fromType<qint32>());
}

std::optional<qint32> idOrNull(const Query& q, int column)
{
    if (q.isNull(column))
        return std::nullopt;
    return qint32(q.integer(column));
}

}  // namespace

// ---- Tax rates --------------------------------------------------------------

std::vector<TaxRateRecord> TaxRateRecord::listed()
{
    std::vector<TaxRateRecord> rows;
    Query q = objConn.query(QStringLiteral("SELECT id, name, percentage FROM taxrate WHERE id <> ? ORDER BY name COLLATE FOLD"),
                            {TaxRateId::None});
    while (q.next())
        rows.push_back({qint32(q.integer(0)), q.text(1), q.value(2).toDouble()});
    return rows;
}

std::optional<TaxRateRecord> TaxRateRecord::find(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT name, percentage FROM taxrate WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return TaxRateRecord{id, q.text(0), q.value(1).toDouble()};
}

QString SalesTaxName(qint32 id)
{
    if (const std::optional<TaxRateRecord> r = TaxRateRecord::find(id))
        return r->name;
    return QString::fromUtf8(id == TaxRateId::Second ? Config::SalesTaxName2.deflt : Config::SalesTaxName.deflt);
}

void TaxRateRecord::save()
{
    const Fields fields{{QStringLiteral("name"), name}, {QStringLiteral("percentage"), percentage}};
    if (id == -1)
        objConn.insert(QStringLiteral("taxrate"), fields);
    else
        objConn.update(QStringLiteral("taxrate"), id, fields);
    BalanceNotice::moved();
}

void TaxRateRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM taxrate WHERE id = ?"), {id});
    BalanceNotice::moved();
}

bool TaxRateRecord::usedByItems(qint32 id)
{
    return exists(QStringLiteral("SELECT 1 FROM item WHERE taxrateid = ?"), id);
}

bool TaxRateRecord::usedByUnits(qint32 id)
{
    return exists(QStringLiteral("SELECT 1 FROM room WHERE taxrateid = ?"), id);
}

// ---- Commission accounts ----------------------------------------------------

std::vector<NamedRow> CommissionAccountRecord::listed()
{
    std::vector<NamedRow> rows;
    Query q = objConn.query(QStringLiteral("SELECT id, name FROM commission WHERE id <> ? ORDER BY name COLLATE FOLD"),
                            {CommissionAccountId::None});
    while (q.next())
        rows.push_back({qint32(q.integer(0)), q.text(1)});
    return rows;
}

std::optional<CommissionAccountRecord> CommissionAccountRecord::find(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT name, notes FROM commission WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return CommissionAccountRecord{id, q.text(0), q.text(1)};
}

void CommissionAccountRecord::save()
{
    const Fields fields{{QStringLiteral("name"), name}, {QStringLiteral("notes"), notes}};
    if (id == -1)
        objConn.insert(QStringLiteral("commission"), fields);
    else
        objConn.update(QStringLiteral("commission"), id, fields);
}

void CommissionAccountRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM commission WHERE id = ?"), {id});
}

bool CommissionAccountRecord::hasPayments(qint32 id)
{
    return exists(QStringLiteral("SELECT 1 FROM commissionPayment WHERE CommissionID = ?"), id);
}

bool CommissionAccountRecord::usedByUnits(qint32 id)
{
    return exists(QStringLiteral("SELECT 1 FROM room WHERE CommissionID = ?"), id);
}

// ---- Units ------------------------------------------------------------------

const QStringList& UnitRecord::chargeUnits()
{
    static const QStringList units{QStringLiteral("Night"), QStringLiteral("Night and Person"),
                                   QStringLiteral("Hour"),  QStringLiteral("Week"),
                                   QStringLiteral("Week and Person"), QStringLiteral("Month"),
                                   QStringLiteral("Month and Person"), QStringLiteral("Person")};
    return units;
}

std::vector<NamedRow> UnitRecord::listed()
{
    return namedRows(QStringLiteral("SELECT id, name FROM room ORDER BY name COLLATE FOLD"));
}

std::vector<NamedRow> UnitRecord::inTableOrder()
{
    return namedRows(QStringLiteral("SELECT id, name FROM room ORDER BY id"));
}

std::optional<UnitRecord> UnitRecord::find(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT name, notes, ChargeForEach, UnitPrice, LowUnitPrice, HighUnitPrice, "
                                           "LowWeekendPrice, HighWeekendPrice, TaxRateID, CommissionID, "
                                           "CommissionPercentage FROM room WHERE id = ?"),
                            {id});
    if (!q.next())
        return std::nullopt;
    UnitRecord u;
    u.id = id;
    u.name = q.text(0);
    u.notes = q.text(1);
    u.chargeForEach = q.isNull(2) ? QStringLiteral("Night") : q.text(2);
    u.unitPrice = q.money(3);
    u.lowUnitPrice = q.money(4);
    u.highUnitPrice = q.money(5);
    u.lowWeekendPrice = q.money(6);
    u.highWeekendPrice = q.money(7);
    u.taxRateId = idOrNull(q, 8);
    u.commissionId = idOrNull(q, 9);
    u.commissionPercentage = q.value(10).toDouble();
    return u;
}

void UnitRecord::save()
{
    const Fields fields{{QStringLiteral("Name"), name},
                        {QStringLiteral("Notes"), notes},
                        {QStringLiteral("UnitPrice"), dbValue(unitPrice)},
                        {QStringLiteral("CommissionID"), optionalId(commissionId)},
                        {QStringLiteral("CommissionPercentage"), commissionPercentage},
                        {QStringLiteral("ChargeForEach"), chargeForEach},
                        {QStringLiteral("TaxRateID"), optionalId(taxRateId)},
                        {QStringLiteral("LowUnitPrice"), dbValue(lowUnitPrice)},
                        {QStringLiteral("HighUnitPrice"), dbValue(highUnitPrice)},
                        {QStringLiteral("LowWeekendPrice"), dbValue(lowWeekendPrice)},
                        {QStringLiteral("HighWeekendPrice"), dbValue(highWeekendPrice)}};
    if (id == -1)
        objConn.insert(QStringLiteral("room"), fields);
    else
        objConn.update(QStringLiteral("room"), id, fields);
}

void UnitRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM room WHERE id = ?"), {id});
}

bool UnitRecord::isBooked(qint32 id)
{
    return BookingUnitStore::isBooked(id);
}

std::optional<QString> UnitRecord::notesOf(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT notes FROM room WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return q.text(0);
}

void UnitRecord::saveNotes(qint32 id, const QString& notes)
{
    // An emptied box stores empty text, never Null.
    objConn.execute(QStringLiteral("UPDATE room SET notes = ? WHERE id = ?"),
                    {notes.isNull() ? QStringLiteral("") : notes, id});
}

// ---- Chargeable items -------------------------------------------------------

std::vector<NamedRow> ChargeableItemRecord::listed()
{
    std::vector<NamedRow> rows;
    Query q = objConn.query(QStringLiteral("SELECT id, name FROM item WHERE id <> ? AND id <> ? ORDER BY name COLLATE FOLD"),
                            {ItemId::Booking, ItemId::NewItem});
    while (q.next())
        rows.push_back({qint32(q.integer(0)), q.text(1)});
    return rows;
}

std::optional<ChargeableItemRecord> ChargeableItemRecord::find(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT name, SaleAmount, TaxRateID, IsDefault FROM item WHERE id = ?"),
                            {id});
    if (!q.next())
        return std::nullopt;
    return ChargeableItemRecord{id, q.text(0), q.money(1), qint32(q.integer(2)), q.integer(3) != 0};
}

namespace {

const char* const kPricedItems = "SELECT item.id, item.name, saleamount, taxrateid, taxrate.name, taxrate.percentage "
                                 "FROM item, taxrate WHERE item.taxrateid = taxrate.id ";

ChargeableItemRecord::Priced pricedOf(const Query& q)
{
    return {qint32(q.integer(0)), q.text(1), q.money(2), qint32(q.integer(3)), q.text(4), q.value(5).toDouble()};
}

}  // namespace

std::optional<ChargeableItemRecord::Priced> ChargeableItemRecord::priced(qint32 id)
{
    Query q = objConn.query(QLatin1String(kPricedItems) + QStringLiteral("AND item.id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return pricedOf(q);
}

std::vector<ChargeableItemRecord::Priced> ChargeableItemRecord::pricedDefaults()
{
    std::vector<Priced> items;
    Query q = objConn.query(QLatin1String(kPricedItems) + QStringLiteral("AND isdefault = 1 ORDER BY item.id"));
    while (q.next())
        items.push_back(pricedOf(q));
    return items;
}

void ChargeableItemRecord::save()
{
    const Fields fields{{QStringLiteral("name"), name},
                        {QStringLiteral("SaleAmount"), dbValue(saleAmount)},
                        {QStringLiteral("TaxRateID"), taxRateId},
                        {QStringLiteral("IsDefault"), dbValue(isDefault)}};
    if (id == -1)
        objConn.insert(QStringLiteral("item"), fields);
    else
        objConn.update(QStringLiteral("item"), id, fields);
}

void ChargeableItemRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM item WHERE id = ?"), {id});
}

bool ChargeableItemRecord::namedByInvoiceLines(qint32 id)
{
    return exists(QStringLiteral("SELECT 1 FROM invoiceline WHERE itemid = ?"), id);
}

// ---- Payment methods --------------------------------------------------------

std::vector<NamedRow> PaymentMethodRecord::listed()
{
    return namedRows(QStringLiteral("SELECT id, method FROM PaymentMethod ORDER BY id"));
}

std::optional<PaymentMethodRecord> PaymentMethodRecord::find(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT method FROM PaymentMethod WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return PaymentMethodRecord{id, q.text(0)};
}

void PaymentMethodRecord::save()
{
    const Fields fields{{QStringLiteral("method"), method}};
    if (id == -1)
        objConn.insert(QStringLiteral("PaymentMethod"), fields);
    else
        objConn.update(QStringLiteral("PaymentMethod"), id, fields);
}

void PaymentMethodRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM PaymentMethod WHERE id = ?"), {id});
}

// ---- Custom booking field ---------------------------------------------------

std::vector<NamedRow> BookingChoiceRecord::listed()
{
    std::vector<NamedRow> rows;
    Query q = objConn.query(QStringLiteral("SELECT id, name FROM BookingUDF WHERE id <> ? ORDER BY name COLLATE FOLD"),
                            {BookingUdfId::Default});
    while (q.next())
        rows.push_back({qint32(q.integer(0)), q.text(1)});
    return rows;
}

std::vector<NamedRow> BookingChoiceRecord::all()
{
    return namedRows(QStringLiteral("SELECT id, name FROM BookingUDF ORDER BY id"));
}

std::optional<BookingChoiceRecord> BookingChoiceRecord::find(qint32 id)
{
    Query q = objConn.query(QStringLiteral("SELECT name FROM BookingUDF WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return BookingChoiceRecord{id, q.text(0)};
}

void BookingChoiceRecord::save()
{
    const Fields fields{{QStringLiteral("name"), name}};
    if (id == -1)
        objConn.insert(QStringLiteral("BookingUDF"), fields);
    else
        objConn.update(QStringLiteral("BookingUDF"), id, fields);
}

void BookingChoiceRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM BookingUDF WHERE id = ?"), {id});
}

bool BookingChoiceRecord::usedByBookings(qint32 id)
{
    return exists(QStringLiteral("SELECT 1 FROM booking WHERE BookingUDFID = ?"), id);
}

// ---- Seasons ----------------------------------------------------------------

std::vector<SeasonRecord> SeasonRecord::months()
{
    std::vector<SeasonRecord> rows;
    Query q = objConn.query(QStringLiteral("SELECT month, highlow FROM season WHERE month BETWEEN 1 AND 12 "
                                           "ORDER BY month"));
    while (q.next())
        rows.push_back({int(q.integer(0)), q.text(1) == QLatin1String("H")});
    return rows;
}

std::optional<SeasonRecord> SeasonRecord::find(int month)
{
    Query q = objConn.query(QStringLiteral("SELECT highlow FROM season WHERE month = ?"), {month});
    if (!q.next())
        return std::nullopt;
    return SeasonRecord{month, q.text(0) == QLatin1String("H")};
}

void SeasonRecord::setHigh(int month, bool high)
{
    objConn.execute(QStringLiteral("UPDATE season SET highlow = ? WHERE month = ?"),
                    {high ? QStringLiteral("H") : QStringLiteral("L"), month});
}
