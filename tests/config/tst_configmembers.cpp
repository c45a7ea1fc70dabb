// The members' own rules: commission accounts, chargeable items, payment
// methods, the seasons and the custom booking field, and where their changes
// show in the booking wizard.
#include "config/configtesthelp.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "booking/customerpage.h"
#include "booking/paymentpage.h"
#include "config/frmaccount.h"
#include "config/frmaddaccount.h"
#include "config/frmaddbookingudf.h"
#include "config/frmaddpaymentmethod.h"
#include "config/frmbookingudf.h"
#include "config/frmchargeableitemadd.h"
#include "config/frmchargeableitems.h"
#include "config/frmconfighighlowseason.h"
#include "config/frmpaymentmethod.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "core/invoicelines.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>

namespace {

QVariant value(const QString& sql, const QVariantList& params = {})
{
    return objConn.scalar(sql, params);
}

void activate(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// A booking row with its dates and the given fields.
qint32 addBare(std::initializer_list<std::pair<const char*, QVariant>> fields)
{
    const qint32 b = insertRow("booking", {{"fromdate", "2031-03-07 14:00:00"}, {"todate", "2031-03-08 10:00:00"}});
    for (const auto& [column, v] : fields)
        objConn.execute(QStringLiteral("UPDATE booking SET %1 = ? WHERE id = ?").arg(QLatin1String(column)), {v, b});
    return b;
}

qint32 addBooking(qint32 room)
{
    const qint32 b = insertRow("booking", {{"fromdate", "2031-03-07 14:00:00"}, {"todate", "2031-03-10 10:00:00"},
                                           {"NoAdults", 1}});
    insertRow("bookingroom", {{"bookingid", b}, {"roomid", room}});
    return b;
}

QString seasonsTable()
{
    QStringList rows;
    Query q = objConn.query("SELECT month, highlow FROM season ORDER BY month");
    while (q.next())
        rows << q.text(0) + q.text(1);
    return rows.join(',');
}

}  // namespace

class TestConfigMembers : public DbTest {
    Q_OBJECT

private slots:
    void init()
    {
        openDb();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void accounts();
    void itemsListAndRefusal();
    void itemEditor_data();
    void itemEditor();
    void defaultItemSeedsNewInvoicesOnly();
    void paymentMethods();
    void seasons();
    void seasonsWithoutRows();
    void customFieldChoices();
    void customFieldSettings();
};

void TestConfigMembers::accounts()
{
    gsCommodityPlural = "Lodges";
    const qint32 paid = insertRow("commission", {{"name", "Paid"}});
    insertRow("commissionPayment", {{"CommissionID", paid}});
    insertRow("room", {{"Name", "L"}, {"CommissionID", paid}});
    const qint32 onlyBookings = insertRow("commission", {{"name", "Bookings only"}, {"notes", dbNull()}});
    const qint32 booking = addBare({{"CommissionID", onlyBookings}});
    frmAccount d;
    QListWidget* list = control<QListWidget>(&d, "lstItems");
    QCOMPARE(entries(list), QStringList({"Bookings only", "Paid"}));
    FakeMessageBoxes& boxes = *fakes().messageBoxes;

    selectEntry(list, "Paid");
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This Commission Account has payments made to it and so cannot be deleted. To "
                                         "delete this Commission Account first remove the items and then try again."));
    objConn.execute("DELETE FROM commissionPayment");
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This Commission Account is in use by one or more Lodges and so cannot be "
                                         "deleted. To delete this Commission Account first remove the Lodges and then "
                                         "try again."));

    // Null notes show empty; notes with line breaks and quotes come back unchanged.
    selectEntry(list, "Bookings only");
    onNextDialogOf<frmAddAccount>([](frmAddAccount* e) {
        QCOMPARE(control<QPlainTextEdit>(e, "txtNotes")->toPlainText(), QString());
        control<QPlainTextEdit>(e, "txtNotes")->setPlainText("Agent's line\nsecond \"line\"");
        click(e, "cmdOK");
    });
    d.cmdEdit_Click();
    QCOMPARE(value("SELECT notes FROM commission WHERE id = ?", {onlyBookings}).toString(),
             QString("Agent's line\nsecond \"line\""));

    // Bookings do not hold an account back; they keep the id they had.
    selectEntry(list, "Bookings only");
    boxes.answers = {vbYes};
    d.cmdRemove_Click();
    QCOMPARE(boxes.shown.last().prompt, QString("Are you sure you want to delete this Commission Account?"));
    QCOMPARE(entries(list), QStringList({"Paid"}));
    QCOMPARE(value("SELECT CommissionID FROM booking WHERE id = ?", {booking}).toInt(), onlyBookings);
}

