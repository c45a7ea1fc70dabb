// The customer picker: what it lists for the two name boxes, names with
// quote and wildcard characters found as typed, and what it hands back.
#include "support/testsupport.h"

#include "core/db.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "booking/frmrescustsearch.h"

#include <QPushButton>
#include <QTableView>
#include <memory>
#include <QLineEdit>

namespace {

qint64 addCustomer(const QString& first, const QString& last, const QVariant& address2 = QString(),
                   const QVariant& postcode = QString(), const QVariant& phone = QString())
{
    return objConn.insert(QStringLiteral("customer"), {{QStringLiteral("FirstName"), first},
                                                       {QStringLiteral("LastName"), last},
                                                       {QStringLiteral("Address1"), QStringLiteral("1 High St")},
                                                       {QStringLiteral("Address2"), address2},
                                                       {QStringLiteral("PostCode"), postcode},
                                                       {QStringLiteral("Phone"), phone}});
}

QStringList names(const frmResCustSearch& dlg)
{
    QStringList list;
    for (int r = 0; r < GridRowCount(control<QTableView>(&dlg, "gcust")); ++r)
        list << GridText(control<QTableView>(&dlg, "gcust"), r, 0);
    return list;
}

QStringList search(frmResCustSearch& dlg, const QString& first, const QString& last)
{
    control<QLineEdit>(&dlg, "txtFirstname")->setText(first);
    control<QLineEdit>(&dlg, "txtLastname")->setText(last);
    QTest::mouseClick(control<QPushButton>(&dlg, "cmdOk"), Qt::LeftButton);
    return names(dlg);
}

}  // namespace

class TestResCustSearch : public DbTest {
    Q_OBJECT

private slots:
    void init() { openDb(); }

    void cleanup() { closeDb(); }

    void listsMatchesOnFirstOrLastName()
    {
        const qint64 zed = addCustomer(QStringLiteral("Zed"), QStringLiteral("Adams"), QStringLiteral("Flat 2"),
                                       QStringLiteral("AB1"), QStringLiteral("555"));
        addCustomer(QStringLiteral("Amy"), QStringLiteral("Brown"), dbNull(), dbNull(), dbNull());
        addCustomer(QStringLiteral("Bob"), QStringLiteral("adams"));
        addCustomer(QStringLiteral("Cy"), QStringLiteral("Zane"));

        frmResCustSearch dlg;
        QCOMPARE(dlg.chosen().value_or(-1), -1);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Customer Search"));
        QCOMPARE(control<QTableView>(&dlg, "gcust")->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Phone"));

        // Both boxes empty: everyone, by last name and then first name.
        QCOMPARE(dlg.RefreshCustomerScreen(1, 0), 1);
        QCOMPARE(names(dlg), QStringList({QStringLiteral("Bob adams"), QStringLiteral("Zed Adams"),
                                          QStringLiteral("Amy Brown"), QStringLiteral("Cy Zane")}));
        QCOMPARE(control<QTableView>(&dlg, "gcust")->currentIndex().row(), 0);
        QCOMPARE(GridRowData(control<QTableView>(&dlg, "gcust"), 1), zed);
        QCOMPARE(GridText(control<QTableView>(&dlg, "gcust"), 1, 1), QStringLiteral("1 High St, Flat 2"));
        QCOMPARE(GridText(control<QTableView>(&dlg, "gcust"), 1, 2), QStringLiteral("AB1"));
        QCOMPARE(GridText(control<QTableView>(&dlg, "gcust"), 2, 1), QStringLiteral("1 High St"));
        QVERIFY(GridText(control<QTableView>(&dlg, "gcust"), 2, 2).isEmpty());
        QVERIFY(GridText(control<QTableView>(&dlg, "gcust"), 2, 3).isEmpty());
        // The row of a given customer is selected instead of the first.
        QCOMPARE(dlg.RefreshCustomerScreen(1, zed), 2);
        QCOMPARE(control<QTableView>(&dlg, "gcust")->currentIndex().row(), 1);

        // First name or last name, anywhere in the name, any letter case.
        QCOMPARE(search(dlg, QStringLiteral("z"), QString()),
                 QStringList({QStringLiteral("Zed Adams")}));
        QCOMPARE(search(dlg, QStringLiteral("amy"), QStringLiteral("ZAN")),
                 QStringList({QStringLiteral("Amy Brown"), QStringLiteral("Cy Zane")}));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void quotesAndWildcardsAreFoundAsTyped()
    {
        addCustomer(QStringLiteral("Pat"), QStringLiteral("O'Brien"));
        addCustomer(QStringLiteral("Say \"Hi\""), QStringLiteral("Quote"));
        addCustomer(QStringLiteral("Hundred"), QStringLiteral("100%"));
        addCustomer(QStringLiteral("Under"), QStringLiteral("a_b"));
        addCustomer(QStringLiteral("Back"), QStringLiteral("c\\d"));
        addCustomer(QStringLiteral("Plain"), QStringLiteral("axb 100"));

        frmResCustSearch dlg;
        QCOMPARE(search(dlg, QString(), QStringLiteral("o'b")), QStringList({QStringLiteral("Pat O'Brien")}));
        QCOMPARE(search(dlg, QStringLiteral("\"Hi\""), QString()), QStringList({QStringLiteral("Say \"Hi\" Quote")}));
        QCOMPARE(search(dlg, QString(), QStringLiteral("%")), QStringList({QStringLiteral("Hundred 100%")}));
        QCOMPARE(search(dlg, QString(), QStringLiteral("a_b")), QStringList({QStringLiteral("Under a_b")}));
        QCOMPARE(search(dlg, QString(), QStringLiteral("c\\d")), QStringList({QStringLiteral("Back c\\d")}));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void noMatchesLeavesNothingToSelect()
    {
        for (int i = 0; i < 10; ++i)
            addCustomer(QStringLiteral("Ann%1").arg(i), QStringLiteral("Lee"));
        addCustomer(QStringLiteral("Tom"), QStringLiteral("Ng"));

        frmResCustSearch dlg;
        QCOMPARE(search(dlg, QStringLiteral("ann"), QString()).size(), 10);
        QCOMPARE(search(dlg, QString(), QStringLiteral("ng")).size(), 1);
        QCOMPARE(search(dlg, QStringLiteral("nobody"), QString()).size(), 0);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("No matches found. Please try again or press Close to enter new customer details."));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbInformation | vbOKOnly));
        QCOMPARE(dlg.RefreshCustomerScreen(1, 0), 0);

        onNextDialog([&dlg](QWidget*) {
            QTest::mouseClick(control<QPushButton>(&dlg, "cmdSelect"), Qt::LeftButton);
            QVERIFY(dlg.isVisible());
            QTest::mouseClick(control<QPushButton>(&dlg, "cmdCancel"), Qt::LeftButton);
        });
        dlg.exec();
        QCOMPARE(dlg.chosen().value_or(-1), -1);
    }

