// The payment page of the booking wizard, driven as a user would: the seeded
// and priced invoice, the totals, the money boxes, the commission, the payment
// method and card checks, and saving.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "core/db.h"
#include "core/format.h"
#include "core/frmmain.h"
#include "core/grid.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "invoicing/frminvoiceitemadd.h"
#include "invoicing/invoicelines.h"
#include "invoicing/invoicetotals.h"
#include "ui_frminvoiceitemadd.h"
#include "ui_paymentpage.h"

#include <QApplication>
#include <QLocale>

namespace {

Money money(const char* text)
{
    Money m;
    if (!Money::fromDecimalText(QString::fromLatin1(text), &m))
        qFatal("bad amount %s", text);
    return m;
}

QString cur(const char* text)
{
    return Fmt::currency(money(text));
}

qint64 addRoom(const QString& name, const QString& chargeForEach, const char* low, const char* high,
               const char* lowWeekend, const char* highWeekend, qint64 taxRate, const QVariant& commission = dbNull(),
               double commissionPercentage = 0)
{
    return objConn.insert(QStringLiteral("room"), {{QStringLiteral("Name"), name},
                                                   {QStringLiteral("ChargeForEach"), chargeForEach},
                                                   {QStringLiteral("UnitPrice"), dbValue(money("0"))},
                                                   {QStringLiteral("LowUnitPrice"), dbValue(money(low))},
                                                   {QStringLiteral("HighUnitPrice"), dbValue(money(high))},
                                                   {QStringLiteral("LowWeekendPrice"), dbValue(money(lowWeekend))},
                                                   {QStringLiteral("HighWeekendPrice"), dbValue(money(highWeekend))},
                                                   {QStringLiteral("TaxRateID"), taxRate},
                                                   {QStringLiteral("CommissionID"), commission},
                                                   {QStringLiteral("CommissionPercentage"), commissionPercentage}});
}

qint32 addBooking(const char* from, const char* to, const QList<qint64>& rooms)
{
    const qint32 id = qint32(objConn.insert(QStringLiteral("booking"),
                                            {{QStringLiteral("fromdate"), QString::fromLatin1(from)},
                                             {QStringLiteral("todate"), QString::fromLatin1(to)},
                                             {QStringLiteral("noadults"), 2},
                                             {QStringLiteral("PaymentMethod"), QString()}}));
    for (qint64 room : rooms)
        objConn.insert(QStringLiteral("bookingroom"), {{QStringLiteral("bookingid"), id},
                                                       {QStringLiteral("roomid"), room}});
    return id;
}

// The booking panel in front with the payment page as its visible page, in an
// active window so that the focus moves as it does for a user.
PaymentPage* showPaymentPage(frmMain& main)
{
    main.show();
    main.ShowView(main.booking(), {main.arrivals(), main.calendar(), main.customers(), main.reports()});
    BookingWizard* wizard = main.booking();
    for (QWidget* p : {static_cast<QWidget*>(wizard->dates()), static_cast<QWidget*>(wizard->units()),
                       static_cast<QWidget*>(wizard->customer()), static_cast<QWidget*>(wizard->confirm())})
        p->hide();
    PaymentPage* page = wizard->payment();
    page->show();
    page->raise();
    QApplication::setActiveWindow(&main);
    if (!QTest::qWaitForWindowActive(&main))
        qWarning("main window not active");
    return page;
}

// Clicks into a box, replaces its text by typing, and leaves it with Tab.
void typeAndLeave(QLineEdit* box, const QString& text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

QStringList gridRow(const QTableWidget* g, int row)
{
    QStringList cells;
    for (int c = 0; c < g->columnCount(); ++c)
        cells << GridText(g, row, c);
    return cells;
}

}  // namespace

class TestPaymentPage : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        resetProgramState();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }
    void cleanup()
    {
        DestroyMainForm();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void workedStay_data();
    void workedStay();
    void reseedingReplacesOnlyUnitLines();
    void commissionAccountAndPercentage();
    void paymentMethodAndCardGroup();
    void cardNumberCheck();
    void luhn_data();
    void luhn();
    void amountsThatAreNotNumbers();
    void savesTextsAsWritten();
    void taxNameLabelAndSelection();
    void deleteAndEditLines();
};

