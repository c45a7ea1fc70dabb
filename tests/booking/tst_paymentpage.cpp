// The payment page and its item dialog, driven as a user would: the seeded and
// priced invoice, the totals, the money boxes, commission, payment method and
// card checks, and adding, editing and deleting lines.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "core/db.h"
#include "core/format.h"
#include "app/frmmain.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/numberinput.h"
#include "widgets/lists.h"
#include "core/settings.h"
#include "booking/frminvoiceitemadd.h"
#include "config/frmaddpaymentmethod.h"
#include "config/frmpaymentmethod.h"
#include "core/invoicelines.h"
#include "core/invoicetotals.h"

#include <QApplication>
#include <QLocale>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

namespace {

QString cur(const char* text)
{
    return Fmt::currency(money(text));
}

qint64 addRoom(const char* name, const char* chargeForEach, const char* low, const char* high, const char* lowWeekend,
               const char* highWeekend, qint64 taxRate, const QVariant& commission = dbNull())
{
    return objConn.insert(QStringLiteral("room"), {{QStringLiteral("Name"), QString::fromLatin1(name)},
                                                   {QStringLiteral("ChargeForEach"), QString::fromLatin1(chargeForEach)},
                                                   {QStringLiteral("LowUnitPrice"), dbValue(money(low))},
                                                   {QStringLiteral("HighUnitPrice"), dbValue(money(high))},
                                                   {QStringLiteral("LowWeekendPrice"), dbValue(money(lowWeekend))},
                                                   {QStringLiteral("HighWeekendPrice"), dbValue(money(highWeekend))},
                                                   {QStringLiteral("TaxRateID"), taxRate},
                                                   {QStringLiteral("CommissionID"), commission},
                                                   {QStringLiteral("CommissionPercentage"), 10}});
}

void type(QLineEdit* box, const QString& text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void typeAndLeave(QLineEdit* box, const QString& text)
{
    type(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

void choose(QComboBox* c, const char* text)
{
    c->setCurrentIndex(c->findText(QString::fromLatin1(text)));
}

// Runs f on the item dialog the next click opens; closes it if f left it open.
void withDialog(const std::function<void(frmInvoiceItemAdd*)>& f)
{
    onNextDialog([f](QWidget* w) {
        if (auto* dlg = qobject_cast<frmInvoiceItemAdd*>(w))
            f(dlg);
        if (w->isVisible())
            static_cast<QDialog*>(w)->reject();
    });
}

QStringList gridRow(const QTableWidget* g, int row)
{
    QStringList cells;
    for (int c = 0; c < g->columnCount(); ++c)
        cells << GridText(g, row, c);
    return cells;
}

}  // namespace

class TestPaymentPage : public DbTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void workedStay_data();
    void workedStay();
    void figuresShownToTheCent_data();
    void figuresShownToTheCent();
    void reseedingReplacesOnlyUnitLines();
    void commissionAndPaymentMethod();
    void commissionFollowsTheTotal_data();
    void commissionFollowsTheTotal();
    void paymentMethodsAsConfigured_data();
    void paymentMethodsAsConfigured();
    void cardNumbers_data();
    void cardNumbers();
    void amountsThatAreNotNumbers();
    void backRefusesAmountsThatAreNotNumbers();
    void resumedBookingStandsOnItsPage();
    void deletingLinesAndTaxName();
    void itemDialogCatalogueLine();
    void itemDialogFreeTextLine();

private:
    // The rows of the worked stay: two units with different charge units and
    // taxes (one earning commission), a default item, and a catalogue item.
    void createRows();
    // Loads the main window with the booking panel and this page in front.
    void loadPage();

    PaymentPage* page = nullptr;
    PaymentPage* ui = nullptr;
    qint64 garden = 0, bunk = 0;
    qint32 stay = 0;
};

void TestPaymentPage::init()
{
    openDb();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    createRows();
    objConn.close();
}

void TestPaymentPage::cleanup()
{
    closeDb();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
}

void TestPaymentPage::createRows()
{
    objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 5 WHERE id = 3"));
    const qint64 levy = objConn.insert(QStringLiteral("taxrate"), {{QStringLiteral("name"), QStringLiteral("Tourism Levy")},
                                                                   {QStringLiteral("percentage"), 7.25}});
    objConn.insert(QStringLiteral("commission"), {{QStringLiteral("name"), QStringLiteral("Booking Partner")}});
    const qint64 agent = objConn.insert(QStringLiteral("commission"), {{QStringLiteral("name"), QStringLiteral("Agent Smith")}});
    garden = addRoom("Garden Suite", "Night", "100", "150", "120", "180", 2, agent);
    bunk = addRoom("Bunk Room", "Night and Person", "45.55", "60", "50", "65.45", levy);
    objConn.insert(QStringLiteral("item"), {{QStringLiteral("name"), QStringLiteral("Parking")},
                                            {QStringLiteral("SaleAmount"), dbValue(money("7.99"))},
                                            {QStringLiteral("IsDefault"), 1}});
    objConn.insert(QStringLiteral("item"), {{QStringLiteral("name"), QStringLiteral("Breakfast")},
                                            {QStringLiteral("SaleAmount"), dbValue(money("12.5"))},
                                            {QStringLiteral("TaxRateID"), 2}});
    // Friday 30 May (low season) to Monday 2 June (high): Friday, Saturday and Sunday nights.
    stay = addBooking("2025-05-30 14:00:00", "2025-06-02 10:00:00", {}, {garden, bunk});
}

void TestPaymentPage::loadPage()
{
    frmMain& main = loadMainWindow(*db);
    main.show();
    for (const char* other : {"picArrivals", "picCalendar", "picCustomers", "picReports", "picBookingDates",
                              "picSelectRooms", "picCustomer", "picConfirm"})
        main.findChild<QWidget*>(QString::fromLatin1(other))->hide();
    main.booking()->show();
    main.booking()->raise();
    page = main.booking()->payment();
    ui = page;
    page->show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    iBookingID = stay;
}

void TestPaymentPage::workedStay_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("paidTyped");
    QTest::newRow("en_US") << "en_US" << "300.5";
    QTest::newRow("de_DE") << "de_DE" << "300,5";
}

void TestPaymentPage::workedStay()
{
    QFETCH(QString, locale);
    QFETCH(QString, paidTyped);
    QLocale::setDefault(QLocale(locale));
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    loadPage();
    page->ShowPage();
    QVERIFY(fakes().messageBoxes->shown.isEmpty());   // a new invoice is seeded without asking

    // Garden Suite: Friday low 100 + Saturday low weekend 120 + Sunday high weekend 180.
    // Bunk Room: (45.55 + 50 + 65.45) x 2 adults. Then the default item.
    const QTableWidget* g = control<QTableWidget>(ui, "gNewInvoice");
    QCOMPARE(g->rowCount(), 3);
    const QString dates = QStringLiteral(" booking from ") + Fmt::shortDate(QDate(2025, 5, 30)) + QStringLiteral(" to ")
                          + Fmt::shortDate(QDate(2025, 6, 2));
    QCOMPARE(gridRow(g, 0), QStringList({"1", "Garden Suite" + dates, cur("400"), "Sales Tax (10%)", cur("400")}));
    QCOMPARE(gridRow(g, 1), QStringList({"1", "Bunk Room" + dates, cur("322"),
                                         "Tourism Levy (" + Fmt::number(7.25) + "%)", cur("322")}));
    QCOMPARE(gridRow(g, 2), QStringList({"1", "Parking", cur("7.99"), "N/A (0%)", cur("7.99")}));
    if (locale == QLatin1String("de_DE"))
        QCOMPARE(GridText(g, 1, 1), QStringLiteral("Bunk Room booking from 30.05.2025 to 02.06.2025"));
    else
        QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), QStringLiteral("$829.83"));

    // Line taxes 40 + 23.345 = 63.345, shown 63.34 (half to even); second tax
    // 5 % of 729.99 = 36.4995, shown 36.50; commission 10 % of the total.
    QCOMPARE(control<QLabel>(ui, "lblSubTotal")->text(), cur("729.99"));
    QCOMPARE(control<QLabel>(ui, "lblSalesTaxName_0")->text(), QStringLiteral("Tax of:"));
    QCOMPARE(control<QLabel>(ui, "lblSalesTax")->text(), cur("63.34"));
    QCOMPARE(control<QLabel>(ui, "lblSalesTax2")->text(), cur("36.5"));
    QCOMPARE(control<QLabel>(ui, "lblSalesTaxPercentage2")->text(), QStringLiteral("5%"));
    QCOMPARE(control<QLineEdit>(ui, "txtTip")->text(), cur("0"));
    QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), cur("829.83"));
    QCOMPARE(control<QLineEdit>(ui, "txtBalanceDue")->text(), cur("829.83"));
    QCOMPARE(control<QComboBox>(ui, "cboAccount")->currentText(), QStringLiteral("Agent Smith"));
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), cur("82.98"));

    // A tip and a part payment, typed and left.
    typeAndLeave(control<QLineEdit>(ui, "txtTip"), QStringLiteral("15"));
    QCOMPARE(control<QLineEdit>(ui, "txtTip")->text(), cur("15"));
    QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), cur("844.83"));
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), cur("84.48"));   // of the total with the tip
    typeAndLeave(control<QLineEdit>(ui, "txtAmountPayed"), paidTyped);
    QCOMPARE(control<QLineEdit>(ui, "txtAmountPayed")->text(), cur("300.5"));
    QCOMPARE(control<QLineEdit>(ui, "txtBalanceDue")->text(), cur("544.33"));
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), cur("84.48"));

    QVERIFY(page->CheckPreconditions());
    page->SavePage();
    Query q = objConn.query(QStringLiteral("SELECT Tip, AmountPayed, CommissionAmount, CommissionID, PaymentMethod "
                                           "FROM booking WHERE id = ?"),
                            {stay});
    QVERIFY(q.next());
    QCOMPARE(q.integer(0), qint64(150000));   // exact ten-thousandths
    QCOMPARE(q.integer(1), qint64(3005000));
    QCOMPARE(q.integer(2), qint64(844800));
    QCOMPARE(q.integer(3), qint64(3));
    QCOMPARE(q.text(4), QStringLiteral("Bank Transfer"));   // no method yet: the third

    // Every other window computes the same figures from the database.
    const BookingTotals t = CalcTotal(stay);
    QCOMPARE(QStringList({t.cSubTotal, t.cSalesTax1, t.cSalesTax2, t.cTip, t.cTotalPayable, t.cPayments, t.cBalanceDue}),
             QStringList({control<QLabel>(ui, "lblSubTotal")->text(), control<QLabel>(ui, "lblSalesTax")->text(), control<QLabel>(ui, "lblSalesTax2")->text(), control<QLineEdit>(ui, "txtTip")->text(),
                          control<QLineEdit>(ui, "txtTotalPayable")->text(), control<QLineEdit>(ui, "txtAmountPayed")->text(), control<QLineEdit>(ui, "txtBalanceDue")->text()}));

    // Shown again (No: the lines stay), every box left again and saved: unchanged.
    fakes().messageBoxes->answers = {vbNo};
    page->ShowPage();
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Update existing booking dates?"));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbYesNo | vbQuestion));
    QCOMPARE(g->rowCount(), 3);
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), cur("84.48"));   // the stored commission wins
    const QStringList shown = {control<QLineEdit>(ui, "txtTip")->text(), control<QLineEdit>(ui, "txtAmountPayed")->text(), control<QLineEdit>(ui, "txtCommission")->text(),
                               control<QLineEdit>(ui, "txtBalanceDue")->text()};
    // Passing through the total recomputes the commission at the units' rate, not at 0.
    for (QLineEdit* box : {control<QLineEdit>(ui, "txtTip"), control<QLineEdit>(ui, "txtTotalPayable"), control<QLineEdit>(ui, "txtAmountPayed"), control<QLineEdit>(ui, "txtCommission")}) {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QCOMPARE(QStringList({control<QLineEdit>(ui, "txtTip")->text(), control<QLineEdit>(ui, "txtAmountPayed")->text(), control<QLineEdit>(ui, "txtCommission")->text(),
                          control<QLineEdit>(ui, "txtBalanceDue")->text()}),
             shown);
    page->SavePage();
    QCOMPARE(CalcTotal(stay).balanceDue, money("544.33"));
    QCOMPARE(CalcTotal(stay).payments, money("300.5"));
}

