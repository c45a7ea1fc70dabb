#include "core/bookingstore.h"

#include "core/bookingunitstore.h"
#include "core/changewatch.h"
#include "core/customfieldstore.h"
#include "core/db.h"
#include "core/format.h"
#include "core/invoicelinestore.h"
#include "core/rowscan.h"

namespace BookingStore {

std::optional<BookingRecord> read(qint64 id)
{
    Query q = objConn.query(QStringLiteral("SELECT id, customerid, fromdate, todate, noadults, nokids, bookedby, notes, "
                                           "PaymentMethod, Tip, AmountPayed, CommissionID, CommissionAmount, "
                                           "CreditCardNo, CreditCardExpiry, CreditCardType, BookingUDFID, Discount "
                                           "FROM booking WHERE id = ?"),
                            {id});
    if (!q.next())
        return std::nullopt;
    BookingRecord r;
    r.id = qint32(q.integer(0));
    r.hasCustomer = !q.isNull(1) && q.integer(1) != 0;
    r.customerId = q.integer(1);
    r.from = q.dateTime(2);
    r.to = q.dateTime(3);
    r.noAdults = q.value(4);
    r.noKids = q.value(5);
    r.bookedBy = q.text(6);
    r.notes = q.text(7);
    r.paymentMethod = q.text(8);
    r.tip = q.money(9);
    r.amountPayed = q.money(10);
    if (!q.isNull(11))
        r.commissionId = q.integer(11);
    r.commissionAmount = q.money(12);
    r.creditCardNo = q.text(13);
    r.creditCardExpiry = q.text(14);
    r.creditCardType = q.text(15);
    if (!q.isNull(16))
        r.bookingUdfId = q.integer(16);
    r.discount = q.money(17);
    return r;
}

bool exists(qint64 id)
{
    return objConn.scalar(QStringLiteral("SELECT id FROM booking WHERE id = ?"), {id}).isValid();
}

qint32 addPlaceholder(const QDateTime& from, const QDateTime& to)
{
    const QString empty;
    return qint32(objConn.insert(QStringLiteral("Booking"), {{QStringLiteral("FromDate"), dbValue(from)},
                                                             {QStringLiteral("ToDate"), dbValue(to)},
                                                             {QStringLiteral("PaymentMethod"), empty},
                                                             {QStringLiteral("BookedBy"), empty},
                                                             {QStringLiteral("CreditCardNo"), empty},
                                                             {QStringLiteral("CreditCardExpiry"), empty},
                                                             {QStringLiteral("CreditCardType"), empty}}));
}

void saveDates(qint64 id, const QString& bookedBy, const QDateTime& from, const QDateTime& to)
{
    objConn.execute(QStringLiteral("UPDATE booking SET bookedby = ?, fromdate = ?, todate = ? WHERE id = ?"),
                    {bookedBy, dbValue(from), dbValue(to), id});
}

void saveNotes(qint64 id, const QString& notes)
{
    objConn.execute(QStringLiteral("UPDATE booking SET notes = ? WHERE id = ?"), {notes, id});
}

void saveGuestCounts(qint64 id, const QVariant& adults, const QVariant& kids)
{
    objConn.execute(QStringLiteral("UPDATE booking SET noadults = ?, nokids = ? WHERE id = ?"), {adults, kids, id});
}

void saveCustomer(qint64 id, qint64 customerId)
{
    objConn.execute(QStringLiteral("UPDATE booking SET customerid = ? WHERE id = ?"), {customerId, id});
}

void saveCustomField(qint64 id, qint64 bookingUdfId)
{
    objConn.execute(QStringLiteral("UPDATE booking SET BookingUDFID = ? WHERE id = ?"), {bookingUdfId, id});
}

void savePayment(qint64 id, const Payment& p)
{
    Fields fields;
    fields.emplace_back(QStringLiteral("PaymentMethod"), p.paymentMethod);
    if (p.tip)
        fields.emplace_back(QStringLiteral("Tip"), dbValue(*p.tip));
    if (p.amountPayed)
        fields.emplace_back(QStringLiteral("AmountPayed"), dbValue(*p.amountPayed));
    if (p.commissionAmount)
        fields.emplace_back(QStringLiteral("CommissionAmount"), dbValue(*p.commissionAmount));
    fields.emplace_back(QStringLiteral("CommissionID"), p.commissionId);
    fields.emplace_back(QStringLiteral("CreditCardNo"), p.creditCardNo);
    fields.emplace_back(QStringLiteral("CreditCardExpiry"), p.creditCardExpiry);
    fields.emplace_back(QStringLiteral("CreditCardType"), p.creditCardType);
    objConn.update(QStringLiteral("Booking"), id, fields);
}

qint64 saveCustomerStep(qint64 id, const CustomerStep& step)
{
    Connection::Transaction transaction(objConn);
    saveGuestCounts(id, step.adults, step.kids);
    const std::optional<BookingRecord> booking = read(id);
    CustomerRecord c = step.customer;
    c.id = booking ? booking->customerId : 0;
    // A customer row removed elsewhere is replaced, so that what was typed
    // is kept.
    if (c.id != 0 && CustomerStore::exists(c.id))
        CustomerStore::update(c);
    else
        c.id = CustomerStore::addForBooking(c, id);
    saveCustomField(id, step.bookingUdfId);
    for (const auto& [field, data] : step.customValues)
        CustomFieldStore::save(c.id, field, data);
    transaction.commit();
    return c.id;
}

void remove(qint64 id)
{
    Connection::Transaction transaction(objConn);
    objConn.execute(QStringLiteral("DELETE FROM booking WHERE id = ?"), {id});
    BookingUnitStore::removeOf(id);
    InvoiceLineStore::removeOf(id);
    transaction.commit();
}

QSet<qint64> customersOf(const QSet<qint64>& bookingIds)
{
    QSet<qint64> customers;
    if (bookingIds.isEmpty())
        return customers;
    QVariantList params;
    const QString marks = BoundList(bookingIds, params);
    for (RowScan r(QStringLiteral("SELECT DISTINCT customerid FROM booking WHERE id IN (") + marks + u')', params);
         r.next();)
        if (!r.isNull(0))
            customers.insert(r.integer(0));
    return customers;
}

}  // namespace BookingStore

