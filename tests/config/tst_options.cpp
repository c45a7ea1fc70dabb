// The options dialog, opened from the main window's menu: what it shows,
// what OK writes and what it changes in the main window at once.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/configwizard.h"
#include "config/frmaddtaxrate.h"
#include "config/frmtaxrate.h"
#include "config/frmterminology.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/settingkeys.h"
#include "core/settings.h"
#include "invoicing/documents.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>
#include <tuple>

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
    void everyPageNamesTheTaxCharged_data();
    void everyPageNamesTheTaxCharged();
    void settingsReadTheSameInEveryLocale_data();
    void settingsReadTheSameInEveryLocale();
};

void TestOptions::settingsRoundTrip_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("storedCost");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "$1,234.50" << "17.5" << "1234.50";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "1.234,50 €" << "17,5" << "1234.50";
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
    QCOMPARE(ConfigText("CheckinTime", ""), QStringLiteral("3:30 PM"));
    QCOMPARE(ConfigText("CheckoutTime", ""), QStringLiteral("10:15 AM"));
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
    // The tax-name labels name the rows charged.
    QCOMPARE(control<QLabel>(main, "lblSalesTaxName_0")->text(), QStringLiteral("GST"));

    withDialog([](QWidget* d) {
        for (const char* c : {"chkIncludeEndDate", "chkEnableCommission", "chkEnableTax2"})
            control<QCheckBox>(d, c)->setChecked(false);
        ok(d);
    });
    QVERIFY(commission->isHidden());
    QVERIFY(!main->calendar()->MainCalendar()->bIncludeEndDate);
    QVERIFY(control<QWidget>(main, "lblSalesTax2")->isHidden());
}

void TestOptions::everyPageNamesTheTaxCharged_data()
{
    // Where the taxes are set to 15 % and PST 7 %.
    QTest::addColumn<QString>("where");
    QTest::newRow("tax-rate list") << "list";
    QTest::newRow("options dialog") << "options";
    QTest::newRow("options dialog's Advanced..., then Cancel") << "advanced";
}

void TestOptions::everyPageNamesTheTaxCharged()
{
    QFETCH(QString, where);
    showMain();
    // The settings as a wizard run left them, which no page shows.
    SaveConfigTexts({Config::SalesTaxName2(QStringLiteral("2nd Sales Tax")), Config::SalesTaxPercentage2(10.0),
                     Config::SalesTaxName(QStringLiteral("VAT")), Config::EnabledSalesTax2(true)});
    const auto editRates = [](frmTaxRate* list) {
        for (const auto& [id, name, percentage] : {std::tuple{2, "Sales Tax", "15"}, std::tuple{3, "PST", "7"}}) {
            frmAddTaxRate e(id, list);
            control<QLineEdit>(&e, "txtName")->setText(QString::fromLatin1(name));
            control<QLineEdit>(&e, "txtPercentage")->setText(QString::fromLatin1(percentage));
            e.cmdOK_Click();
        }
        list->close();
    };
    if (where == QLatin1String("list")) {
        onNextDialogOf<frmTaxRate>(editRates);
        main->mnuConfigTax_Click();
    } else {
        withDialog([&](QWidget* d) {
            if (where == QLatin1String("options")) {
                control<QCheckBox>(d, "chkEnableTax2")->setChecked(true);
                box(d, "txtSalesTax")->setText(QStringLiteral("15"));
                box(d, "txtSalesTaxName2")->setText(QStringLiteral("PST"));
                box(d, "txtSalesTax2")->setText(QStringLiteral("7"));
                ok(d);
            } else {
                onNextDialogOf<frmTaxRate>(editRates);
                control<QPushButton>(d, "cmdTaxAdvanced")->click();
            }
        });
    }
    QCOMPARE(taxRow(3), QStringLiteral("PST|7"));

    const qint32 b = insertRow("booking", {{"customerid", 0},
                                           {"fromdate", "2030-01-01 14:00:00"},
                                           {"todate", "2030-01-02 10:00:00"}});
    insertRow("invoiceline", {{"bookingid", b}, {"itemid", 2}, {"quantity", 1}, {"name", "Night"},
                              {"amount", dbValue(money("100"))}, {"taxratename", "Sales Tax"},
                              {"taxratepercentage", 15}});
    iBookingID = b;
    main->booking()->payment()->RefreshNewInvoiceItemsList(0, 0);
    // The payment and confirmation pages.
    QCOMPARE(control<QLabel>(main, "lblSalesTaxName2_0")->text(), QStringLiteral("PST"));
    QCOMPARE(control<QLabel>(main, "lblSalesTaxPercentage2")->text(), QStringLiteral("7%"));
    QCOMPARE(control<QLabel>(main, "lblSalesTax2")->text(), QStringLiteral("$7.00"));
    QCOMPARE(control<QLabel>(main, "lblSalesTaxName2_1")->text(), QStringLiteral("PST"));
    QCOMPARE(control<QLabel>(main, "lblSalesTaxName_1")->text(), QStringLiteral("Sales Tax"));
    // The letter and the receipt, filled alike.
    QByteArray letter = "<taxname1> <taxtotal1>|<taxname2> <taxtotal2>|<totalpayable>";
    FillDocumentTemplate(letter, b);
    QCOMPARE(letter, QByteArray("Sales Tax $15.00|PST $7.00|$122.00"));
}