void TestConfigMembers::itemsListAndRefusal()
{
    const qint32 used = insertRow("item", {{"name", "Breakfast"}});
    insertRow("item", {{"name", "Apples"}});
    insertRow("invoiceline", {{"bookingid", 7}, {"itemid", used}, {"name", "Renamed on the line"}});
    frmChargeableItems d;
    QListWidget* list = control<QListWidget>(&d, "lstItems");
    QCOMPARE(entries(list), QStringList({"Apples", "Breakfast"}));
    QCOMPARE(d.windowTitle(), QString("Chargeable Items"));
    selectEntry(list, "Breakfast");
    d.cmdRemove_Click();
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QString("This Item is in use by one or more Bookings and so cannot be deleted. To delete this Item first "
                     "remove the Bookings and then try again."));
    QCOMPARE(value("SELECT COUNT(*) FROM item").toInt(), 4);
    objConn.execute("DELETE FROM item WHERE id > 2");
    d.Setup();
    d.cmdEdit_Click();
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QString("No Item has been selected to edit. Please select a Item and try again."));
}

void TestConfigMembers::itemEditor_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("en_US") << "en_US" << "12.5" << "$12.50";
    QTest::newRow("de_DE") << "de_DE" << "12,5" << "12,50\u00A0€";
}

void TestConfigMembers::itemEditor()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    insertRow("taxrate", {{"name", "Alcohol"}, {"percentage", 20}});
    {
        frmChargeableItemAdd e(-1);
        activate(e);
        auto* rates = control<QComboBox>(&e, "cboTaxRate");
        QCOMPARE(entries(rates), QStringList({"N/A", "Alcohol", "Sales Tax", "Sales Tax2"}));
        QCOMPARE(rates->currentText(), QString("N/A"));
        QCOMPARE(control<QLineEdit>(&e, "txtSalePrice")->text(), Fmt::currency(Money()));
        QVERIFY(!control<QCheckBox>(&e, "chkIsDefault")->isChecked());
        setBox(&e, "txtName", "Wine");
        QLineEdit* price = control<QLineEdit>(&e, "txtSalePrice");
        price->setFocus();
        price->setText(typed);
        control<QLineEdit>(&e, "txtName")->setFocus();
        QCOMPARE(price->text().replace(' ', u'\u00A0'), shown);
        rates->setCurrentText("Alcohol");
        control<QCheckBox>(&e, "chkIsDefault")->setChecked(true);
        e.cmdOK_Click();
    }
    const qint32 wine = value("SELECT id FROM item WHERE name = 'Wine'").toInt();
    QCOMPARE(Money::fromDb(value("SELECT SaleAmount FROM item WHERE id = ?", {wine})), money("12.5"));
    QCOMPARE(value("SELECT IsDefault FROM item WHERE id = ?", {wine}).toInt(), 1);
    QCOMPARE(value("SELECT t.name FROM item i JOIN taxrate t ON t.id = i.TaxRateID WHERE i.id = ?", {wine}).toString(),
             QString("Alcohol"));
    // A price typed as no number is refused and nothing is saved; an empty
    // one is 0.
    for (const QString& bad : {QString("twelve"), QString()}) {
        frmChargeableItemAdd e(wine);
        setBox(&e, "txtSalePrice", bad);
        control<QCheckBox>(&e, "chkIsDefault")->setChecked(false);
        fakes().messageBoxes->clear();
        e.cmdOK_Click();
        const bool refused = !bad.isEmpty();
        QCOMPARE(fakes().messageBoxes->shown.size(), refused ? 1 : 0);
        QCOMPARE(Money::fromDb(value("SELECT SaleAmount FROM item WHERE id = ?", {wine})),
                 refused ? money("12.5") : Money());
        QCOMPARE(value("SELECT IsDefault FROM item WHERE id = ?", {wine}).toInt(), refused ? 1 : 0);
    }
    // A rate that has gone is kept; a Null flag shows unticked.
    objConn.execute("UPDATE item SET TaxRateID = 99, IsDefault = NULL WHERE id = ?", {wine});
    {
        frmChargeableItemAdd e(wine);
        QCOMPARE(control<QComboBox>(&e, "cboTaxRate")->currentIndex(), -1);
        QVERIFY(!control<QCheckBox>(&e, "chkIsDefault")->isChecked());
        e.cmdOK_Click();
    }
    QCOMPARE(value("SELECT TaxRateID FROM item WHERE id = ?", {wine}).toInt(), 99);
}