void TestPaymentPage::figuresShownToTheCent_data()
{
    // Each line as its quantity, unit price and tax percentage.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("secondTax");      // its percentage; empty: off
    QTest::addColumn<QStringList>("cells");      // each line's price and total as shown
    QTest::addColumn<QStringList>("figures");    // subtotal, first tax, second tax, total payable
    // 3.335 is shown 3.34 (half to even, not cut to 3.33); the subtotal
    // 10.005 is shown 10.00 (half to even).
    QTest::newRow("prices below the cent")
        << QStringList{"3", "3.335", "0"} << QString() << QStringList{"$3.34", "$10.00"}
        << QStringList{"$10.00", "$0.00", "$0.00", "$10.00"};
    // The line's tax: 7.25 % of 3.2075 is 0.23254375, 0.2325 to the
    // ten-thousandth, twice 0.4650, shown 0.46. The second tax is 6 % of the
    // subtotal as it is, 6.415 (0.3849, shown 0.38), not of 6.42 as shown.
    QTest::newRow("two taxes on a subtotal below the cent")
        << QStringList{"2", "3.2075", "7.25"} << QStringLiteral("6") << QStringList{"$3.21", "$6.42"}
        << QStringList{"$6.42", "$0.46", "$0.38", "$7.26"};
    // A discount below the cent: -1.2355 shown (1.24); subtotal 18.7645.
    QTest::newRow("a discount below the cent")
        << QStringList{"1", "20", "10", "1", "-1.2355", "0"} << QStringLiteral("5")
        << QStringList{"$20.00", "$20.00", "($1.24)", "($1.24)"} << QStringList{"$18.76", "$2.00", "$0.94", "$21.70"};
}

