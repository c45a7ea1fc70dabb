// The units: the list (its reselection, its unasked removal and the calendar
// rebuilt afterwards), the unit editor (defaults, folding, price flow, weekend
// boxes, commission, locales) and the notes dialog.
#include "config/configtesthelp.h"

#include "app/frmmain.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "config/frmconfigrooms.h"
#include "config/frmroomadd.h"
#include "config/frmroomnotes.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTableView>
#include <QWheelEvent>

namespace {

QString box(QWidget* d, const char* name)
{
    return control<QLineEdit>(d, name)->text();
}

void leave(QWidget* d, const char* name, const QString& text)
{
    QLineEdit* b = control<QLineEdit>(d, name);
    b->setFocus();
    b->setText(text);
    control<QPlainTextEdit>(d, "txtNotes")->setFocus();
}

QVariant column(const char* col, qint32 room)
{
    return objConn.scalar(QStringLiteral("SELECT %1 FROM room WHERE id = ?").arg(QLatin1String(col)), {room});
}

void activate(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void book(qint32 room)
{
    const qint32 b = insertRow("booking", {{"fromdate", "2031-03-03 14:00:00"}, {"todate", "2031-03-05 10:00:00"}});
    insertRow("bookingroom", {{"bookingid", b}, {"roomid", room}});
}

}  // namespace

class TestUnits : public DbTest {
    Q_OBJECT

private slots:
    void init()
    {
        openDb();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void listReselectsAndRemovesUnasked();
    void closingTheListRebuildsTheCalendar();
    void newUnitState();
    void priceFlowAndWeekendBoxes();
    void keyboardAloneEntersSeasonAndWeekendPrices_data();
    void keyboardAloneEntersSeasonAndWeekendPrices();
    void commissionAndTaxCases();
    void amountsInLocales_data();
    void amountsInLocales();
    void oddStoredValuesAndHostileTexts();
    void notesKeptApart();
    void unitMadeHereIsPricedOnThePaymentPage();
};

void TestUnits::listReselectsAndRemovesUnasked()
{
    objConn.execute("DELETE FROM room");
    gsCommoditySingular = "Cabin";
    gsCommodityPlural = "Cabins";
    const qint32 a = insertRow("room", {{"Name", "Alder"}});
    insertRow("room", {{"Name", "Birch"}});
    const qint32 c = insertRow("room", {{"Name", "Cedar"}});
    book(c);
    frmConfigRooms d;
    QListWidget* list = control<QListWidget>(&d, "lstRooms");
    QCOMPARE(d.windowTitle(), QString("Configure Cabins"));
    QCOMPARE(control<QLabel>(&d, "Label1_9")->text(), QString("Available Cabins:"));
    QCOMPARE(entries(list), QStringList({"Alder", "Birch", "Cedar"}));
    QVERIFY(selectedEntry(list).isEmpty());

    FakeMessageBoxes& boxes = *fakes().messageBoxes;
    d.cmdEdit_Click();
    d.cmdRemove_Click();
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[1].prompt, QString("No Cabin has been selected. Please select a Cabin to continue."));
    QCOMPARE(boxes.shown[0].prompt, boxes.shown[1].prompt);

    // An edit keeps the unit selected where its new name puts it; Cancel too.
    selectEntry(list, "Alder");
    onNextEditor<frmRoomAdd>({{"txtName", "Zelkova"}});
    d.cmdEdit_Click();
    QCOMPARE(entries(list), QStringList({"Birch", "Cedar", "Zelkova"}));
    QCOMPARE(selectedEntry(list), QString("Zelkova"));
    onNextEditor<frmRoomAdd>({}, "cmdCancel");
    d.cmdEdit_Click();
    QCOMPARE(selectedEntry(list), QString("Zelkova"));
    QCOMPARE(column("Name", a).toString(), QString("Zelkova"));

    // An add leaves nothing selected.
    onNextEditor<frmRoomAdd>({{"txtName", "Aspen"}});
    d.cmdAdd_Click();
    QCOMPARE(entries(list).first(), QString("Aspen"));
    QVERIFY(selectedEntry(list).isEmpty());

