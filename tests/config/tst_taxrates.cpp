// The list-and-edit pair, through the tax rates: filling and selection, add,
// edit, Cancel, the removal checks and question, the editor's load and OK.
#include "config/configtesthelp.h"

#include "config/frmaddtaxrate.h"
#include "config/frmtaxrate.h"
#include "core/db.h"
#include "core/modmain.h"

#include <QLocale>

namespace {

QListWidget* lstItems(frmTaxRate& d)
{
    return control<QListWidget>(&d, "lstItems");
}

qint64 rateCount()
{
    return objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM taxrate")).toLongLong();
}

}  // namespace

class TestTaxRates : public DbTest {
    Q_OBJECT

private slots:
    void init()
    {
        openDb();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void listAddEditAndCancel();
    void emptyListAndSelectionMessages();
    void removalChecksInOrder();
    void editorLoadAndOk();
    void hostileNamesOnBothPaths();
};

void TestTaxRates::listAddEditAndCancel()
{
    frmTaxRate d;
    QListWidget* list = lstItems(d);
    // Row 1 never shows; rows 2 and 3 do; the first entry is selected.
    QCOMPARE(entries(list), QStringList({"Sales Tax (10%)", "Sales Tax2 (10%)"}));
    QCOMPARE(selectedEntry(list), QString("Sales Tax (10%)"));

    // Add: a new rate lands in name order, the first entry is selected again.
    onNextEditor<frmAddTaxRate>({{"txtName", "Alpha"}, {"txtPercentage", "17.5"}});
    d.cmdAdd_Click();
    QCOMPARE(entries(list), QStringList({"Alpha (17.5%)", "Sales Tax (10%)", "Sales Tax2 (10%)"}));
    QCOMPARE(selectedEntry(list), QString("Alpha (17.5%)"));

    // Edit of the second entry, through a double click: the first entry is selected afterwards.
    selectEntry(list, "Sales Tax2 (10%)");
    onNextDialogOf<frmAddTaxRate>([](frmAddTaxRate* e) {
        QCOMPARE(control<QLineEdit>(e, "txtName")->text(), QString("Sales Tax2"));
        QCOMPARE(control<QLineEdit>(e, "txtPercentage")->text(), QString("10"));
        setBox(e, "txtName", "Zulu");
        setBox(e, "txtPercentage", "$12.50");
        click(e, "cmdOK");
    });
    emit list->itemDoubleClicked(list->currentItem());
    QCOMPARE(entries(list), QStringList({"Alpha (17.5%)", "Sales Tax (10%)", "Zulu (12.5%)"}));
    QCOMPARE(selectedEntry(list), QString("Alpha (17.5%)"));

    // Cancel saves nothing but still refreshes: a row added meanwhile shows.
    insertRow("taxrate", {{"name", "Beta"}, {"percentage", 5}});
    onNextEditor<frmAddTaxRate>({{"txtName", "Unsaved"}}, "cmdCancel");
    d.cmdAdd_Click();
    QCOMPARE(entries(list), QStringList({"Alpha (17.5%)", "Beta (5%)", "Sales Tax (10%)", "Zulu (12.5%)"}));

    // A decimal comma reads in German.
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    selectEntry(list, "Beta (5%)");
    onNextEditor<frmAddTaxRate>({{"txtPercentage", "7,25"}});
    d.cmdEdit_Click();
    QCOMPARE(objConn.scalar("SELECT percentage FROM taxrate WHERE name = 'Beta'").toDouble(), 7.25);
    QVERIFY(entries(list).contains("Beta (7,25%)"));
}

void TestTaxRates::emptyListAndSelectionMessages()
{
    objConn.execute("DELETE FROM taxrate WHERE id <> 1");
    frmTaxRate d;
    QCOMPARE(lstItems(d)->count(), 0);
    d.cmdEdit_Click();
    d.cmdRemove_Click();
    const QList<ShownMessage>& shown = fakes().messageBoxes->shown;
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].prompt, QString("No Tax Rate has been selected to edit. Please select a Tax Rate and try again."));
    QCOMPARE(shown[1].prompt, QString("Please select a Tax Rate to remove."));
    QCOMPARE(shown[0].style, int(vbCritical));
    QCOMPARE(shown[0].title, QString::fromLatin1(kAppTitle));
    QCOMPARE(rateCount(), 1);
}

