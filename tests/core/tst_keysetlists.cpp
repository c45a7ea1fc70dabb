// Lists read page by key: names tied across a page boundary, reading back
// from the end, and a refill deep down landing on the row now at the old
// place after rows above it went.
#include "support/testsupport.h"

#include "widgets/customerlists.h"
#include "core/customerstore.h"
#include "core/db.h"
#include "widgets/grid.h"
#include "widgets/pagedmodel.h"

#include <QTableView>

class TestKeysetLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> db;

    // Every customer id in list order, as one query sorts them.
    static QList<qint64> listOrder()
    {
        QList<qint64> ids;
        for (Query q = objConn.query(QStringLiteral(
                 "SELECT id FROM customer ORDER BY ifnull(lastname, '') COLLATE FOLD, "
                 "ifnull(firstname, '') COLLATE FOLD, id"));
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
        resetProgramState();
        db = std::make_unique<TestDb>();
        db->open();
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
        QTest::newRow("one row a page") << 1;
        QTest::newRow("ties cross pages") << 5;
        QTest::newRow("one page") << 100;
    }
    void pagesAndRefills()
    {
        QFETCH(int, pageSize);
        const QList<qint64> order = listOrder();
        PagedModel model(CustomerSearchColumns());
        model.setPageSize(pageSize);
        SetCustomerList(&model, {}, CustomerSearchRow, true);

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
        const QList<qint64> after = listOrder();
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
};

TARLOMY_TEST_MAIN(TestKeysetLists)
#include "tst_keysetlists.moc"