    // A booked unit is refused; an unbooked one goes without a question.
    selectEntry(list, "Cedar");
    boxes.clear();
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This Cabin is currently in reserved for a booking and cannot be deleted. To "
                                         "delete this Cabin first remove any bookings associated with it."));
    QCOMPARE(boxes.shown.last().style, int(vbCritical));
    selectEntry(list, "Birch");
    d.cmdRemove_Click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(entries(list), QStringList({"Aspen", "Cedar", "Zelkova"}));
    QVERIFY(selectedEntry(list).isEmpty());
}

void TestUnits::closingTheListRebuildsTheCalendar()
{
    objConn.execute("DELETE FROM room");
    insertRow("room", {{"Name", "Old"}});
    objConn.close();
    frmMain& main = loadMainWindow(*db);
    onNextDialogOf<frmConfigRooms>([](frmConfigRooms* d) {
        QVERIFY(selectedEntry(control<QListWidget>(d, "lstRooms")).isEmpty());
        onNextEditor<frmRoomAdd>({{"txtName", "New unit"}});
        d->cmdAdd_Click();
        d->cmdCancel_Click();
    });
    main.mnuConfigureRooms_Click();
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM room WHERE name = 'New unit'").toInt(), 1);
    // The calendar's columns now name the new unit.
    QStringList headers;
    for (QTableView* g : main.calendar()->MainCalendar()->findChildren<QTableView*>())
        for (int c = 0; c < g->model()->columnCount(); ++c)
            headers << g->model()->headerData(c, Qt::Horizontal).toString();
    const bool shown = headers.contains("New unit") && headers.contains("Old");
    QVERIFY(shown);
    // The column widths were kept before the rebuild.
    QVERIFY(ConfigInt("gColWidth1", -1) > 0);
}

void TestUnits::newUnitState()
{
    objConn.execute("DELETE FROM room");
    gsCommoditySingular = "Villa";
    for (bool commission : {false, true}) {
        SaveConfigFlag("EnableCommission", commission);
        frmRoomAdd e(-1);
        QCOMPARE(e.windowTitle(), QString("Villa Details"));
        QCOMPARE(control<QLabel>(&e, "Label1_13")->text(), QString("Villa Name:"));
        QCOMPARE(control<QComboBox>(&e, "cboTaxRate")->currentText(), QString("n/a"));
        QCOMPARE(entries(control<QComboBox>(&e, "cboTaxRate")),
                 QStringList({"n/a", "Sales Tax (10%)", "Sales Tax2 (10%)"}));
        QCOMPARE(control<QComboBox>(&e, "cboChargePer")->currentText(), QString("Night"));
        QCOMPARE(control<QComboBox>(&e, "cboAccount")->currentText(), QString("No Commission"));
        QCOMPARE(box(&e, "txtCommissionPercentage"), QString("0"));
        QVERIFY(!control<QLineEdit>(&e, "txtCommissionPercentage")->isEnabled());
        for (const char* name : {"txtUnitPrice", "txtLowUnitPrice", "txtHighUnitPrice", "txtLowWeekendPrice",
                                 "txtHighWeekendPrice"})
            QCOMPARE(box(&e, name), QString("$0.00"));
        QVERIFY(control<QLineEdit>(&e, "txtLowWeekendPrice")->isEnabled());
        // Folded, the commission panel shown or not, and the form ending a
        // margin under OK and Cancel, with no empty band below them.
        QWidget* adv = control<QWidget>(&e, "picAdvancedPrice");
        QWidget* com = control<QWidget>(&e, "picCommission");
        QWidget* bot = control<QWidget>(&e, "picBot");
        QVERIFY(adv->isHidden());
        QCOMPARE(com->isHidden(), !commission);
        QCOMPARE(control<QLabel>(&e, "lblShowAdvancedPricing")->text(), QString("Show Advanced Pricing"));
        QCOMPARE(com->y(), adv->y());
        QCOMPARE(bot->y(), commission ? com->y() + com->height() : com->y());
        for (const char* name : {"cmdOK", "cmdCancel"}) {
            const QWidget* b = control<QPushButton>(&e, name);
            const int under = e.height() - b->mapTo(&e, QPoint(0, b->height())).y();
            QVERIFY2(under >= 4 && under <= 12, qPrintable(QString::number(under)));
        }
        // Unfolding moves the lower panels down by the panel's height.
        const int folded = e.height();
        e.lblShowAdvancedPricing_Click();
        QVERIFY(!adv->isHidden());
        QCOMPARE(e.height(), folded + adv->height());
    }

    // A long unit word widens the caption column: nothing is cut off and the
    // boxes still start beside their captions, inside the form.
    gsCommoditySingular = "Holiday Apartment";
    frmRoomAdd wide(-1);
    QLabel* name = control<QLabel>(&wide, "Label1_13");
    QLineEdit* txtName = control<QLineEdit>(&wide, "txtName");
    QVERIFY(name->width() >= name->sizeHint().width());
    QVERIFY(txtName->x() >= name->x() + name->width());
    QVERIFY(txtName->x() + txtName->width() <= wide.width());
    QCOMPARE(control<QLineEdit>(&wide, "txtLowUnitPrice")->x(), txtName->x());
    QWidget* cancel = control<QWidget>(&wide, "cmdCancel");
    QVERIFY(cancel->x() + cancel->width() <= control<QWidget>(&wide, "picBot")->width());
    QVERIFY(control<QWidget>(&wide, "picBot")->width() <= wide.width());
}