    void selectOrDoubleClickHandsBackTheCustomer()
    {
        addCustomer(QStringLiteral("Al"), QStringLiteral("Able"));
        const qint64 baker = addCustomer(QStringLiteral("Bo"), QStringLiteral("Baker"));
        {
            frmResCustSearch dlg;
            dlg.RefreshCustomerScreen(1, 0);
            onNextDialog([&dlg](QWidget*) {
                QTableView* g = control<QTableView>(&dlg, "gcust");
                const QRect cell = g->visualRect(g->model()->index(1, 0));
                QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
                if (dlg.isVisible())
                    dlg.reject();   // the double click was not taken
            });
            QCOMPARE(dlg.exec(), int(QDialog::Accepted));
            QCOMPARE(dlg.chosen().value_or(-1), qint32(baker));
        }
        // Esc closes a fresh picker without a choice.
        frmResCustSearch dlg;
        QCOMPARE(dlg.chosen().value_or(-1), -1);
        dlg.RefreshCustomerScreen(1, 0);
        onNextDialog([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
        dlg.exec();
        QCOMPARE(dlg.chosen().value_or(-1), -1);

        // Asked with the names typed on the customer page: their matches, and the answer.
        onNextDialogOf<frmResCustSearch>([](frmResCustSearch* d) {
            QCOMPARE(control<QLineEdit>(d, "txtLastname")->text(), QStringLiteral("bak"));
            QCOMPARE(GridRowCount(control<QTableView>(d, "gcust")), 1);
            QTest::mouseClick(control<QPushButton>(d, "cmdSelect"), Qt::LeftButton);
        });
        QCOMPARE(frmResCustSearch::ask(QString(), QStringLiteral("bak"), nullptr).value_or(-1), qint32(baker));
        onNextDialogOf<frmResCustSearch>([](frmResCustSearch* d) { d->reject(); });
        QVERIFY(!frmResCustSearch::ask(QStringLiteral("Al"), QString(), nullptr));
    }

    // More customers than one page: a customer far down the list is read and
    // selected, and every customer, those without names included, is listed
    // once when scrolled to the end.
    void longListSelectsBeyondTheFirstPage()
    {
        qint64 far = 0;
        {
            Connection::Transaction t(objConn);
            for (int i = 0; i < 60; ++i)   // no last name: first in the list
                addCustomer(QStringLiteral("Nil%1").arg(i, 2, 10, QLatin1Char('0')), QString());
            for (int i = 0; i < 60; ++i)
                objConn.insert(QStringLiteral("customer"), {{QStringLiteral("FirstName"), dbNull()}});
            for (int i = 0; i < 130; ++i) {
                const qint64 id = addCustomer(QStringLiteral("Al"), QStringLiteral("Lee%1").arg(i, 3, 10, QLatin1Char('0')));
                if (i == 100)
                    far = id;
            }
            t.commit();
        }
        frmResCustSearch dlg;
        QTableView* g = control<QTableView>(&dlg, "gcust");
        // The nameless first, then Lee000...; Lee100 is row 221.
        QCOMPARE(dlg.RefreshCustomerScreen(1, far), 221);
        QCOMPARE(g->currentIndex().row(), 220);
        QCOMPARE(GridCurrentRowData(g, 0), far);
        QCOMPARE(GridText(g, 220, 0), QStringLiteral("Al Lee100"));
        // A row past the end selects the last one.
        QCOMPARE(dlg.RefreshCustomerScreen(400, 0), 250);
        QSet<qint64> ids;
        for (int r = 0; r < GridRowCount(g); ++r)
            ids.insert(GridRowData(g, r));
        QCOMPARE(ids.size(), 250);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }
};

TARLOMY_TEST_MAIN(TestResCustSearch)
#include "tst_frmrescustsearch.moc"
