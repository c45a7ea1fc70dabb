// The booking summary: what it shows, its "Email" link, and its three answers
// acted on by the arrivals list that opened it.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/datespage.h"
#include "calendar/arrivalspanel.h"
#include "calendar/frmbookingsummary.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "core/invoicetotals.h"

#include <QPlainTextEdit>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

int bookings(qint32 id)
{
    return objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM booking WHERE id = ?"), {id}).toInt();
}

}  // namespace

class TestBookingSummary : public DbTest {
    Q_OBJECT

    QTableView* grid() const { return control<QTableView>(main->arrivals(), "gArrivals"); }

    // Double clicks the row of booking id as the window system delivers it,
    // with what the summary does once it is open.
    void doubleClick(qint32 id, const std::function<void(frmBookingSummary*)>& inSummary)
    {
        int row = -1;
        for (int r = 0; r < GridRowCount(grid()); ++r)
            if (GridRowData(grid(), r) == id)
                row = r;
        QVERIFY(row >= 0);
        onNextDialogOf<frmBookingSummary>([this, inSummary](frmBookingSummary* s) {
            inSummary(s);
            choice = s->choice();
        });
        const QPoint at = grid()->visualRect(grid()->model()->index(row, 1)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, at);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, grid()->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::LeftButton, {});
        QApplication::sendEvent(grid()->viewport(), &dbl);
    }
    static QLabel* label(frmBookingSummary& s, int i)
    {
        return control<QLabel>(&s, qPrintable(QStringLiteral("lblConfirm_%1").arg(i)));
    }
    static QString value(frmBookingSummary& s, int i) { return label(s, i)->text(); }
    // The answer of the summary opened last.
    SummaryChoice choice = SummaryChoice::Close;