void TestConfigMembers::defaultItemSeedsNewInvoicesOnly()
{
    objConn.execute("DELETE FROM room");
    const qint32 room = insertRow("room", {{"Name", "R"}, {"LowUnitPrice", dbValue(money("10"))}});
    const qint32 old = addBooking(room);
    insertRow("invoiceline", {{"bookingid", old}, {"itemid", 2}, {"name", "Earlier"}});
    const qint32 fresh = addBooking(room);
    {
        frmChargeableItems d;
        onNextEditor<frmChargeableItemAdd>({{"txtName", "Towels"}, {"txtSalePrice", "4"}});
        d.cmdAdd_Click();
    }
    objConn.close();
    frmMain& main = loadMainWindow(*db);
    // The flag is set on the item after it was made.
    objConn.execute("UPDATE item SET IsDefault = 1 WHERE name = 'Towels'");
    for (qint32 b : {fresh, old, fresh}) {
        iBookingID = b;
        main.ShowBookingStep(3);
    }
    QCOMPARE(value("SELECT COUNT(*) FROM invoiceline WHERE bookingid = ? AND name = 'Towels'", {fresh}).toInt(), 1);
    QCOMPARE(value("SELECT COUNT(*) FROM invoiceline WHERE bookingid = ? AND name = 'Towels'", {old}).toInt(), 0);
}

void TestConfigMembers::paymentMethods()
{
    const QStringList stock = [] {
        QStringList m;
        Query q = objConn.query("SELECT method FROM PaymentMethod ORDER BY id");
        while (q.next())
            m << q.text(0);
        return m;
    }();
    QVERIFY(stock.size() >= 5);
    const qint32 booking = addBare({{"PaymentMethod", stock[0]}});
    {
        frmPaymentMethod d;
        QListWidget* list = control<QListWidget>(&d, "lstItems");
        onNextEditor<frmAddPaymentMethod>({{"txtName", "Aardvark Pay"}});
        d.cmdAdd_Click();
        QCOMPARE(entries(list), QStringList(stock) << "Aardvark Pay");   // table order, not by name
        // A rename leaves bookings' text as it was.
        selectEntry(list, stock[0]);
        onNextEditor<frmAddPaymentMethod>({{"txtName", "Renamed"}});
        d.cmdEdit_Click();
        QCOMPARE(value("SELECT PaymentMethod FROM booking WHERE id = ?", {booking}).toString(), stock[0]);
        // No in-use check: the question comes at once.
        selectEntry(list, "Renamed");
        fakes().messageBoxes->answers = {vbYes};
        d.cmdRemove_Click();
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QString("Are you sure you want to delete this Payment Method?"));
        QCOMPARE(entries(list).first(), stock[1]);
    }
    // A main window loaded afterwards offers the new list; its fourth entry
    // (once the fifth) shows the card fields.
    objConn.close();
    frmMain& main = loadMainWindow(*db);
    main.show();
    auto* methods = control<QComboBox>(main.booking()->payment(), "cboPaymentMethod");
    QCOMPARE(entries(methods), QStringList(stock.mid(1)) << "Aardvark Pay");
    methods->setCurrentIndex(3);
    QCOMPARE(methods->currentText(), stock[4]);
    QVERIFY(!control<QWidget>(main.booking()->payment(), "picCreditCardInfo")->isHidden());
}