// Fixture of the worked stay: two units with different charge units and
// taxes, a commissioned unit, a default item, and the second sales tax at 5 %.
struct WorkedStay {
    qint64 garden = 0, bunk = 0, parking = 0;
    qint32 booking = 0;

    void create()
    {
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 5 WHERE id = 3"));
        const qint64 levy = objConn.insert(QStringLiteral("taxrate"), {{QStringLiteral("name"), QStringLiteral("Tourism Levy")},
                                                                       {QStringLiteral("percentage"), 7.25}});
        objConn.insert(QStringLiteral("commission"), {{QStringLiteral("name"), QStringLiteral("Booking Partner")}});
        const qint64 agent =
            objConn.insert(QStringLiteral("commission"), {{QStringLiteral("name"), QStringLiteral("Agent Smith")}});
        garden = addRoom(QStringLiteral("Garden Suite"), QStringLiteral("Night"), "100", "150", "120", "180", 2, agent, 10);
        bunk = addRoom(QStringLiteral("Bunk Room"), QStringLiteral("Night and Person"), "45.55", "60", "50", "65.45", levy);
        parking = objConn.insert(QStringLiteral("item"), {{QStringLiteral("name"), QStringLiteral("Parking")},
                                                          {QStringLiteral("SaleAmount"), dbValue(money("7.99"))},
                                                          {QStringLiteral("TaxRateID"), 1},
                                                          {QStringLiteral("IsDefault"), 1}});
        objConn.insert(QStringLiteral("item"), {{QStringLiteral("name"), QStringLiteral("Breakfast")},
                                                {QStringLiteral("SaleAmount"), dbValue(money("12.5"))},
                                                {QStringLiteral("TaxRateID"), 2}});
        // Friday 30 May (low) to Monday 2 June (high): Friday, Saturday and Sunday nights.
        booking = addBooking("2025-05-30 14:00:00", "2025-06-02 10:00:00", {garden, bunk});
    }
};

void TestPaymentPage::workedStay_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("tipTyped");
    QTest::addColumn<QString>("paidTyped");
    QTest::newRow("en_US") << "en_US" << "15" << "300.5";
    QTest::newRow("de_DE") << "de_DE" << "15" << "300,5";
}