// What the payment page shows of lines whose amounts are not whole cents:
// each amount rounded to the cent, halves to even, and the taxes computed
// before rounding.
void TestPaymentPage::figuresShownToTheCent()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, secondTax);
    QFETCH(QStringList, cells);
    QFETCH(QStringList, figures);
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), !secondTax.isEmpty());
    loadPage();
    if (!secondTax.isEmpty())
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = ? WHERE id = 3"), {secondTax.toDouble()});
    for (int i = 0; i + 2 < lines.size(); i += 3)
        addLine(stay, lines[i].toDouble(), qPrintable(lines[i + 1]), lines[i + 2].toDouble(), QStringLiteral("Tax"));
    fakes().messageBoxes->answers = {vbNo};   // the lines stay as they are
    page->ShowPage();

    const QTableWidget* g = control<QTableWidget>(ui, "gNewInvoice");
    QStringList shownCells;
    for (int row = 0; row < g->rowCount(); ++row)
        shownCells << GridText(g, row, 2) << GridText(g, row, 4);
    QCOMPARE(shownCells, cells);
    QCOMPARE(QStringList({control<QLabel>(ui, "lblSubTotal")->text(), control<QLabel>(ui, "lblSalesTax")->text(),
                          secondTax.isEmpty() ? QStringLiteral("$0.00") : control<QLabel>(ui, "lblSalesTax2")->text(),
                          control<QLineEdit>(ui, "txtTotalPayable")->text()}),
             figures);
}

void TestPaymentPage::reseedingReplacesOnlyUnitLines()
{
    loadPage();
    page->ShowPage();
    const qint64 free = AddNewInvoiceLineToDB(stay, 2, 2, QStringLiteral("Late checkout"), money("20"), QString(), 0);
    const qint64 handMade = AddNewInvoiceLineToDB(stay, 1, 1, QStringLiteral("Extra night"), money("90"), QString(), 0);
    const QList<InvoiceLine> before = InvoiceLineStore::linesOf(stay);

    // The dates page moved the stay to Friday 6 to Sunday 8 June (high season).
    objConn.execute(QStringLiteral("UPDATE booking SET fromdate = '2025-06-06 14:00:00', todate = '2025-06-08 10:00:00' "
                                   "WHERE id = ?"),
                    {stay});
    fakes().messageBoxes->answers = {vbYes};
    page->ShowPage();
    const QList<InvoiceLine> after = InvoiceLineStore::linesOf(stay);
    QCOMPARE(after.size(), 4);
    QCOMPARE(after[0].id, before[2].id);   // the default item stays
    QCOMPARE(after[1].id, free);
    QVERIFY(after[2].id > handMade);       // every accommodation line was replaced
    QCOMPARE(after[2].name, QStringLiteral("Garden Suite booking from 6/6/2025 to 6/8/2025"));
    QCOMPARE(after[2].amount, money("330"));     // 150 + 180
    QCOMPARE(after[3].amount, money("250.9"));   // (60 + 65.45) x 2
    QCOMPARE(control<QTableWidget>(ui, "gNewInvoice")->rowCount(), 4);
    QCOMPARE(control<QLabel>(ui, "lblSubTotal")->text(), QStringLiteral("$628.89"));
}