private slots:
    void init() { resetProgramState(); }

    void showsTheBooking_data()
    {
        QTest::addColumn<bool>("tax2");
        QTest::newRow("second tax off") << false;
        QTest::newRow("second tax on") << true;
    }
    void showsTheBooking()
    {
        QFETCH(bool, tax2);
        showMain();
        SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), tax2);
        objConn.execute(QStringLiteral("UPDATE taxrate SET name = 'City Tax', percentage = 5 WHERE id = 3"));
        // No business name, second address line nor mobile.
        const qint32 customer = insertRow("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}, {"Address1", "1 Quay"},
                                                    {"City", "Portland"}, {"Country", "USA"}, {"Phone", "555 0100"},
                                                    {"HomePhone", "555 0123"}, {"Email", "ann@example.com"}});
        const qint32 id = insertRow("booking", {{"customerid", customer}, {"fromdate", "2025-03-03 09:00:00"},
                                             {"todate", "2025-03-05 14:00:00"}, {"noadults", 3}, {"nokids", 1},
                                             {"notes", "Cot"}, {"Tip", dbValue(Money::fromUnits(2))},
                                             {"AmountPayed", dbValue(Money::fromUnits(50))}, {"PaymentMethod", "Visa"},
                                             {"CreditCardNo", "4111"}, {"CreditCardExpiry", "12/27"},
                                             {"CreditCardType", "Gold"}});
        insertRow("invoiceline", {{"bookingid", id}, {"itemid", 2}, {"quantity", 3},
                               {"amount", dbValue(Money::fromRaw(99900))}, {"taxratepercentage", 10}});

        frmBookingSummary s(id, main);
        QCOMPARE(s.windowTitle(), QStringLiteral("Reservation Summary"));
        QCOMPARE(control<QLabel>(&s, "lblConfirmDates")->text(), QStringLiteral("Booking from 3/3/2025 9:00 AM to 3/5/2025 2:00 PM"));
        QCOMPARE(control<QLabel>(&s, "lblConfirmAdultsChildren")->text(), QStringLiteral("3 Adults and 1 Children"));
        QCOMPARE(control<QLabel>(&s, "lblConfirmContact")->text(), QStringLiteral("Ann Lee\n1 Quay, Portland, . USA\n"
                                                                 "Work ph: 555 0100 Cell/Mobile:  Home Phone: 555 0123 "
                                                                 "ann@example.com"));
        QCOMPARE(control<QPlainTextEdit>(&s, "txtBookingNotes")->toPlainText(), QStringLiteral("Cot"));
        QCOMPARE(QStringList({value(s, 6), value(s, 7), value(s, 8), value(s, 9)}),
                 QStringList({"Visa", "Gold", "4111", "12/27"}));

        const BookingTotals t = CalcTotal(id);
        QCOMPARE(QStringList({value(s, 2), value(s, 3), value(s, 10), value(s, 4), value(s, 11), value(s, 5)}),
                 QStringList({t.cSubTotal, t.cSalesTax1, t.cSalesTax2, t.cTotalPayable, t.cTip, t.cPayments}));
        QCOMPARE(value(s, 4), tax2 ? QStringLiteral("$36.47") : QStringLiteral("$34.97"));
        QVERIFY(!s.findChild<QLabel*>(QStringLiteral("lblConfirm_0")));   // no balance due here

        QCOMPARE(control<QLabel>(&s, "lblSalesTaxName_1")->text(), QStringLiteral("Sales Tax"));
        QCOMPARE(control<QLabel>(&s, "lblSalesTaxName2_1")->isVisibleTo(&s), tax2);
        QCOMPARE(label(s, 10)->isVisibleTo(&s), tax2);
        QCOMPARE(control<QLabel>(&s, "lblSalesTaxName2_1")->text(), tax2 ? QStringLiteral("City Tax") : QStringLiteral("2nd Sales Tax:"));

        QTest::mouseClick(control<QLabel>(&s, "lblEmail"), Qt::LeftButton);
        QCOMPARE(fakes().shell->opened, QStringList({QStringLiteral("mailto:ann@example.com")}));
    }

    void missingCustomerNoLinesNoBooking()
    {
        showMain();
        const qint32 orphan = insertRow("booking", {{"customerid", 4242}, {"fromdate", "2025-03-03 09:00:00"},
                                                 {"todate", "2025-03-04 10:00:00"}, {"noadults", dbNull()},
                                                 {"Tip", dbNull()}, {"AmountPayed", dbNull()}});
        const qint32 none = insertRow("booking", {{"customerid", 0}, {"fromdate", "2025-03-03 09:00:00"},
                                               {"todate", "2025-03-04 10:00:00"}});
        {
            frmBookingSummary s(orphan, main);
            QCOMPARE(control<QLabel>(&s, "lblConfirmContact")->text(), QString());
            QCOMPARE(control<QLabel>(&s, "lblConfirmAdultsChildren")->text(), QStringLiteral(" Adults and 0 Children"));
            QCOMPARE(value(s, 4) + value(s, 5), QStringLiteral("$0.00$0.00"));
        }
        {
            frmBookingSummary s(none, main);
            QCOMPARE(control<QLabel>(&s, "lblConfirmContact")->text(), QStringLiteral("No customer information entered."));
            QTest::mouseClick(control<QLabel>(&s, "lblEmail"), Qt::LeftButton);
            QCOMPARE(fakes().shell->opened, QStringList({QStringLiteral("mailto:")}));
        }

        // A booking that is gone: no values, and the buttons still answer.
        frmBookingSummary s(9999, main);
        QCOMPARE(control<QLabel>(&s, "lblConfirmDates")->text() + value(s, 4), QString());
        s.show();
        QTest::mouseClick(control<QPushButton>(&s, "cmdEdit"), Qt::LeftButton);
        QVERIFY(s.choice() == SummaryChoice::Edit);
        QVERIFY(!s.isVisible());
    }

    void answersActOnTheRightBooking()
    {
        showMain();
        const qint32 ann = insertRow("booking", {{"customerid", insertRow("customer", {{"FirstName", "Ann"}})},
                                              {"fromdate", "2025-03-10 14:00:00"}, {"todate", "2025-03-12 10:00:00"},
                                              {"notes", "Keep"}});
        const qint32 bob = insertRow("booking", {{"customerid", insertRow("customer", {{"FirstName", "Bob"}})},
                                              {"fromdate", "2025-03-10 15:00:00"}, {"todate", "2025-03-12 10:00:00"}});
        insertRow("bookingroom", {{"bookingid", ann}, {"roomid", 1}});
        insertRow("bookingroom", {{"bookingid", bob}, {"roomid", 2}});
        control<QCalendarWidget>(main->arrivals(), "dtCalendar")->setSelectedDate(QDate(2025, 3, 11));
        ShowArrivals();

        // Close: nothing happens, and notes typed in the summary are not kept.
        doubleClick(ann, [&](frmBookingSummary* s) {
            QCOMPARE(s->bookingId(), ann);
            QTest::keyClicks(control<QPlainTextEdit>(s, "txtBookingNotes"), QStringLiteral(" and more"));
            QTest::mouseClick(control<QPushButton>(s, "cmdClose"), Qt::LeftButton);
        });
        QVERIFY(choice == SummaryChoice::Close);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT notes FROM booking WHERE id = ?"), {ann}).toString(),
                 QStringLiteral("Keep"));
        // Closed by its frame: the answer is Close.
        doubleClick(bob, [](frmBookingSummary* s) { s->close(); });
        QVERIFY(choice == SummaryChoice::Close);
        QCOMPARE(GridRowCount(grid()), 2);

        // Cancel Booking answered No stays open; Yes cancels Bob's booking only.
        doubleClick(bob, [&](frmBookingSummary* s) {
            QCOMPARE(s->bookingId(), bob);
            fakes().messageBoxes->answers = {vbNo};
            QTest::mouseClick(control<QPushButton>(s, "cmdCancel"), Qt::LeftButton);
            QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Are you sure you want to cancel this booking?"));
            QCOMPARE(fakes().messageBoxes->shown.last().style, vbYesNo | vbQuestion);
            QVERIFY(s->isVisible() && s->choice() == SummaryChoice::Close);
            fakes().messageBoxes->answers = {vbYes};
            QTest::mouseClick(control<QPushButton>(s, "cmdCancel"), Qt::LeftButton);
        });
        QVERIFY(choice == SummaryChoice::Cancel);
        QCOMPARE(fakes().messageBoxes->shown.size(), 2);
        QVERIFY(bookings(bob) == 0 && bookings(ann) == 1);
        QCOMPARE(GridRowCount(grid()), 1);
        QCOMPARE(GridRowData(grid(), 0), ann);

        // Edit Booking opens Ann's booking on the wizard's first page.
        doubleClick(ann, [](frmBookingSummary* s) { QTest::mouseClick(control<QPushButton>(s, "cmdEdit"), Qt::LeftButton); });
        QVERIFY(choice == SummaryChoice::Edit);
        QVERIFY(iBookingID == ann && iBookingStep == 0);
        QVERIFY(main->booking()->dates()->isVisible());
        QCOMPARE(bookings(ann), 1);
    }
};

TARLOMY_GUI_TEST_MAIN(TestBookingSummary)
#include "tst_bookingsummary.moc"
