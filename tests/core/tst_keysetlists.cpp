// Lists read page by key: names tied across a page boundary, reading back
// from the end, and a refill deep down landing on the row now at the old
// place after rows above it went; the customers who owe money, whichever
// way their balances are worked out.
#include "support/testsupport.h"

#include "widgets/customerlists.h"
#include "core/bookingstore.h"
#include "core/balancenotice.h"
#include "core/changewatch.h"
#include "core/configrecords.h"
#include "core/customerstore.h"
#include "core/db.h"
#include "core/invoicetotals.h"
#include "core/settingkeys.h"
#include "core/settings.h"
#include "customers/owingcustomers.h"
#include "widgets/grid.h"
#include "widgets/pagedmodel.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

class TestKeysetLists : public DbTest {
    Q_OBJECT
    using Criterion = CustomerStore::Criterion;

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
        QList<qint64> order = listOrder(search);
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

        // A refill where nothing changed stays on its row, the last one too.
        QTableView g;
        SetGridModel(&g, &model);
        for (const qint64 place : {qint64(order.size()) / 2, qint64(order.size())}) {
            QCOMPARE(RefillAndSelect(&g, &model, place, 0, model.keyAt(place - 1)), place);
            QCOMPARE(GridCurrentRowData(&g, 0), order.at(int(place) - 1));
        }

        // Read back from the end after the first customers went: the page
        // that comes short is the list's first.
        model.loadEnd();
        if (model.canFetchBefore()) {
            objConn.execute(QStringLiteral("DELETE FROM customer WHERE id = ?"), {order.at(0)});
            order.removeFirst();
            while (model.canFetchBefore())
                if (model.fetchBefore() < pageSize)
                    QCOMPARE(model.base(), qint64(0));
            QCOMPARE(model.base(), qint64(0));
            QCOMPARE(loaded(model), order);
        }