void TestPaymentPage::commissionAndPaymentMethod()
{
    // A stored account other than the unit's is kept; the unit's percentage applies.
    db->open();
    const qint32 keeps = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {}, {garden});
    objConn.execute(QStringLiteral("UPDATE booking SET CommissionID = 2, PaymentMethod = 'Credit Card' WHERE id = ?"),
                    {keeps});
    const qint32 none = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {}, {bunk});
    objConn.execute(QStringLiteral("UPDATE booking SET CommissionID = NULL WHERE id = ?"), {none});
    objConn.close();
    loadPage();
    iBookingID = keeps;
    page->ShowPage();
    QCOMPARE(control<QComboBox>(ui, "cboAccount")->itemText(0), QStringLiteral("No Commission"));
    QCOMPARE(control<QComboBox>(ui, "cboAccount")->itemText(1), QStringLiteral("Agent Smith"));   // by name
    QCOMPARE(control<QComboBox>(ui, "cboAccount")->currentText(), QStringLiteral("Booking Partner"));
    QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), QStringLiteral("$117.99"));   // 100 + 10 tax + 7.99
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), QStringLiteral("$11.80"));
    QVERIFY(control<QWidget>(ui, "picCreditCardInfo")->isVisible());   // the fourth method

    // Without commission; the method chosen for the last booking stays.
    SetListIndex(control<QComboBox>(ui, "cboPaymentMethod"), 0);
    QVERIFY(!control<QWidget>(ui, "picCreditCardInfo")->isVisible());
    iBookingID = none;
    page->ShowPage();
    QCOMPARE(control<QComboBox>(ui, "cboPaymentMethod")->currentText(), QStringLiteral("Cash"));
    QCOMPARE(control<QComboBox>(ui, "cboAccount")->currentText(), QStringLiteral("No Commission"));
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), QStringLiteral("$0.00"));
    QTest::mouseClick(control<QPushButton>(ui, "cmdPaidInFull"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(ui, "txtAmountPayed")->text(), QStringLiteral("$105.69"));   // 91.10 + 6.60 + 7.99
    QCOMPARE(control<QLineEdit>(ui, "txtBalanceDue")->text(), QStringLiteral("$0.00"));
    SetListIndex(control<QComboBox>(ui, "cboAccount"), 1);
    typeAndLeave(control<QLineEdit>(ui, "txtTotalPayable"), QStringLiteral("0"));
    QCOMPARE(control<QComboBox>(ui, "cboAccount")->currentText(), QStringLiteral("No Commission"));
}

void TestPaymentPage::commissionFollowsTheTotal_data()
{
    // The worked stay's total is 793.33 (one tax), its commission 10 % of it, 79.33.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("commission");
    QTest::newRow("breakfast added") << "add" << "820.83" << "82.08";           // + 2 x 12.50 + 10 %
    QTest::newRow("a line edited") << "edit" << "803.33" << "80.33";            // parking 17.99
    QTest::newRow("a line removed") << "remove" << "785.34" << "78.53";         // no parking
    QTest::newRow("a tip") << "tip" << "808.33" << "80.83";
    QTest::newRow("the stay priced again") << "reseed" << "640.08" << "64.01";  // 6 to 8 June
    QTest::newRow("a commission typed stays") << "typed" << "820.83" << "50";
}

// Whatever changes the total on the page, the commission is the percentage of
// the total as it stands, unless one was typed; the one shown is stored.
void TestPaymentPage::commissionFollowsTheTotal()
{
    QFETCH(QString, change);
    QFETCH(QString, total);
    QFETCH(QString, commission);
    loadPage();
    page->ShowPage();
    auto* totalBox = control<QLineEdit>(ui, "txtTotalPayable");
    auto* commissionBox = control<QLineEdit>(ui, "txtCommission");
    QCOMPARE(totalBox->text(), cur("793.33"));
    QCOMPARE(commissionBox->text(), cur("79.33"));
    QTableWidget* g = control<QTableWidget>(ui, "gNewInvoice");
    const auto addBreakfast = [] {
        withDialog([](frmInvoiceItemAdd* d) {
            choose(control<QComboBox>(d, "cboItemList"), "Breakfast");
            type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("2"));
            QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        });
    };

    if (change == QLatin1String("add")) {
        addBreakfast();
        QTest::mouseClick(control<QPushButton>(ui, "cmdAddOrderItem"), Qt::LeftButton);
    } else if (change == QLatin1String("edit")) {
        GridSelectRow(g, 2);
        withDialog([](frmInvoiceItemAdd* d) {
            type(control<QLineEdit>(d, "txtUnitPrice"), QStringLiteral("17.99"));
            QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QPushButton>(ui, "cmdEditOrderItem"), Qt::LeftButton);
    } else if (change == QLatin1String("remove")) {
        GridSelectRow(g, 2);
        fakes().messageBoxes->answers = {vbYes};
        QTest::mouseClick(control<QPushButton>(ui, "cmdDeleteOrderItem"), Qt::LeftButton);
    } else if (change == QLatin1String("tip")) {
        typeAndLeave(control<QLineEdit>(ui, "txtTip"), QStringLiteral("15"));
    } else if (change == QLatin1String("reseed")) {
        page->SavePage();   // the commission of the earlier total is stored
        objConn.execute(QStringLiteral("UPDATE booking SET fromdate = '2025-06-06 14:00:00', "
                                       "todate = '2025-06-08 10:00:00' WHERE id = ?"),
                        {stay});
        fakes().messageBoxes->answers = {vbYes};
        page->ShowPage();
    } else {
        typeAndLeave(commissionBox, QStringLiteral("50"));
        addBreakfast();
        QTest::mouseClick(control<QPushButton>(ui, "cmdAddOrderItem"), Qt::LeftButton);
        // Nor does leaving the total change it.
        QTest::mouseClick(totalBox, Qt::LeftButton);
        QTest::keyClick(totalBox, Qt::Key_Tab);
    }
    QCOMPARE(totalBox->text(), cur(qPrintable(total)));
    QCOMPARE(commissionBox->text(), cur(qPrintable(commission)));

    page->SavePage();
    QCOMPARE(Money::fromDb(objConn.scalar(QStringLiteral("SELECT CommissionAmount FROM booking WHERE id = ?"), {stay})),
             money(qPrintable(commission)));
    // Shown again without pricing again: the stored commission.
    fakes().messageBoxes->answers = {vbNo};
    page->ShowPage();
    QCOMPARE(commissionBox->text(), cur(qPrintable(commission)));
}