void TestConfigMembers::seasons()
{
    objConn.execute("UPDATE season SET highlow = 'L'");
    objConn.execute("UPDATE season SET highlow = 'h' WHERE month = 5");
    objConn.execute("UPDATE season SET highlow = NULL WHERE month = 6");
    const QString before = seasonsTable();
    {
        // Opening, moving through every month and closing writes nothing.
        frmConfigHighLowSeason d;
        auto* list = control<QListWidget>(&d, "lstList");
        for (int i = 0; i < list->count(); ++i)
            list->setCurrentRow(i);
        d.cmdOk_Click();
        QCOMPARE(seasonsTable(), before);
    }
    frmConfigHighLowSeason d;
    auto* list = control<QListWidget>(&d, "lstList");
    auto* combo = control<QComboBox>(&d, "cboHighLow");
    QCOMPARE(list->count(), 12);
    QCOMPARE(list->item(4)->text(), QString("May - Low"));
    QCOMPARE(list->item(5)->text(), QString("Jun - Low"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(combo->currentText(), QString("Low"));

    list->setCurrentRow(2);
    combo->setCurrentText("High");
    QCOMPARE(value("SELECT highlow FROM season WHERE month = 3").toString(), QString("H"));
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(list->item(2)->text(), QString("Mar - High"));
    QCOMPARE(combo->currentText(), QString("High"));
    // The same value again writes nothing.
    objConn.execute("UPDATE season SET highlow = 'x' WHERE month = 3");
    combo->setCurrentText("High");
    QCOMPARE(value("SELECT highlow FROM season WHERE month = 3").toString(), QString("x"));
    objConn.execute("UPDATE season SET highlow = 'H' WHERE month = 3");

    // A double click toggles.
    list->setCurrentRow(0);
    d.lstList_DblClick();
    QCOMPARE(value("SELECT highlow FROM season WHERE month = 1").toString(), QString("H"));
    d.lstList_DblClick();
    QCOMPARE(value("SELECT highlow FROM season WHERE month = 1").toString(), QString("L"));

    // The next pricing run takes March's high prices, and May's 'h' is low.
    const auto price = [](const char* from, const char* to) {
        return UnitChargeAmount("Night", QDateTime::fromString(from, Qt::ISODate), QDateTime::fromString(to, Qt::ISODate),
                                money("10"), money("20"), money("20"), money("10"), Money(), 1, 1);
    };
    QCOMPARE(price("2031-03-04T14:00:00", "2031-03-05T10:00:00"), money("20"));
    QCOMPARE(price("2031-05-06T14:00:00", "2031-05-07T10:00:00"), money("10"));
}

void TestConfigMembers::seasonsWithoutRows()
{
    objConn.execute("DELETE FROM season WHERE month <> 4");
    {
        frmConfigHighLowSeason d;
        QCOMPARE(entries(control<QListWidget>(&d, "lstList")), QStringList({"Apr - Low"}));
    }
    objConn.execute("DELETE FROM season");
    frmConfigHighLowSeason d;
    QCOMPARE(control<QListWidget>(&d, "lstList")->count(), 0);
    control<QComboBox>(&d, "cboHighLow")->setCurrentIndex(1);
    d.lstList_DblClick();
    QCOMPARE(value("SELECT COUNT(*) FROM season").toInt(), 0);
}

void TestConfigMembers::customFieldChoices()
{
    frmBookingUDF d;
    QListWidget* list = control<QListWidget>(&d, "lstItems");
    QCOMPARE(entries(list), QStringList({"Not Selected"}));
    FakeMessageBoxes& boxes = *fakes().messageBoxes;
    // A booking on the default choice: still the default-option refusal,
    // which comes before any in-use query.
    addBare({{"BookingUDFID", 1}});
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This is the default option and so cannot be removed. You can however rename "
                                         "it, by pressing the Edit button."));
    QCOMPARE(boxes.shown.last().style, int(vbCritical));

    onNextEditor<frmAddBookingUDF>({{"txtName", "Wedding"}});
    d.cmdAdd_Click();
    QCOMPARE(entries(list), QStringList({"Not Selected", "Wedding"}));
    QCOMPARE(selectedEntry(list), QString("Not Selected"));
    onNextDialogOf<frmAddBookingUDF>([](frmAddBookingUDF* e) {
        QCOMPARE(control<QLineEdit>(e, "txtName")->text(), QString("Not Selected"));
        setBox(e, "txtName", "");
        click(e, "cmdOK");
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QString("Please enter a custom field choice name to continue."));
        setBox(e, "txtName", "None yet");
        click(e, "cmdOK");
    });
    d.cmdEdit_Click();
    QCOMPARE(value("SELECT name FROM BookingUDF WHERE id = 1").toString(), QString("None yet"));
    QCOMPARE(entries(list), QStringList({"Not Selected", "Wedding"}));

    const qint32 wedding = value("SELECT id FROM BookingUDF WHERE name = 'Wedding'").toInt();
    const qint32 booking = addBare({{"BookingUDFID", wedding}});
    selectEntry(list, "Wedding");
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This Custom Field is in use by one or more bookings and so cannot be deleted. "
                                         "To delete this Custom Field first remove the bookings and then try again."));
    objConn.execute("DELETE FROM booking WHERE id = ?", {booking});
    boxes.answers = {vbYes};
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("Are you sure you want to delete this Custom Field?"));
    QCOMPARE(entries(list), QStringList({"Not Selected"}));
}