        // A refill at a deep place after customers above it, and the one
        // there, were deleted: the row now at that place is current, and
        // only the rows around it are read.
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
    // A list standing whole in its view: every place shows its row, however
    // it is reached (by its scroll bar, either end, paging on from a place,
    // a refill deep down after rows above it went).
    void wholeListShowsEachPlace_data() { pagesAndRefills_data(); }
    void wholeListShowsEachPlace()
    {
        QFETCH(int, pageSize);
        QFETCH(QString, search);
        const QList<Criterion> criteria = {{QStringLiteral("lastname"), search}};
        QList<qint64> order = listOrder(search);
        PagedModel model(CustomerSearchColumns());
        QTableView g;
        g.resize(400, 300);
        SetGridModel(&g, &model);
        model.setPageSize(pageSize);
        SetWholeCustomerList(&model, criteria);
        model.refresh();
        QCOMPARE(model.rowCount(), int(order.size()));
        QCOMPARE(model.totalCount(), qint64(order.size()));
        QVERIFY(!model.canFetchMore(QModelIndex()));
        const auto shows = [&](const QList<qint64>& ids) {
            QList<qint64> shown;
            for (int place : {0, 1, int(ids.size()) / 2, int(ids.size()) * 3 / 4, int(ids.size()) - 2, int(ids.size()) - 1, 3, 2})
                shown << model.rowId(place);
            for (int place = 0; place < ids.size(); ++place)
                shown << model.rowId(place);
            for (int place = int(ids.size()) - 1; place >= 0; --place)
                shown << model.rowId(place);
            QList<qint64> expected;
            for (int place : {0, 1, int(ids.size()) / 2, int(ids.size()) * 3 / 4, int(ids.size()) - 2, int(ids.size()) - 1, 3, 2})
                expected << ids.at(place);
            expected += ids;
            for (int place = int(ids.size()) - 1; place >= 0; --place)
                expected << ids.at(place);
            return shown == expected;
        };
        QVERIFY(shows(order));

        // Ctrl+End, then the scroll bar's thumb dragged to the top.
        g.show();
        GridSelectRow(&g, 0);
        QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(GridCurrentRowData(&g, 0), order.last());
        QCOMPARE(CurrentPlace(&g, &model), qint64(order.size()));
        g.verticalScrollBar()->setValue(g.verticalScrollBar()->minimum());
        QCOMPARE(model.rowId(g.rowAt(0)), order.first());
        g.verticalScrollBar()->setValue(g.verticalScrollBar()->maximum() / 2);
        QCOMPARE(model.rowId(g.rowAt(0)), order.at(g.rowAt(0)));
        QTest::keyClick(&g, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(GridCurrentRowData(&g, 0), order.first());

        // A refill deep down after customers above it went: the row now at
        // the place, and the list counted afresh.
        const qint64 place = order.size() - 6;
        const QVariantList anchor = model.keyAt(place - 1);
        for (qint64 gone : {order.at(2), order.at(int(place) - 1)})
            objConn.execute(QStringLiteral("DELETE FROM customer WHERE id = ?"), {gone});
        order = listOrder(search);
        QCOMPARE(RefillAndSelect(&g, &model, place, 0, anchor), place);
        QCOMPARE(GridCurrentRowData(&g, 0), order.at(int(place) - 1));
        QCOMPARE(model.rowCount(), int(order.size()));
        QVERIFY(shows(order));
        QCOMPARE(RefillAndSelect(&g, &model, 1, order.at(int(order.size()) - 3)), qint64(order.size()) - 2);
    }

    void owingCustomersAnyWayTheyAreRead_data()
    {
        QTest::addColumn<qint64>("chunkedCustomers");
        QTest::addColumn<int>("chunk");
        QTest::newRow("chunks only, ties across them") << qint64(1000) << 4;
        QTest::newRow("chunks, then every balance at once") << qint64(9) << 4;
        QTest::newRow("every balance at once") << qint64(0) << 4;
    }
    // Every other customer owes on a booking with taxed lines and the
    // second tax, less a payment to the tenth of a cent; the others paid it
    // all, or more.
    static void addOwingBookings()
    {
        SaveConfigText(QStringLiteral("EnabledSalesTax2"), QStringLiteral("True"));
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 7.5 WHERE id = 3"));
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
    }
    // What each customer owes, booking by booking, in list order.
    static QList<QPair<qint64, Money>> owingByBookings()
    {
        QList<QPair<qint64, Money>> owing;
        for (qint64 id : listOrder(QStringLiteral(""))) {
            Money owed;
            for (Query q = objConn.query(QStringLiteral("SELECT id FROM booking WHERE customerid = ?"), {id}); q.next();)
                owed += CalcTotal(qint32(q.integer(0))).totalPayable - BookingStore::read(q.integer(0))->amountPayed;
            if (owed > Money())
                owing.append({id, owed});
        }
        return owing;
    }
    // The whole list as read, with each row's place by its key.
    static QList<QPair<qint64, Money>> owingRead(OwingCustomers& list)
    {
        QList<QPair<qint64, Money>> read;
        const QList<OwingCustomers::Row> all = list.page(nullptr, true, 1000);
        for (int i = 0; i < all.size(); ++i) {
            read.append({all.at(i).customer.id, all.at(i).owed});
            if (list.countBefore(all.at(i).customer.key) != i)
                read.append({-1, Money()});
        }
        return read;
    }

    void owingCustomersAnyWayTheyAreRead()
    {
        QFETCH(qint64, chunkedCustomers);
        QFETCH(int, chunk);
        addOwingBookings();
        const QList<qint64> order = listOrder(QStringLiteral(""));
        const QList<QPair<qint64, Money>> owing = owingByBookings();
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
        QCOMPARE(owingRead(list), owing);
    }

    // The list keeps the balances of its one pass and follows each change
    // the program makes; a change it cannot follow has them worked out again.
    void owingCustomersFollowChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("passes");
        for (const char* followed : {"payment", "line added", "line removed", "booking moved", "renamed", "removed",
                                     "booking removed", "new customer's booking", "rolled back"})
            QTest::newRow(followed) << QString::fromLatin1(followed) << 1;
        QTest::newRow("second tax's rate") << QStringLiteral("second tax's rate") << 2;
        QTest::newRow("another program") << QStringLiteral("another program") << 2;
    }
    void owingCustomersFollowChanges()
    {
        QFETCH(QString, change);
        QFETCH(int, passes);
        addOwingBookings();
        const QList<qint64> order = listOrder(QStringLiteral(""));
        const auto bookingOf = [](qint64 customer) {
            return objConn.scalar(QStringLiteral("SELECT min(id) FROM booking WHERE customerid = ?"), {customer})
                .toLongLong();
        };
        const int before = OwingCustomers::fullPasses();
        OwingCustomers list(0, 4);
        const QList<QPair<qint64, Money>> first = owingRead(list);
        QCOMPARE(first, owingByBookings());
        QCOMPARE(OwingCustomers::fullPasses(), before + 1);

        // Customers 0, 2, 4... owe; 1, 3, 5... do not.
        if (change == QLatin1String("payment")) {
            BookingStore::Payment p;
            p.amountPayed = money("99999");
            BookingStore::savePayment(bookingOf(order.at(4)), p);
        } else if (change == QLatin1String("line added")) {
            insertRow("invoiceline", {{"bookingid", bookingOf(order.at(3))}, {"itemid", 1}, {"quantity", 1},
                                      {"amount", money("20").toDb()}});
        } else if (change == QLatin1String("line removed")) {
            objConn.execute(QStringLiteral("DELETE FROM invoiceline WHERE bookingid = ?"), {bookingOf(order.at(2))});
        } else if (change == QLatin1String("booking moved")) {
            BookingStore::saveCustomer(bookingOf(order.at(0)), order.at(5));
        } else if (change == QLatin1String("renamed")) {
            CustomerRecord c = *CustomerStore::read(order.at(6));
            c.lastName = QStringLiteral("Zzz");
            CustomerStore::update(c);
        } else if (change == QLatin1String("removed")) {
            CustomerStore::removeWithBookings(order.at(8));
        } else if (change == QLatin1String("booking removed")) {
            BookingStore::remove(bookingOf(order.at(10)));
        } else if (change == QLatin1String("new customer's booking")) {
            const qint64 b = insertRow("booking", {{"fromdate", "2024-02-01 14:00:00"}, {"todate", "2024-02-03 10:00:00"}});
            insertRow("invoiceline", {{"bookingid", b}, {"itemid", 1}, {"quantity", 1}, {"amount", money("7").toDb()}});
            CustomerRecord c;
            c.lastName = QStringLiteral("Aaa");
            CustomerStore::addForBooking(c, b);
        } else if (change == QLatin1String("rolled back")) {
            Connection::Transaction t(objConn);
            objConn.execute(QStringLiteral("UPDATE booking SET AmountPayed = 0"));
        } else if (change == QLatin1String("second tax's rate")) {
            objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 9 WHERE id = 3"));
        } else if (change == QLatin1String("another program")) {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(objConn.fileName());
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(QStringLiteral("UPDATE booking SET AmountPayed = 0"), other).isActive());
            other.close();
        }
        const QList<QPair<qint64, Money>> now = owingByBookings();
        QCOMPARE(now == first, change == QLatin1String("rolled back"));
        QCOMPARE(owingRead(list), now);
        QCOMPARE(OwingCustomers::fullPasses(), before + passes);
    }

    // What moves balances beyond the watched rows is told by its writers,
    // once for the writes of one turn of the event loop; nothing else is.
    void balancesMovedAreTold_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("told");
        for (const char* moves : {"tax rate saved", "tax rate removed", "second tax switched", "both at once"})
            QTest::newRow(moves) << QString::fromLatin1(moves) << 1;
        for (const char* stays : {"second tax as it was", "another setting", "payment"})
            QTest::newRow(stays) << QString::fromLatin1(stays) << 0;
    }
    void balancesMovedAreTold()
    {
        QFETCH(QString, change);
        QFETCH(int, told);
        const bool second = true;
        QVERIFY(Config::EnabledSalesTax2.save(second));
        QCoreApplication::processEvents();
        QSignalSpy spy(BalanceNotice::instance(), &BalanceNotice::balancesMoved);
        const quint64 before = BalanceNotice::count();
        if (change == QLatin1String("tax rate saved") || change == QLatin1String("both at once")) {
            TaxRateRecord rate = *TaxRateRecord::find(3);
            rate.percentage = 9;
            rate.save();
        }
        if (change == QLatin1String("tax rate removed"))
            TaxRateRecord::remove(3);
        if (change == QLatin1String("second tax switched") || change == QLatin1String("both at once"))
            QVERIFY(Config::EnabledSalesTax2.save(!second));
        if (change == QLatin1String("second tax as it was"))
            QVERIFY(SaveConfigTexts({Config::EnabledSalesTax2(second)}));
        if (change == QLatin1String("another setting"))
            QVERIFY(SaveConfigTexts({Config::Tip(12.0)}));
        if (change == QLatin1String("payment"))
            objConn.execute(QStringLiteral("UPDATE booking SET AmountPayed = 5"));   // the watch's to see
        QCOMPARE(BalanceNotice::count() > before, told > 0);
        QCOMPARE(spy.count(), 0);   // not in the middle of the writer's work
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), told);
    }

    // A value the engine does not give (here the column's place moved under
    // the watch) is a change not followed: the watch says so, and follows
    // again from there.
    void changeWatchGivesUpOnAValueNotGiven()
    {
        objConn.execute(QStringLiteral("CREATE TABLE scratch (a INTEGER, b INTEGER, c INTEGER)"));
        objConn.execute(QStringLiteral("INSERT INTO scratch VALUES (1, 2, 3)"));
        ChangeWatch watch({{QStringLiteral("scratch"), QStringLiteral("c")}});
        std::vector<QSet<qint64>> seen;
        objConn.execute(QStringLiteral("UPDATE scratch SET c = 4"));
        QVERIFY(watch.take(&seen));
        QCOMPARE(seen.at(0), QSet<qint64>({3, 4}));
        objConn.execute(QStringLiteral("ALTER TABLE scratch DROP COLUMN a"));
        objConn.execute(QStringLiteral("UPDATE scratch SET c = 5"));
        QVERIFY(!watch.take(&seen));
        QVERIFY(seen.at(0).isEmpty());
        objConn.execute(QStringLiteral("UPDATE scratch SET c = 6"));
        QVERIFY(watch.take(&seen));
        QCOMPARE(seen.at(0), QSet<qint64>({5, 6}));
    }
};

TARLOMY_TEST_MAIN(TestKeysetLists)
#include "tst_keysetlists.moc"
