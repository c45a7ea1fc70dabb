// A customer's booking history: which bookings it lists and how, and what it
// hands back to its opener from the booking summary.
#include "support/testsupport.h"

#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "core/db.h"
#include "widgets/grid.h"
#include "core/modmain.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

class TestBookingHistory : public DbTest {
    Q_OBJECT

    // The answer of the history run last.
    static inline frmBookingHistory::Answer answer;

    // Units of the default database: 1 "Room 1" .. 4 "Room 4", 5 "Suite".
    static qint32 booking(qint64 customerId, const QString& from, const QString& to, QList<int> rooms)
    {
        const qint32 id = qint32(objConn.insert("booking", {{"customerid", customerId}, {"fromdate", from}, {"todate", to}}));
        for (int room : rooms)
            objConn.insert("bookingroom", {{"bookingid", id}, {"roomid", room}});
        return id;
    }
    // The rows as "id|units|arrival|departure".
    static QStringList rows(const frmBookingHistory* d)
    {
        QStringList list;
        const QTableWidget* g = control<QTableWidget>(d, "gArrivals");
        for (int r = 0; r < g->rowCount(); ++r)
            list << QStringLiteral("%1|%2|%3|%4").arg(GridRowData(g, r)).arg(GridText(g, r, 0), GridText(g, r, 1),
                                                                               GridText(g, r, 2));
        return list;
    }
    // Opens the history of a customer as its opener does and runs script
    // while it is shown; true when it closed by itself.
    static bool run(qint32 customerId, const std::function<void(frmBookingHistory*)>& script)
    {
        bool closedByItself = true;
        onNextDialogOf<frmBookingHistory>([&](frmBookingHistory* d) {
            script(d);
            if (d->isVisible()) {
                closedByItself = false;
                QTest::mouseClick(control<QPushButton>(d, "cmdClose"), Qt::LeftButton);
            }
        });
        answer = frmBookingHistory::ask(customerId, nullptr);
        return closedByItself;
    }
    // Shows the summary of the current row; the user leaves it with choice.
    static void showSummary(frmBookingHistory* d, qint32 expected, SummaryChoice choice)
    {
        onNextDialogOf<frmBookingSummary>([=](frmBookingSummary* s) {
            const qint32 shown = s->bookingId();
            const SummaryChoice preset = s->choice();
            QTest::mouseClick(control<QPushButton>(s, choice == SummaryChoice::Edit     ? "cmdEdit"
                                                      : choice == SummaryChoice::Cancel ? "cmdCancel"
                                                                                        : "cmdClose"),
                              Qt::LeftButton);
            QCOMPARE(shown, expected);
            QVERIFY(preset == SummaryChoice::Close);
        });
        QTest::mouseClick(control<QPushButton>(d, "cmdSimpleCalShowSummary"), Qt::LeftButton);
    }

private slots:
    void init() { openDb(); }

    void listsTheCustomersBookingsOnce()
    {
        const qint64 ann = objConn.insert("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}});
        objConn.execute("UPDATE room SET Name = 'Room 1' WHERE id = 4");
        const qint32 twoUnits = booking(ann, "2025-03-10 14:00:00", "2025-03-12 10:00:00", {2, 1, 4});
        const qint32 none = booking(ann, "2024-01-01 07:05:00", "2024-01-03 18:30:00", {});
        const qint32 earlier = booking(ann, "2024-06-01 00:00:00", "2024-06-02 09:00:00", {5});
        const qint32 later = booking(ann, "2025-04-01 15:00:00", "2025-04-02 10:00:00", {3});
        booking(ann, "2025-05-01 15:00:00", "2025-05-02 10:00:00", {99});   // its unit is gone
        booking(objConn.insert("customer", {{"FirstName", "Bob"}}), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {3});

        QStringList byTime, byRoom;
        QString caption;
        run(qint32(ann), [&](frmBookingHistory* d) {
            caption = control<QLabel>(d, "Label1_0")->text();
            byTime = rows(d);
            control<QComboBox>(d, "cboSimpleCalSort")->setFocus();
            QTest::keyClick(control<QComboBox>(d, "cboSimpleCalSort"), Qt::Key_Down);
            byRoom = rows(d);
        });
        QCOMPARE(caption, "Booking history for Ann Lee.");
        auto row = [](qint32 id, const char* units, const char* from, const char* to) {
            return QStringLiteral("%1|%2|%3|%4").arg(id).arg(units, from, to);
        };
        const QString twoRow = row(twoUnits, "Room 1, Room 2", "10-Mar-2025 2:00 PM", "12-Mar-2025 10:00 AM");
        const QString earlierRow = row(earlier, "Suite", "1-Jun-2024 12:00 AM", "2-Jun-2024 9:00 AM");
        const QString laterRow = row(later, "Room 3", "1-Apr-2025 3:00 PM", "2-Apr-2025 10:00 AM");
        // Past and future; a booking without units last, with its whole dates.
        const QString noneRow = row(none, "(None)", "1-Jan-2024 7:05 AM", "3-Jan-2024 6:30 PM");
        QCOMPARE(byTime, QStringList({earlierRow, twoRow, laterRow, noneRow}));
        QCOMPARE(byRoom, QStringList({twoRow, laterRow, earlierRow, noneRow}));
    }

    void customerWithoutBookings()
    {
        QStringList list;
        QString caption;
        QVERIFY(!run(999, [&](frmBookingHistory* d) {   // no such customer
            caption = control<QLabel>(d, "Label1_0")->text();
            list = rows(d);
            QTest::mouseClick(control<QPushButton>(d, "cmdSimpleCalShowSummary"), Qt::LeftButton);
        }));
        QCOMPARE(caption, "Booking history for ...");
        QCOMPARE(list, QStringList({"-1|No reservations exist for this date||"}));
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 "No reservation has been selected. Select a reservation from the Reservation List and try again.");
        QCOMPARE(fakes().messageBoxes->shown.last().style, vbOKOnly | vbInformation);
        QCOMPARE(answer.bookingId, 0);
    }

    void handsTheSummarysChoiceBack()
    {
        // Ids past 16 bits go through whole.
        objConn.execute("INSERT INTO customer (ID, FirstName) VALUES (40000, 'Big')");
        objConn.execute("INSERT INTO booking (id, customerid, fromdate, todate) VALUES (70000, 40000, ?, ?)",
                        {"2025-03-10 14:00:00", "2025-03-12 10:00:00"});
        objConn.insert("bookingroom", {{"bookingid", 70000}, {"roomid", 1}});
        const qint32 second = booking(40000, "2025-04-10 14:00:00", "2025-04-12 10:00:00", {2});

        // Closed without a choice: the history stays open.
        QVERIFY(!run(40000, [](frmBookingHistory* d) { showSummary(d, 70000, SummaryChoice::Close); }));
        QVERIFY(answer.choice == SummaryChoice::Close);
        QCOMPARE(answer.bookingId, 70000);

        // Edit or cancel closes it and hands the booking back.
        for (SummaryChoice code : {SummaryChoice::Edit, SummaryChoice::Cancel}) {
            answer = {};
            QVERIFY(run(40000, [=](frmBookingHistory* d) {
                QTableWidget* g = control<QTableWidget>(d, "gArrivals");
                QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(1, 1)).center());
                showSummary(d, second, code);
            }));
            QVERIFY(answer.choice == code);
            QCOMPARE(answer.bookingId, second);
        }
        // The opener carries the choice out, not the history.
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM booking WHERE customerid = 40000").toInt(), 2);
    }
};

TARLOMY_TEST_MAIN(TestBookingHistory)
#include "tst_bookinghistory.moc"