void TestUnits::priceFlowAndWeekendBoxes()
{
    objConn.execute("DELETE FROM room");
    {
        frmRoomAdd e(-1);
        activate(e);
        leave(&e, "txtUnitPrice", "120");
        for (const char* name : {"txtUnitPrice", "txtLowUnitPrice", "txtHighUnitPrice", "txtLowWeekendPrice",
                                 "txtHighWeekendPrice"})
            QCOMPARE(box(&e, name), QString("$120.00"));
        // Week charges disable the weekend boxes; their prices are still saved.
        control<QComboBox>(&e, "cboChargePer")->setCurrentText("Week");
        QVERIFY(!control<QLineEdit>(&e, "txtLowWeekendPrice")->isEnabled());
        QVERIFY(!control<QLineEdit>(&e, "txtHighWeekendPrice")->isEnabled());
        control<QComboBox>(&e, "cboChargePer")->setCurrentText("Person");
        QVERIFY(control<QLineEdit>(&e, "txtHighWeekendPrice")->isEnabled());
        leave(&e, "txtHighWeekendPrice", "150");
        QCOMPARE(box(&e, "txtHighWeekendPrice"), QString("$150.00"));
        control<QComboBox>(&e, "cboChargePer")->setCurrentText("Month and Person");
        setBox(&e, "txtName", "Week unit");
        e.cmdOK_Click();
        const qint32 id = objConn.scalar("SELECT MAX(id) FROM room").toInt();
        QCOMPARE(column("ChargeForEach", id).toString(), QString("Month and Person"));
        QCOMPARE(Money::fromDb(column("HighWeekendPrice", id)), money("150"));
        QCOMPARE(Money::fromDb(column("LowWeekendPrice", id)), money("120"));
        // The folded panel is remembered as folded.
        QVERIFY(!ConfigFlag("AdvancedPricing", true));
    }
    {
        // Prices made different stay; equal ones follow.
        const qint32 id = insertRow("room", {{"Name", "Mixed"}, {"LowUnitPrice", dbValue(money("100"))},
                                             {"HighUnitPrice", dbValue(money("100"))},
                                             {"LowWeekendPrice", dbValue(money("150"))},
                                             {"HighWeekendPrice", dbValue(money("100"))}});
        SaveConfigFlag("AdvancedPricing", false);
        frmRoomAdd e(id);
        activate(e);
        QVERIFY(!control<QWidget>(&e, "picAdvancedPrice")->isHidden());
        leave(&e, "txtUnitPrice", "120");
        QCOMPARE(box(&e, "txtLowUnitPrice"), QString("$100.00"));
        QCOMPARE(box(&e, "txtLowWeekendPrice"), QString("$150.00"));
        leave(&e, "txtLowWeekendPrice", "100");
        leave(&e, "txtUnitPrice", "130");
        QCOMPARE(box(&e, "txtHighWeekendPrice"), QString("$130.00"));
        leave(&e, "txtUnitPrice", "not money");
        QCOMPARE(box(&e, "txtHighWeekendPrice"), QString("$130.00"));
        // No number is refused at OK, an empty price is 0.
        e.cmdOK_Click();
        QCOMPARE(Money::fromDb(column("LowUnitPrice", id)), money("100"));
        setBox(&e, "txtUnitPrice", QString());
        e.cmdOK_Click();
        QCOMPARE(Money::fromDb(column("UnitPrice", id)), Money());
        QCOMPARE(Money::fromDb(column("LowUnitPrice", id)), money("130"));
    }
}