void TestPaymentPage::workedStay()
{
    QFETCH(QString, locale);
    QFETCH(QString, tipTyped);
    QFETCH(QString, paidTyped);
    QLocale::setDefault(QLocale(locale));
    TestDb db;
    db.open();
    WorkedStay stay;
    stay.create();
    objConn.close();
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    iBookingID = stay.booking;

    page->ShowPage();
    QVERIFY(fakes().messageBoxes->shown.isEmpty());   // a new invoice is seeded without asking
    QCOMPARE(iNoOfNights, 3);

    // Garden Suite: Friday low 100 + Saturday low weekend 120 + Sunday high weekend 180.
    // Bunk Room: (45.55 + 50 + 65.45) x 2 adults. Then the default item.
    const QTableWidget* g = ui->gNewInvoice;
    QCOMPARE(g->rowCount(), 3);
    const QString dates = QStringLiteral(" booking from ") + Fmt::shortDate(QDate(2025, 5, 30)) + QStringLiteral(" to ")
                          + Fmt::shortDate(QDate(2025, 6, 2));
    QCOMPARE(gridRow(g, 0), QStringList({QStringLiteral("1"), QStringLiteral("Garden Suite") + dates, cur("400"),
                                         QStringLiteral("Sales Tax (10%)"), cur("400")}));
    QCOMPARE(gridRow(g, 1), QStringList({QStringLiteral("1"), QStringLiteral("Bunk Room") + dates, cur("322"),
                                         QStringLiteral("Tourism Levy (") + Fmt::number(7.25) + QStringLiteral("%)"),
                                         cur("322")}));
    QCOMPARE(gridRow(g, 2), QStringList({QStringLiteral("1"), QStringLiteral("Parking"), cur("7.99"),
                                         QStringLiteral("N/A (0%)"), cur("7.99")}));
    QCOMPARE(g->currentRow(), 0);

    // Taxes: 40 + 23.345 = 63.345, shown as 63.34 (half to even); the second
    // tax is 5 % of 729.99 = 36.4995, shown as 36.50.
    QCOMPARE(ui->lblSubTotal->text(), cur("729.99"));
    QCOMPARE(ui->lblSalesTaxName_0->text(), QStringLiteral("Tax of:"));
    QCOMPARE(ui->lblSalesTax->text(), cur("63.34"));
    QCOMPARE(ui->lblSalesTax2->text(), cur("36.5"));
    QCOMPARE(ui->lblSalesTaxPercentage2->text(), QStringLiteral("5%"));
    QVERIFY(ui->lblSalesTax2->isVisible() && ui->Label3->isVisible() && ui->lblSalesTaxName2_0->isVisible());
    QCOMPARE(ui->txtTip->text(), cur("0"));
    QCOMPARE(ui->txtTotalPayable->text(), cur("829.83"));
    QCOMPARE(ui->txtAmountPayed->text(), cur("0"));
    QCOMPARE(ui->txtBalanceDue->text(), cur("829.83"));
    // The commissioned unit's account and 10 % of the total.
    QCOMPARE(ui->cboAccount->currentText(), QStringLiteral("Agent Smith"));
    QCOMPARE(ui->txtCommission->text(), cur("82.98"));
    // A new booking with no method gets the third.
    QCOMPARE(ui->cboPaymentMethod->currentText(), QStringLiteral("Bank Transfer"));
    QVERIFY(!ui->picCreditCardInfo->isVisible());
    if (locale == QLatin1String("en_US")) {
        QCOMPARE(ui->txtTotalPayable->text(), QStringLiteral("$829.83"));
        QCOMPARE(GridText(g, 0, 1), QStringLiteral("Garden Suite booking from 5/30/2025 to 6/2/2025"));
    } else {
        QCOMPARE(GridText(g, 1, 1), QStringLiteral("Bunk Room booking from 30.05.2025 to 02.06.2025"));
        QVERIFY(ui->txtTotalPayable->text().contains(QStringLiteral("829,83")));
    }

    // A tip and a part payment, typed and left.
    typeAndLeave(ui->txtTip, tipTyped);
    QCOMPARE(ui->txtTip->text(), cur("15"));
    QCOMPARE(ui->txtTotalPayable->text(), cur("844.83"));
    QCOMPARE(ui->txtBalanceDue->text(), cur("844.83"));
    QCOMPARE(ui->txtCommission->text(), cur("82.98"));   // until the total itself is left
    typeAndLeave(ui->txtAmountPayed, paidTyped);
    QCOMPARE(ui->txtAmountPayed->text(), cur("300.5"));
    QCOMPARE(ui->txtBalanceDue->text(), cur("544.33"));
    typeAndLeave(ui->txtTotalPayable, ui->txtTotalPayable->text());
    QCOMPARE(ui->txtCommission->text(), cur("84.48"));   // 10 % of 844.83

    // Leaving the page saves exact amounts.
    QVERIFY(page->CheckPreconditions());
    page->SavePage();
    Query q = objConn.query(QStringLiteral("SELECT Tip, AmountPayed, CommissionAmount, CommissionID, PaymentMethod "
                                           "FROM booking WHERE id = ?"),
                            {stay.booking});
    QVERIFY(q.next());
    QCOMPARE(q.integer(0), qint64(150000));
    QCOMPARE(q.integer(1), qint64(3005000));
    QCOMPARE(q.integer(2), qint64(844800));
    QCOMPARE(q.text(3), QStringLiteral("3"));
    QCOMPARE(q.text(4), QStringLiteral("Bank Transfer"));

    // Every other window computes the same figures from the database.
    const BookingTotals t = CalcTotal(stay.booking);
    QCOMPARE(t.cSubTotal, ui->lblSubTotal->text());
    QCOMPARE(t.cSalesTax1, ui->lblSalesTax->text());
    QCOMPARE(t.cSalesTax2, ui->lblSalesTax2->text());
    QCOMPARE(t.cTip, ui->txtTip->text());
    QCOMPARE(t.cTotalPayable, ui->txtTotalPayable->text());
    QCOMPARE(t.cPayments, ui->txtAmountPayed->text());
    QCOMPARE(t.cBalanceDue, ui->txtBalanceDue->text());
    QCOMPARE(t.balanceDue, money("544.33"));

    // Shown again (No: the lines stay), left again, saved again: unchanged.
    fakes().messageBoxes->answers = {vbNo};
    page->ShowPage();
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Update existing booking dates?"));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbYesNo | vbQuestion));
    QCOMPARE(g->rowCount(), 3);
    QCOMPARE(ui->txtTip->text(), cur("15"));
    QCOMPARE(ui->txtAmountPayed->text(), cur("300.5"));
    QCOMPARE(ui->txtBalanceDue->text(), cur("544.33"));
    QCOMPARE(ui->txtCommission->text(), cur("84.48"));   // the stored commission wins
    QCOMPARE(ui->cboAccount->currentText(), QStringLiteral("Agent Smith"));
    for (QLineEdit* box : {ui->txtTip, ui->txtAmountPayed, ui->txtCommission}) {
        const QString before = box->text();
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), before);
    }
    page->SavePage();
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT AmountPayed FROM booking WHERE id = ?"), {stay.booking}).toLongLong(),
             qint64(3005000));
    QCOMPARE(CalcTotal(stay.booking).cTotalPayable, cur("844.83"));
}

