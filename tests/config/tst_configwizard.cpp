// The configuration wizard, driven page by page from the main window's menu,
// and the unit words it puts into the main window.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/configwizard.h"
#include "core/apperror.h"
#include "core/db.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/settings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QWidget>

namespace {

using Step = std::function<void(QWidget*)>;

void click(QWidget* page, const char* button)
{
    control<QPushButton>(page, button)->click();
}

// Every key of the settings store with its text.
QMap<QString, QString> allSettings()
{
    QSettings store(SettingsStoreFormat(), QSettings::UserScope, QString::fromLatin1(kSettingsApp));
    QMap<QString, QString> m;
    for (const QString& k : store.allKeys())
        m.insert(k, store.value(k).toString());
    return m;
}

int count(const QString& sql, const QVariantList& params = {})
{
    return objConn.scalar(sql, params).toInt();
}

// A digest of the rows the wizard may touch.
QString rowsDigest()
{
    QStringList parts;
    for (const char* sql : {"SELECT id || ':' || name || ':' || LowUnitPrice || ':' || TaxRateID FROM room ORDER BY id",
                            "SELECT id || ':' || customerid FROM booking ORDER BY id",
                            "SELECT bookingid || ':' || roomid FROM bookingroom ORDER BY id",
                            "SELECT id || ':' || bookingid FROM invoiceline ORDER BY id",
                            "SELECT id || ':' || name || ':' || percentage FROM taxrate ORDER BY id"}) {
        Query q = objConn.query(QString::fromLatin1(sql));
        while (q.next())
            parts << q.text(0);
        parts << QStringLiteral("|");
    }
    return parts.join(u',');
}

qint32 unitId(const QString& name)
{
    return qint32(objConn.scalar(QStringLiteral("SELECT id FROM room WHERE name = ?"), {name}).toLongLong());
}

qint32 book(std::initializer_list<qint32> units)
{
    const qint32 b = insertRow("booking", {{"customerid", 0},
                                           {"fromdate", "2030-01-01 14:00:00"},
                                           {"todate", "2030-01-03 10:00:00"}});
    for (qint32 u : units)
        insertRow("bookingroom", {{"bookingid", b}, {"roomid", u}});
    insertRow("invoiceline", {{"bookingid", b}, {"itemid", 1}, {"name", "stay"}});
    return b;
}

QStringList listTexts(const QListWidget* l)
{
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        t << l->item(i)->text();
    return t;
}

}  // namespace

class TestConfigWizard : public DbTest {
    Q_OBJECT

    QStringList titles;   // window titles of the pages in the order shown

    // Runs the wizard from the menu; each step acts on the page then shown.
    // A step that fails cancels the wizard, so the test ends instead of waiting.
    void runWizard(const QList<Step>& steps)
    {
        auto rest = std::make_shared<QList<Step>>(steps);
        auto arm = std::make_shared<std::function<void()>>();
        *arm = [this, rest, arm] {
            if (rest->isEmpty())
                return;
            onNextDialog([this, rest, arm](QWidget* w) {
                titles << w->windowTitle();
                const Step step = rest->takeFirst();
                (*arm)();
                step(w);
                if (QTest::currentTestFailed() && w->isVisible()) {
                    WizConfig_Cancel = true;
                    qobject_cast<QDialog*>(w)->reject();
                }
            });
        };
        (*arm)();
        main->mnuConfigureWizard_Click();
        *arm = nullptr;
    }