void TestUnits::keyboardAloneEntersSeasonAndWeekendPrices_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TestUnits::keyboardAloneEntersSeasonAndWeekendPrices()
{
    // From the name box, by Tab and typing alone: the folded advanced prices
    // are opened by their link and filled in, and Enter saves them.
    QFETCH(int, key);
    objConn.execute("DELETE FROM room");
    frmRoomAdd e(-1);
    activate(e);
    QLabel* link = control<QLabel>(&e, "lblShowAdvancedPricing");
    const QString caption = link->text();
    const QPalette look = link->palette();
    QVERIFY(control<QWidget>(&e, "picAdvancedPrice")->isHidden());
    auto focused = [] { return QApplication::focusWidget(); };
    auto type = [&](const QString& text) {
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(focused(), text);
    };
    auto tab = [&] { QTest::keyClick(focused(), Qt::Key_Tab); };
    control<QLineEdit>(&e, "txtName")->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focused(), control<QLineEdit>(&e, "txtName"));
    type(QStringLiteral("Keyed"));
    tab();   // charge unit
    tab();
    type(QStringLiteral("100"));
    tab();
    QCOMPARE(focused(), link);
    QCOMPARE(link->text(), caption);
    QCOMPARE(link->palette(), look);
    QTest::keyClick(link, Qt::Key(key));
    QVERIFY(!control<QWidget>(&e, "picAdvancedPrice")->isHidden());
    QCOMPARE(link->text(), QString("Hide Advanced Pricing"));
    QCOMPARE(focused(), link);
    const QStringList prices{"80", "140", "95", "160"};
    for (const QString& price : prices) {
        tab();
        type(price);
    }
    QCOMPARE(focused(), control<QLineEdit>(&e, "txtHighWeekendPrice"));
    QTest::keyClick(focused(), Qt::Key_Return);
    QTRY_VERIFY(!e.isVisible());
    const qint32 id = objConn.scalar("SELECT MAX(id) FROM room").toInt();
    QCOMPARE(column("Name", id).toString(), QString("Keyed"));
    QCOMPARE(Money::fromDb(column("UnitPrice", id)), money("100"));
    QCOMPARE(Money::fromDb(column("LowUnitPrice", id)), money("80"));
    QCOMPARE(Money::fromDb(column("HighUnitPrice", id)), money("140"));
    QCOMPARE(Money::fromDb(column("LowWeekendPrice", id)), money("95"));
    QCOMPARE(Money::fromDb(column("HighWeekendPrice", id)), money("160"));
}

void TestUnits::commissionAndTaxCases()
{
    objConn.execute("DELETE FROM room");
    SaveConfigFlag("EnableCommission", true);
    const qint32 agent = insertRow("commission", {{"name", "Agent"}});
    const qint32 gone = insertRow("commission", {{"name", "Gone"}});
    const qint32 rate = insertRow("taxrate", {{"name", "Gone rate"}, {"percentage", 3}});
    objConn.execute("DELETE FROM commission WHERE id = ?", {gone});
    objConn.execute("DELETE FROM taxrate WHERE id = ?", {rate});
    for (const QVariant& stored : {QVariant(-1), QVariant(1), dbNull(), QVariant(gone)}) {
        const qint32 id = insertRow("room", {{"Name", "U"}, {"CommissionID", stored}, {"TaxRateID", rate},
                                             {"CommissionPercentage", 12.5}});
        frmRoomAdd e(id);
        QCOMPARE(control<QComboBox>(&e, "cboAccount")->currentText(), QString("No Commission"));
        QCOMPARE(control<QComboBox>(&e, "cboTaxRate")->currentText(), QString("n/a"));
        QCOMPARE(box(&e, "txtCommissionPercentage"), QString("12.5"));
        QVERIFY(!control<QLineEdit>(&e, "txtCommissionPercentage")->isEnabled());
        e.cmdOK_Click();
        QVERIFY(column("CommissionID", id).isNull());
        QCOMPARE(column("TaxRateID", id).toInt(), 1);
    }
    const qint32 id = insertRow("room", {{"Name", "Agent's"}, {"CommissionID", agent}});
    frmRoomAdd e(id);
    QCOMPARE(control<QComboBox>(&e, "cboAccount")->currentText(), QString("Agent"));
    QVERIFY(control<QLineEdit>(&e, "txtCommissionPercentage")->isEnabled());
    setBox(&e, "txtCommissionPercentage", "7.5");
    e.cmdOK_Click();
    QCOMPARE(column("CommissionID", id).toInt(), agent);
    QCOMPARE(column("CommissionPercentage", id).toDouble(), 7.5);
}