void TestPaymentPage::reseedingReplacesOnlyUnitLines()
{
    TestDb db;
    db.open();
    WorkedStay stay;
    stay.create();
    objConn.close();
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    iBookingID = stay.booking;
    page->ShowPage();
    const qint64 free = AddNewInvoiceLineToDB(2, 2, QStringLiteral("Late checkout"), money("20"), QString(), 0);
    const qint64 handMade = AddNewInvoiceLineToDB(1, 1, QStringLiteral("Extra night"), money("90"), QString(), 0);
    const QList<InvoiceLine> before = ReadInvoiceLines(stay.booking);
    QCOMPARE(before.size(), 5);

    // The dates page moved the stay to Friday 6 to Sunday 8 June (high season).
    objConn.execute(QStringLiteral("UPDATE booking SET fromdate = '2025-06-06 14:00:00', todate = '2025-06-08 10:00:00' "
                                   "WHERE id = ?"),
                    {stay.booking});
    fakes().messageBoxes->answers = {vbYes};
    page->ShowPage();
    const QList<InvoiceLine> after = ReadInvoiceLines(stay.booking);
    QCOMPARE(after.size(), 4);
    QCOMPARE(after[0].id, before[2].id);   // Parking, the default item
    QCOMPARE(after[1].id, free);
    QVERIFY(after[2].id > handMade);       // every item-1 line was replaced
    QCOMPARE(after[2].name, QStringLiteral("Garden Suite booking from 6/6/2025 to 6/8/2025"));
    QCOMPARE(after[2].amount, money("330"));      // 150 + 180
    QCOMPARE(after[3].amount, money("250.9"));    // (60 + 65.45) x 2
    QCOMPARE(page->ui->gNewInvoice->rowCount(), 4);
    QCOMPARE(page->ui->lblSubTotal->text(), QStringLiteral("$628.89"));   // 7.99 + 40 + 330 + 250.90
    QCOMPARE(iNoOfNights, 2);
}

void TestPaymentPage::commissionAccountAndPercentage()
{
    TestDb db;
    db.open();
    WorkedStay stay;
    stay.create();
    // A stored account other than the unit's is kept; the unit's percentage still applies.
    const qint32 keeps = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {stay.garden});
    objConn.execute(QStringLiteral("UPDATE booking SET CommissionID = 2 WHERE id = ?"), {keeps});
    // No commission anywhere.
    const qint32 none = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {stay.bunk});
    objConn.execute(QStringLiteral("UPDATE booking SET CommissionID = NULL WHERE id = ?"), {none});
    objConn.close();
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    QVERIFY(ui->picBookingCommission->isVisible());

    iBookingID = keeps;
    page->ShowPage();
    QCOMPARE(ui->cboAccount->itemText(0), QStringLiteral("No Commission"));
    QCOMPARE(ui->cboAccount->itemText(1), QStringLiteral("Agent Smith"));   // by name
    QCOMPARE(ui->cboAccount->currentText(), QStringLiteral("Booking Partner"));
    QCOMPARE(ui->txtTotalPayable->text(), QStringLiteral("$117.99"));   // 100 + 10 tax + 7.99
    QCOMPARE(ui->txtCommission->text(), QStringLiteral("$11.80"));      // 10 % of 117.99

    iBookingID = none;
    page->ShowPage();
    QCOMPARE(ui->cboAccount->currentText(), QStringLiteral("No Commission"));
    QCOMPARE(ui->txtCommission->text(), QStringLiteral("$0.00"));

    // Paid in full leaves nothing to pay.
    QCOMPARE(ui->txtTotalPayable->text(), QStringLiteral("$105.69"));   // 91.10 + 6.60 levy + 7.99
    QTest::mouseClick(ui->cmdPaidInFull, Qt::LeftButton);
    QCOMPARE(ui->txtAmountPayed->text(), QStringLiteral("$105.69"));
    QCOMPARE(ui->txtBalanceDue->text(), QStringLiteral("$0.00"));

    // A total of 0 under account 1 resets the account.
    SetListIndex(ui->cboAccount, 1);
    typeAndLeave(ui->txtTotalPayable, QStringLiteral("0"));
    QCOMPARE(ui->cboAccount->currentText(), QStringLiteral("No Commission"));
    QCOMPARE(ui->txtCommission->text(), QStringLiteral("$0.00"));
}