    static Step next() { return [](QWidget* p) { click(p, "cmdNext"); }; }
    static Step back() { return [](QWidget* p) { click(p, "cmdBack"); }; }
    static Step cancel() { return [](QWidget* p) { click(p, "cmdCancel"); }; }

private slots:
    void init()
    {
        resetProgramState();
        titles.clear();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void cancelOnEveryPageWritesNothing();
    void finishWritesSettingsUnitsAndWindow_data();
    void finishWritesSettingsUnitsAndWindow();
    void failureDuringFinishLeavesEveryRow();
    void taxRowsChangeOnlyWhereThePagesChangedThem_data();
    void taxRowsChangeOnlyWhereThePagesChangedThem();
    void pagesRefuseAndKeepTheirCopies();
    void unitWordsAndNamesArePlainText();
};

void TestConfigWizard::cancelOnEveryPageWritesNothing()
{
    showMain();
    book({unitId("Room 1"), unitId("Room 2")});
    const QString rows = rowsDigest();
    const QMap<QString, QString> settings = allSettings();
    const QString menu = control<QAction>(main, "mnuConfigureRooms")->text();

    for (int page = 1; page <= 6; ++page) {
        QList<Step> steps;
        for (int i = 1; i < page; ++i) {
            if (i == 5) {
                // Remove a stored unit (answering Yes) and add one before going on.
                steps << [](QWidget* p) {
                    auto* list = control<QListWidget>(p, "lstRooms");
                    list->setCurrentRow(0);
                    fakes().messageBoxes->answers = {vbYes};
                    click(p, "cmdRemove");
                    control<QLineEdit>(p, "txtName")->setText(QStringLiteral("Added"));
                    click(p, "cmdAdd");
                    click(p, "cmdNext");
                };
            } else if (i == 2) {
                steps << [](QWidget* p) {
                    SelectCombo(control<QComboBox>(p, "cboList"), QStringLiteral("Cabins"));
                    click(p, "cmdNext");
                };
            } else {
                steps << next();
            }
        }
        steps << cancel();
        runWizard(steps);
        QCOMPARE(titles.size(), page);
        titles.clear();
        QCOMPARE(rowsDigest(), rows);
        QCOMPARE(allSettings(), settings);
        QCOMPARE(gsCommodityPlural, QStringLiteral("Rooms"));
        QCOMPARE(control<QAction>(main, "mnuConfigureRooms")->text(), menu);
    }
}

void TestConfigWizard::finishWritesSettingsUnitsAndWindow_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("charge");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("storedTax");
    QTest::addColumn<QString>("storedCharge");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "$1,212.50" << "7.5" << "7.5"
                           << "1212.50";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "1.212,50 €" << "7,5" << "7.5"
                           << "1212.50";
}