void TestTaxRates::removalChecksInOrder()
{
    gsCommodityPlural = "Cabins";
    const qint32 used = insertRow("taxrate", {{"name", "Used"}, {"percentage", 8}});
    const qint32 item = insertRow("item", {{"name", "Breakfast"}, {"TaxRateID", used}});
    insertRow("room", {{"Name", "Cabin 1"}, {"TaxRateID", used}});
    // A line holds only a copy of a rate's name and percentage: no hold on it.
    insertRow("invoiceline", {{"bookingid", 1}, {"itemid", 2}, {"taxratename", "Sales Tax2"}});
    frmTaxRate d;
    QListWidget* list = lstItems(d);
    FakeMessageBoxes& boxes = *fakes().messageBoxes;

    selectEntry(list, "Used (8%)");
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This Tax Rate is in use by one or more items and so cannot be deleted. To "
                                         "delete this Tax Rate first remove the items and then try again."));
    objConn.execute("DELETE FROM item WHERE id = ?", {item});
    d.cmdRemove_Click();
    QCOMPARE(boxes.lastPrompt(), QString("This Tax Rate is in use by one or more Cabins and so cannot be deleted. To "
                                         "delete this Tax Rate first remove the Cabins and then try again."));
    QCOMPARE(boxes.shown.last().style, int(vbCritical));
    QCOMPARE(rateCount(), 4);

    // No and Cancel leave the row and the selection; Yes removes it.
    selectEntry(list, "Sales Tax2 (10%)");
    for (int answer : {int(vbNo), int(vbCancel)}) {
        boxes.answers = {answer};
        d.cmdRemove_Click();
        QCOMPARE(boxes.shown.last().prompt, QString("Are you sure you want to delete this Tax Rate?"));
        QCOMPARE(boxes.shown.last().style, int(vbYesNoCancel | vbQuestion));
        QCOMPARE(selectedEntry(list), QString("Sales Tax2 (10%)"));
        QCOMPARE(rateCount(), 4);
    }
    boxes.answers = {vbYes};
    d.cmdRemove_Click();
    QCOMPARE(rateCount(), 3);
    QCOMPARE(entries(list), QStringList({"Sales Tax (10%)", "Used (8%)"}));
    QCOMPARE(selectedEntry(list), QString("Sales Tax (10%)"));
}

void TestTaxRates::editorLoadAndOk()
{
    FakeMessageBoxes& boxes = *fakes().messageBoxes;
    {
        // A new rate starts at 0; an empty name keeps the dialog open.
        frmAddTaxRate e(-1);
        QCOMPARE(control<QLineEdit>(&e, "txtPercentage")->text(), QString("0"));
        e.show();
        QApplication::setActiveWindow(&e);
        QVERIFY(QTest::qWaitForWindowActive(&e));
        e.cmdOK_Click();
        QCOMPARE(boxes.lastPrompt(), QString("Please enter a Tax Rate name to continue."));
        QCOMPARE(boxes.shown.last().style, int(vbCritical));
        QVERIFY(e.isVisible());
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(&e, "txtName"));
        QCOMPARE(rateCount(), 3);
        // Blanks are a name; letters as a percentage are refused, an empty
        // percentage is saved as 0.
        setBox(&e, "txtName", "  ");
        setBox(&e, "txtPercentage", "abc");
        e.cmdOK_Click();
        QVERIFY(e.isVisible());
        QCOMPARE(rateCount(), 3);
        setBox(&e, "txtPercentage", "");
        e.cmdOK_Click();
        QVERIFY(!e.isVisible());
        QCOMPARE(control<QLineEdit>(&e, "txtPercentage")->text(), QString("0"));
        QCOMPARE(objConn.scalar("SELECT percentage FROM taxrate WHERE name = '  '").toDouble(), 0.0);
    }
    {
        // A row that has gone: the message without an icon, empty fields;
        // OK then changes nothing and adds nothing.
        boxes.clear();
        frmAddTaxRate e(999);
        QCOMPARE(boxes.lastPrompt(), QString("Record not found."));
        QCOMPARE(boxes.shown.last().style, int(vbOKOnly));
        QVERIFY(control<QLineEdit>(&e, "txtName")->text().isEmpty());
        QVERIFY(control<QLineEdit>(&e, "txtPercentage")->text().isEmpty());
        setBox(&e, "txtName", "Ghost");
        e.cmdOK_Click();
        QCOMPARE(rateCount(), 4);
    }
}

void TestTaxRates::hostileNamesOnBothPaths()
{
    frmTaxRate d;
    QListWidget* list = lstItems(d);
    for (const QString& name : hostileTexts()) {
        objConn.execute("DELETE FROM taxrate WHERE id > 3");
        onNextEditor<frmAddTaxRate>({{"txtName", name}, {"txtPercentage", "5"}});
        d.cmdAdd_Click();
        const qint64 id = objConn.scalar("SELECT MAX(id) FROM taxrate").toLongLong();
        QCOMPARE(objConn.scalar("SELECT name FROM taxrate WHERE id = ?", {id}).toString(), name);
        QVERIFY(entries(list).contains(name + " (5%)"));

        selectEntry(list, name + " (5%)");
        onNextEditor<frmAddTaxRate>({{"txtName", name + "'"}});
        d.cmdEdit_Click();
        QCOMPARE(objConn.scalar("SELECT name FROM taxrate WHERE id = ?", {id}).toString(), name + "'");
    }
}

TARLOMY_TEST_MAIN(TestTaxRates)
#include "tst_taxrates.moc"
