// The options dialog, opened from the main window's menu: what it shows,
// what OK writes and what it changes in the main window at once.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/frmtaxrate.h"
#include "config/frmterminology.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/settings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>

namespace {

QString taxRow(int id)
{
    Query q = objConn.query(QStringLiteral("SELECT name, percentage FROM taxrate WHERE id = ?"), {id});
    return q.next() ? q.text(0) + u'|' + QString::number(q.value(1).toDouble()) : QStringLiteral("none");
}

}  // namespace

class TestOptions : public DbTest {
    Q_OBJECT

    // Opens the dialog from the menu and runs action on it.
    void withDialog(const std::function<void(QWidget*)>& action)
    {
        onNextDialogOf<frmTerminology>([action](frmTerminology* d) {
            action(d);
            if (d->isVisible())
                control<QPushButton>(d, "cmdCancel")->click();
        });
        main->mnuConfigureTerminology_Click();
    }
    static QLineEdit* box(QWidget* d, const char* name) { return control<QLineEdit>(d, name); }
    static void ok(QWidget* d) { control<QPushButton>(d, "cmdOK")->click(); }

private slots:
    void init()
    {
        resetProgramState();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void taxRowsAsStoredAndWrittenBack();
    void mainWindowFollowsAtOnce();
};

void TestOptions::settingsRoundTrip_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("storedCost");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "$1,234.50" << "17.5" << "$1,234.50";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "1.234,50 €" << "17,5" << "1.234,50 €";
}

void TestOptions::settingsRoundTrip()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, cost);
    QFETCH(QString, tax);
    QFETCH(QString, storedCost);
    QLocale::setDefault(locale);
    showMain();

    // Defaults, and a charge unit that is neither entry selects none.
    SaveConfigText(QStringLiteral("ChargePer"), QStringLiteral("Fortnight"));
    withDialog([&](QWidget* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(control<QComboBox>(d, "cmdChargePer")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>(d, "cmdPostcode")->currentText(), QStringLiteral("Post Code"));
        QCOMPARE(control<QTimeEdit>(d, "dtFromTime")->time(), QTime(9, 0));
        QCOMPARE(control<QTimeEdit>(d, "dtToTime")->time(), QTime(14, 0));
        QCOMPARE(box(d, "txtTip")->text(), QStringLiteral("5"));
        QCOMPARE(box(d, "txtCostPerNight")->text(), Fmt::moneyPlain(money("123")));
        QVERIFY(control<QCheckBox>(d, "chkAutoSelectFirstUnit")->isChecked());
        QCOMPARE(control<QCheckBox>(d, "chkAutoSelectFirstUnit")->text(), QStringLiteral("Auto select first Room:"));
        QVERIFY(!box(d, "txtSalesTax2")->isEnabled());
        control<QCheckBox>(d, "chkEnableTax2")->setChecked(true);
        QVERIFY(box(d, "txtSalesTax2")->isEnabled());

        SelectCombo(control<QComboBox>(d, "cmdChargePer"), QStringLiteral("Night and Person"));
        SelectCombo(control<QComboBox>(d, "cmdPostcode"), QStringLiteral("Zip Code"));
        box(d, "txtCostPerNight")->setText(cost);
        box(d, "txtSalesTax")->setText(tax);
        box(d, "txtSalesTax2")->clear();                           // becomes 0
        box(d, "txtTip")->setText(QStringLiteral("12"));
        box(d, "txtSalesTaxName")->clear();                        // the defaults
        box(d, "txtSalesTaxName2")->clear();
        control<QTimeEdit>(d, "dtFromTime")->setTime(QTime(15, 30));
        control<QTimeEdit>(d, "dtToTime")->setTime(QTime(10, 15));
        control<QCheckBox>(d, "chkAutoSelectFirstUnit")->setChecked(false);
        for (const char* c : {"chkIncludeEndDate", "chkEnableCommission", "chkCreditCardValidation"})
            control<QCheckBox>(d, c)->setChecked(true);
        ok(d);
    });
    QCOMPARE(ConfigText("ChargePer", ""), QStringLiteral("Night and Person"));
    QCOMPARE(ConfigText("PostCode", ""), QStringLiteral("Zip Code"));
    QCOMPARE(ConfigText("CostPerNight", ""), storedCost);
    QCOMPARE(ConfigText("Tip", ""), QStringLiteral("12"));
    QCOMPARE(Fmt::parseTime(ConfigText("CheckinTime", "")), QTime(15, 30));
    QCOMPARE(Fmt::parseTime(ConfigText("CheckoutTime", "")), QTime(10, 15));
    for (const char* k : {"IncludeEndDate", "EnableCommission", "CreditCardValidation", "EnabledSalesTax2"})
        QCOMPARE(ConfigText(QString::fromLatin1(k), ""), QStringLiteral("True"));
    QCOMPARE(ConfigText("AutoSelectFirstUnit", ""), QStringLiteral("False"));
    QCOMPARE(taxRow(2), QStringLiteral("Sales Tax|17.5"));
    QCOMPARE(taxRow(3), QStringLiteral("2nd Sales Tax|0"));
    QCOMPARE(CostPerNight(), money("1234.5"));
    QCOMPARE(SalesTaxPercentage(), 17.5);
    QCOMPARE(SalesTaxPercentage2(), 0.0);
    // The options dialog leaves the wizard's tax settings alone.
    QCOMPARE(ConfigText("SalesTaxName", "unset"), QStringLiteral("unset"));
    QCOMPARE(ConfigText("SalesTaxPercentage", "unset"), QStringLiteral("unset"));

    // Shown back as saved; Cancel then saves nothing.
    withDialog([&](QWidget* d) {
        QCOMPARE(control<QComboBox>(d, "cmdChargePer")->currentText(), QStringLiteral("Night and Person"));
        QCOMPARE(control<QComboBox>(d, "cmdPostcode")->currentText(), QStringLiteral("Zip Code"));
        QCOMPARE(box(d, "txtCostPerNight")->text(), Fmt::moneyPlain(money("1234.5")));
        QCOMPARE(box(d, "txtSalesTax")->text(), tax);
        QCOMPARE(control<QTimeEdit>(d, "dtFromTime")->time(), QTime(15, 30));
        QVERIFY(!control<QCheckBox>(d, "chkAutoSelectFirstUnit")->isChecked());
        QVERIFY(control<QCheckBox>(d, "chkCreditCardValidation")->isChecked());
        box(d, "txtSalesTax")->setText(QStringLiteral("99"));
        control<QPushButton>(d, "cmdCancel")->click();
    });
    QCOMPARE(taxRow(2), QStringLiteral("Sales Tax|17.5"));
}