void TestConfigWizard::finishWritesSettingsUnitsAndWindow()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, charge);
    QFETCH(QString, tax);
    QLocale::setDefault(locale);
    showMain();
    const qint32 r1 = unitId("Room 1"), r2 = unitId("Room 2"), r3 = unitId("Room 3");
    const qint32 gone = book({r1, r2});   // holds the removed unit: goes whole
    const qint32 gone2 = book({r1});
    const qint32 stays = book({r2, r3});
    const int lines = count(QStringLiteral("SELECT COUNT(*) FROM invoiceline"));

    QString finishCaption;
    runWizard({
        next(),
        [](QWidget* p) {
            SelectCombo(control<QComboBox>(p, "cboList"), QStringLiteral("Apartments"));
            QVERIFY(!control<QLineEdit>(p, "txtPlural")->isVisible());
            click(p, "cmdNext");
        },
        [](QWidget* p) {
            SelectCombo(control<QComboBox>(p, "cmdPostcode"), QStringLiteral("Zip Code"));
            control<QLineEdit>(p, "txtSalesTaxName")->setText(QStringLiteral("VAT"));
            control<QCheckBox>(p, "chkEnableTax2")->setChecked(true);
            QVERIFY(control<QWidget>(p, "picTax2")->isVisible());
            control<QLineEdit>(p, "txtSalesTaxName2")->setText(QStringLiteral("City Tax"));
            click(p, "cmdNext");
        },
        [&](QWidget* p) {
            control<QLineEdit>(p, "txtName")->setText(charge);
            control<QLineEdit>(p, "txtSalesTax")->setText(tax);
            control<QLineEdit>(p, "txtSalesTax2")->setText(QStringLiteral("3"));
            click(p, "cmdNext");
        },
        [&](QWidget* p) {
            QCOMPARE(p->windowTitle(), QStringLiteral("Enter your Apartment information"));
            auto* list = control<QListWidget>(p, "lstRooms");
            auto* name = control<QLineEdit>(p, "txtName");
            name->setText(QStringLiteral("Garden Flat"));
            click(p, "cmdAdd");
            name->setText(QStringLiteral("Temporary"));
            name->setFocus();
            QTest::keyClick(name, Qt::Key_Return);   // adds; the page stays
            QVERIFY(p->isVisible());
            // Added and removed in this pass: no question.
            list->setCurrentRow(list->count() - 1);
            click(p, "cmdRemove");
            QVERIFY(fakes().messageBoxes->shown.isEmpty());
            // A stored unit: asked, and only Yes removes it.
            list->setCurrentRow(0);
            fakes().messageBoxes->answers = {vbNo, vbYes};
            click(p, "cmdRemove");
            QCOMPARE(list->count(), 6);
            click(p, "cmdRemove");
            QCOMPARE(fakes().messageBoxes->lastPrompt(),
                     QStringLiteral("Deleting this Apartment will also remove any reservations that have been made "
                                    "with it. Are you sure you want to delete the Apartment?"));
            QCOMPARE(listTexts(list), QStringList({"Room 2", "Room 3", "Room 4", "Suite", "Garden Flat"}));
            click(p, "cmdNext");
        },
        [&](QWidget* p) {
            finishCaption = control<QPushButton>(p, "cmdNext")->text();
            click(p, "cmdNext");
        },
    });
    QCOMPARE(finishCaption, QStringLiteral("&Finish"));

    // The settings, numbers in the same form in every locale.
    QFETCH(QString, storedTax);
    QFETCH(QString, storedCharge);
    QCOMPARE(ConfigText("SalesTaxPercentage", ""), storedTax);
    QCOMPARE(ConfigText("SalesTaxPercentage2", ""), QStringLiteral("3"));
    QCOMPARE(ConfigText("CostPerNight", ""), storedCharge);
    QCOMPARE(ConfigText("SalesTaxName", ""), QStringLiteral("VAT"));
    QCOMPARE(ConfigText("SalesTaxName2", ""), QStringLiteral("City Tax"));
    QCOMPARE(ConfigText("EnabledSalesTax2", ""), QStringLiteral("True"));
    QCOMPARE(ConfigText("PostCode", ""), QStringLiteral("Zip Code"));
    QCOMPARE(ConfigText("CommoditySingular", ""), QStringLiteral("Apartment"));
    QCOMPARE(ConfigText("CommodityPlural", ""), QStringLiteral("Apartments"));
    QCOMPARE(SalesTaxPercentage(), 7.5);
    QCOMPARE(SalesTaxPercentage2(), 3.0);
    QCOMPARE(CostPerNight(), money("1212.5"));
    // The tax rates that prices use are the wizard's too.
    Query rates = objConn.query(QStringLiteral("SELECT name || '|' || percentage FROM taxrate WHERE id IN (2, 3) ORDER BY id"));
    QVERIFY(rates.next());
    QCOMPARE(rates.text(0), QStringLiteral("VAT|7.5"));
    QVERIFY(rates.next());
    QCOMPARE(rates.text(0), QStringLiteral("City Tax|3.0"));

    // Units: the removed one and its bookings whole; other bookings and all
    // invoice lines stay; the added one priced by the charge at tax rate 2.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM room WHERE id = ?"), {r1}), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM booking WHERE id IN (?, ?)"), {gone, gone2}), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM bookingroom WHERE bookingid IN (?, ?)"), {gone, gone2}), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM bookingroom WHERE bookingid = ?"), {stays}), 2);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM invoiceline")), lines);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM room WHERE name = 'Temporary'")), 0);
    Query added = objConn.query(QStringLiteral("SELECT UnitPrice, LowUnitPrice, HighUnitPrice, LowWeekendPrice, "
                                               "HighWeekendPrice, TaxRateID, ChargeForEach FROM room WHERE name = ?"),
                                {QStringLiteral("Garden Flat")});
    QVERIFY(added.next());
    for (int c = 0; c < 5; ++c)
        QCOMPARE(added.money(c), money("1212.5"));
    QCOMPARE(added.integer(5), 2);
    QCOMPARE(added.text(6), QStringLiteral("Night"));

    // The main window at once: words, second-tax labels, calendar columns.
    QCOMPARE(control<QAction>(main, "mnuConfigureRooms")->text(), QStringLiteral("Apartments..."));
    QCOMPARE(control<QAction>(main, "mnuBookingsRoomNotes")->text(), QStringLiteral("Apartment Notes..."));
    QCOMPARE(control<QLabel>(main, "lblStep_1")->text(), QStringLiteral("Step 2 - Select Apartments"));
    QCOMPARE(main->Label1.value(3)->text(), QStringLiteral("Select the Apartments for this booking."));
    QCOMPARE(main->Label1.value(5)->text(), QStringLiteral("Apartments:"));
    ArrivalsPanel* arrivals = main->arrivals();
    QCOMPARE(control<QTableView>(arrivals, "gArrivals")->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Apartment"));
    QCOMPARE(control<QComboBox>(arrivals, "cboSimpleCalSort")->itemText(2), QStringLiteral("Apartment"));
    QCOMPARE(control<QComboBox>(arrivals, "cboSimpleCalSort")->currentText(), QStringLiteral("Time"));
    QCOMPARE(control<QLabel>(main, "lblPostCode_0")->text(), QStringLiteral("Zip Code"));
    QCOMPARE(control<QLabel>(main, "lblSalesTaxName_0")->text(), QStringLiteral("VAT"));
    for (const char* l : {"lblSalesTax2", "Label3", "lblSalesTaxPercentage2", "lblConfirm_10", "lblSalesTaxName2_0"})
        QVERIFY2(!control<QWidget>(main, l)->isHidden(), l);
    Calendar* cal = main->calendar()->MainCalendar();
    QCOMPARE(cal->CommodityName, QStringLiteral("Apartments"));
    main->mnuCalendar_Click();
    QStringList headers;
    for (int c = 1; c < control<QTableView>(cal, "g")->model()->columnCount(); ++c)
        headers << control<QTableView>(cal, "g")->model()->headerData(c, Qt::Horizontal).toString();
    QVERIFY(!headers.contains(QStringLiteral("Room 1")));
    QVERIFY(headers.contains(QStringLiteral("Garden Flat")));

    // Read back at the next start as written.
    resetProgramState();
    SaveConfigText(QStringLiteral("SalesTaxPercentage"), storedTax);
    SaveConfigText(QStringLiteral("SalesTaxPercentage2"), QStringLiteral("17.5"));   // an older text
    TestDb again;
    showMain(again);
    QCOMPARE(SalesTaxPercentage(), 7.5);
    QCOMPARE(SalesTaxPercentage2(), 17.5);
}