void TestPaymentPage::paymentMethodsAsConfigured_data()
{
    // The methods at first: Cash, Cheque, Bank Transfer, Credit Card, Other.
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("stored");    // the method of the booking shown
    QTest::addColumn<bool>("pageOpen");     // configured while the page shows it
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("four removed, one added, a new booking")
        << QStringList{"Cash", "Cheque", "Credit Card", "Other"} << QStringList{"Card Terminal"} << QString() << false
        << QStringList{"Bank Transfer", "Card Terminal"} << QString();
    QTest::newRow("a booking stored with a removed method")
        << QStringList{"Other"} << QStringList() << "Other" << false
        << QStringList{"Cash", "Cheque", "Bank Transfer", "Credit Card", "Other"} << "Other";
    QTest::newRow("removed while the page shows its booking")
        << QStringList{"Credit Card"} << QStringList{"Card Terminal"} << "Credit Card" << true
        << QStringList{"Cash", "Cheque", "Bank Transfer", "Other", "Card Terminal", "Credit Card"} << "Credit Card";
    QTest::newRow("added while the page shows a new booking")
        << QStringList() << QStringList{"Card Terminal"} << QString() << true
        << QStringList{"Cash", "Cheque", "Bank Transfer", "Credit Card", "Other", "Card Terminal"} << "Bank Transfer";
}

// Closing the payment methods' dialog offers the methods as they now are; a
// booking keeps showing the method it was stored with.
void TestPaymentPage::paymentMethodsAsConfigured()
{
    QFETCH(QStringList, removed);
    QFETCH(QStringList, added);
    QFETCH(QString, stored);
    QFETCH(bool, pageOpen);
    QFETCH(QStringList, offered);
    QFETCH(QString, chosen);
    loadPage();
    objConn.execute(QStringLiteral("UPDATE booking SET PaymentMethod = ? WHERE id = ?"), {stored, stay});
    auto* methods = control<QComboBox>(ui, "cboPaymentMethod");
    const auto entries = [methods] {
        QStringList e;
        for (int i = 0; i < methods->count(); ++i)
            e << methods->itemText(i);
        return e;
    };
    if (pageOpen)
        page->ShowPage();

    onNextDialogOf<frmPaymentMethod>([&](frmPaymentMethod* d) {
        QListWidget* list = control<QListWidget>(d, "lstItems");
        for (const QString& method : removed) {
            list->setCurrentItem(list->findItems(method, Qt::MatchExactly).value(0));
            fakes().messageBoxes->answers = {vbYes};
            d->cmdRemove_Click();
        }
        for (const QString& method : added) {
            onNextDialogOf<frmAddPaymentMethod>([method](frmAddPaymentMethod* e) {
                control<QLineEdit>(e, "txtName")->setText(method);
                QTest::mouseClick(control<QPushButton>(e, "cmdOK"), Qt::LeftButton);
            });
            d->cmdAdd_Click();
        }
        d->cmdCancel_Click();
    });
    MainForm().mnuConfigPaymentMethods_Click();
    if (!pageOpen) {
        fakes().messageBoxes->answers = {vbNo};
        page->ShowPage();
    }
    QCOMPARE(entries(), offered);
    QCOMPARE(methods->currentText(), chosen);
    page->SavePage();
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT PaymentMethod FROM booking WHERE id = ?"), {stay}).toString(), chosen);

    // The next booking is offered only the methods configured.
    iBookingID = addBooking("2025-03-03 14:00:00", "2025-03-04 10:00:00", {}, {bunk});
    page->ShowPage();
    QStringList configured = offered;
    if (removed.contains(stored))
        configured.removeAll(stored);
    QCOMPARE(entries(), configured);
    QVERIFY(!removed.contains(methods->currentText()));
}

void TestPaymentPage::cardNumbers_data()
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
    QTest::newRow("decimal text") << "1.8" << true;
}

void TestPaymentPage::cardNumbers()
{
    QFETCH(QString, number);
    QFETCH(bool, valid);
    QCOMPARE(IsValidCreditCardNumber(number), valid);
    if (QByteArray(QTest::currentDataTag()) != "valid")
        return;

    loadPage();
    page->ShowPage();
    SetListIndex(control<QComboBox>(ui, "cboPaymentMethod"), 3);
    control<QLineEdit>(ui, "txtCreditCardNo")->setText(QStringLiteral("1234"));
    QVERIFY(page->CheckPreconditions());   // checking is off
    SaveConfigFlag(QStringLiteral("CreditCardValidation"), true);
    QVERIFY(!page->CheckPreconditions());
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("Credit Card number is not valid. Please enter a valid Credit Card to continue."));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical | vbOKOnly));
    QVERIFY(control<QLineEdit>(ui, "txtCreditCardNo")->hasFocus());
    for (const char* passes : {"7992 7398-713", "", " - "}) {
        control<QLineEdit>(ui, "txtCreditCardNo")->setText(QString::fromLatin1(passes));
        QVERIFY2(page->CheckPreconditions(), passes);
    }
}

