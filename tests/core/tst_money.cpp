// Money arithmetic and the locale's money texts.
#include "core/format.h"
#include "core/money.h"
#include "core/numberinput.h"
#include "support/groundsupport.h"

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void percentagesAreExactDecimals();
    void decimalTextRoundTrips();
    void currencyRoundTripsInLocales_data();
    void currencyRoundTripsInLocales();
    void currencyReadsTypedForms();
    void currencyRefusesNonsense();
};

void TestMoney::roundsHalvesToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half down to even") << "2.125" << 2 << "2.12";
    QTest::newRow("half up to even") << "2.135" << 2 << "2.14";
    QTest::newRow("above half") << "2.1251" << 2 << "2.13";
    QTest::newRow("negative half") << "-2.125" << 2 << "-2.12";
    QTest::newRow("negative half odd") << "-2.135" << 2 << "-2.14";
    QTest::newRow("to whole") << "0.5" << 0 << "0";
    QTest::newRow("to whole odd") << "1.5" << 0 << "2";
    QTest::newRow("fifth decimal") << "0.00005" << 4 << "0";
    QTest::newRow("fifth decimal odd") << "0.00015" << 4 << "0.0002";
}

void TestMoney::roundsHalvesToEven()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    Money m;
    QVERIFY(Money::fromDecimalText(text, &m));
    QCOMPARE(m.rounded(decimals).toDecimalText(), expected);
}

void TestMoney::percentagesAreExactDecimals()
{
    // 17.5 % of 10.10 is 1.7675 exactly; a double product would give 1.76749...
    QCOMPARE(Money::fromRaw(101000).percent(17.5).toDecimalText(), QStringLiteral("1.7675"));
    // 10 % of 0.05 is 0.005: kept to four decimals.
    QCOMPARE(Money::fromRaw(500).percent(10).toDecimalText(), QStringLiteral("0.005"));
    // A factor whose product ends in a half rounds to even.
    QCOMPARE(Money::fromRaw(1).times(0.5).raw(), qint64(0));
    QCOMPARE(Money::fromRaw(3).times(0.5).raw(), qint64(2));
    // A factor is its shortest decimal text, few digits or many: 0.3, not
    // 0.29999...; 1/3 to its seventeen digits.
    QCOMPARE(Money::fromRaw(5).times(0.3).raw(), qint64(2));
    QCOMPARE(Money::fromRaw(-5).times(-0.3).raw(), qint64(2));
    QCOMPARE(Money::fromRaw(15).times(0.1 + 0.2).raw(), qint64(5));
    QCOMPARE(Money::fromRaw(30000000000).times(1.0 / 3).raw(), qint64(10000000000));
    QCOMPARE(Money::fromRaw(5).times(1e9 + 0.5).raw(), qint64(5000000002));
    QCOMPARE(Money::fromDouble(0.1 + 0.2).toDecimalText(), QStringLiteral("0.3"));
    QCOMPARE(Money::fromUnits(3) * 4, Money::fromUnits(12));
}

void TestMoney::decimalTextRoundTrips()
{
    for (const char* text : {"0", "1", "-1", "123.4567", "-0.0001", "922337203685477.5807"}) {
        Money m;
        QVERIFY2(Money::fromDecimalText(QString::fromLatin1(text), &m), text);
        QCOMPARE(m.toDecimalText(), QString::fromLatin1(text));
    }
    Money untouched = Money::fromUnits(7);
    QVERIFY(!Money::fromDecimalText(QStringLiteral("12,5"), &untouched));
    QVERIFY(!Money::fromDecimalText(QStringLiteral(""), &untouched));
    QVERIFY(!Money::fromDecimalText(QStringLiteral("99999999999999999999"), &untouched));
    QCOMPARE(untouched, Money::fromUnits(7));
    QCOMPARE(Money::fromDb(QVariant()), Money());
    QCOMPARE(Money::fromDb(QVariant(qlonglong(12345))), Money::fromRaw(12345));
}

void TestMoney::currencyRoundTripsInLocales_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("en_US") << "en_US" << "$1,234.50";
    QTest::newRow("de_DE") << "de_DE" << QString::fromUtf8("1.234,50\u00a0€");
    QTest::newRow("fr_FR") << "fr_FR" << QString::fromUtf8("1\u202f234,50\u00a0€");
    QTest::newRow("en_GB") << "en_GB" << QString::fromUtf8("£1,234.50");
    // Where the locale has no symbol its currency's code stands in, and some
    // put direction marks around the number and its sign.
    QTest::newRow("en_CH") << "en_CH" << QStringLiteral("CHF\u00a01\u2019234.50");
    QTest::newRow("fa_IR") << "fa_IR" << QStringLiteral("\u200e\u0631\u06cc\u0627\u0644\u00a01\u066c234\u066b50");
    // Every other locale Qt knows reads back what it writes.
    for (const QLocale& loc : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        QTest::newRow(qPrintable(loc.name() + u' ' + loc.bcp47Name())) << loc.bcp47Name() << QString();
}