void TestPaymentPage::paymentMethodAndCardGroup()
{
    {
        TestDb db;
        frmMain& main = loadMainWindow(db);
        PaymentPage* page = showPaymentPage(main);
        Ui::PaymentPage* ui = page->ui;
        iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {});
        page->ShowPage();
        QCOMPARE(ui->cboPaymentMethod->currentIndex(), 2);
        QVERIFY(!ui->picCreditCardInfo->isVisible());
        // The fourth method shows the card fields, any other hides them.
        ui->cboPaymentMethod->setCurrentIndex(3);
        QVERIFY(ui->picCreditCardInfo->isVisible());
        ui->cboPaymentMethod->setCurrentIndex(4);
        QVERIFY(!ui->picCreditCardInfo->isVisible());
        // A booking without a stored method keeps the selection an earlier one left.
        ui->cboPaymentMethod->setCurrentIndex(0);
        iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {});
        page->ShowPage();
        QCOMPARE(ui->cboPaymentMethod->currentText(), QStringLiteral("Cash"));
        // A stored card method is selected and shows the card fields.
        objConn.execute(QStringLiteral("UPDATE booking SET PaymentMethod = 'Credit Card' WHERE id = ?"), {iBookingID});
        page->ShowPage();
        QVERIFY(ui->picCreditCardInfo->isVisible());
        resetProgramState();
    }
    TestDb db;
    db.open();
    objConn.execute(QStringLiteral("DELETE FROM PaymentMethod WHERE id > 2"));
    objConn.close();
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {});
    page->ShowPage();
    QCOMPARE(page->ui->cboPaymentMethod->currentIndex(), -1);
}

void TestPaymentPage::cardNumberCheck()
{
    TestDb db;
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {});
    page->ShowPage();
    SetListIndex(ui->cboPaymentMethod, 3);

    ui->txtCreditCardNo->setText(QStringLiteral("1234"));
    QVERIFY(page->CheckPreconditions());   // checking is off
    SaveConfigFlag(QStringLiteral("CreditCardValidation"), true);
    QVERIFY(!page->CheckPreconditions());
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("Credit Card number is not valid. Please enter a valid Credit Card to continue."));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical | vbOKOnly));
    QVERIFY(ui->txtCreditCardNo->hasFocus());
    for (const char* passes : {"7992 7398-713", "", " - "}) {
        ui->txtCreditCardNo->setText(QString::fromLatin1(passes));
        QVERIFY2(page->CheckPreconditions(), passes);
    }
    QCOMPARE(fakes().messageBoxes->shown.size(), 1);
}

void TestPaymentPage::luhn_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("valid") << "79927398713" << true;
    QTest::newRow("check digit wrong") << "79927398710" << false;
    QTest::newRow("single 0") << "0" << true;
    QTest::newRow("single 5") << "5" << false;
    QTest::newRow("20 digits") << "00000000000000000000" << true;
    QTest::newRow("21 digits") << "000000000000000000000" << false;
    QTest::newRow("letter") << "12a" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("decimal text") << "1.8" << true;   // digits 1 and 8
    QTest::newRow("card") << "4111111111111111" << true;
}

void TestPaymentPage::luhn()
{
    QFETCH(QString, number);
    QFETCH(bool, valid);
    QCOMPARE(IsValidCreditCardNumber(number), valid);
}

