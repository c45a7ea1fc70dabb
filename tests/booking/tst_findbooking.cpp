// The booking search: which bookings its dates find, and what it hands back
// to Find Booking.
#include "support/testsupport.h"

#include "booking/frmfindbooking.h"
#include "core/bookingstore.h"
#include "core/db.h"
#include "widgets/grid.h"
#include "widgets/pagedmodel.h"
#include "core/modmain.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

class TestFindBooking : public DbTest {
    Q_OBJECT

    static qint32 booking(const QVariant& customerId, const QString& from, const QString& to)
    {
        return qint32(objConn.insert("booking", {{"customerid", customerId}, {"fromdate", from}, {"todate", to}}));
    }
    // Ticks a criterion, tabs into its picker and types the day as the user
    // does, as the locale writes it, then leaves the box ("" leaves it unticked).
    static void criterion(QCheckBox* tick, QDateEdit* picker, const QString& day)
    {
        if (tick->isChecked())
            QTest::mouseClick(tick, Qt::LeftButton);
        if (day.isEmpty())
            return;
        QTest::mouseClick(tick, Qt::LeftButton);
        QTest::keyClick(tick, Qt::Key_Tab);
        const QDate d = QDate::fromString(day, "M/d/yyyy");
        QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(picker, d.toString("M/d/yyyy"));
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(picker->date(), d);
    }
    // Searches; the rows as "id|name|arriving|departing".
    static QStringList search(frmFindBooking* d, const QString& arrive, const QString& depart)
    {
        criterion(control<QCheckBox>(d, "chkArrive"), control<QDateEdit>(d, "dtArrive"), arrive);
        criterion(control<QCheckBox>(d, "chkDepart"), control<QDateEdit>(d, "dtDepart"), depart);
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        QStringList rows;
        for (int r = 0; r < GridRowCount(control<QTableView>(d, "gres")); ++r)
            rows << QStringLiteral("%1|%2|%3|%4").arg(GridRowData(control<QTableView>(d, "gres"), r)).arg(
                        GridText(control<QTableView>(d, "gres"), r, 0), GridText(control<QTableView>(d, "gres"), r, 1), GridText(control<QTableView>(d, "gres"), r, 2));
        return rows;
    }
    // Opens the dialog as Find Booking does and runs script while it is shown.
    // Its answer: the booking chosen, or nothing.
    static std::optional<qint32> run(const std::function<void(frmFindBooking*)>& script)
    {
        onNextDialogOf<frmFindBooking>([&](frmFindBooking* d) {
            script(d);
            if (d->isVisible())
                d->reject();
        });
        return frmFindBooking::ask(nullptr);
    }

private slots:
    void init() { openDb(); }

