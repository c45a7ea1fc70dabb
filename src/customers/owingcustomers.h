#pragma once
// The customers who owe money, in list order, each with what they owe, read
// page by page by the list's key (core/customerstore.h), as the list of all
// customers is.
//
// What a customer owes comes from all their bookings. The first pages work
// it out for the customers they pass, a few hundred at a time, so that the
// first screen costs what it shows; a list read further, read back from its
// end or refilled deep down works it out for every customer in one pass
// over the bookings, once, and keeps it. From then on the list follows the
// program's changes (core/changewatch.h): a customer added, edited or
// removed, a booking or an invoice line changed, has only their customers'
// balances worked out again; a change it cannot follow (another program's,
// a tax rate or a setting that enters balances: core/balancenotice.h) has
// every balance worked out afresh when next needed.
#include "core/changewatch.h"
#include "core/customerstore.h"
#include "core/money.h"

#include <QList>
#include <QVariantList>
#include <vector>

class OwingCustomers {
public:
    struct Row {
        CustomerStore::ListRow customer;
        Money owed;
    };

    // Customers passed one chunk at a time before every balance is worked
    // out at once, and customers per chunk.
    static constexpr qint64 kChunkedCustomers = 3000;
    static constexpr int kChunk = 250;
    // Customers changed at once beyond which every balance is worked out afresh.
    static constexpr int kMostTouched = 2000;
    explicit OwingCustomers(qint64 chunkedCustomers = kChunkedCustomers, int chunk = kChunk);

    // At most limit customers after the key (none: from the first), or
    // before it going back, nearest first (none: from the last).
    QList<Row> page(const QVariantList* key, bool forward, int limit);
    // How many of them come before the key.
    qint64 countBefore(const QVariantList& key);
    // Times any list worked out every balance in one pass.
    static int fullPasses() { return s_fullPasses; }

private:
    struct Owing {
        CustomerStore::ListKey key;
        Money owed;
    };

    QList<Row> chunkedPage(const QVariantList* key, int limit);
    // The first of them after the key (after) or not before it.
    std::vector<Owing>::const_iterator bound(const QVariantList& key, bool after) const;
    std::vector<Owing>::const_iterator bound(const CustomerStore::ListKey& key) const;
    void readAll();
    // Brings the balances kept up to date with the changes made since.
    void catchUp();
    QList<Row> rowsOf(std::vector<Owing>::const_iterator from, std::vector<Owing>::const_iterator to) const;

    qint64 m_chunkedCustomers;
    int m_chunk;
    qint64 m_passed = 0;          // customers passed by chunks so far
    bool m_all = false;           // m_owing holds every customer who owes
    std::vector<Owing> m_owing;   // in list order
    double m_secondTax = 0;       // the second tax's rate m_owing was worked out at
    quint64 m_moves = 0;          // the balances' moves told when it was
    static int s_fullPasses;
    // Customers changed, customers of bookings changed, bookings of
    // invoice lines changed.
    ChangeWatch m_changes;
};
