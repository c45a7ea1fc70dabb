// The shared routines: date texts, null-safe texts, replacing, numbers,
// list selection and grid layouts.
#include "widgets/grid.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/settings.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTableWidget>

class TestSharedRoutines : public QObject {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void datesForQueries();
    void nullSafeTexts();
    void findAndReplace_data();
    void findAndReplace();
    void leadingNumbers_data();
    void leadingNumbers();
    void formatNumberTextFollowsLocale();
    void monthAndDayNames();
    void selectComboRunsHandler();
    void selectByItemData();
    void gridLayoutRoundTrips();
};

void TestSharedRoutines::datesForQueries()
{
    const QDateTime dec31(QDate(2023, 12, 31), QTime(14, 30));
    QCOMPARE(MakeIntDate(dec31), QStringLiteral("2023-12-31"));
    QCOMPARE(MakeIntDate(QDate(2024, 3, 5)), QStringLiteral("2024-3-5"));
    QCOMPARE(MakeUSDate(QDate(2024, 3, 5)), QStringLiteral("3/5/2024"));
    // Text that reads as a date in the locale, and the stored form.
    QCOMPARE(MakeIntDate(QStringLiteral("3/28/2025")), QStringLiteral("2025-3-28"));
    QCOMPARE(MakeIntDate(QStringLiteral("2025-03-28 09:00:00")), QStringLiteral("2025-3-28"));
    for (const QVariant& notDate : {QVariant(), QVariant(QStringLiteral("soon")), QVariant(42), QVariant(QString())}) {
        QCOMPARE(MakeIntDate(notDate), QString());
        QCOMPARE(MakeUSDate(notDate), QString());
    }
}

void TestSharedRoutines::nullSafeTexts()
{
    QCOMPARE(Nz(QVariant(QMetaType::fromType<QString>())), QString());
    QCOMPARE(Nz(QVariant()), QString());
    QCOMPARE(Nz(0), QStringLiteral("0"));
    QCOMPARE(Nz(true), QStringLiteral("True"));
    QCOMPARE(Nz(2.5), QStringLiteral("2.5"));
    QCOMPARE(GetS(QStringLiteral("12 High St"), QStringLiteral(", ")), QStringLiteral("12 High St, "));
    QCOMPARE(GetS(QVariant(QMetaType::fromType<QString>()), QStringLiteral(", ")), QString());
    QCOMPARE(GetS(QString(), QStringLiteral(", ")), QString());
}

void TestSharedRoutines::findAndReplace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every occurrence") << "<a> and <a>" << "<a>" << "x" << "x and x";
    QTest::newRow("case counts") << "<A> and <a>" << "<a>" << "x" << "<A> and x";
    QTest::newRow("none") << "plain" << "<a>" << "x" << "plain";
    QTest::newRow("holds itself") << "<name>" << "<name>" << "<name> Jr" << "<name> Jr";
    QTest::newRow("holds itself twice") << "<n>,<n>" << "<n>" << "<n><n>" << "<n><n>,<n><n>";
    QTest::newRow("empty search") << "abc" << "" << "x" << "abc";
    QTest::newRow("removal") << "a<x>b<x>" << "<x>" << "" << "ab";
}

void TestSharedRoutines::findAndReplace()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replace);
    FindAndReplace(text, search, replace);
    QTEST(text, "expected");
}

void TestSharedRoutines::leadingNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("number") << "12" << 12.0;
    QTest::newRow("words after") << "3 adults" << 3.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("point always") << "17.5" << 17.5;
    QTest::newRow("comma stops") << "17,5" << 17.0;
    QTest::newRow("blanks anywhere") << " 1 2 3" << 123.0;
    QTest::newRow("sign") << "-4.25kg" << -4.25;
    QTest::newRow("exponent") << "1.5e3x" << 1500.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
}

void TestSharedRoutines::leadingNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
}