void TestOptions::settingsReadTheSameInEveryLocale_data()
{
    QTest::addColumn<QLocale>("writer");
    QTest::addColumn<QLocale>("reader");
    const char* const names[] = {"en_US", "de_DE", "fr_CH", "fa_IR", "it_CH", "en_IN"};
    for (const char* w : names)
        for (const char* r : names)
            QTest::newRow(qPrintable(QString::fromLatin1(w) + QStringLiteral(" read in ") + QString::fromLatin1(r)))
                << QLocale(QString::fromLatin1(w)) << QLocale(QString::fromLatin1(r));
}

void TestOptions::settingsReadTheSameInEveryLocale()
{
    QFETCH(QLocale, writer);
    QFETCH(QLocale, reader);
    const Money cost = money("1212.5");
    const double percentage = 17.5;
    const QTime in(15, 30), out(10, 15);
    // In the reader's locale every value reads as written, the options
    // dialog shows it, and OK without a change keeps it, in the one form.
    const auto readBack = [&](const char* writtenBy) {
        QLocale::setDefault(reader);
        const QString stage = QString::fromLatin1(writtenBy);
        QVERIFY2(CostPerNight() == cost, qPrintable(stage + u' ' + Config::CostPerNight.text()));
        QVERIFY2(Config::Tip.read() == percentage, qPrintable(stage + u' ' + Config::Tip.text()));
        QVERIFY2(Config::SalesTaxPercentage.read() == percentage,
                 qPrintable(stage + u' ' + Config::SalesTaxPercentage.text()));
        QVERIFY2(Config::CheckinTime.read() == in, qPrintable(stage + u' ' + ConfigText("CheckinTime", "")));
        QVERIFY2(Config::CheckoutTime.read() == out, qPrintable(stage + u' ' + ConfigText("CheckoutTime", "")));
        withDialog([&](QWidget* d) {
            QCOMPARE(box(d, "txtCostPerNight")->text(), Fmt::moneyPlain(cost));
            QCOMPARE(box(d, "txtTip")->text(), Fmt::number(percentage));
            QCOMPARE(control<QTimeEdit>(d, "dtFromTime")->time(), in);
            QCOMPARE(control<QTimeEdit>(d, "dtToTime")->time(), out);
            ok(d);
            QVERIFY2(!d->isVisible(), qPrintable(fakes().messageBoxes->lastPrompt()));
        });
        QCOMPARE(ConfigText("CostPerNight", ""), QStringLiteral("1212.50"));
        QCOMPARE(ConfigText("Tip", ""), QStringLiteral("17.5"));
        QCOMPARE(ConfigText("CheckinTime", ""), QStringLiteral("3:30 PM"));
        QCOMPARE(ConfigText("CheckoutTime", ""), QStringLiteral("10:15 AM"));
        QCOMPARE(Config::SalesTaxPercentage.read(), percentage);
    };

    // Written by this build in the writer's locale: the options dialog
    // given the writer's forms, the wizard's percentages.
    QLocale::setDefault(writer);
    showMain();
    withDialog([&](QWidget* d) {
        box(d, "txtCostPerNight")->setText(writer.toString(1212.5, 'f', 2));
        box(d, "txtTip")->setText(writer.toString(percentage));
        control<QTimeEdit>(d, "dtFromTime")->setTime(in);
        control<QTimeEdit>(d, "dtToTime")->setTime(out);
        ok(d);
    });
    WizConfigCopies copies = ConfigWizard::Load(QStringLiteral("Post Code"), QStringLiteral("Sales Tax"));
    copies.SalesTaxPercentage = copies.SalesTaxPercentage2 = percentage;
    QVERIFY(ConfigWizard::Finish(copies));
    readBack("this build");
    if (QTest::currentTestFailed())
        return;

    // Written by an earlier build in the writer's locale's own forms: the
    // cost and the tip as typed into the options dialog, grouped and in the
    // locale's digits; the percentage as the wizard wrote it.
    QLocale::setDefault(writer);
    SaveConfigTexts({{QStringLiteral("CostPerNight"), writer.toString(1212.5, 'f', 2)},
                     {QStringLiteral("Tip"), writer.toString(percentage)},
                     {QStringLiteral("SalesTaxPercentage"), Fmt::number(percentage)},
                     {QStringLiteral("CheckinTime"), Fmt::shortTime(in)},
                     {QStringLiteral("CheckoutTime"), Fmt::shortTime(out)}});
    readBack("an earlier build");
}

TARLOMY_GUI_TEST_MAIN(TestOptions)
#include "tst_options.moc"