void TestConfigWizard::failureDuringFinishLeavesEveryRow()
{
    showMain();
    book({unitId("Room 1"), unitId("Room 2")});
    // A unit added while the first sales tax's row is gone brings the row back.
    objConn.execute(QStringLiteral("DELETE FROM taxrate WHERE id = 2"));
    WizConfigCopies first = ConfigWizard::Load(QStringLiteral("Post Code"), QStringLiteral("VAT"));
    first.SalesTaxPercentage = 7.5;
    first.Rooms.push_back({-1, false, QStringLiteral("Added")});
    ConfigWizard::Finish(first);
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT name || ' ' || percentage FROM taxrate WHERE id = 2")).toString(),
             QStringLiteral("VAT 7.5"));
    // The added unit is refused after the removal has run.
    objConn.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON room BEGIN SELECT RAISE(ABORT, 'full'); END"));
    const QString rows = rowsDigest();
    WizConfigCopies c = ConfigWizard::Load(QStringLiteral("Post Code"), QStringLiteral("Sales Tax"));
    c.Rooms.at(0).Deleted = true;
    c.Rooms.push_back({-1, false, QStringLiteral("New")});
    QVERIFY_THROWS_EXCEPTION(AppError, ConfigWizard::Finish(c));
    QCOMPARE(rowsDigest(), rows);
}