BookingSearch::BookingSearch(const QDate& arrive, const QDate& depart)
{
    if (arrive.isValid())
        m_from = dbValue(Fmt::clockDateTime(arrive, QTime(0, 0)));
    // Departures at any time of the day count, up to its last second.
    if (depart.isValid()) {
        m_where += QStringLiteral(" AND todate <= ?");
        m_params << dbValue(Fmt::clockDateTime(depart, QTime(23, 59, 59)));
    }
}

BookingSearch::~BookingSearch() = default;

QString BookingSearch::matching(const QVariantList* key, bool after, QVariantList& params) const
{
    QString sql = QStringLiteral(" FROM booking, customer WHERE booking.customerid = customer.id");
    // A later page enters the dates index right after the last row read,
    // whose key lies past the earliest arrival already.
    if (key) {
        sql += after ? QStringLiteral(" AND (fromdate, todate, booking.id) > (?, ?, ?)")
                     : QStringLiteral(" AND (fromdate, todate, booking.id) < (?, ?, ?)");
        params += *key;
    }
    if (m_from.isValid() && !(key && after)) {
        sql += QStringLiteral(" AND fromdate >= ?");
        params << m_from;
    }
    sql += m_where;
    params += m_params;
    return sql;
}

QList<FoundBooking> BookingSearch::page(const QVariantList* key, bool forward, int limit) const
{
    QVariantList params;
    const QString sql = QStringLiteral("SELECT booking.id, fromdate, todate, firstname, lastname")
                        + matching(key, forward, params)
                        + (forward ? QStringLiteral(" ORDER BY fromdate, todate, booking.id LIMIT ?")
                                   : QStringLiteral(" ORDER BY fromdate DESC, todate DESC, booking.id DESC LIMIT ?"));
    params << limit;
    QList<FoundBooking> rows;
    Query q = objConn.query(sql, params);
    while (q.next())
        rows.append({qint32(q.integer(0)), q.text(3), q.text(4), q.dateTime(1), q.dateTime(2),
                     {q.value(1), q.value(2), q.value(0)}});
    return rows;
}

namespace {

// Whether a booking has no customer (none yet, or their row gone), asked
// again only after a booking's customer or a customer row changed.
bool SomeBookingLacksItsCustomer()
{
    static ChangeWatch changes({{QStringLiteral("booking"), QStringLiteral("customerid")},
                                {QStringLiteral("customer"), QStringLiteral("id")}});
    static std::optional<bool> known;
    std::vector<QSet<qint64>> seen;
    if (!changes.take(&seen) || !seen[0].isEmpty() || !seen[1].isEmpty())
        known.reset();
    if (!known)
        known = objConn
                    .scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM booking WHERE customerid IS NULL "
                                           "OR customerid NOT IN (SELECT id FROM customer))"))
                    .toBool();
    return *known;
}

}  // namespace

qint64 BookingSearch::countBefore(const QVariantList& key) const
{
    // Wherever every booking has its customer the dates index alone gives
    // the count: the bookings arriving earlier, each a plain range of it,
    // then those arriving at the key's moment before it.
    QVariantList params;
    if (SomeBookingLacksItsCustomer() || key.size() != 3)
        return objConn.scalar(QStringLiteral("SELECT count(*)") + matching(&key, false, params), params).toLongLong();
    QString criteria;
    QVariantList criteriaParams;
    if (m_from.isValid()) {
        criteria += QStringLiteral(" AND fromdate >= ?");
        criteriaParams << m_from;
    }
    criteria += m_where;
    criteriaParams += m_params;
    params << key.at(0);
    params += criteriaParams;
    params << key.at(0) << key.at(1) << key.at(2);
    params += criteriaParams;
    return objConn
        .scalar(QStringLiteral("SELECT (SELECT count(*) FROM booking WHERE fromdate < ?") + criteria
                    + QStringLiteral(") + (SELECT count(*) FROM booking WHERE fromdate = ? AND (todate, id) < (?, ?)")
                    + criteria + u')',
                params)
        .toLongLong();
}

bool BookingSearch::countSome(int slice, qint64* counted)
{
    // Every match, one row each, in no particular order.
    if (!m_counting) {
        QVariantList params;
        const QString sql = QStringLiteral("SELECT 1") + matching(nullptr, true, params);
        m_counting = std::make_unique<Query>(objConn.query(sql, params));
    }
    for (int i = 0; i < slice; ++i) {
        if (!m_counting->next()) {
            m_counting.reset();
            return false;
        }
        ++*counted;
    }
    return true;
}
