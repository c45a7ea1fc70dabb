// The wizard's confirmation page: what it shows of a stored booking, the same
// figures as CalcTotal, its "Email" link, and Confirm ending the wizard.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/confirmpage.h"
#include "booking/customerpage.h"
#include "calendar/arrivalspanel.h"
#include "core/db.h"
#include "core/frmmain.h"
#include "core/grid.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "invoicing/invoicetotals.h"
#include "ui_arrivalspanel.h"
#include "ui_bookingwizard.h"
#include "ui_confirmpage.h"
#include "ui_customerpage.h"

#include <QListWidget>
#include <QPlainTextEdit>

namespace {

qint64 addRoom(const char* name)
{
    return objConn.insert(QStringLiteral("room"), {{QStringLiteral("Name"), QString::fromUtf8(name)},
                                                   {QStringLiteral("TaxRateID"), 1}});
}

qint32 addCustomer(std::initializer_list<std::pair<const char*, const char*>> fields)
{
    Fields f;
    for (const auto& [column, value] : fields)
        f.emplace_back(QString::fromLatin1(column), QString::fromUtf8(value));
    return qint32(objConn.insert(QStringLiteral("customer"), f));
}

qint32 addBooking(const QVariant& customerId, const char* from, const char* to, const QList<qint64>& rooms,
                  Fields more = {})
{
    more.emplace_back(QStringLiteral("customerid"), customerId);
    more.emplace_back(QStringLiteral("fromdate"), QString::fromLatin1(from));
    more.emplace_back(QStringLiteral("todate"), QString::fromLatin1(to));
    const qint32 id = qint32(objConn.insert(QStringLiteral("booking"), more));
    for (qint64 room : rooms)
        objConn.insert(QStringLiteral("bookingroom"), {{QStringLiteral("bookingid"), id},
                                                       {QStringLiteral("roomid"), room}});
    return id;
}

void addLine(qint32 bookingId, int quantity, const char* amount, double percentage)
{
    Money m;
    Money::fromDecimalText(QString::fromLatin1(amount), &m);
    objConn.insert(QStringLiteral("invoiceline"), {{QStringLiteral("bookingid"), bookingId},
                                                   {QStringLiteral("itemid"), 2},
                                                   {QStringLiteral("quantity"), quantity},
                                                   {QStringLiteral("name"), QStringLiteral("Line")},
                                                   {QStringLiteral("amount"), dbValue(m)},
                                                   {QStringLiteral("taxratename"), QStringLiteral("Sales Tax")},
                                                   {QStringLiteral("taxratepercentage"), percentage}});
}

Money money(const char* text)
{
    Money m;
    Money::fromDecimalText(QString::fromLatin1(text), &m);
    return m;
}

}  // namespace

class TestConfirmPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    frmMain* main = nullptr;
    BookingWizard* wiz() const { return main->booking(); }
    ConfirmPage* page() const { return wiz()->confirm(); }
    QString value(int i) const { return page()->lblConfirm.value(i)->text(); }

    void load()
    {
        db = std::make_unique<TestDb>();
        main = &loadMainWindow(*db);
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main));
    }
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
        SaveConfigText(QStringLiteral("SalesTaxName"), QStringLiteral("VAT"));
        SaveConfigText(QStringLiteral("SalesTaxName2"), QStringLiteral("City Tax"));
        load();
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 5 WHERE id = 3"));

        const qint64 blue = addRoom("Blue");
        const qint64 red = addRoom("Red");
        const qint32 customer = addCustomer({{"FirstName", "Ann"}, {"LastName", "Lee"}, {"BusinessName", "Lee & Co"},
                                             {"Address1", "12 Harbour Road"}, {"Address2", "Flat 3"},
                                             {"City", "Portland"}, {"State", "ME"}, {"PostCode", "04101"},
                                             {"Country", "USA"}, {"Phone", "555 0100"}, {"Mobile", "555 0199"},
                                             {"HomePhone", "555 0123"}, {"Email", "ann@example.com"}});
        const qint32 id = addBooking(customer, "2025-03-03 09:00:00", "2025-03-05 14:00:00", {blue, red},
                                     {{QStringLiteral("noadults"), 2},
                                      {QStringLiteral("nokids"), 0},
                                      {QStringLiteral("notes"), QStringLiteral("Late arrival")},
                                      {QStringLiteral("Tip"), dbValue(money("5"))},
                                      {QStringLiteral("AmountPayed"), dbValue(money("20"))},
                                      {QStringLiteral("PaymentMethod"), QStringLiteral("Visa")},
                                      {QStringLiteral("CreditCardNo"), QStringLiteral("4111 1111 1111 1111")},
                                      {QStringLiteral("CreditCardExpiry"), QStringLiteral("12/27")},
                                      {QStringLiteral("CreditCardType"), QStringLiteral("Visa Gold")}});
        addLine(id, 2, "50", 0);
        addLine(id, 1, "100", 10);
        addLine(id, 1, "30", -5);   // a negative rate is no tax

        showOnConfirmPage(id);
        const Ui::ConfirmPage* ui = page()->ui;
        QCOMPARE(ui->lblConfirmDates->text(),
                 QStringLiteral("Booking from 3/3/2025 9:00 AM to 3/5/2025 2:00 PM\nRooms: Blue, Red"));
        QCOMPARE(iNoOfNights, 2);
        QCOMPARE(ui->lblConfirmAdultsChildren->text(), QStringLiteral("2 Adults and 0 Children"));
        QCOMPARE(ui->lblConfirmContact->text(),
                 QStringLiteral("Lee & Co Ann Lee\n12 Harbour Road, Flat 3, Portland, ME 04101. USA\n"
                                "Work ph: 555 0100 Cell/Mobile: 555 0199 Home Phone: 555 0123 ann@example.com"));
        QCOMPARE(wiz()->ui->txtBookingNotes->toPlainText(), QStringLiteral("Late arrival"));
        QCOMPARE(value(6), QStringLiteral("Visa"));
        QCOMPARE(value(7), QStringLiteral("Visa Gold"));
        QCOMPARE(value(8), QStringLiteral("4111 1111 1111 1111"));
        QCOMPARE(value(9), QStringLiteral("12/27"));

        // The figures, exactly as CalcTotal gives them.
        QCOMPARE(value(2), QStringLiteral("$230.00"));
        QCOMPARE(value(3), QStringLiteral("$10.00"));
        QCOMPARE(value(10), tax2 ? QStringLiteral("$11.50") : QStringLiteral("$0.00"));
        QCOMPARE(value(11), QStringLiteral("$5.00"));
        QCOMPARE(value(4), tax2 ? QStringLiteral("$256.50") : QStringLiteral("$245.00"));
        QCOMPARE(value(5), QStringLiteral("$20.00"));
        QCOMPARE(value(0), tax2 ? QStringLiteral("$236.50") : QStringLiteral("$225.00"));
        const BookingTotals t = CalcTotal(id);
        QCOMPARE(QStringList({value(2), value(3), value(10), value(11), value(4), value(5), value(0)}),
                 QStringList({t.cSubTotal, t.cSalesTax1, t.cSalesTax2, t.cTip, t.cTotalPayable, t.cPayments,
                              t.cBalanceDue}));

        // Tax captions as the start-up names them; the second only while enabled.
        QCOMPARE(main->findChild<QLabel*>(QStringLiteral("lblSalesTaxName_1"))->text(), QStringLiteral("VAT"));
        QCOMPARE(ui->lblSalesTaxName2_1->text(), QStringLiteral("City Tax"));
        QCOMPARE(ui->lblSalesTaxName2_1->isVisible(), tax2);
        QCOMPARE(page()->lblConfirm.value(10)->isVisible(), tax2);

        QCOMPARE(wiz()->cmdNext[0]->text(), QStringLiteral("&Confirm"));
        QVERIFY(wiz()->cmdBack[0]->isEnabled() && wiz()->cmdBack[1]->isEnabled());
        QCOMPARE(QApplication::focusWidget(), ui->cmdConfirmation);
    }

    void partialAndMissingData()
    {
        load();
        const qint64 blue = addRoom("Blue");
        const qint32 full = addBooking(addCustomer({{"FirstName", "Ann"}, {"LastName", "Lee"},
                                                    {"Email", "ann@example.com"}}),
                                       "2025-03-03 09:00:00", "2025-03-04 14:00:00", {blue},
                                       {{QStringLiteral("Tip"), dbValue(money("2.50"))}});
        addLine(full, 1, "80", 10);
        // Names, City and Country only: the separators of the empty parts go.
        const qint32 sparse = addBooking(addCustomer({{"FirstName", "Kim"}, {"LastName", "Ray"}, {"City", "Leeds"},
                                                      {"Country", "UK"}}),
                                         "2025-03-03 09:00:00", "2025-03-06 14:00:00", {});
        // Its customer row is gone, it has no lines, its counts are not stored.
        const qint32 orphan = addBooking(4242, "2025-04-01 09:00:00", "2025-04-03 10:00:00", {blue},
                                         {{QStringLiteral("noadults"), dbNull()},
                                          {QStringLiteral("nokids"), dbNull()},
                                          {QStringLiteral("Tip"), dbNull()},
                                          {QStringLiteral("AmountPayed"), dbNull()},
                                          {QStringLiteral("PaymentMethod"), dbNull()}});
        const qint32 noCustomer = addBooking(0, "2025-04-01 09:00:00", "2025-04-02 10:00:00", {blue});

        showOnConfirmPage(full);
        QCOMPARE(value(4), QStringLiteral("$90.50"));

        showOnConfirmPage(sparse);
        QCOMPARE(page()->ui->lblConfirmContact->text(),
                 QStringLiteral("Kim Ray\nLeeds, . UK\nWork ph:  Cell/Mobile:  Home Phone:  "));
        QCOMPARE(page()->ui->lblConfirmDates->text(),
                 QStringLiteral("Booking from 3/3/2025 9:00 AM to 3/6/2025 2:00 PM\nRooms: "));
        QCOMPARE(iNoOfNights, 3);

        // Nothing of the booking shown before stays beside these.
        for (qint32 id : {orphan, noCustomer}) {
            showOnConfirmPage(id);
            QCOMPARE(page()->ui->lblConfirmContact->text(), QString());
            QCOMPARE(value(2), QStringLiteral("$0.00"));
            QCOMPARE(value(11), QStringLiteral("$0.00"));
            QCOMPARE(value(4), QStringLiteral("$0.00"));
            QCOMPARE(value(0), QStringLiteral("$0.00"));
            QCOMPARE(value(6), QString());
        }
        showOnConfirmPage(orphan);
        QCOMPARE(page()->ui->lblConfirmAdultsChildren->text(), QStringLiteral(" Adults and  Children"));
        QTest::mouseClick(page()->ui->lblEmail, Qt::LeftButton);
        QCOMPARE(fakes().shell->opened, QStringList({QStringLiteral("mailto:")}));

        // A booking row that is gone leaves the labels empty, and the page still stands.
        int step = 4;
        iBookingID = 9999;
        wiz()->ShowBookingStep(step);
        QVERIFY(page()->isVisible());
        QCOMPARE(page()->ui->lblConfirmDates->text(), QString());
        QCOMPARE(value(4), QString());
    }

    void emailWritesToTheBookingsCustomer()
    {
        load();
        const qint32 id = addBooking(addCustomer({{"FirstName", "Ann"}, {"Email", "ann@example.com"}}),
                                     "2025-03-03 09:00:00", "2025-03-04 14:00:00", {});
        // The customer page still holds someone else's address.
        wiz()->customer()->ui->txtEmail->setText(QStringLiteral("bob@example.com"));
        showOnConfirmPage(id);
        QTest::mouseClick(page()->ui->lblEmail, Qt::LeftButton);
        QCOMPARE(fakes().shell->opened, QStringList({QStringLiteral("mailto:ann@example.com")}));
    }

    void confirmEndsTheWizard()
    {
        load();
        const QDate today = QDate::currentDate();
        main->arrivals()->ui->dtCalendar->setSelectedDate(today);
        main->mnuReservationAdd_Click();
        const qint32 id = iBookingID;
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // dates: today to tomorrow
        wiz()->findChild<QListWidget*>(QStringLiteral("lstRooms"))->item(1)->setSelected(true);
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // units
        QTest::keyClicks(wiz()->customer()->ui->txtFirstname, QStringLiteral("Ann"));
        QTest::keyClicks(wiz()->customer()->ui->txtLastname, QStringLiteral("Lee"));
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // customer
        QTest::mouseClick(wiz()->cmdNext[1], Qt::LeftButton);                 // payment
        QCOMPARE(iBookingStep, 4);
        QVERIFY(page()->ui->lblConfirmDates->text().endsWith(QStringLiteral("Rooms: Room 1, Room 2")));
        QCOMPARE(page()->ui->lblConfirmContact->text().section(u'\n', 0, 0), QStringLiteral("Ann Lee"));
        QCOMPARE(value(4), CalcTotal(id).cTotalPayable);

        // Back from the confirmation page does not confirm.
        QTest::mouseClick(wiz()->cmdBack[0], Qt::LeftButton);
        QCOMPARE(iBookingStep, 3);
        QCOMPARE(iBookingID, id);
        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);

        QTest::mouseClick(wiz()->cmdNext[0], Qt::LeftButton);                 // Confirm
        QCOMPARE(iBookingID, 0);
        QCOMPARE(iBookingStep, 0);
        for (QPushButton* b : wiz()->cmdBack + wiz()->cmdNext)
            QVERIFY(!b->isEnabled());
        QVERIFY(main->arrivals()->isVisible());
        QVERIFY(wiz()->isHidden());
        QTableWidget* g = main->arrivals()->ui->gArrivals;
        QCOMPARE(GridRowData(g, 0), id);
        QCOMPARE(GridText(g, 0, 0), QStringLiteral("Ann Lee (Arriving)"));
        QCOMPARE(GridText(g, 0, 1), QStringLiteral("Room 1, Room 2"));
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM booking WHERE id = ?"), {id}).toInt(), 1);
    }
};

TARLOMY_TEST_MAIN(TestConfirmPage)
#include "tst_confirmpage.moc"
