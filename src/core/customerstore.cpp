#include "core/customerstore.h"

#include "core/bookingstore.h"
#include "core/bookingunitstore.h"
#include "core/db.h"
#include "core/format.h"
#include "core/rowscan.h"
#include "core/sqliteext.h"

#include <QDateTime>
#include <QHash>
#include <QTime>

namespace {

// The columns a search may test.
bool isSearchColumn(const QString& column)
{
    static const QStringList columns = {QStringLiteral("firstname"), QStringLiteral("lastname"),
                                        QStringLiteral("BusinessName"), QStringLiteral("address1"),
                                        QStringLiteral("address2"), QStringLiteral("city"),
                                        QStringLiteral("state"), QStringLiteral("country"),
                                        QStringLiteral("postcode"), QStringLiteral("phone"),
                                        QStringLiteral("email")};
    return columns.contains(column, Qt::CaseInsensitive);
}

// LIKE matches the typed text itself: its wildcard and escape characters
// stand for themselves.
QString likeLiteral(const QString& text)
{
    QString s = text;
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u'%', QStringLiteral("\\%"));
    s.replace(u'_', QStringLiteral("\\_"));
    return s;
}

// " WHERE a OR b ..." for the filled criteria; empty when none is filled.
QString whereOf(const QList<CustomerStore::Criterion>& criteria, QVariantList& params)
{
    QString where;
    for (const CustomerStore::Criterion& c : criteria) {
        if (!isSearchColumn(c.column))
            continue;
        const QString clause = AAS(c.column, c.text, params);
        if (clause.isEmpty())
            continue;
        where += where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" OR ");
        where += clause;
    }
    return where;
}

// The customer's bookings whose arrival and departure meet the condition,
// each compared with the start of today.
int bookingCount(qint64 id, const QDate& today, const char* condition)
{
    const QVariant t = dbValue(Fmt::clockDateTime(today, QTime(0, 0)));
    return objConn
        .scalar(QStringLiteral("SELECT count(*) FROM customer, booking WHERE booking.customerid = customer.id "
                               "AND customer.id = ? AND ")
                    + QLatin1String(condition),
                {id, t, t})
        .toInt();
}

}  // namespace