void TestConfigWizard::taxRowsChangeOnlyWhereThePagesChangedThem_data()
{
    // elsewhere: the taxes were set in the tax-rate list and the options
    // dialog since the wizard last ran (rows 2 and 3 "Sales Tax" 15 and "PST"
    // 7, the second switched on); else the file is as supplied. edits: what
    // the pages are given ("box=text", a check box "=on"/"=off"); every run
    // also changes the unit word. Rows as "name|percentage".
    QTest::addColumn<bool>("elsewhere");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("row2");
    QTest::addColumn<QString>("row3");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("fresh file, unit word only") << false << QStringList() << "Sales Tax|10.0" << "Sales Tax2|10.0"
                                                << "False";
    QTest::newRow("set elsewhere, unit word only") << true << QStringList() << "Sales Tax|15.0" << "PST|7.0" << "True";
    QTest::newRow("percentages retyped as shown")
        << true << QStringList({"txtSalesTax=15.0", "txtSalesTax2=7"}) << "Sales Tax|15.0" << "PST|7.0" << "True";
    QTest::newRow("first name") << true << QStringList({"txtSalesTaxName=VAT"}) << "VAT|15.0" << "PST|7.0" << "True";
    QTest::newRow("first percentage") << true << QStringList({"txtSalesTax=12.5"}) << "Sales Tax|12.5" << "PST|7.0"
                                      << "True";
    QTest::newRow("second name and percentage")
        << true << QStringList({"txtSalesTaxName2=City Tax", "txtSalesTax2=3"}) << "Sales Tax|15.0" << "City Tax|3.0"
        << "True";
    QTest::newRow("second switched off") << true << QStringList({"chkEnableTax2=off"}) << "Sales Tax|15.0"
                                         << "PST|7.0" << "False";
    QTest::newRow("fresh file, second switched on and named")
        << false << QStringList({"chkEnableTax2=on", "txtSalesTaxName2=GST"}) << "Sales Tax|10.0" << "GST|10.0"
        << "True";
}