void TestOptions::taxRowsAsStoredAndWrittenBack()
{
    showMain();
    // A rate changed in the tax-rate list shows here and survives OK.
    objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 12.5 WHERE id = 2"));
    withDialog([](QWidget* d) {
        QCOMPARE(box(d, "txtSalesTax")->text(), QStringLiteral("12.5"));
        QCOMPARE(box(d, "txtSalesTaxName2")->text(), QStringLiteral("Sales Tax2"));
        // A rate changed in the tax-rate list opened by "Advanced..." shows at once.
        onNextDialogOf<frmTaxRate>([](frmTaxRate* list) {
            objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 8 WHERE id = 2"));
            list->close();
        });
        control<QPushButton>(d, "cmdTaxAdvanced")->click();
        QCOMPARE(box(d, "txtSalesTax")->text(), QStringLiteral("8"));
        ok(d);
    });
    QCOMPARE(taxRow(2), QStringLiteral("Sales Tax|8"));

    // Rows removed in the tax-rate list: "0" and the default name show, and
    // OK writes the rows back under their ids.
    objConn.execute(QStringLiteral("DELETE FROM taxrate WHERE id IN (2, 3)"));
    KeepSalesTaxPercentages(6, 0);
    for (const QString& name : hostileTexts()) {
        withDialog([&](QWidget* d) {
            QCOMPARE(box(d, "txtSalesTax2")->text(), QStringLiteral("0"));
            QCOMPARE(box(d, "txtSalesTaxName2")->text(), QStringLiteral("2nd Sales Tax"));
            QCOMPARE(box(d, "txtSalesTax")->text(), QStringLiteral("6"));
            box(d, "txtSalesTaxName")->setText(name);
            ok(d);
        });
        QCOMPARE(taxRow(2), name + QStringLiteral("|6"));
        QCOMPARE(taxRow(3), QStringLiteral("2nd Sales Tax|0"));
        objConn.execute(QStringLiteral("DELETE FROM taxrate WHERE id IN (2, 3)"));
    }
}

void TestOptions::mainWindowFollowsAtOnce()
{
    showMain();
    QWidget* commission = control<QWidget>(main->booking()->payment(), "picBookingCommission");
    QVERIFY(commission->isHidden());
    withDialog([](QWidget* d) {
        SelectCombo(control<QComboBox>(d, "cmdPostcode"), QStringLiteral("Zip Code"));
        box(d, "txtSalesTaxName")->setText(QStringLiteral("GST"));
        for (const char* c : {"chkIncludeEndDate", "chkEnableCommission", "chkEnableTax2"})
            control<QCheckBox>(d, c)->setChecked(true);
        ok(d);
    });
    QVERIFY(!commission->isHidden());
    QVERIFY(control<QMenu>(main, "mnuCommissions")->menuAction()->isVisible());
    QVERIFY(main->calendar()->MainCalendar()->bIncludeEndDate);
    QCOMPARE(control<QLabel>(main, "lblPostCode_0")->text(), QStringLiteral("Zip Code"));
    for (const char* l : {"lblSalesTax2", "Label3", "lblSalesTaxPercentage2", "lblConfirm_10"})
        QVERIFY2(!control<QWidget>(main, l)->isHidden(), l);
    // The tax-name labels follow the wizard only.
    QCOMPARE(control<QLabel>(main, "lblSalesTaxName_0")->text(), QStringLiteral("Sales Tax"));

    withDialog([](QWidget* d) {
        for (const char* c : {"chkIncludeEndDate", "chkEnableCommission", "chkEnableTax2"})
            control<QCheckBox>(d, c)->setChecked(false);
        ok(d);
    });
    QVERIFY(commission->isHidden());
    QVERIFY(!main->calendar()->MainCalendar()->bIncludeEndDate);
    QVERIFY(control<QWidget>(main, "lblSalesTax2")->isHidden());
}

TARLOMY_GUI_TEST_MAIN(TestOptions)
#include "tst_options.moc"