void TestSharedRoutines::formatNumberTextFollowsLocale()
{
    QCOMPARE(FormatNumberText(12), QStringLiteral("12"));
    QCOMPARE(FormatNumberText(QStringLiteral("3 adults")), QStringLiteral("3"));
    QCOMPARE(FormatNumberText(QString()), QStringLiteral("0"));
    QCOMPARE(FormatNumberText(QVariant()), QStringLiteral("0"));
    QCOMPARE(FormatNumberText(QStringLiteral("2.50")), QStringLiteral("2.5"));
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    QCOMPARE(FormatNumberText(QStringLiteral("2.50")), QStringLiteral("2,5"));
    QCOMPARE(FormatNumberText(1234567), QStringLiteral("1234567"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestSharedRoutines::monthAndDayNames()
{
    QCOMPARE(GetMonthName(1), QStringLiteral("Jan"));
    QCOMPARE(GetMonthName(12), QStringLiteral("Dec"));
    QCOMPARE(GetMonthName(0), QString());
    QCOMPARE(GetMonthName(13), QString());
    QCOMPARE(GetDayOfWeekIndex(QStringLiteral("Monday")), 1);
    QCOMPARE(GetDayOfWeekIndex(QStringLiteral("Sunday")), 7);
    QCOMPARE(GetDayOfWeekIndex(QStringLiteral("monday")), 0);
    QCOMPARE(GetDayOfWeekIndex(QStringLiteral("Montag")), 0);
}

void TestSharedRoutines::selectComboRunsHandler()
{
    QComboBox combo;
    QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
    SelectCombo(&combo, QStringLiteral("Cash"));   // empty: nothing happens
    QCOMPARE(changes.count(), 0);

    ComboAdd(&combo, QStringLiteral("Cash"), 1);
    ComboAdd(&combo, QStringLiteral("Card"), 4);
    QCOMPARE(combo.currentIndex(), -1);            // filling chooses nothing
    QCOMPARE(changes.count(), 0);

    SelectCombo(&combo, QStringLiteral("Card"));
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(changes.count(), 1);
    SelectCombo(&combo, QStringLiteral("Card"));   // the same entry again still runs the handler
    QCOMPARE(changes.count(), 2);
    SelectCombo(&combo, QStringLiteral("card"));   // case counts: no match, no change
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(changes.count(), 2);
}

void TestSharedRoutines::selectByItemData()
{
    QComboBox combo;
    ComboAdd(&combo, QStringLiteral("Default"), -1);
    ComboAdd(&combo, QStringLiteral("Agent"), 70000);
    SelectCombo_ItemData(&combo, QStringLiteral("70000"));
    QCOMPARE(combo.currentIndex(), 1);
    SelectCombo_ItemData(&combo, QStringLiteral("-1"));
    QCOMPARE(combo.currentIndex(), 0);
    SelectCombo_ItemData(&combo, QStringLiteral("5"));
    QCOMPARE(combo.currentIndex(), 0);

    QListWidget list;
    ListAdd(&list, QStringLiteral("Room 1"), 3);
    ListAdd(&list, QStringLiteral("Room 2"), 9);
    SelectListBox_ItemData(&list, QStringLiteral("9"));
    QCOMPARE(list.currentRow(), 1);
}

void TestSharedRoutines::gridLayoutRoundTrips()
{
    QTableWidget grid;
    grid.setObjectName(QStringLiteral("gcust"));
    SetGridHeader(&grid, {{QStringLiteral("Name"), Qt::AlignLeft, 2400}, {QStringLiteral("Phone"), Qt::AlignLeft, 1600}});
    SetGridColWidth(&grid, 0, 3000);
    SaveGridLayout(&grid);
    QCOMPARE(ConfigText(QStringLiteral("gcustColWidth0"), QString()), QStringLiteral("3000"));

    QTableWidget wider;
    wider.setObjectName(QStringLiteral("gcust"));
    SetGridHeader(&wider, {{QStringLiteral("Name"), Qt::AlignLeft, 2400}, {QStringLiteral("Phone"), Qt::AlignLeft, 1600},
                           {QStringLiteral("Owed"), Qt::AlignLeft, 1200}});
    LoadGridLayout(&wider);
    QCOMPARE(GridColWidth(&wider, 0), 3000);
    QCOMPARE(GridColWidth(&wider, 1), 1605);   // one pixel is 15 twips
    QCOMPARE(GridColWidth(&wider, 2), 1200);   // never saved: keeps its designed width

    SaveConfigText(QStringLiteral("gcustColWidth0"), QStringLiteral("0"));
    SaveConfigText(QStringLiteral("gcustColWidth1"), QStringLiteral("-1"));
    LoadGridLayout(&wider);
    QCOMPARE(GridColWidth(&wider, 0), 3000);
    QCOMPARE(GridColWidth(&wider, 1), 1605);
}

TARLOMY_TEST_MAIN(TestSharedRoutines)
#include "tst_sharedroutines.moc"
