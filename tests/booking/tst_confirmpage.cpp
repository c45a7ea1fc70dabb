// The wizard's confirmation page: what it shows of a stored booking, the same
// figures as CalcTotal, its "Email" link, and Confirm ending the wizard.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/confirmpage.h"
#include "booking/customerpage.h"
#include "calendar/arrivalspanel.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "core/invoicetotals.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

}  // namespace

class TestConfirmPage : public DbTest {
    Q_OBJECT

    BookingWizard* wiz() const { return main->booking(); }
    ConfirmPage* page() const { return wiz()->confirm(); }
    const ConfirmPage* ui() const { return page(); }
    QLabel* label(int i) const { return control<QLabel>(page(), qPrintable(QStringLiteral("lblConfirm_%1").arg(i))); }
    QString value(int i) const { return label(i)->text(); }

    // The booking on the last page, as Find Booking opens it.
    void showOnConfirmPage(qint32 id)
    {
        iBookingID = id;
        iBookingStep = 4;
        main->mnuReservationAdd_Click();
        QVERIFY(page()->isVisible());
    }

private slots:
    void init() { resetProgramState(); }

    void showsTheStoredBooking_data()
    {
        QTest::addColumn<bool>("tax2");
        QTest::newRow("second tax off") << false;
        QTest::newRow("second tax on at 5%") << true;
    }
    void showsTheStoredBooking()
    {
        QFETCH(bool, tax2);
        SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), tax2);
        showMain();
        objConn.execute(QStringLiteral("UPDATE taxrate SET name = 'VAT' WHERE id = 2"));
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 5 WHERE id = 3"));
        main->ShowSalesTaxNames();

        const qint32 blue = insertRow("room", {{"Name", "Blue"}});
        const qint32 red = insertRow("room", {{"Name", "Red"}});
        const qint32 customer = insertRow("customer", {{"FirstName", "Ann"}, {"LastName", "Lee"}, {"BusinessName", "Lee & Co"},
                                                    {"Address1", "12 Harbour Road"}, {"Address2", "Flat 3"},
                                                    {"City", "Portland"}, {"State", "ME"}, {"PostCode", "04101"},
                                                    {"Country", "USA"}, {"Phone", "555 0100"}, {"Mobile", "555 0199"},
                                                    {"HomePhone", "555 0123"}, {"Email", "ann@example.com"}});
        const qint32 id = insertRow("booking", {{"customerid", customer}, {"fromdate", "2025-03-03 09:00:00"},
                                             {"todate", "2025-03-05 14:00:00"}, {"noadults", 2}, {"nokids", 0},
                                             {"notes", "Late arrival"}, {"Tip", dbValue(Money::fromUnits(5))},
                                             {"AmountPayed", dbValue(Money::fromUnits(20))}, {"PaymentMethod", "Visa"},
                                             {"CreditCardNo", "4111"}, {"CreditCardExpiry", "12/27"},
                                             {"CreditCardType", "Gold"}});
        for (qint32 room : {blue, red})
            insertRow("bookingroom", {{"bookingid", id}, {"roomid", room}});
        addLine(id, 2, "50", 0);
        addLine(id, 1, "100", 10);
        addLine(id, 1, "30", -5);   // a negative rate is no tax

        // The customer page still holds another customer's address.
        control<QLineEdit>(wiz()->customer(), "txtEmail")->setText(QStringLiteral("bob@example.com"));
        showOnConfirmPage(id);
        QCOMPARE(control<QLabel>(ui(), "lblConfirmDates")->text(),
                 QStringLiteral("Booking from 3/3/2025 9:00 AM to 3/5/2025 2:00 PM\nRooms: Blue, Red"));
        QCOMPARE(control<QLabel>(ui(), "lblConfirmAdultsChildren")->text(), QStringLiteral("2 Adults and 0 Children"));
        QCOMPARE(control<QLabel>(ui(), "lblConfirmContact")->text(),
                 QStringLiteral("Lee & Co Ann Lee\n12 Harbour Road, Flat 3, Portland, ME 04101. USA\n"
                                "Work ph: 555 0100 Cell/Mobile: 555 0199 Home Phone: 555 0123 ann@example.com"));
        QCOMPARE(control<QPlainTextEdit>(wiz(), "txtBookingNotes")->toPlainText(), QStringLiteral("Late arrival"));
        QCOMPARE(QStringList({value(6), value(7), value(8), value(9)}), QStringList({"Visa", "Gold", "4111", "12/27"}));

        // Exactly CalcTotal's figures.
        const BookingTotals t = CalcTotal(id);
        QCOMPARE(QStringList({value(2), value(3), value(10), value(11), value(4), value(5), value(0)}),
                 QStringList({t.cSubTotal, t.cSalesTax1, t.cSalesTax2, t.cTip, t.cTotalPayable, t.cPayments,
                              t.cBalanceDue}));
        QCOMPARE(value(3), QStringLiteral("$10.00"));
        QCOMPARE(value(4), tax2 ? QStringLiteral("$256.50") : QStringLiteral("$245.00"));
        QCOMPARE(value(0), tax2 ? QStringLiteral("$236.50") : QStringLiteral("$225.00"));

        QCOMPARE(main->findChild<QLabel*>(QStringLiteral("lblSalesTaxName_1"))->text(), QStringLiteral("VAT"));
        QCOMPARE(control<QLabel>(ui(), "lblSalesTaxName2_1")->isVisible(), tax2);
        QCOMPARE(label(10)->isVisible(), tax2);
        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(ui(), "cmdConfirmation"));

        // The link writes to the customer of the booking shown.
        QTest::mouseClick(control<QLabel>(ui(), "lblEmail"), Qt::LeftButton);
        QCOMPARE(fakes().shell->opened, QStringList({QStringLiteral("mailto:ann@example.com")}));
    }

    void partialAndMissingData()
    {
        showMain();
        const qint32 full = insertRow("booking", {{"customerid", insertRow("customer", {{"FirstName", "Ann"}})},
                                               {"fromdate", "2025-03-03 09:00:00"}, {"todate", "2025-03-04 14:00:00"}});
        addLine(full, 1, "80", 10);
        // Names, City and Country only: the empty parts go with their separators.
        const qint32 sparse = insertRow("booking", {{"customerid", insertRow("customer", {{"FirstName", "Kim"}, {"LastName", "Ray"},
                                                                                   {"City", "Leeds"}, {"Country", "UK"}})},
                                                 {"fromdate", "2025-03-03 09:00:00"}, {"todate", "2025-03-06 14:00:00"}});
        // Its customer row is gone, it has no lines, its counts and amounts are Null.
        const qint32 orphan = insertRow("booking", {{"customerid", 4242}, {"fromdate", "2025-04-01 09:00:00"},
                                                 {"todate", "2025-04-03 10:00:00"}, {"noadults", dbNull()},
                                                 {"nokids", dbNull()}, {"Tip", dbNull()}, {"AmountPayed", dbNull()}});
        const qint32 noCustomer = insertRow("booking", {{"customerid", 0}, {"fromdate", "2025-04-01 09:00:00"},
                                                     {"todate", "2025-04-02 10:00:00"}});

        showOnConfirmPage(sparse);
        QCOMPARE(control<QLabel>(ui(), "lblConfirmContact")->text(),
                 QStringLiteral("Kim Ray\nLeeds, . UK\nWork ph:  Cell/Mobile:  Home Phone:  "));
        QVERIFY(control<QLabel>(ui(), "lblConfirmDates")->text().endsWith(QStringLiteral("\nRooms: ")));
        // No address at all: no full stop to end it.
        objConn.execute(QStringLiteral("UPDATE customer SET City = '' WHERE City = 'Leeds'"));
        showOnConfirmPage(sparse);
        QCOMPARE(control<QLabel>(ui(), "lblConfirmContact")->text(),
                 QStringLiteral("Kim Ray\nUK\nWork ph:  Cell/Mobile:  Home Phone:  "));
        objConn.execute(QStringLiteral("UPDATE customer SET Country = NULL WHERE Country = 'UK'"));
        showOnConfirmPage(sparse);
        QCOMPARE(control<QLabel>(ui(), "lblConfirmContact")->text(),
                 QStringLiteral("Kim Ray\nWork ph:  Cell/Mobile:  Home Phone:  "));

        // Nothing of the booking shown before stays beside these.
        for (qint32 id : {orphan, noCustomer}) {
            showOnConfirmPage(full);
            QCOMPARE(value(4), QStringLiteral("$88.00"));
            showOnConfirmPage(id);
            QCOMPARE(control<QLabel>(ui(), "lblConfirmContact")->text(), QString());
            QCOMPARE(QStringList({value(2), value(11), value(4), value(0)}), QStringList(4, QStringLiteral("$0.00")));
        }
        showOnConfirmPage(orphan);
        QCOMPARE(control<QLabel>(ui(), "lblConfirmAdultsChildren")->text(), QStringLiteral(" Adults and  Children"));
        QTest::mouseClick(control<QLabel>(ui(), "lblEmail"), Qt::LeftButton);
        QCOMPARE(fakes().shell->opened, QStringList({QStringLiteral("mailto:")}));

        // A booking row that is gone: empty labels, and the page still stands.
        int step = 4;
        iBookingID = 9999;
        wiz()->ShowBookingStep(step);
        QVERIFY(page()->isVisible());
        QCOMPARE(control<QLabel>(ui(), "lblConfirmDates")->text() + value(4), QString());
    }

    void confirmEndsTheWizard()
    {
        showMain();
        control<QCalendarWidget>(main->arrivals(), "dtCalendar")->setSelectedDate(QDate::currentDate());
        main->mnuReservationAdd_Click();
        const qint32 id = iBookingID;
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // dates: today to tomorrow
        wiz()->findChild<QListWidget*>(QStringLiteral("lstRooms"))->item(1)->setSelected(true);
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // units
        QTest::keyClicks(control<QLineEdit>(wiz()->customer(), "txtFirstname"), QStringLiteral("Ann"));
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // customer
        QTest::mouseClick(wiz()->cmdNext[1], Qt::LeftButton);                 // payment
        QCOMPARE(iBookingStep, 4);
        QVERIFY(control<QLabel>(ui(), "lblConfirmDates")->text().endsWith(QStringLiteral("Rooms: Room 1, Room 2")));
        QCOMPARE(value(4), CalcTotal(id).cTotalPayable);

        // Back from the confirmation page does not confirm.
        QTest::mouseClick(wiz()->cmdBack[0], Qt::LeftButton);
        QVERIFY(iBookingStep == 3 && iBookingID == id);
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);

        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // Confirm
        QVERIFY(iBookingID == 0 && iBookingStep == 0);
        for (QPushButton* b : wiz()->cmdBack + wiz()->cmdNext)
            QVERIFY(!b->isEnabled());
        QVERIFY(main->arrivals()->isVisible() && wiz()->isHidden());
        QTableView* g = control<QTableView>(main->arrivals(), "gArrivals");
        QCOMPARE(GridRowData(g, 0), id);
        QCOMPARE(GridText(g, 0, 0) + u'|' + GridText(g, 0, 1), QStringLiteral("Ann  (Arriving)|Room 1, Room 2"));
    }
};

TARLOMY_GUI_TEST_MAIN(TestConfirmPage)
#include "tst_confirmpage.moc"