void TestPaymentPage::amountsThatAreNotNumbers()
{
    TestDb db;
    db.open();
    WorkedStay stay;
    stay.create();
    objConn.execute(QStringLiteral("UPDATE booking SET Tip = 50000, AmountPayed = 100000 WHERE id = ?"),
                    {stay.booking});
    objConn.close();
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    iBookingID = stay.booking;
    page->ShowPage();
    const QString total = ui->txtTotalPayable->text();
    const QString balance = ui->txtBalanceDue->text();

    // Text that is no amount stays as typed and changes no figure...
    typeAndLeave(ui->txtTip, QStringLiteral("five"));
    QCOMPARE(ui->txtTip->text(), QStringLiteral("five"));
    QCOMPARE(ui->txtTotalPayable->text(), total);
    typeAndLeave(ui->txtAmountPayed, QStringLiteral("12x"));
    QCOMPARE(ui->txtAmountPayed->text(), QStringLiteral("12x"));
    QCOMPARE(ui->txtBalanceDue->text(), balance);
    typeAndLeave(ui->txtCommission, QStringLiteral("-"));
    QCOMPARE(ui->txtCommission->text(), QStringLiteral("-"));

    // ...and leaving the page is refused, box by box.
    fakes().messageBoxes->clear();
    QVERIFY(!page->CheckPreconditions());
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("The Tip entered is not a number. Please enter a number to continue."));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical | vbOKOnly));
    QVERIFY(ui->txtTip->hasFocus());
    typeAndLeave(ui->txtTip, QStringLiteral("2.5"));
    QCOMPARE(ui->txtTotalPayable->text(), QStringLiteral("$832.33"));
    QVERIFY(!page->CheckAmounts());
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("The Amount Paid entered is not a number. Please enter a number to continue."));

    // A save without the check (going back) keeps the stored amounts and tells the user.
    fakes().messageBoxes->clear();
    page->SavePage();
    Query q = objConn.query(QStringLiteral("SELECT Tip, AmountPayed, CommissionAmount FROM booking WHERE id = ?"),
                            {stay.booking});
    QVERIFY(q.next());
    QCOMPARE(q.integer(0), qint64(25000));
    QCOMPARE(q.integer(1), qint64(100000));
    QCOMPARE(q.integer(2), qint64(0));
    QCOMPARE(fakes().messageBoxes->shown.size(), 2);
    QCOMPARE(fakes().messageBoxes->shown[0].prompt,
             QStringLiteral("The Amount Paid entered is not a number, so the amount saved before was kept."));

    // Empty boxes count as nothing.
    typeAndLeave(ui->txtAmountPayed, QString());
    QCOMPARE(ui->txtAmountPayed->text(), QStringLiteral("$0.00"));
    QCOMPARE(ui->txtBalanceDue->text(), ui->txtTotalPayable->text());
    typeAndLeave(ui->txtCommission, QString());
    QCOMPARE(ui->txtCommission->text(), QStringLiteral("$0.00"));
    QVERIFY(page->CheckPreconditions());
}

void TestPaymentPage::savesTextsAsWritten()
{
    TestDb db;
    db.open();
    objConn.execute(QStringLiteral("UPDATE PaymentMethod SET method = 'O''Hara' WHERE id = 1"));
    objConn.close();
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {});
    page->ShowPage();
    SetListIndex(ui->cboPaymentMethod, 0);
    QVERIFY(!ui->picCreditCardInfo->isVisible());
    ui->txtCreditCardNo->setText(QStringLiteral("4111 1111 1111 1111"));
    ui->txtCreditCardExpiry->setText(QStringLiteral("12/27"));
    ui->txtCreditCardType->setText(QStringLiteral("Vis'a"));
    page->SavePage();
    Query q = objConn.query(QStringLiteral("SELECT PaymentMethod, CreditCardNo, CreditCardExpiry, CreditCardType, "
                                           "CommissionID FROM booking WHERE id = ?"),
                            {iBookingID});
    QVERIFY(q.next());
    QCOMPARE(q.text(0), QStringLiteral("O'Hara"));
    QCOMPARE(q.text(1), QStringLiteral("4111 1111 1111 1111"));
    QCOMPARE(q.text(2), QStringLiteral("12/27"));
    QCOMPARE(q.text(3), QStringLiteral("Vis'a"));
    QCOMPARE(q.integer(4), qint64(1));
}

