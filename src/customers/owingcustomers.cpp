#include "customers/owingcustomers.h"

#include "core/balancenotice.h"
#include "core/bookingstore.h"
#include "core/invoicetotals.h"

#include <QHash>

#include <algorithm>

int OwingCustomers::s_fullPasses = 0;

OwingCustomers::OwingCustomers(qint64 chunkedCustomers, int chunk)
    : m_chunkedCustomers(chunkedCustomers),
      m_chunk(chunk),
      m_changes({{QStringLiteral("customer"), QStringLiteral("id")},
                 {QStringLiteral("booking"), QStringLiteral("customerid")},
                 {QStringLiteral("invoiceline"), QStringLiteral("bookingid")}})
{
}

QList<OwingCustomers::Row> OwingCustomers::page(const QVariantList* key, bool forward, int limit)
{
    catchUp();
    // A reading from the first customer passes them afresh.
    if (forward && !key && !m_all)
        m_passed = 0;
    if (forward && !m_all && m_passed < m_chunkedCustomers)
        return chunkedPage(key, limit);
    readAll();
    if (forward) {
        const auto from = key ? bound(*key, true) : m_owing.cbegin();
        return rowsOf(from, from + std::min<qint64>(limit, m_owing.cend() - from));
    }
    const auto to = key ? bound(*key, false) : m_owing.cend();
    QList<Row> rows = rowsOf(to - std::min<qint64>(limit, to - m_owing.cbegin()), to);
    std::reverse(rows.begin(), rows.end());
    return rows;
}

qint64 OwingCustomers::countBefore(const QVariantList& key)
{
    catchUp();
    readAll();
    return bound(key, false) - m_owing.cbegin();
}

std::vector<OwingCustomers::Owing>::const_iterator OwingCustomers::bound(const QVariantList& key, bool after) const
{
    const CustomerStore::ListKey k = CustomerStore::listKeyOf(key);
    return std::partition_point(m_owing.cbegin(), m_owing.cend(), [&k, after](const Owing& o) {
        return after ? !CustomerStore::listKeyBefore(k, o.key) : CustomerStore::listKeyBefore(o.key, k);
    });
}

std::vector<OwingCustomers::Owing>::const_iterator OwingCustomers::bound(const CustomerStore::ListKey& key) const
{
    return std::partition_point(m_owing.cbegin(), m_owing.cend(),
                                [&key](const Owing& o) { return CustomerStore::listKeyBefore(o.key, key); });
}

QList<OwingCustomers::Row> OwingCustomers::chunkedPage(const QVariantList* key, int limit)
{
    QList<Row> rows;
    QVariantList from = key ? *key : QVariantList();
    while (rows.size() < limit) {
        if (m_passed >= m_chunkedCustomers) {
            // Far enough: the rest from every balance at once.
            const QList<Row> rest = page(from.isEmpty() ? nullptr : &from, true, limit - int(rows.size()));
            return rows + rest;
        }
        const QList<CustomerStore::ListRow> chunk =
            CustomerStore::listPage({}, from.isEmpty() ? nullptr : &from, true, m_chunk);
        m_passed += chunk.size();
        QList<qint64> ids;
        for (const CustomerStore::ListRow& c : chunk)
            ids << c.id;
        const QHash<qint32, CustomerBalance> balances = CustomerBalances(ids);
        for (const CustomerStore::ListRow& c : chunk) {
            const auto b = balances.constFind(qint32(c.id));
            if (b != balances.constEnd() && b->owed() > Money())
                rows.append({c, b->owed()});
            if (rows.size() == limit)
                return rows;
        }
        if (chunk.size() < m_chunk)
            break;   // the list's end
        from = chunk.constLast().key;
    }
    return rows;
}

void OwingCustomers::readAll()
{
    if (m_all)
        return;
    // The pass reads the file as it is now: what changed before it counts.
    std::vector<QSet<qint64>> before;
    m_changes.take(&before);
    m_secondTax = SecondTaxCharged();
    m_moves = BalanceNotice::count();
    const QHash<qint32, CustomerBalance> balances = AllCustomerBalances();
    const auto owes = [&balances](qint64 id) {
        const auto b = balances.constFind(qint32(id));
        return b != balances.constEnd() && b->owed() > Money();
    };
    m_owing.clear();
    for (CustomerStore::ListKey& key : CustomerStore::keysInListOrder(owes)) {
        const Money owed = balances.value(qint32(key.id)).owed();
        m_owing.push_back({std::move(key), owed});
    }
    m_all = true;
    ++s_fullPasses;
}

void OwingCustomers::catchUp()
{
    std::vector<QSet<qint64>> seen;
    const bool followed = m_changes.take(&seen);
    if (!m_all)
        return;   // nothing kept: the chunks read the file as it is
    if (!followed || BalanceNotice::count() != m_moves || SecondTaxCharged() != m_secondTax) {
        m_all = false;
        m_owing.clear();
        return;
    }
    QSet<qint64> customers = seen[0] + seen[1] + BookingStore::customersOf(seen[2]);
    customers.remove(0);
    if (customers.isEmpty())
        return;
    if (customers.size() > kMostTouched) {
        m_all = false;
        m_owing.clear();
        return;
    }
    // Those customers leave the list and come back where they now stand,
    // when they still owe.
    m_owing.erase(std::remove_if(m_owing.begin(), m_owing.end(),
                                 [&customers](const Owing& o) { return customers.contains(o.key.id); }),
                  m_owing.end());
    const QHash<qint32, CustomerBalance> balances = CustomerBalances(customers.values());
    for (CustomerStore::ListKey& key : CustomerStore::listKeysOf(customers)) {
        const auto b = balances.constFind(qint32(key.id));
        if (b == balances.constEnd() || !(b->owed() > Money()))
            continue;
        const Money owed = b->owed();
        const auto at = bound(key);
        m_owing.insert(m_owing.begin() + (at - m_owing.cbegin()), {std::move(key), owed});
    }
}

QList<OwingCustomers::Row> OwingCustomers::rowsOf(std::vector<Owing>::const_iterator from,
                                                  std::vector<Owing>::const_iterator to) const
{
    std::vector<qint64> ids;
    for (auto o = from; o != to; ++o)
        ids.push_back(o->key.id);
    // A customer removed since the balances were worked out is left out.
    QList<Row> rows;
    auto o = from;
    for (const CustomerStore::ListRow& c : CustomerStore::listByIds(ids)) {
        while (o != to && o->key.id != c.id)
            ++o;
        if (o == to)
            break;
        rows.append({c, o->owed});
    }
    return rows;
}