    void findsByArrivalAndDeparture()
    {
        const qint32 ann = qint32(objConn.insert("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}}));
        const qint32 stay = booking(ann, "2025-03-10 14:00:00", "2025-03-12 10:00:00");
        const qint32 before = booking(ann, "2025-03-09 23:59:59", "2025-03-11 00:00:00");
        const qint32 lateOut = booking(ann, "2025-03-10 00:00:00", "2025-03-11 23:59:59");
        booking(0, "2025-03-10 12:00:00", "2025-03-11 10:00:00");      // no customer yet
        booking(4242, "2025-03-10 12:00:00", "2025-03-11 10:00:00");   // its customer row is gone
        auto row = [](qint32 id, const char* from, const char* to) {
            return QStringLiteral("%1|Ann Lee|%2|%3").arg(id).arg(from, to);
        };

        QStringList arriving, departing, both, none;
        QString count;
        bool smallAtFirst = false, grown = false;
        run([&](frmFindBooking* d) {
            smallAtFirst = d->height() <= control<QTableView>(d, "gres")->y() && !control<QCheckBox>(d, "chkArrive")->isChecked()
                           && !control<QCheckBox>(d, "chkDepart")->isChecked() && control<QDateEdit>(d, "dtArrive")->date() == QDate::currentDate();
            arriving = search(d, "3/10/2025", "");
            grown = control<QTableView>(d, "gres")->y() + control<QTableView>(d, "gres")->height() < d->height() && control<QTableView>(d, "gres")->height() > 100;
            departing = search(d, "", "3/11/2025");
            both = search(d, "3/10/2025", "3/11/2025");
            none = search(d, "1/1/2030", "");
            count = control<QLabel>(d, "lblTotalCustomers")->text();
        });
        QVERIFY(smallAtFirst && grown);
        // From the first second of the arrival day, in order of arrival.
        QCOMPARE(arriving, QStringList({row(lateOut, "3/10/2025", "3/11/2025 11:59:59 PM"),
                                        row(stay, "3/10/2025 2:00:00 PM", "3/12/2025 10:00:00 AM")}));
        // Up to the last second of the departure day.
        QCOMPARE(departing, QStringList({row(before, "3/9/2025 11:59:59 PM", "3/11/2025"),
                                         row(lateOut, "3/10/2025", "3/11/2025 11:59:59 PM")}));
        QCOMPARE(both, QStringList({row(lateOut, "3/10/2025", "3/11/2025 11:59:59 PM")}));
        QCOMPARE(none, QStringList());
        QCOMPARE(count, "0");
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void refusesWithoutCriteriaOrSelection()
    {
        booking(objConn.insert("customer", {{"FirstName", "Ann"}}), "2025-03-10 14:00:00", "2025-03-12 10:00:00");
        bool stillOpen = false;
        const std::optional<qint32> found = run([&](frmFindBooking* d) {
            QTest::mouseClick(control<QPushButton>(d, "cmdEditCustomer"), Qt::LeftButton);   // before any search
            QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);             // nothing ticked
            search(d, "1/1/2030", "");
            QTest::mouseClick(control<QPushButton>(d, "cmdEditCustomer"), Qt::LeftButton);   // nothing found
            stillOpen = d->isVisible();
            QTest::mouseClick(control<QPushButton>(d, "cmdCancel"), Qt::LeftButton);
        });
        QVERIFY(!found.has_value() && stillOpen);
        const QString noSelection =
            "No reservation has been selected. Select a reservation to to view or edit and try again.";
        const QList<ShownMessage>& shown = fakes().messageBoxes->shown;
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].prompt, noSelection);
        QCOMPARE(shown[1].prompt,
                 "No criteria to search by has been entered. Please enter some details and try again.");
        QCOMPARE(shown[2].prompt, noSelection);
        for (const ShownMessage& m : shown)
            QCOMPARE(m.style, vbCritical | vbOKOnly);
        QVERIFY(!found.has_value());
    }