void TestPaymentPage::taxNameLabelAndSelection()
{
    TestDb db;
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {});
    page->ShowPage();
    QCOMPARE(ui->gNewInvoice->rowCount(), 0);
    QCOMPARE(ui->gNewInvoice->currentRow(), -1);
    QCOMPARE(ui->lblSalesTaxName_0->text(), QStringLiteral("Tax of:"));
    QCOMPARE(ui->txtTotalPayable->text(), QStringLiteral("$0.00"));
    QVERIFY(!ui->lblSalesTax2->isVisible());

    AddNewInvoiceLineToDB(2, 1, QStringLiteral("a"), money("1"), QString(), 0);
    AddNewInvoiceLineToDB(2, 1, QStringLiteral("b"), money("1"), QStringLiteral("GST"), 15);
    AddNewInvoiceLineToDB(2, 1, QStringLiteral("c"), money("1"), QStringLiteral("GST"), 15);
    page->RefreshNewInvoiceItemsList(9, 0);
    QCOMPARE(ui->lblSalesTaxName_0->text(), QStringLiteral("GST"));
    QCOMPARE(ui->gNewInvoice->currentRow(), 2);   // beyond the last line: the last
    const qint64 d = AddNewInvoiceLineToDB(2, 1, QStringLiteral("d"), money("1"), QString(), 0);
    page->RefreshNewInvoiceItemsList(1, d);
    QCOMPARE(ui->lblSalesTaxName_0->text(), QStringLiteral("Tax of:"));
    QCOMPARE(ui->gNewInvoice->currentRow(), 3);
    QCOMPARE(GridCurrentRowData(ui->gNewInvoice), d);
}

void TestPaymentPage::deleteAndEditLines()
{
    TestDb db;
    db.open();
    WorkedStay stay;
    stay.create();
    objConn.close();
    frmMain& main = loadMainWindow(db);
    PaymentPage* page = showPaymentPage(main);
    Ui::PaymentPage* ui = page->ui;
    iBookingID = stay.booking;
    page->ShowPage();
    QTableWidget* g = ui->gNewInvoice;

    // Nothing selected: neither deletes nor opens anything.
    g->setCurrentCell(-1, -1);
    QTest::mouseClick(ui->cmdDeleteOrderItem, Qt::LeftButton);
    QTest::mouseClick(ui->cmdEditOrderItem, Qt::LeftButton);
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
    QCOMPARE(g->rowCount(), 3);

    // No keeps the line; Yes deletes it and selects the line that moved up.
    GridSelectRow(g, 1);
    fakes().messageBoxes->answers = {vbNo, vbYes};
    QTest::mouseClick(ui->cmdDeleteOrderItem, Qt::LeftButton);
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Delete selected item?"));
    QCOMPARE(g->rowCount(), 3);
    QTest::mouseClick(ui->cmdDeleteOrderItem, Qt::LeftButton);
    QCOMPARE(g->rowCount(), 2);
    QCOMPARE(GridText(g, 1, 1), QStringLiteral("Parking"));
    QCOMPARE(g->currentRow(), 1);
    QCOMPARE(ui->lblSubTotal->text(), QStringLiteral("$407.99"));

    // A double click on a line opens it; the edited line is selected afterwards.
    onNextDialog([](QWidget* w) {
        auto* dlg = qobject_cast<frmInvoiceItemAdd*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->ui->txtNewItem->text(), QStringLiteral("Garden Suite booking from 5/30/2025 to 6/2/2025"));
        QCOMPARE(dlg->ui->cboItemList->currentText(), QStringLiteral("Booking"));
        QCOMPARE(dlg->ui->txtUnitPrice->text(), QStringLiteral("$400.00"));
        QCOMPARE(dlg->ui->txtTaxRateName->text(), QStringLiteral("Sales Tax"));
        typeAndLeave(dlg->ui->txtUnitPrice, QStringLiteral("380"));
        QTest::mouseClick(dlg->ui->cmdOk, Qt::LeftButton);
    });
    const QRect cell = g->visualItemRect(g->item(0, 1));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(GridText(g, 0, 2), QStringLiteral("$380.00"));
    QCOMPARE(GridText(g, 0, 4), QStringLiteral("$380.00"));
    QCOMPARE(g->currentRow(), 0);
    QCOMPARE(ui->lblSubTotal->text(), QStringLiteral("$387.99"));
    QCOMPARE(ui->txtTotalPayable->text(), QStringLiteral("$425.99"));   // + 38.00 tax
}

TARLOMY_TEST_MAIN(TestPaymentPage)
#include "tst_paymentpage.moc"