void TestPaymentPage::amountsThatAreNotNumbers()
{
    loadPage();
    objConn.execute(QStringLiteral("UPDATE booking SET Tip = 50000, AmountPayed = 100000 WHERE id = ?"), {stay});
    page->ShowPage();
    const QString balance = control<QLineEdit>(ui, "txtBalanceDue")->text();

    // Text that is no amount is refused as the box is left, and the box
    // shows its amount again...
    const struct {
        const char* box;
        const char* caption;
        const char* typed;
    } typed[] = {{"txtTip", "Tip", "five"}, {"txtAmountPayed", "Amount Paid", "12x"}, {"txtCommission", "Commission", "-"}};
    for (const auto& t : typed) {
        auto* box = control<QLineEdit>(ui, t.box);
        const QString shown = box->text();
        fakes().messageBoxes->clear();
        typeAndLeave(box, QString::fromLatin1(t.typed));
        QCOMPARE(fakes().messageBoxes->lastPrompt(), NumberRefusal(QString::fromLatin1(t.caption)));
        QCOMPARE(box->text(), shown);
    }
    QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), QStringLiteral("$798.33"));   // with the tip of 5.00
    QCOMPARE(control<QLineEdit>(ui, "txtBalanceDue")->text(), balance);

    // ...text that comes without the box being left (an access key) is
    // refused as the page is left...
    for (const auto& t : typed)
        control<QLineEdit>(ui, t.box)->setText(QString::fromLatin1(t.typed));
    fakes().messageBoxes->clear();
    QVERIFY(!page->CheckPreconditions());
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("The Tip entered is not a number. Please enter a number to continue."));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical | vbOKOnly));
    QVERIFY(control<QLineEdit>(ui, "txtTip")->hasFocus());
    typeAndLeave(control<QLineEdit>(ui, "txtTip"), QStringLiteral("2.5"));
    QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), QStringLiteral("$795.83"));

    // ...and a save that comes without the check keeps the stored amounts and says so.
    fakes().messageBoxes->clear();
    page->SavePage();
    Query q = objConn.query(QStringLiteral("SELECT Tip, AmountPayed, CommissionAmount FROM booking WHERE id = ?"), {stay});
    QVERIFY(q.next());
    QCOMPARE(QList<qint64>({q.integer(0), q.integer(1), q.integer(2)}), QList<qint64>({25000, 100000, 0}));
    QCOMPARE(fakes().messageBoxes->shown.size(), 2);
    QCOMPARE(fakes().messageBoxes->shown[0].prompt,
             QStringLiteral("The Amount Paid entered is not a number, so the amount saved before was kept."));
    QVERIFY(!page->CheckAmounts());
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("The Amount Paid entered is not a number. Please enter a number to continue."));

    // Empty boxes count as nothing.
    typeAndLeave(control<QLineEdit>(ui, "txtAmountPayed"), QString());
    QCOMPARE(control<QLineEdit>(ui, "txtAmountPayed")->text(), QStringLiteral("$0.00"));
    QCOMPARE(control<QLineEdit>(ui, "txtBalanceDue")->text(), control<QLineEdit>(ui, "txtTotalPayable")->text());
    typeAndLeave(control<QLineEdit>(ui, "txtCommission"), QString());
    QCOMPARE(control<QLineEdit>(ui, "txtCommission")->text(), QStringLiteral("$0.00"));
    QVERIFY(page->CheckPreconditions());
}

void TestPaymentPage::backRefusesAmountsThatAreNotNumbers()
{
    loadPage();
    int step = 3;
    iBookingStep = step;
    MainForm().booking()->ShowBookingStep(step);
    control<QLineEdit>(ui, "txtTip")->setText(QStringLiteral("lots"));
    fakes().messageBoxes->clear();
    MainForm().booking()->cmdBack_Click(0);
    QCOMPARE(iBookingStep, 3);
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("The Tip entered is not a number. Please enter a number to continue."));
    typeAndLeave(control<QLineEdit>(ui, "txtTip"), QStringLiteral("4"));
    MainForm().booking()->cmdBack_Click(0);
    QCOMPARE(iBookingStep, 2);
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT Tip FROM booking WHERE id = ?"), {stay}).toLongLong(), 40000LL);

    // Coming back, the question about the dates stands over the page being
    // left, not over the invoice this page showed before.
    bool paymentShown = true;
    fakes().messageBoxes->handler = [&](const ShownMessage&) {
        paymentShown = page->isVisible();
        return int(vbNo);
    };
    step = 3;
    iBookingStep = step;
    MainForm().booking()->ShowBookingStep(step);
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Update existing booking dates?"));
    QVERIFY(!paymentShown);
    QVERIFY(page->isVisible());
}