void TestConfigMembers::customFieldSettings()
{
    {
        // The close box saves neither setting.
        frmBookingUDF d;
        QVERIFY(!control<QCheckBox>(&d, "chkEnableCustomField")->isChecked());
        QCOMPARE(control<QLineEdit>(&d, "txtCustomFieldTitle")->text(), QString("Custom Field"));
        control<QCheckBox>(&d, "chkEnableCustomField")->setChecked(true);
        activate(d);
        d.close();
        QCOMPARE(ConfigText("EnableCustomField", "absent"), QString("absent"));
    }
    {
        // Esc presses Close, which saves; an empty title is saved as empty.
        frmBookingUDF d;
        activate(d);
        control<QCheckBox>(&d, "chkEnableCustomField")->setChecked(true);
        setBox(&d, "txtCustomFieldTitle", "");
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(ConfigText("EnableCustomField", "absent"), QString("True"));
        QCOMPARE(ConfigText("CustomFieldTitle", "absent"), QString(""));
    }
    // The customer step shows the title and the choices, row 1 by its name.
    SaveConfigText("CustomFieldTitle", "Occasion <b>");
    objConn.execute("UPDATE BookingUDF SET name = 'No occasion' WHERE id = 1");
    insertRow("BookingUDF", {{"name", "Birthday"}});
    const qint32 b = insertRow("booking", {{"fromdate", "2031-03-07 14:00:00"}, {"todate", "2031-03-08 10:00:00"}});
    objConn.close();
    frmMain& main = loadMainWindow(*db);
    iBookingID = b;
    main.ShowBookingStep(2);
    CustomerPage* page = main.booking()->customer();
    QCOMPARE(entries(control<QComboBox>(page, "cboBookingUDF")), QStringList({"No occasion", "Birthday"}));
    QCOMPARE(control<QLabel>(page, "lblLabels_17")->text(), QString("Occasion <b>:"));
}

TARLOMY_GUI_TEST_MAIN(TestConfigMembers)
#include "tst_configmembers.moc"