void TestConfigWizard::taxRowsChangeOnlyWhereThePagesChangedThem()
{
    QFETCH(bool, elsewhere);
    QFETCH(QStringList, edits);
    showMain();
    if (elsewhere) {
        objConn.execute(QStringLiteral("UPDATE taxrate SET name = ?, percentage = ? WHERE id = ?"), {"Sales Tax", 15.0, 2});
        objConn.execute(QStringLiteral("UPDATE taxrate SET name = ?, percentage = ? WHERE id = ?"), {"PST", 7.0, 3});
        SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    }
    QStringList shown;
    const auto page = [&](const QStringList& boxes) {
        return [&, boxes](QWidget* p) {
            for (const QString& name : boxes)
                shown << name + u'=' + control<QLineEdit>(p, name.toLatin1().constData())->text();
            for (const QString& e : edits) {
                const QString name = e.section(u'=', 0, 0), value = e.section(u'=', 1);
                if (auto* box = p->findChild<QLineEdit*>(name))
                    box->setText(value);
                else if (auto* check = p->findChild<QCheckBox*>(name))
                    check->setChecked(value == QLatin1String("on"));
            }
            click(p, "cmdNext");
        };
    };
    runWizard({next(),
               [](QWidget* p) {
                   SelectCombo(control<QComboBox>(p, "cboList"), QStringLiteral("Cabins"));
                   click(p, "cmdNext");
               },
               page({"txtSalesTaxName", "txtSalesTaxName2"}), page({"txtSalesTax", "txtSalesTax2"}), next(), next()});
    QCOMPARE(gsCommodityPlural, QStringLiteral("Cabins"));
    // The pages show the taxes as the rows charge them.
    QCOMPARE(shown, elsewhere ? QStringList({"txtSalesTaxName=Sales Tax", "txtSalesTaxName2=PST", "txtSalesTax=15",
                                             "txtSalesTax2=7"})
                              : QStringList({"txtSalesTaxName=Sales Tax", "txtSalesTaxName2=Sales Tax2",
                                             "txtSalesTax=10", "txtSalesTax2=10"}));
    Query rates = objConn.query(QStringLiteral("SELECT name || '|' || percentage FROM taxrate WHERE id IN (2, 3) ORDER BY id"));
    QVERIFY(rates.next());
    QTEST(rates.text(0), "row2");
    QVERIFY(rates.next());
    QTEST(rates.text(0), "row3");
    QTEST(ConfigText(QStringLiteral("EnabledSalesTax2"), QString()), "enabled");
}

void TestConfigWizard::pagesRefuseAndKeepTheirCopies()
{
    showMain();
    // A pair from an earlier custom choice opens page 2 on "Custom..."; the
    // welcome box unticked skips the welcome page next time, Back still shows it.
    gsCommoditySingular = QStringLiteral("Slip");
    gsCommodityPlural = QStringLiteral("Slips");
    auto* boxes = fakes().messageBoxes;
    runWizard({
        [](QWidget* p) {
            QVERIFY(control<QCheckBox>(p, "chkDisplayNext")->isChecked());
            control<QCheckBox>(p, "chkDisplayNext")->setChecked(false);
            click(p, "cmdNext");
        },
        [&](QWidget* p) {
            auto* list = control<QComboBox>(p, "cboList");
            QCOMPARE(list->currentText(), QStringLiteral("Custom..."));
            QCOMPARE(list->count(), count(QStringLiteral("SELECT COUNT(*) FROM Commodity")) + 1);
            QCOMPARE(control<QLineEdit>(p, "txtPlural")->text(), QStringLiteral("Slips"));
            QCOMPARE(control<QLineEdit>(p, "txtSingular")->text(), QStringLiteral("Slip"));
            control<QLineEdit>(p, "txtSingular")->clear();
            click(p, "cmdNext");
            QCOMPARE(boxes->lastPrompt(), QStringLiteral("No custom singular name has been entered. Please enter a "
                                                         "singular name to continue."));
            QCOMPARE(boxes->shown.last().style, vbOKOnly | vbCritical);
            control<QLineEdit>(p, "txtSingular")->setText(QStringLiteral("Mooring"));
            click(p, "cmdNext");
        },
        [](QWidget* p) {
            // Hidden second tax, yet its percentage is checked.
            QVERIFY(!control<QCheckBox>(p, "chkEnableTax2")->isChecked());
            QVERIFY(!control<QWidget>(p, "picTax2")->isVisibleTo(p));
            control<QLineEdit>(p, "txtSalesTaxName")->setText(QStringLiteral("typed, then Back"));
            click(p, "cmdBack");
        },
        [](QWidget* p) {
            QCOMPARE(control<QLineEdit>(p, "txtSingular")->text(), QStringLiteral("Mooring"));
            click(p, "cmdNext");
        },
        [](QWidget* p) {
            QCOMPARE(control<QLineEdit>(p, "txtSalesTaxName")->text(), QStringLiteral("Sales Tax"));
            click(p, "cmdNext");
        },
        [&](QWidget* p) {
            QVERIFY(!control<QWidget>(p, "picTax2")->isVisibleTo(p));
            control<QLineEdit>(p, "txtSalesTax2")->setText(QStringLiteral("ten"));
            click(p, "cmdNext");
            QCOMPARE(boxes->lastPrompt(),
                     QStringLiteral("An incorrect amount has been entered. Please enter an amount to continue."));
            QVERIFY(p->isVisible());
            control<QLineEdit>(p, "txtSalesTax2")->setText(QStringLiteral("0"));
            // A charge beyond any amount the program takes is refused too.
            control<QLineEdit>(p, "txtName")->setText(QStringLiteral("900000000000000000"));
            boxes->shown.clear();
            click(p, "cmdNext");
            QCOMPARE(boxes->shown.size(), 1);
            control<QLineEdit>(p, "txtName")->setText(QStringLiteral("$90.00"));
            click(p, "cmdNext");
        },
        [&](QWidget* p) {
            // Removing every unit: Next refuses the empty list.
            auto* list = control<QListWidget>(p, "lstRooms");
            boxes->answers = {vbYes, vbYes, vbYes, vbYes, vbYes};
            while (list->count() > 0) {
                list->setCurrentRow(0);
                click(p, "cmdRemove");
            }
            click(p, "cmdNext");
            QCOMPARE(boxes->lastPrompt(), QStringLiteral("No Slips have been entered. Please enter your Mooring "
                                                         "information to continue."));
            QVERIFY(p->isVisible());
            click(p, "cmdBack");
        },
        [](QWidget* p) { click(p, "cmdNext"); },
        [](QWidget* p) {
            // Removals survive Back.
            QCOMPARE(control<QListWidget>(p, "lstRooms")->count(), 0);
            click(p, "cmdCancel");
        },
    });
    QVERIFY(!WizConfig_ShowWelcome);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM room")), 5);

    runWizard({
        [](QWidget* p) { click(p, "cmdBack"); },
        [](QWidget* p) { click(p, "cmdCancel"); },
    });
    QCOMPARE(titles.mid(titles.size() - 2),
             QStringList({"Choose your naming convention", "Configuration Wizard"}));
}