void TestUnits::amountsInLocales_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("percentage");
    QTest::newRow("en_US") << "en_US" << "$1,234.56" << "2.5";
    QTest::newRow("de_DE") << "de_DE" << "1.234,56 €" << "2,5";
}

void TestUnits::amountsInLocales()
{
    QFETCH(QString, locale);
    QFETCH(QString, price);
    QFETCH(QString, percentage);
    QLocale::setDefault(QLocale(locale));
    objConn.execute("DELETE FROM room");
    const qint32 agent = insertRow("commission", {{"name", "Agent"}});
    frmRoomAdd e(-1);
    setBox(&e, "txtName", "Priced");
    control<QComboBox>(&e, "cboAccount")->setCurrentText("Agent");
    Q_UNUSED(agent);
    setBox(&e, "txtUnitPrice", price);
    setBox(&e, "txtHighUnitPrice", "1234,56 bad");
    setBox(&e, "txtCommissionPercentage", percentage);
    e.cmdOK_Click();
    QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM room").toInt(), 0);
    setBox(&e, "txtHighUnitPrice", QString());
    e.cmdOK_Click();
    QCOMPARE(box(&e, "txtHighUnitPrice"), QString("0"));
    const qint32 id = objConn.scalar("SELECT MAX(id) FROM room").toInt();
    QCOMPARE(Money::fromDb(column("UnitPrice", id)), money("1234.56"));
    QCOMPARE(Money::fromDb(column("HighUnitPrice", id)), Money());
    QCOMPARE(column("CommissionPercentage", id).toDouble(), 2.5);
    // Reopened, prices show in the locale's currency.
    frmRoomAdd again(id);
    QCOMPARE(box(&again, "txtUnitPrice"), Fmt::currency(money("1234.56")));
    QCOMPARE(box(&again, "txtCommissionPercentage"), percentage);
}

void TestUnits::oddStoredValuesAndHostileTexts()
{
    objConn.execute("DELETE FROM room");
    // A charge unit none of the eight, and Null prices.
    const qint32 odd = insertRow("room", {{"Name", "Odd"}, {"ChargeForEach", "Fortnight"}, {"UnitPrice", dbNull()}});
    {
        frmRoomAdd e(odd);
        QCOMPARE(box(&e, "txtUnitPrice"), QString("$0.00"));
        e.cmdOK_Click();
        QCOMPARE(column("ChargeForEach", odd).toString(), QString("Fortnight"));
    }
    // A unit that has gone opens empty without a message.
    {
        frmRoomAdd e(9999);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
        QVERIFY(box(&e, "txtName").isEmpty());
    }
    // The empty-name message names the unit and keeps the dialog open.
    {
        gsCommoditySingular = "Pitch";
        frmRoomAdd e(-1);
        e.show();
        e.cmdOK_Click();
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QString("No Pitch name has been entered. Please enter a Pitch name to continue."));
        QVERIFY(e.isVisible());
    }
    for (const QString& text : hostileTexts()) {
        frmRoomAdd e(-1);
        setBox(&e, "txtName", text);
        control<QPlainTextEdit>(&e, "txtNotes")->setPlainText(text + "\n'line two'");
        e.cmdOK_Click();
        const qint32 id = objConn.scalar("SELECT MAX(id) FROM room").toInt();
        QCOMPARE(column("Name", id).toString(), text);
        frmRoomAdd again(id);
        QCOMPARE(box(&again, "txtName"), text);
        QCOMPARE(control<QPlainTextEdit>(&again, "txtNotes")->toPlainText(), text + "\n'line two'");
    }
}