    void handsBackTheChosenBooking()
    {
        const qint64 c = objConn.insert("customer", {{"FirstName", "Ann"}});
        booking(c, "2025-03-10 14:00:00", "2025-03-12 10:00:00");
        // Ids past 16 bits go through whole.
        objConn.execute("INSERT INTO booking (id, customerid, fromdate, todate) VALUES (70000, ?, ?, ?)",
                        {c, "2025-03-11 14:00:00", "2025-03-13 10:00:00"});

        std::optional<qint32> found = run([](frmFindBooking* d) {
            search(d, "3/10/2025", "");
            QTableView* g = control<QTableView>(d, "gres");
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(1, 0)).center());
            QTest::mouseClick(control<QPushButton>(d, "cmdEditCustomer"), Qt::LeftButton);
        });
        QVERIFY(found.has_value());
        QCOMPARE(found.value_or(-1), 70000);

        // Closed without a choice.
        found = run([](frmFindBooking* d) {
            search(d, "3/10/2025", "");
            QTest::mouseClick(control<QPushButton>(d, "cmdCancel"), Qt::LeftButton);
        });
        QVERIFY(!found.has_value());
    }

    // More bookings than one page: the first page shows at once with the
    // count of all, Ctrl+End reads the rest and goes to the last, and
    // bookings arriving at the same moment across the page's end are
    // neither lost nor listed twice; bookings without a customer (none yet,
    // or their customer's row gone) are neither listed nor counted.
    void longListLoadsAsScrolled_data()
    {
        QTest::addColumn<QString>("without");
        QTest::newRow("every booking has its customer") << QString();
        QTest::newRow("bookings without a customer yet") << QStringLiteral("none yet");
        QTest::newRow("bookings whose customer is gone") << QStringLiteral("gone");
        QTest::newRow("a booking whose customer is Null") << QStringLiteral("null");
    }
    void longListLoadsAsScrolled()
    {
        QFETCH(QString, without);
        const qint64 c = objConn.insert("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}});
        const qint64 gone = objConn.insert("customer", {{"FirstName", "Al"}, {"LastName", "Gone"}});
        const QVariant other = without == QLatin1String("none yet") ? QVariant(0)
                               : without == QLatin1String("gone")   ? QVariant(gone)
                                                                    : QVariant();
        QList<qint64> expected;
        {
            Connection::Transaction t(objConn);
            for (int i = 0; i < 95; ++i)
                expected << booking(c, QDate(2025, 1, 1).addDays(i).toString("yyyy-MM-dd") + " 14:00:00", "2026-01-01 10:00:00");
            for (int i = 0; i < 12; ++i) {   // one arrival moment, rows 96 to 107
                expected << booking(c, "2025-06-01 14:00:00", i < 6 ? "2025-06-03 10:00:00" : "2025-06-02 10:00:00");
                if (!without.isEmpty() && (without != QLatin1String("null") || i == 0))
                    booking(other, "2025-06-01 14:00:00", "2025-06-02 10:00:00");   // never listed
            }
            for (int i = 0; i < 40; ++i)
                expected << booking(c, "2025-07-01 14:00:00", "2025-07-02 10:00:00");
            objConn.execute(QStringLiteral("DELETE FROM customer WHERE id = ?"), {gone});
            t.commit();
        }
        // The same arrival orders by departure, then by booking.
        std::rotate(expected.begin() + 95, expected.begin() + 101, expected.begin() + 107);

        int firstPage = 0;
        QString count;
        QList<qint64> listed;
        const std::optional<qint32> found = run([&](frmFindBooking* d) {
            criterion(control<QCheckBox>(d, "chkArrive"), control<QDateEdit>(d, "dtArrive"), "1/1/2025");
            QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
            QTableView* g = control<QTableView>(d, "gres");
            firstPage = GridRowCount(g);
            // The count of a list longer than a page follows its first screen.
            QTRY_VERIFY(!control<QLabel>(d, "lblTotalCustomers")->text().isEmpty());
            count = control<QLabel>(d, "lblTotalCustomers")->text();
            // Ctrl+End reads the last page alone and shows its last row;
            // Ctrl+Home reads the first again; scrolling back up from the end
            // reads the rest.
            auto* model = qobject_cast<PagedModel*>(g->model());
            QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(GridCurrentRowData(g), expected.last());
            QCOMPARE(CurrentPlace(g, model), qint64(147));
            QVERIFY(g->viewport()->rect().contains(g->visualRect(g->currentIndex()).center()));
            QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
            QCOMPARE(GridCurrentRowData(g), expected.first());
            QCOMPARE(CurrentPlace(g, model), qint64(1));
            QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
            QVERIFY(GridRowCount(g) < 147);
            for (int tries = 0; tries < 10 && GridRowCount(g) < 147; ++tries) {
                g->verticalScrollBar()->setValue(1);
                g->verticalScrollBar()->setValue(0);
            }
            QCOMPARE(GridCurrentRowData(g), expected.last());
            for (int r = 0; r < GridRowCount(g); ++r)
                listed << GridRowData(g, r);
            QTest::mouseClick(control<QPushButton>(d, "cmdEditCustomer"), Qt::LeftButton);
        });
        QVERIFY(firstPage < 147);
        QCOMPARE(count, "147");
        // Each listed booking's place is counted as it is listed, with or
        // without a departure day.
        for (const QDate& depart : {QDate(), QDate(2025, 12, 31)}) {
            BookingSearch found(QDate(2025, 1, 1), depart);
            const QList<FoundBooking> all = found.page(nullptr, true, 1000);
            QCOMPARE(all.size(), depart.isValid() ? 52 : 147);
            for (int r = 0; r < all.size(); ++r)
                QCOMPARE(found.countBefore(all.at(r).key), qint64(r));
        }
        QCOMPARE(listed, expected);
        QVERIFY(found.has_value());
        QCOMPARE(found.value_or(-1), qint32(expected.last()));
    }
};

TARLOMY_TEST_MAIN(TestFindBooking)
#include "tst_findbooking.moc"