QString AAS(const QString& sFieldname, const QString& text, QVariantList& params)
{
    if (text.isEmpty())
        return QString();
    params << QStringLiteral("%") + likeLiteral(text) + QStringLiteral("%");
    return sFieldname + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

namespace CustomerStore {

std::optional<CustomerRecord> read(qint64 id)
{
    Query q = objConn.query(QStringLiteral("SELECT ID, FirstName, LastName, BusinessName, Address1, Address2, City, "
                                           "State, PostCode, Country, Phone, Fax, Email, SubmittedDate, Mobile, "
                                           "HomePhone FROM Customer WHERE ID = ?"),
                            {id});
    if (!q.next())
        return std::nullopt;
    CustomerRecord c;
    c.id = q.integer(0);
    c.firstName = q.text(1);
    c.lastName = q.text(2);
    c.businessName = q.text(3);
    c.address1 = q.text(4);
    c.address2 = q.text(5);
    c.city = q.text(6);
    c.state = q.text(7);
    c.postCode = q.text(8);
    c.country = q.text(9);
    c.phone = q.text(10);
    c.fax = q.text(11);
    c.email = q.text(12);
    c.submittedDate = q.text(13);
    c.mobile = q.text(14);
    c.homePhone = q.text(15);
    return c;
}

bool exists(qint64 id)
{
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM customer WHERE ID = ?"), {id}).toInt() > 0;
}

qint64 add(const CustomerRecord& c)
{
    return objConn.insert(QStringLiteral("Customer"), {{QStringLiteral("FirstName"), c.firstName},
                                                       {QStringLiteral("LastName"), c.lastName},
                                                       {QStringLiteral("Address1"), c.address1},
                                                       {QStringLiteral("Address2"), c.address2},
                                                       {QStringLiteral("City"), c.city},
                                                       {QStringLiteral("State"), c.state},
                                                       {QStringLiteral("PostCode"), c.postCode},
                                                       {QStringLiteral("Country"), c.country},
                                                       {QStringLiteral("Phone"), c.phone},
                                                       {QStringLiteral("Mobile"), c.mobile},
                                                       {QStringLiteral("HomePhone"), c.homePhone},
                                                       {QStringLiteral("Fax"), c.fax},
                                                       {QStringLiteral("Email"), c.email},
                                                       {QStringLiteral("BusinessName"), c.businessName}});
}

void update(const CustomerRecord& c)
{
    objConn.execute(QStringLiteral("UPDATE Customer SET FirstName = ?, LastName = ?, Address1 = ?, Address2 = ?, "
                                   "City = ?, State = ?, PostCode = ?, Country = ?, Phone = ?, HomePhone = ?, "
                                   "Mobile = ?, Fax = ?, Email = ?, BusinessName = ? WHERE ID = ?"),
                    {c.firstName, c.lastName, c.address1, c.address2, c.city, c.state, c.postCode, c.country, c.phone,
                     c.homePhone, c.mobile, c.fax, c.email, c.businessName, c.id});
}

qint64 addForBooking(const CustomerRecord& c, qint64 bookingId)
{
    Connection::Transaction transaction(objConn);
    const qint64 id = add(c);
    BookingStore::saveCustomer(bookingId, id);
    transaction.commit();
    return id;
}

int futureBookingCount(qint64 id, const QDate& today)
{
    return bookingCount(id, today, "(fromdate >= ? OR todate >= ?)");
}

int pastBookingCount(qint64 id, const QDate& today)
{
    return bookingCount(id, today, "fromdate < ? AND todate < ?");
}

void removeWithBookings(qint64 id)
{
    Connection::Transaction transaction(objConn);
    BookingUnitStore::removeOfCustomer(id);
    objConn.execute(QStringLiteral("DELETE FROM booking WHERE customerid = ?"), {id});
    objConn.execute(QStringLiteral("DELETE FROM customer WHERE id = ?"), {id});
    transaction.commit();
}

namespace {

// The list order, the one the name index holds.
const char* const kListKey = "ifnull(lastname, '') COLLATE FOLD, ifnull(firstname, '') COLLATE FOLD, id";
const char* const kLastName = "ifnull(lastname, '') COLLATE FOLD";

// No name is empty text in a key, never Null (which matches nothing).
QVariant KeyText(const QVariant& v)
{
    const QString s = v.toString();
    return s.isNull() ? QStringLiteral("") : s;
}

// " WHERE " the criteria (when one is filled) and the bound (when given),
// their parameters appended to params.
QString CriteriaAnd(const QList<Criterion>& criteria, const QString& bound, const QVariantList& boundParams,
                    QVariantList& params)
{
    QStringList conditions;
    const QString where = whereOf(criteria, params);
    if (!where.isEmpty())
        conditions << u'(' + where.mid(QStringLiteral(" WHERE ").size()) + u')';
    if (!bound.isEmpty())
        conditions << bound;
    params += boundParams;
    return conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

// The criteria and the key's bound; the last name's own bound lets the
// index be entered at the key.
QString KeyedWhere(const QList<Criterion>& criteria, const QVariantList* key, bool after, QVariantList& params)
{
    if (!key || key->size() != 3)
        return CriteriaAnd(criteria, QString(), {}, params);
    const QString bound = QLatin1String(kLastName) + (after ? QStringLiteral(" >= ?") : QStringLiteral(" <= ?"))
                          + QStringLiteral(" AND (") + QLatin1String(kListKey)
                          + (after ? QStringLiteral(") > (?, ?, ?)") : QStringLiteral(") < (?, ?, ?)"));
    return CriteriaAnd(criteria, bound, {KeyText(key->at(0)), KeyText(key->at(0)), KeyText(key->at(1)), key->at(2)},
                       params);
}

ListRow ListRowOf(const Query& q)
{
    ListRow r;
    r.id = q.integer(0);
    r.firstName = q.text(1);
    r.lastName = q.text(2);
    r.address1 = q.text(3);
    r.address2 = q.text(4);
    r.postCode = q.text(5);
    r.phone = q.text(6);
    r.city = q.text(7);
    r.state = q.text(8);
    r.country = q.text(9);
    r.homePhone = q.text(10);
    r.mobile = q.text(11);
    r.key = {r.lastName, r.firstName, r.id};
    return r;
}

const char* const kListColumns = "SELECT id, firstname, lastname, address1, address2, postcode, phone, city, state, "
                                 "country, HomePhone, mobile FROM customer";

}  // namespace

QList<ListRow> listPage(const QList<Criterion>& criteria, const QVariantList* key, bool forward, int count)
{
    QVariantList params;
    const QString where = KeyedWhere(criteria, key, forward, params);
    params << count;
    const QString order = forward ? QStringLiteral(" ORDER BY ") + QLatin1String(kListKey) + QStringLiteral(" LIMIT ?")
                                  : QStringLiteral(" ORDER BY ifnull(lastname, '') COLLATE FOLD DESC, "
                                                   "ifnull(firstname, '') COLLATE FOLD DESC, id DESC LIMIT ?");
    Query q = objConn.query(QLatin1String(kListColumns) + where + order, params);
    QList<ListRow> rows;
    while (q.next())
        rows << ListRowOf(q);
    return rows;
}

ListKey listKeyOf(const QVariantList& key)
{
    return {key.value(2).toLongLong(), key.value(0).toString().toUtf8(), key.value(1).toString().toUtf8()};
}

bool listKeyBefore(const ListKey& a, const ListKey& b)
{
    int c = sqliteext::compareFolded(a.lastName.constData(), int(a.lastName.size()), b.lastName.constData(),
                                     int(b.lastName.size()));
    if (c == 0)
        c = sqliteext::compareFolded(a.firstName.constData(), int(a.firstName.size()), b.firstName.constData(),
                                     int(b.firstName.size()));
    return c != 0 ? c < 0 : a.id < b.id;
}

namespace {

// The keys of the rows of a statement reading id, last and first name, for
// which wanted(id) holds.
std::vector<ListKey> KeysOf(const QString& sql, const QVariantList& params,
                            const std::function<bool(qint64 id)>& wanted)
{
    std::vector<ListKey> keys;
    for (RowScan r(sql, params); r.next();) {
        const qint64 id = r.integer(0);
        if (wanted && !wanted(id))
            continue;
        int lastSize = 0;
        int firstSize = 0;
        const char* last = r.bytes(1, &lastSize);
        const char* first = r.bytes(2, &firstSize);
        keys.push_back({id, QByteArray(last, lastSize), QByteArray(first, firstSize)});
    }
    return keys;
}

const char* const kKeyColumns = "SELECT id, ifnull(lastname, ''), ifnull(firstname, '') FROM customer";

}  // namespace

std::vector<ListKey> keysInListOrder(const std::function<bool(qint64 id)>& wanted)
{
    return KeysOf(QLatin1String(kKeyColumns) + QStringLiteral(" ORDER BY ") + QLatin1String(kListKey), {}, wanted);
}

std::vector<ListKey> listKeysOf(const QSet<qint64>& ids)
{
    if (ids.isEmpty())
        return {};
    QVariantList params;
    const QString marks = BoundList(ids, params);
    return KeysOf(QLatin1String(kKeyColumns) + QStringLiteral(" WHERE id IN (") + marks + u')', params, nullptr);
}

QList<ListRow> listByIds(const std::vector<qint64>& ids)
{
    if (ids.empty())
        return {};
    QVariantList params;
    const QString marks = BoundList(ids, params);
    QHash<qint64, ListRow> found;
    for (Query q = objConn.query(QLatin1String(kListColumns) + QStringLiteral(" WHERE id IN (") + marks + u')',
                                 params);
         q.next();) {
        const ListRow r = ListRowOf(q);
        found.insert(r.id, r);
    }
    QList<ListRow> rows;
    for (qint64 id : ids)
        if (found.contains(id))
            rows << found.value(id);
    return rows;
}

QVariantList keyAt(const QList<Criterion>& criteria, qint64 offset, bool fromEnd)
{
    QVariantList params;
    const QString where = CriteriaAnd(criteria, QString(), {}, params);
    params << offset;
    const QString order = fromEnd ? QStringLiteral(" ORDER BY ifnull(lastname, '') COLLATE FOLD DESC, "
                                                   "ifnull(firstname, '') COLLATE FOLD DESC, id DESC")
                                  : QStringLiteral(" ORDER BY ") + QLatin1String(kListKey);
    Query q = objConn.query(QStringLiteral("SELECT lastname, firstname, id FROM customer") + where + order
                                + QStringLiteral(" LIMIT 1 OFFSET ?"),
                            params);
    if (!q.next())
        return {};
    return {q.text(0), q.text(1), q.integer(2)};
}

qint64 countBefore(const QList<Criterion>& criteria, const QVariantList& key)
{
    if (key.size() != 3)
        return 0;
    // Those of an earlier last name, then those of the same last name before
    // the key: each one range of the list index, counted from it alone.
    QVariantList params;
    const QString earlier = CriteriaAnd(criteria, QLatin1String(kLastName) + QStringLiteral(" < ?"),
                                        {KeyText(key.at(0))}, params);
    const QString same = CriteriaAnd(criteria,
                                     QLatin1String(kLastName)
                                         + QStringLiteral(" = ? AND (ifnull(firstname, '') COLLATE FOLD, id) < (?, ?)"),
                                     {KeyText(key.at(0)), KeyText(key.at(1)), key.at(2)}, params);
    return objConn
        .scalar(QStringLiteral("SELECT (SELECT count(*) FROM customer") + earlier
                    + QStringLiteral(") + (SELECT count(*) FROM customer") + same + u')',
                params)
        .toLongLong();
}

int matchCount(const QList<Criterion>& criteria)
{
    QVariantList params;
    const QString where = whereOf(criteria, params);
    return objConn.scalar(QStringLiteral("SELECT count(*) FROM customer") + where, params).toInt();
}

}  // namespace CustomerStore