void TestMoney::currencyRoundTripsInLocales()
{
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    const Money value = Money::fromRaw(12345000);
    if (!shown.isNull())
        QCOMPARE(Fmt::currency(value), shown);
    const Money top = Money::fromUnits(Money::kMaxUnits);
    for (Money m : {value, -value, Money(), Money::fromRaw(5), Money::fromRaw(-5), Money::fromRaw(99999999999LL),
                    Money::fromRaw(-1234567891234LL), top, -top}) {
        Money back;
        const QString text = Fmt::currency(m.rounded(2));
        QVERIFY2(Fmt::parseCurrency(text, &back), qPrintable(text));
        QCOMPARE(back, m.rounded(2));
        const QString plain = Fmt::moneyPlain(m);
        QVERIFY2(Fmt::parseCurrency(plain, &back), qPrintable(plain));
        QCOMPARE(back, m);
        // The same text typed with plain blanks where the locale writes
        // no-break ones reads the same.
        QString typed = text;
        for (QChar& c : typed)
            if (c.isSpace())
                c = u' ';
        QVERIFY2(Fmt::parseCurrency(typed, &back), qPrintable(typed));
        QCOMPARE(back, m.rounded(2));
    }
    // Numbers and counts as the boxes show them.
    for (double v : {0.0, 17.5, -3.25, 1234567.125, 99999999999999.0}) {
        double back = 0;
        const QString text = Fmt::number(v);
        QVERIFY2(Fmt::parseNumber(text, &back), qPrintable(text));
        QCOMPARE(back, v);
    }
    // Typed on a plain keyboard: ASCII digits, blanks and signs for the
    // locale's own (the Arabic group sign stays: a comma could be the
    // point), the grouping as the locale writes it.
    const auto typedInAscii = [](const QString& text) {
        QString out;
        for (int i = 0; i < text.size(); ++i) {
            char32_t c = text[i].unicode();
            if (text[i].isHighSurrogate() && i + 1 < text.size()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                ++i;
            }
            if (QChar::isDigit(c))
                out += QChar(u'0' + QChar::digitValue(c));
            else if (c == 0x2019)
                out += u'\'';
            else if (c == 0x066b)
                out += u'.';
            else if (c == 0x2212)
                out += u'-';
            else if (QChar::isSpace(c))
                out += u' ';
            else
                out += QString::fromUcs4(&c, 1);
        }
        return out;
    };
    const QLocale loc;
    for (double v : {1234567.25, -1234.5, 0.75}) {
        const QString shown = Fmt::currency(Money::fromDouble(v));
        for (const QString& text : {Fmt::number(v), typedInAscii(Fmt::number(v)), shown, typedInAscii(shown)}) {
            double back = 0;
            QVERIFY2(ReadTypedNumber(text, &back), qPrintable(text));
            QCOMPARE(back, v);
            Money amount;
            QCOMPARE(ReadAmount(text, &amount), Typed::Number);
            QCOMPARE(amount, Money::fromDouble(v));
        }
    }
    // A sign the locale writes another way, or none of its own, is not
    // taken for the other: "1,5" is no number where "," groups.
    const QString group = typedInAscii(loc.groupSeparator());
    const QString point = typedInAscii(loc.decimalPoint());
    for (const QString& mark : {QStringLiteral(","), QStringLiteral("."), QStringLiteral("'"), loc.groupSeparator(),
                                loc.decimalPoint()}) {
        double back = 0;
        const bool isPoint = mark == loc.decimalPoint() || mark == point;
        const bool isGroup = !isPoint && (mark == loc.groupSeparator() || mark == group);
        const QString half = u'1' + mark + u'5';
        QCOMPARE(ReadTypedNumber(half, &back), isPoint);
        if (isPoint)
            QCOMPARE(back, 1.5);
        const QString thousand = u'1' + mark + QStringLiteral("234");
        QCOMPARE(ReadTypedNumber(thousand, &back), isPoint || isGroup);
        if (isPoint || isGroup)
            QCOMPARE(back, isPoint ? 1.234 : 1234.0);
        QVERIFY2(!ReadTypedNumber(u'1' + mark + QStringLiteral("234") + mark + u'5', &back) || isGroup,
                 qPrintable(mark));
    }
    for (qint64 n : {qint64(0), qint64(7), qint64(-42), qint64(32767)}) {
        double back = 0;
        const QString text = Fmt::integer(n);
        QVERIFY2(Fmt::parseNumber(text, &back), qPrintable(text));
        QCOMPARE(back, double(n));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMoney::currencyReadsTypedForms()
{
    Money m;
    QVERIFY(Fmt::parseCurrency(QStringLiteral("12"), &m));
    QCOMPARE(m, Money::fromUnits(12));
    QVERIFY(Fmt::parseCurrency(QStringLiteral(" $1,000.25 "), &m));
    QCOMPARE(m, Money::fromRaw(10002500));
    QVERIFY(Fmt::parseCurrency(QStringLiteral("($3.00)"), &m));
    QCOMPARE(m, Money::fromUnits(-3));
    QVERIFY(Fmt::parseCurrency(QStringLiteral("-3.5"), &m));
    QCOMPARE(m, Money::fromRaw(-35000));
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    QVERIFY(Fmt::parseCurrency(QStringLiteral("12,5"), &m));
    QCOMPARE(m, Money::fromRaw(125000));
    QVERIFY(Fmt::parseCurrency(QStringLiteral("1.000"), &m));
    QCOMPARE(m, Money::fromUnits(1000));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMoney::currencyRefusesNonsense()
{
    Money m = Money::fromUnits(5);
    for (const char* text : {"", "abc", "12abc", "$", "1.2.3", "--4"})
        QVERIFY2(!Fmt::parseCurrency(QString::fromLatin1(text), &m), text);
    QCOMPARE(m, Money::fromUnits(5));
}

TARLOMY_GROUND_TEST_MAIN(TestMoney)
#include "tst_money.moc"
