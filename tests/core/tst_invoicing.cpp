// Pricing of booked units, appending invoice lines and a booking's totals, on
// the ground floor alone.
#include "support/groundsupport.h"

#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "core/invoicelines.h"
#include "core/invoicetotals.h"

#include <QLocale>

namespace {

QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
}

// A stay of two nights with its tip and payment.
qint32 addStay(const char* tip = "0", const char* paid = "0")
{
    return addBooking(QStringLiteral("2025-03-03 09:00:00"), QStringLiteral("2025-03-05 14:00:00"),
                      {{"Tip", dbValue(money(tip))}, {"AmountPayed", dbValue(money(paid))}});
}

}  // namespace

class TestInvoicing : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        resetGroundState();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }
    void cleanup() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }

    void unitCharge_data();
    void unitCharge();
    void linesTakeGivenOrCatalogueValues();
    void totalsAddUpAsShown();
    void confirmationFigures();
    void missingBookingAndNullMoney();
};

void TestInvoicing::unitCharge_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<int>("adults");
    QTest::addColumn<int>("nights");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("noSeason");   // a month whose season row is missing

    // Prices: low 100, high 150, low weekend 120, high weekend 180, unit 70.
    // June is high season, March, May and September low.
    QTest::newRow("nights Fri-Mon high") << "Night" << at("2025-06-06 09:00") << at("2025-06-09 14:00") << 2 << 0
                                         << "510" << 0;
    QTest::newRow("arrival day to departure day") << "Night" << at("2025-03-03 09:00") << at("2025-03-05 14:00")
                                                  << 2 << 0 << "200" << 0;
    QTest::newRow("same day") << "Night" << at("2025-03-03 09:00") << at("2025-03-03 14:00") << 2 << 0 << "0" << 0;
    QTest::newRow("high into low") << "Night" << at("2025-08-30 09:00") << at("2025-09-02 14:00") << 2 << 0
                                   << "460" << 0;
    QTest::newRow("nights per person") << "Night and Person" << at("2025-06-06 09:00") << at("2025-06-09 14:00")
                                       << 3 << 0 << "1530" << 0;
    QTest::newRow("hours from 9:30") << "Hour" << at("2025-03-04 09:30") << at("2025-03-04 14:00") << 2 << 0
                                     << "500" << 0;
    QTest::newRow("hours over midnight into a weekend")
        << "Hour" << at("2025-03-07 22:15") << at("2025-03-08 01:00") << 2 << 0 << "320" << 0;
    QTest::newRow("week Sat-Sun") << "Week" << at("2025-03-01 09:00") << at("2025-03-02 14:00") << 2 << 0 << "70" << 0;
    QTest::newRow("week Sun-Sat is one") << "Week" << at("2025-03-02 09:00") << at("2025-03-08 14:00") << 2 << 0
                                         << "70" << 0;
    QTest::newRow("week Sun-Sun") << "Week" << at("2025-03-02 09:00") << at("2025-03-09 14:00") << 2 << 0 << "70" << 0;
    QTest::newRow("two weeks per person") << "Week and Person" << at("2025-03-02 09:00")
                                          << at("2025-03-16 14:00") << 3 << 0 << "420" << 0;
    QTest::newRow("month 31 Jan-1 Feb") << "Month" << at("2025-01-31 09:00") << at("2025-02-01 14:00") << 2 << 0
                                        << "70" << 0;
    QTest::newRow("month 1-31 Jan is one") << "Month" << at("2025-01-01 09:00") << at("2025-01-31 14:00") << 2
                                           << 0 << "70" << 0;
    QTest::newRow("months over a year end per person") << "Month and Person" << at("2024-11-15 09:00")
                                                       << at("2025-02-15 14:00") << 2 << 0 << "420" << 0;
    QTest::newRow("person") << "Person" << at("2025-03-03 09:00") << at("2025-03-05 14:00") << 4 << 0 << "280" << 0;
    QTest::newRow("month without season") << "Night" << at("2025-03-30 09:00") << at("2025-04-02 14:00") << 2 << 0
                                          << "220" << 4;
    // A stay whose dates cannot be read prices nothing rather than run for ever.
    QTest::newRow("hours of an unreadable stay") << "Hour" << QDateTime() << at("2025-03-04 14:00") << 2 << 0 << "0"
                                                 << 0;
    QTest::newRow("weeks of an unreadable stay") << "Week" << at("2025-03-02 09:00") << QDateTime() << 2 << 0 << "70"
                                                 << 0;
    QTest::newRow("lower-case night is unknown") << "night" << at("2025-03-03 09:00") << at("2025-03-05 14:00")
                                                 << 2 << 5 << "350" << 0;
}

void TestInvoicing::unitCharge()
{
    QFETCH(QString, unit);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(int, adults);
    QFETCH(int, nights);
    QFETCH(QString, expected);
    QFETCH(int, noSeason);
    OpenTestDb db;
    objConn.execute(QStringLiteral("DELETE FROM season WHERE month = ?"), {noSeason});
    const Money amount = UnitChargeAmount(unit, from, to, money("100"), money("150"), money("180"), money("120"),
                                          money("70"), adults, nights);
    QCOMPARE(amount.toDecimalText(), expected);
}

