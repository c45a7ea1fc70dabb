// Lists read page by key: names tied across a page boundary, reading back
// from the end, and a refill deep down landing on the row now at the old
// place after rows above it went; the customers who owe money, whichever
// way their balances are worked out.
#include "support/testsupport.h"

#include "widgets/customerlists.h"
#include "core/bookingstore.h"
#include "core/customerstore.h"
#include "core/db.h"
#include "core/invoicetotals.h"
#include "core/settings.h"
#include "customers/owingcustomers.h"
#include "widgets/grid.h"
#include "widgets/pagedmodel.h"

#include <QTableView>

class TestKeysetLists : public DbTest {
    Q_OBJECT

    // Every customer id in list order (those whose last name holds search),
    // as one query sorts them.
    static QList<qint64> listOrder(const QString& search)
    {
        QList<qint64> ids;
        for (Query q = objConn.query(QStringLiteral(
                                         "SELECT id FROM customer WHERE ? = '' OR lastname LIKE '%' || ? || '%' "
                                         "ORDER BY ifnull(lastname, '') COLLATE FOLD, ifnull(firstname, '') COLLATE FOLD, id"),
                                     {search, search});
             q.next();)
            ids << q.integer(0);
        return ids;
    }
    static QList<qint64> loaded(const PagedModel& m)
    {
        QList<qint64> ids;
        for (int r = 0; r < m.rowCount(); ++r)
            ids << m.rowId(r);
        return ids;
    }

private slots:
    void init()
    {
        openDb();
        Connection::Transaction t(objConn);
        // Names tied over several pages, names differing in case and accents
        // only, and customers without names (Null and empty).
        for (int i = 0; i < 23; ++i)
            insertRow("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}});
        for (const char* last : {"lee", "Lée", "LEE", "Abel", "Zorn", ""})
            insertRow("customer", {{"FirstName", "ann"}, {"LastName", last}});
        for (int i = 0; i < 4; ++i)
            insertRow("customer", {{"FirstName", QVariant()}, {"LastName", QVariant()}});
        t.commit();
    }

    void pagesAndRefills_data()
    {
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QString>("search");   // in the last name; empty: every customer
        QTest::newRow("one row a page") << 1 << QStringLiteral("");
        QTest::newRow("ties cross pages") << 5 << QStringLiteral("");
        QTest::newRow("one page") << 100 << QStringLiteral("");
        QTest::newRow("a search, ties cross pages") << 5 << QStringLiteral("e");
    }
    void pagesAndRefills()
    {
        QFETCH(int, pageSize);
        QFETCH(QString, search);
        const QList<qint64> order = listOrder(search);
        PagedModel model(CustomerSearchColumns());
        model.setPageSize(pageSize);
        SetCustomerList(&model, {{QStringLiteral("lastname"), search}}, CustomerSearchRow, true);

        // Forward to the end: every customer once, in the order of the query.
        model.refresh();
        while (model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
        QCOMPARE(loaded(model), order);
        QCOMPARE(model.totalCount(), qint64(order.size()));

        // From the end back to the start: the same list.
        model.loadEnd();
        QCOMPARE(model.base() + model.rowCount(), qint64(order.size()));
        while (model.canFetchBefore())
            model.fetchBefore();
        QCOMPARE(model.base(), qint64(0));
        QCOMPARE(loaded(model), order);

        // A refill at a deep place after customers above it, and the one
        // there, were deleted: the row now at that place is current, and
        // only the rows around it are read.
        QTableView g;
        SetGridModel(&g, &model);
        const qint64 place = order.size() - 6;   // counted from 1, the header being row 0
        const QVariantList anchor = model.keyAt(place - 1);
        for (qint64 gone : {order.at(2), order.at(int(place) - 1)})
            objConn.execute(QStringLiteral("DELETE FROM customer WHERE id = ?"), {gone});
        const QList<qint64> after = listOrder(search);
        QCOMPARE(RefillAndSelect(&g, &model, place, 0, anchor), place);
        QCOMPARE(GridCurrentRowData(&g, 0), after.at(int(place) - 1));
        QCOMPARE(CurrentPlace(&g, &model), place);
        if (pageSize < 10)
            QVERIFY(model.rowCount() < 3 * pageSize + 2);
        // Past the end: the last row.
        QCOMPARE(RefillAndSelect(&g, &model, after.size() + 5, 0, model.keyAt(after.size() - 1)),
                 qint64(after.size()));
        QCOMPARE(GridCurrentRowData(&g, 0), after.last());
    }
    void owingCustomersAnyWayTheyAreRead_data()
    {
        QTest::addColumn<qint64>("chunkedCustomers");
        QTest::addColumn<int>("chunk");
        QTest::newRow("chunks only, ties across them") << qint64(1000) << 4;
        QTest::newRow("chunks, then every balance at once") << qint64(9) << 4;
        QTest::newRow("every balance at once") << qint64(0) << 4;
    }
    void owingCustomersAnyWayTheyAreRead()
    {
        QFETCH(qint64, chunkedCustomers);
        QFETCH(int, chunk);
        SaveConfigText(QStringLiteral("EnabledSalesTax2"), QStringLiteral("True"));
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 7.5 WHERE id = 3"));
        // Every other customer owes on a booking with taxed lines, less a
        // payment to the tenth of a cent; the others paid it all, or more.
        const QList<qint64> order = listOrder(QStringLiteral(""));
        for (int i = 0; i < order.size(); ++i) {
            const qint64 b = insertRow("booking", {{"customerid", order.at(i)}, {"fromdate", "2024-01-01 14:00:00"},
                                                   {"todate", "2024-01-03 10:00:00"}, {"Tip", money("1.5").toDb()},
                                                   {"AmountPayed", money("0.005").toDb()}});
            for (const char* amount : {"33.3333", "0.015"})
                insertRow("invoiceline", {{"bookingid", b}, {"itemid", 1}, {"quantity", 1.5}, {"amount", money(amount).toDb()},
                                          {"taxratepercentage", 12.5}});
            if (i % 2 == 1)
                objConn.execute(QStringLiteral("UPDATE booking SET AmountPayed = ? WHERE id = ?"),
                                {(CalcTotal(qint32(b)).totalPayable + money(i % 4 == 1 ? "0" : "9")).toDb(), b});
        }
        insertRow("invoiceline", {{"bookingid", 999999}, {"itemid", 1}, {"quantity", 1}, {"amount", money("5").toDb()}});
        // What each owes, booking by booking.
        QList<QPair<qint64, Money>> owing;
        for (qint64 id : order) {
            Money owed;
            for (Query q = objConn.query(QStringLiteral("SELECT id FROM booking WHERE customerid = ?"), {id}); q.next();)
                owed += CalcTotal(qint32(q.integer(0))).totalPayable - BookingStore::read(q.integer(0))->amountPayed;
            if (owed > Money())
                owing.append({id, owed});
        }
        QCOMPARE(owing.size(), (order.size() + 1) / 2);

        const auto readAll = [&](bool forward, int pageSize) {
            OwingCustomers list(chunkedCustomers, chunk);
            QList<QPair<qint64, Money>> read;
            QVariantList key;
            for (;;) {
                const QList<OwingCustomers::Row> page = list.page(key.isEmpty() ? nullptr : &key, forward, pageSize);
                for (const OwingCustomers::Row& r : page) {
                    if (forward)
                        read.append({r.customer.id, r.owed});
                    else
                        read.prepend({r.customer.id, r.owed});
                    key = r.customer.key;
                }
                if (page.size() < pageSize)
                    return read;
            }
        };
        for (int pageSize : {1, 3, 50}) {
            QCOMPARE(readAll(true, pageSize), owing);
            QCOMPARE(readAll(false, pageSize), owing);
        }
        OwingCustomers list(chunkedCustomers, chunk);
        const QList<OwingCustomers::Row> all = list.page(nullptr, true, 100);
        for (int i = 0; i < all.size(); ++i)
            QCOMPARE(list.countBefore(all.at(i).customer.key), qint64(i));
    }
};

TARLOMY_TEST_MAIN(TestKeysetLists)
#include "tst_keysetlists.moc"