// Started afresh with a booking in progress at this step: the question about
// the dates stands over this page alone, showing the booking's own invoice,
// tip and step, not over the pages drawn on one another.
void TestPaymentPage::resumedBookingStandsOnItsPage()
{
    loadPage();
    page->ShowPage();
    typeAndLeave(control<QLineEdit>(ui, "txtTip"), QStringLiteral("4"));
    page->SavePage();
    const int lines = control<QTableWidget>(ui, "gNewInvoice")->rowCount();
    resetProgramState();

    frmMain& main = loadMainWindow(*db);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    iBookingID = stay;
    iBookingStep = 3;
    BookingWizard* wizard = main.booking();
    QStringList seen;
    fakes().messageBoxes->handler = [&](const ShownMessage&) {
        for (int k = 0; k <= 4; ++k)
            if (wizard->page(k)->isVisible())
                seen << QString::number(k);
        seen << control<QLineEdit>(wizard->payment(), "txtTip")->text()
             << QString::number(control<QTableWidget>(wizard->payment(), "gNewInvoice")->rowCount())
             << QString::number(wizard->lblStep[3]->font().bold());
        return int(vbNo);
    };
    control<QAction>(&main, "mnuReservationAdd")->trigger();
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Update existing booking dates?"));
    QCOMPARE(seen, QStringList({"3", cur("4"), QString::number(lines), "1"}));
    QVERIFY(wizard->payment()->isVisible() && !wizard->page(0)->isVisible());
}

void TestPaymentPage::deletingLinesAndTaxName()
{
    loadPage();
    page->ShowPage();
    QTableWidget* g = control<QTableWidget>(ui, "gNewInvoice");
    g->setCurrentCell(-1, -1);
    QTest::mouseClick(control<QPushButton>(ui, "cmdDeleteOrderItem"), Qt::LeftButton);   // nothing selected: nothing asked
    QVERIFY(fakes().messageBoxes->shown.isEmpty());

    GridSelectRow(g, 1);
    fakes().messageBoxes->answers = {vbNo, vbYes};
    QTest::mouseClick(control<QPushButton>(ui, "cmdDeleteOrderItem"), Qt::LeftButton);
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Delete selected item?"));
    QCOMPARE(g->rowCount(), 3);
    QTest::mouseClick(control<QPushButton>(ui, "cmdDeleteOrderItem"), Qt::LeftButton);
    QCOMPARE(g->rowCount(), 2);
    QCOMPARE(g->currentRow(), 1);   // the line that moved up
    QCOMPARE(GridText(g, 1, 1), QStringLiteral("Parking"));

    // One tax name for all lines names the tax; an empty name before it does not count.
    objConn.execute(QStringLiteral("UPDATE invoiceline SET taxratename = 'Sales Tax' WHERE itemid <> 1"));
    objConn.execute(QStringLiteral("UPDATE invoiceline SET taxratename = '' WHERE itemid = 1"));
    page->RefreshNewInvoiceItemsList(9, 0);
    QCOMPARE(control<QLabel>(ui, "lblSalesTaxName_0")->text(), QStringLiteral("Sales Tax"));
    QCOMPARE(g->currentRow(), 1);   // beyond the last line: the last
    objConn.execute(QStringLiteral("DELETE FROM invoiceline"));
    page->RefreshNewInvoiceItemsList(1, 0);
    QCOMPARE(control<QLabel>(ui, "lblSalesTaxName_0")->text(), QStringLiteral("Tax of:"));
    QCOMPARE(control<QLineEdit>(ui, "txtTotalPayable")->text(), QStringLiteral("$0.00"));
}