void TestUnits::notesKeptApart()
{
    objConn.execute("DELETE FROM room");
    {
        // No units: both controls disabled, nothing written.
        frmRoomNotes n;
        QVERIFY(!control<QComboBox>(&n, "lstRooms")->isEnabled());
        QVERIFY(!control<QPlainTextEdit>(&n, "txtNotes")->isEnabled());
        n.cmdOK_Click();
    }
    gsCommodityPlural = "<i>Tents</i>";
    const qint32 b = insertRow("room", {{"Name", "Beta"}, {"Notes", "beta notes"}});
    const qint32 a = insertRow("room", {{"Name", "Alpha"}, {"Notes", dbNull()}});
    frmRoomNotes n;
    activate(n);
    QCOMPARE(n.windowTitle(), QString("<i>Tents</i> Notes"));
    // The unit word shows as typed, markup and all.
    QCOMPARE(control<QLabel>(&n, "Label1_2")->text(), QString("Add notes to <i>Tents</i>"));
    QCOMPARE(control<QLabel>(&n, "Label1_2")->textFormat(), Qt::PlainText);
    QComboBox* units = control<QComboBox>(&n, "lstRooms");
    auto* notes = control<QPlainTextEdit>(&n, "txtNotes");
    QCOMPARE(entries(units), QStringList({"Beta", "Alpha"}));   // table order
    QCOMPARE(notes->toPlainText(), QString("beta notes"));

    // By mouse: the box loses the focus, then the unit changes.
    notes->setFocus();
    notes->setPlainText("Beta's new");
    units->setFocus();
    units->setCurrentIndex(1);
    QCOMPARE(notes->toPlainText(), QString());
    QCOMPARE(column("Notes", b).toString(), QString("Beta's new"));

    // By wheel over the list: the focus stays in the box.
    notes->setFocus();
    notes->setPlainText("for Alpha");
    QWheelEvent wheel(QPointF(5, 5), units->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(units, &wheel);
    QCOMPARE(units->currentIndex(), 0);
    QCOMPARE(column("Notes", a).toString(), QString("for Alpha"));
    QCOMPARE(column("Notes", b).toString(), QString("Beta's new"));
    QCOMPARE(notes->toPlainText(), QString("Beta's new"));

    // Emptied stores "", and closing stores what was not yet written.
    notes->setPlainText(QString());
    units->setCurrentIndex(1);
    QCOMPARE(column("Notes", b).toString(), QString(""));
    QVERIFY(!column("Notes", b).isNull());
    notes->setPlainText("typed then closed");
    n.close();
    QCOMPARE(column("Notes", a).toString(), QString("typed then closed"));
}

void TestUnits::unitMadeHereIsPricedOnThePaymentPage()
{
    objConn.execute("DELETE FROM room");
    objConn.execute("UPDATE season SET highlow = 'H' WHERE month = 3");
    {
        frmRoomAdd e(-1);
        setBox(&e, "txtName", "Made here");
        setBox(&e, "txtUnitPrice", "50");
        setBox(&e, "txtLowUnitPrice", "50");
        setBox(&e, "txtHighUnitPrice", "80");
        setBox(&e, "txtLowWeekendPrice", "60");
        setBox(&e, "txtHighWeekendPrice", "90");
        control<QComboBox>(&e, "cboTaxRate")->setCurrentText("Sales Tax (10%)");
        e.cmdOK_Click();
    }
    const qint32 room = objConn.scalar("SELECT id FROM room WHERE name = 'Made here'").toInt();
    // Friday 7 to Monday 10 March 2031: a weekday and two weekend nights in high season.
    const qint32 b = insertRow("booking", {{"fromdate", "2031-03-07 14:00:00"}, {"todate", "2031-03-10 10:00:00"},
                                           {"NoAdults", 1}});
    insertRow("bookingroom", {{"bookingid", b}, {"roomid", room}});
    objConn.close();
    frmMain& main = loadMainWindow(*db);
    iBookingID = b;
    main.ShowBookingStep(3);   // the payment page
    QCOMPARE(Fmt::currency(Money::fromDb(
                 objConn.scalar("SELECT amount FROM invoiceline WHERE bookingid = ? AND itemid = 1", {b}))),
             Fmt::currency(money("260")));
    QCOMPARE(objConn.scalar("SELECT taxratename FROM invoiceline WHERE bookingid = ? AND itemid = 1", {b}).toString(),
             QString("Sales Tax"));
}

TARLOMY_GUI_TEST_MAIN(TestUnits)
#include "tst_units.moc"