void TestConfigWizard::unitWordsAndNamesArePlainText()
{
    showMain();
    WizConfig_ShowWelcome = false;
    for (const QString& text : hostileTexts()) {
        runWizard({
            [&](QWidget* p) {
                SelectCombo(control<QComboBox>(p, "cboList"), QStringLiteral("Custom..."));
                control<QLineEdit>(p, "txtPlural")->setText(text);
                control<QLineEdit>(p, "txtSingular")->setText(text);
                click(p, "cmdNext");
            },
            next(),
            next(),
            [&](QWidget* p) {
                QCOMPARE(control<QLabel>(p, "lblRooms")->textFormat(), Qt::PlainText);
                control<QLineEdit>(p, "txtName")->setText(text);
                click(p, "cmdAdd");
                click(p, "cmdNext");
            },
            next(),
        });
        QCOMPARE(gsCommodityPlural, text);
        QCOMPARE(ConfigText(QStringLiteral("CommoditySingular"), QString()), text);
        QCOMPARE(control<QAction>(main, "mnuConfigureRooms")->text(), QString(text).replace(u'&', QLatin1String("&&")) + "...");
        for (const char* name : {"lblStep_1", "lblMessage"})
            if (auto* l = main->findChild<QLabel*>(QString::fromLatin1(name)))
                QCOMPARE(l->textFormat(), Qt::PlainText);
        QCOMPARE(main->Label1.value(3)->textFormat(), Qt::PlainText);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM room WHERE name = ?"), {text}), 1);
    }
}

TARLOMY_GUI_TEST_MAIN(TestConfigWizard)
#include "tst_configwizard.moc"