void TestPaymentPage::itemDialogCatalogueLine()
{
    loadPage();
    page->ShowPage();
    withDialog([](frmInvoiceItemAdd* d) {
        QCOMPARE(control<QComboBox>(d, "cboItemList")->currentText(), QStringLiteral("New Item..."));
        QCOMPARE(control<QLineEdit>(d, "txtQuantity")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLineEdit>(d, "txtUnitPrice")->text(), QStringLiteral("$0.00"));
        QCOMPARE(control<QComboBox>(d, "cboTaxRate")->currentText(), QStringLiteral("N/A"));
        QVERIFY(!control<QLineEdit>(d, "txtTaxRateName")->isEnabled() && control<QLineEdit>(d, "txtNewItem")->isVisible() && control<QLineEdit>(d, "txtNewItem")->text().isEmpty());
        choose(control<QComboBox>(d, "cboItemList"), "Breakfast");
        QCOMPARE(control<QLineEdit>(d, "txtUnitPrice")->text(), QStringLiteral("$12.50"));
        QCOMPARE(control<QComboBox>(d, "cboTaxRate")->currentText(), QStringLiteral("Sales Tax"));
        QVERIFY(!control<QLineEdit>(d, "txtNewItem")->isVisible());
        type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("2"));
        type(control<QLineEdit>(d, "txtUnitPrice"), QStringLiteral("99"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>(ui, "cmdAddOrderItem"), Qt::LeftButton);
    QTableWidget* g = control<QTableWidget>(ui, "gNewInvoice");
    QCOMPARE(g->rowCount(), 4);
    QCOMPARE(g->currentRow(), 3);   // the new line, at the catalogue price
    QCOMPARE(gridRow(g, 3), QStringList({"2", "Breakfast", "$12.50", "Sales Tax (10%)", "$25.00"}));

    // Editing (double click) stores what is typed.
    withDialog([](frmInvoiceItemAdd* d) {
        QCOMPARE(control<QLineEdit>(d, "txtUnitPrice")->text(), QStringLiteral("$12.50"));
        type(control<QLineEdit>(d, "txtUnitPrice"), QStringLiteral("11"));
        QTest::keyClick(control<QLineEdit>(d, "txtUnitPrice"), Qt::Key_Return);   // OK is the default button
    });
    const QPoint cell = g->visualItemRect(g->item(3, 1)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(GridText(g, 3, 4), QStringLiteral("$22.00"));
    QCOMPARE(control<QLabel>(ui, "lblSubTotal")->text(), QStringLiteral("$751.99"));
}

void TestPaymentPage::itemDialogFreeTextLine()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    loadPage();
    objConn.execute(QStringLiteral("DELETE FROM bookingroom"));
    page->ShowPage();
    withDialog([](frmInvoiceItemAdd* d) {
        type(control<QLineEdit>(d, "txtNewItem"), QStringLiteral("O'Brien's room"));
        choose(control<QComboBox>(d, "cboTaxRate"), "User Defined");
        type(control<QLineEdit>(d, "txtTaxRateName"), QStringLiteral("Levy"));
        type(control<QLineEdit>(d, "txtTaxRatePercentage"), QString());
        type(control<QLineEdit>(d, "txtUnitPrice"), QString());
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);   // the percentage is checked first
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("The Tax Rate Percentage entered is not a number. Please enter a number to continue."));
        // A percentage is from 0 to 100, written as the locale writes numbers.
        const QString notNumber =
            QStringLiteral("The Tax Rate Percentage entered is not a number. Please enter a number to continue.");
        const QString notPercentage = QStringLiteral("The Tax Rate Percentage entered is not a percentage from 0 to 100. "
                                                     "Please enter a percentage from 0 to 100 to continue.");
        for (const auto& [refused, message] : {std::pair{"1e308", notNumber}, std::pair{"-5", notPercentage},
                                               std::pair{"100,5", notPercentage}, std::pair{"7.25", notNumber}}) {
            fakes().messageBoxes->shown.clear();
            type(control<QLineEdit>(d, "txtTaxRatePercentage"), QString::fromLatin1(refused));
            QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
            QCOMPARE(fakes().messageBoxes->lastPrompt(), message);
        }
        type(control<QLineEdit>(d, "txtTaxRatePercentage"), QStringLiteral("7,25"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("The Unit Price entered is not a number. Please enter a number to continue."));
        // The dialog's focus: another window may hold the activation for a moment.
        QCOMPARE(d->focusWidget(), static_cast<QWidget*>(control<QLineEdit>(d, "txtUnitPrice")));
        // A price, or a line total, beyond 100.000.000.000 cannot be held.
        type(control<QLineEdit>(d, "txtUnitPrice"), QStringLiteral("99.999.999.999.999"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        QCOMPARE(fakes().messageBoxes->shown.size(), 3);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("The Unit Price entered is too large. Please enter an amount up to "
                                "100.000.000.000,00\u00a0\u20ac to continue."));
        type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("1001"));
        type(control<QLineEdit>(d, "txtUnitPrice"), QStringLiteral("99.999.999,99"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        QCOMPARE(fakes().messageBoxes->shown.size(), 4);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("The Unit Price entered is too large. Please enter an amount up to "
                                "99.900.099,90\u00a0\u20ac to continue."));
        type(control<QLineEdit>(d, "txtUnitPrice"), QStringLiteral("1.045,5"));
        type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("zwei"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("Quantity entered is not a number. Please enter a number to continue."));
        // A quantity is a whole number of one or more: a part is refused, not cut.
        for (const char* refused : {"2,5", "0", "-1", "1e3", "1.5"}) {
            fakes().messageBoxes->shown.clear();
            type(control<QLineEdit>(d, "txtQuantity"), QString::fromLatin1(refused));
            QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
            QCOMPARE(fakes().messageBoxes->lastPrompt(),
                     QStringLiteral("Quantity entered is not a number. Please enter a number to continue."));
        }
        type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("2"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>(ui, "cmdAddOrderItem"), Qt::LeftButton);
    QList<InvoiceLine> lines = InvoiceLineStore::linesOf(stay);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[1].name, QStringLiteral("O'Brien's room"));
    QCOMPARE(lines[1].quantity, 2.0);
    QCOMPARE(lines[1].amount, money("1045.5"));
    QCOMPARE(lines[1].taxRatePercentage, 7.25);

    // An edited line is held to the same rules; the price reads back unchanged.
    withDialog([](frmInvoiceItemAdd* d) {
        QCOMPARE(control<QLineEdit>(d, "txtTaxRateName")->text(), QStringLiteral("Levy"));
        type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("2,5"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("Quantity entered is not a number. Please enter a number to continue."));
        type(control<QLineEdit>(d, "txtQuantity"), QStringLiteral("3"));
        QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>(ui, "cmdEditOrderItem"), Qt::LeftButton);
    lines = InvoiceLineStore::linesOf(stay);
    QCOMPARE(lines[1].quantity, 3.0);
    QCOMPARE(lines[1].amount, money("1045.5"));
    QCOMPARE(GridText(control<QTableWidget>(ui, "gNewInvoice"), 1, 0), QStringLiteral("3"));
    QCOMPARE(GridText(control<QTableWidget>(ui, "gNewInvoice"), 1, 4), cur("3136.5"));
    // 1045.5 x 7.25 % = 75.79875, to the ten-thousandth 75.7988 (half to even), x 3 = 227.3964.
    QCOMPARE(control<QLabel>(ui, "lblSalesTax")->text(), cur("227.4"));

    // The dialog's answer: the line saved, or nothing when cancelled.
    const qint64 edited = lines[1].id;
    auto press = [](const char* button) {
        onNextDialogOf<frmInvoiceItemAdd>(
            [button](frmInvoiceItemAdd* d) { QTest::mouseClick(control<QPushButton>(d, button), Qt::LeftButton); });
    };
    press("cmdCancel");
    QVERIFY(!frmInvoiceItemAdd::ask(stay, edited, page));
    press("cmdOk");
    QCOMPARE(frmInvoiceItemAdd::ask(stay, edited, page).value_or(0), edited);
    press("cmdOk");
    const std::optional<qint64> added = frmInvoiceItemAdd::ask(stay, std::nullopt, page);
    QVERIFY(added && *added > edited);
    QCOMPARE(InvoiceLineStore::linesOf(stay).last().id, *added);
}

TARLOMY_GUI_TEST_MAIN(TestPaymentPage)
#include "tst_paymentpage.moc"