void TestInvoicing::linesTakeGivenOrCatalogueValues()
{
    OpenTestDb db;
    const qint32 booking = addStay();
    const qint64 towels = objConn.insert(QStringLiteral("item"), {{QStringLiteral("name"), QStringLiteral("Towels")},
                                                                   {QStringLiteral("SaleAmount"), dbValue(money("4.5"))},
                                                                   {QStringLiteral("TaxRateID"), 2}});
    const qint64 orphan = objConn.insert(QStringLiteral("item"), {{QStringLiteral("name"), QStringLiteral("Orphan")},
                                                                   {QStringLiteral("TaxRateID"), 99}});

    const qint64 free = AddNewInvoiceLineToDB(booking, 2, 3, QStringLiteral("O'Brien's room"), money("12.3456"),
                                              QStringLiteral("Levy"), 7.25);
    const qint64 catalogue = AddNewInvoiceLineToDB(booking, qint32(towels), 2, QStringLiteral("ignored"), money("99"),
                                                   QStringLiteral("ignored"), 50);
    QVERIFY(free > 0 && catalogue > free);
    QCOMPARE(AddNewInvoiceLineToDB(booking, qint32(orphan), 1, QStringLiteral("x"), money("1"), QString(), 0), qint64(-1));
    QCOMPARE(AddNewInvoiceLineToDB(booking, 4242, 1, QStringLiteral("x"), money("1"), QString(), 0), qint64(-1));

    const QList<InvoiceLine> lines = InvoiceLineStore::linesOf(booking);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].name, QStringLiteral("O'Brien's room"));
    QCOMPARE(lines[0].amount, money("12.3456"));
    QCOMPARE(lines[0].quantity, 3.0);
    QCOMPARE(lines[0].taxRateName, QStringLiteral("Levy"));
    QCOMPARE(lines[0].taxRatePercentage, 7.25);
    QCOMPARE(lines[1].name, QStringLiteral("Towels"));
    QCOMPARE(lines[1].amount, money("4.5"));
    QCOMPARE(lines[1].taxRateName, QStringLiteral("Sales Tax"));
    QCOMPARE(lines[1].taxRatePercentage, 10.0);
    // Stored as exact ten-thousandths.
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT amount FROM invoiceline WHERE id = ?"), {free}).toLongLong(),
             qint64(123456));
}

void TestInvoicing::totalsAddUpAsShown()
{
    OpenTestDb db;
    // 3 x 9.99 at 10 %: the line tax 2.997 is shown as 3.00.
    const qint32 a = addStay();
    addLine(a, 3, "9.99", 10, QStringLiteral("Sales Tax"));
    addLine(a, 1, "5", -4, QStringLiteral("Odd"));   // a negative rate is no tax
    BookingTotals t = CalcTotal(a);
    QCOMPARE(t.subTotal, money("34.97"));
    QCOMPARE(t.salesTax1, money("3"));
    QCOMPARE(t.cSalesTax1, QStringLiteral("$3.00"));
    QCOMPARE(t.totalPayable, money("37.97"));

    // Subtotal 10.005 is shown as 10.00 (half to even), the tax 0.0099 as
    // 0.01; the total is what is shown, 10.01, not 10.015005 rounded (10.02).
    const qint32 b = addStay();
    addLine(b, 3, "3.335", 0.1, QStringLiteral("Levy"));
    t = CalcTotal(b);
    QCOMPARE(t.cSubTotal, QStringLiteral("$10.00"));
    QCOMPARE(t.cSalesTax1, QStringLiteral("$0.01"));
    QCOMPARE(t.cTotalPayable, QStringLiteral("$10.01"));
    QCOMPARE(t.totalPayable, t.subTotal + t.salesTax1 + t.salesTax2 + t.tip);
}

void TestInvoicing::confirmationFigures()
{
    OpenTestDb db;
    objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 5 WHERE id = 3"));
    const qint32 b = addStay("5", "20");
    addLine(b, 2, "50", 0, QString());
    addLine(b, 1, "100", 10, QStringLiteral("Sales Tax"));
    BookingTotals t = CalcTotal(b);
    QCOMPARE(QStringList({t.cSubTotal, t.cSalesTax1, t.cSalesTax2, t.cTip, t.cTotalPayable, t.cPayments, t.cBalanceDue}),
             QStringList({"$200.00", "$10.00", "$0.00", "$5.00", "$215.00", "$20.00", "$195.00"}));
    // The second tax follows the setting, on the whole subtotal.
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    t = CalcTotal(b);
    QCOMPARE(t.cSalesTax2, QStringLiteral("$10.00"));
    QCOMPARE(t.cTotalPayable, QStringLiteral("$225.00"));
    QCOMPARE(t.salesTax2Percentage, 5.0);

    // The same figures under a comma-decimal locale, read back unchanged.
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    t = CalcTotal(b);
    QVERIFY(t.cTotalPayable.contains(QStringLiteral("225,00")));
    Money back;
    QVERIFY(Fmt::parseCurrency(t.cBalanceDue, &back));
    QCOMPARE(back, money("205"));

    // Without tax rate 3 the second tax is 0.
    objConn.execute(QStringLiteral("DELETE FROM taxrate WHERE id = 3"));
    t = CalcTotal(b);
    QVERIFY(!t.salesTax2RateFound);
    QCOMPARE(t.totalPayable, money("215"));
}

void TestInvoicing::missingBookingAndNullMoney()
{
    OpenTestDb db;
    BookingTotals t = CalcTotal(777);
    QCOMPARE(t.totalPayable, Money());
    QCOMPARE(t.cBalanceDue, QStringLiteral("$0.00"));
    const qint32 b = addStay();
    objConn.execute(QStringLiteral("UPDATE booking SET Tip = NULL, AmountPayed = NULL WHERE id = ?"), {b});
    addLine(b, 2, "7.5", 0, QString());
    t = CalcTotal(b);
    QCOMPARE(t.tip, Money());
    QCOMPARE(t.payments, Money());
    QCOMPARE(t.cBalanceDue, QStringLiteral("$15.00"));
}

TARLOMY_GROUND_TEST_MAIN(TestInvoicing)
#include "tst_invoicing.moc"
