// The customer search dialog: which customers each box finds, texts found
// as typed, the answers to no criteria and no match, its two heights, and
// what its buttons and the booking history do.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "calendar/arrivalspanel.h"
#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "core/db.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "customers/frmcustomer.h"
#include "customers/frmfindcustomer.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <memory>

namespace {

const char* const kBoxes[] = {"txtFirstname", "txtLastname", "txtBusinessName", "txtAddress1",
                              "txtAddress2",  "txtCity",     "txtState",        "txtCountry",
                              "txtPostcode",  "txtPhone",    "txtEmail"};
const char* const kColumns[] = {"FirstName", "LastName", "BusinessName", "Address1", "Address2", "City",
                                "State",     "Country",  "PostCode",     "Phone",    "Email"};

void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// Fills the boxes (box name, text; all others emptied) and starts the search.
void search(frmFindCustomer* d, std::initializer_list<std::pair<const char*, QString>> typed)
{
    for (const char* box : kBoxes)
        control<QLineEdit>(d, box)->clear();
    for (const auto& [box, text] : typed)
        control<QLineEdit>(d, box)->setText(text);
    click(control<QPushButton>(d, "cmdOk"));
}

// Every match to the end of the list: "id|name|address|postcode|phone".
QStringList matches(frmFindCustomer* d)
{
    auto* g = control<QTableView>(d, "gcust");
    QAbstractItemModel* m = g->model();
    while (m->canFetchMore(QModelIndex()))
        m->fetchMore(QModelIndex());
    QStringList list;
    for (int r = 0; r < m->rowCount(); ++r)
        list << QStringLiteral("%1|%2|%3|%4|%5")
                    .arg(GridRowData(g, r))
                    .arg(GridText(g, r, 0), GridText(g, r, 1), GridText(g, r, 2), GridText(g, r, 3));
    return list;
}

QString count(frmFindCustomer* d)
{
    // A long list's count follows its first screen.
    QLabel* label = control<QLabel>(d, "lblTotalCustomers");
    for (int i = 0; i < 100 && label->text().isEmpty(); ++i)
        QTest::qWait(10);
    return label->text();
}

// A rectangle of a control in the dialog's client area.
QRect placeOf(frmFindCustomer* d, const char* name)
{
    QWidget* w = control<QWidget>(d, name);
    return QRect(w->mapTo(d, QPoint(0, 0)), w->size());
}

}  // namespace

class TestFindCustomer : public DbTest {
    Q_OBJECT

    // Runs script on the search dialog opened from the main window's menu.
    void runFind(frmMain& main, const std::function<void(frmFindCustomer*)>& script)
    {
        onNextDialogOf<frmFindCustomer>([=](frmFindCustomer* d) {
            script(d);
            if (d->isVisible())
                click(control<QPushButton>(d, "cmdCancel"));
        });
        main.mnuCustomerFind_Click();
    }

private slots:
    void init() { openDb(); }

    void cleanup() { closeDb(); }

    void eachBoxSearchesItsOwnColumn()
    {
        // Customer k has "k-<column>" in column k; home phone and mobile are not searched.
        QList<qint32> ids;
        for (int k = 0; k < 11; ++k) {
            Fields f;
            for (int c = 0; c < 11; ++c)
                f.emplace_back(QString::fromLatin1(kColumns[c]), c == k ? QStringLiteral("v%1x").arg(k) : QString());
            f.emplace_back(QStringLiteral("HomePhone"), QStringLiteral("home"));
            f.emplace_back(QStringLiteral("Mobile"), QStringLiteral("mobile"));
            ids << qint32(objConn.insert(QStringLiteral("customer"), f));
        }
        frmFindCustomer d(nullptr);
        for (int k = 0; k < 11; ++k) {
            search(&d, {{kBoxes[k], QStringLiteral("V%1X").arg(k)}});
            QCOMPARE(matches(&d).size(), 1);
            QCOMPARE(matches(&d).first().section(u'|', 0, 0), QString::number(ids[k]));
            QCOMPARE(count(&d), QStringLiteral("1"));
        }
        search(&d, {{"txtPhone", QStringLiteral("home")}, {"txtEmail", QStringLiteral("mobile")}});
        QCOMPARE(matches(&d), QStringList());
        QCOMPARE(count(&d), QStringLiteral("0"));

        // Boxes are joined by OR; matches come by last name, then first name.
        objConn.execute(QStringLiteral("UPDATE customer SET FirstName = 'Zed', LastName = 'Able', Address1 = '1 Way', "
                                       "Address2 = 'Flat 2', PostCode = NULL, Phone = NULL WHERE id = ?"),
                        {ids[5]});
        search(&d, {{"txtLastname", QStringLiteral("v1x")}, {"txtCity", QStringLiteral("zz")},
                    {"txtFirstname", QStringLiteral("ZED")}});
        QCOMPARE(matches(&d), QStringList({QStringLiteral("%1|Zed Able|1 Way, Flat 2||").arg(ids[5]),
                                           QStringLiteral("%1| v1x|||").arg(ids[1])}));
        QCOMPARE(control<QTableView>(&d, "gcust")->currentIndex().row(), 0);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void anyTextIsFoundAsTyped()
    {
        const QStringList hostile = hostileTexts();
        for (const QString& text : hostile)
            insertRow("customer", {{"FirstName", QStringLiteral("F")}, {"LastName", text}, {"Address1", text}});
        insertRow("customer", {{"LastName", QStringLiteral("plain 100 under")}});
        frmFindCustomer d(nullptr);
        for (const QString& text : hostile) {
            search(&d, {{"txtLastname", text}});
            const QStringList found = matches(&d);
            QVERIFY2(found.contains(QStringLiteral("%1|F %2|%2||").arg(
                         objConn.scalar(QStringLiteral("SELECT id FROM customer WHERE LastName = ?"), {text}).toLongLong())
                                         .arg(text)),
                     qPrintable(text.left(40)));
            for (const QString& row : found)
                QVERIFY(row.contains(text, Qt::CaseInsensitive));
            QCOMPARE(count(&d), QString::number(found.size()));
        }
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void noCriteriaAndNoMatchAndTheTwoHeights()
    {
        insertRow("customer", {{"FirstName", QStringLiteral("Ann")}, {"LastName", QStringLiteral("Lee")}});
        frmFindCustomer d(nullptr);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Find Customer"));
        const QRect client = d.rect();
        // Collapsed: the criteria and the first two buttons, not the list.
        QVERIFY(client.contains(placeOf(&d, "txtEmail")));
        QVERIFY(client.contains(placeOf(&d, "cmdCancel")));
        QVERIFY(placeOf(&d, "gcust").top() >= client.bottom() - 30);
        QVERIFY(!client.contains(placeOf(&d, "cmdCreateCustomer")));
        // The lowest box keeps a margin from the window's edge, as the sides do.
        QVERIFY(client.bottom() - placeOf(&d, "txtEmail").bottom() >= 6);

        // A refused search still expands; nothing else changes.
        search(&d, {});
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("No criteria to search by has been entered. Please enter some details and try again."));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical | vbOKOnly));
        QTRY_VERIFY(d.rect().contains(placeOf(&d, "cmdDeleteCustomer")));
        QVERIFY(d.rect().contains(placeOf(&d, "gcust")));
        QVERIFY(d.rect().contains(placeOf(&d, "lblTotalCustomers").topLeft()));
        for (const char* lowest : {"cmdDeleteCustomer", "lblTotalCaption", "gcust"})
            QVERIFY2(d.rect().bottom() - placeOf(&d, lowest).bottom() >= 6, lowest);
        QVERIFY(control<QLabel>(&d, "lblTotalCustomers")->text().isEmpty());

        search(&d, {{"txtLastname", QStringLiteral("lee")}});
        QCOMPARE(matches(&d).size(), 1);
        search(&d, {});
        QCOMPARE(matches(&d).size(), 1);
        QCOMPARE(count(&d), QStringLiteral("1"));
        fakes().messageBoxes->clear();
        search(&d, {{"txtLastname", QStringLiteral("nobody")}});
        QCOMPARE(matches(&d), QStringList());
        QCOMPARE(count(&d), QStringLiteral("0"));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void buttonsAndHistoryFromTheResults()
    {
        const qint32 ann = insertRow("customer", {{"FirstName", QStringLiteral("Ann")}, {"LastName", QStringLiteral("Lee")}});
        const qint32 bob = insertRow("customer", {{"FirstName", QStringLiteral("Bob")}, {"LastName", QStringLiteral("Lee")}});
        const QString soon = QDate::currentDate().addDays(5).toString(Qt::ISODate);
        const QString later = QDate::currentDate().addDays(7).toString(Qt::ISODate);
        const auto addBooking = [&](qint32 customer) {
            const qint32 b = insertRow("booking", {{"customerid", customer}, {"fromdate", soon + " 14:00:00"},
                                                   {"todate", later + " 10:00:00"}});
            insertRow("bookingroom", {{"bookingid", b}, {"roomid", 1}});
            return b;
        };
        const qint32 annBooking = addBooking(ann);
        frmMain& main = loadMainWindow(*db);

        runFind(main, [&](frmFindCustomer* d) {
            search(d, {{"txtLastname", QStringLiteral("lee")}});
            // Add: the same search again; a new customer not matching is not listed.
            onNextDialogOf<frmCustomer>([](frmCustomer* c) {
                control<QLineEdit>(c, "txtLastname")->setText(QStringLiteral("Other"));
                click(control<QPushButton>(c, "cmdOk"));
            });
            click(control<QPushButton>(d, "cmdCreateCustomer"));
            QCOMPARE(matches(d).size(), 2);
            // Edit the second (renamed to come first): row 1 is selected afterwards.
            GridSelectRow(control<QTableView>(d, "gcust"), 1);
            onNextDialogOf<frmCustomer>([](frmCustomer* c) {
                control<QLineEdit>(c, "txtFirstname")->setText(QStringLiteral("Abe"));
                click(control<QPushButton>(c, "cmdOk"));
            });
            click(control<QPushButton>(d, "cmdEditCustomer"));
            QCOMPARE(GridCurrentRowData(control<QTableView>(d, "gcust")), qint64(bob));
            // Ann has a booking ahead: this dialog's refusal.
            GridSelectRow(control<QTableView>(d, "gcust"), 1);
            click(control<QPushButton>(d, "cmdDeleteCustomer"));
            QCOMPARE(fakes().messageBoxes->lastPrompt(),
                     QStringLiteral("This customer has future reservations and can not be deleted. To delete this "
                                    "customer first delete all their future reservations."));
            // History, cancel: the booking goes, the search is repeated, the dialog stays.
            fakes().messageBoxes->answers = {vbYes};
            onNextDialogOf<frmBookingHistory>([](frmBookingHistory* h) {
                onNextDialogOf<frmBookingSummary>(
                    [](frmBookingSummary* s) { click(control<QPushButton>(s, "cmdCancel")); });
                click(control<QPushButton>(h, "cmdSimpleCalShowSummary"));
            });
            click(control<QPushButton>(d, "cmdViewHistory"));
            QVERIFY(d->isVisible());
            QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM booking WHERE id = ?"), {annBooking}).toInt(), 0);
            QCOMPARE(count(d), QStringLiteral("2"));
            // Now Ann (the last row) goes, and the row now last is selected.
            QCOMPARE(control<QTableView>(d, "gcust")->currentIndex().row(), 0);
            GridSelectRow(control<QTableView>(d, "gcust"), 1);
            click(control<QPushButton>(d, "cmdDeleteCustomer"));
            QCOMPARE(matches(d).size(), 1);
            QCOMPARE(GridCurrentRowData(control<QTableView>(d, "gcust")), qint64(bob));
        });
        QCOMPARE(iBookingID, 0);

        // History, edit: both dialogs close and the booking opens in the wizard.
        const qint32 bobBooking = addBooking(bob);
        runFind(main, [&](frmFindCustomer* d) {
            search(d, {{"txtFirstname", QStringLiteral("abe")}});
            onNextDialogOf<frmBookingHistory>([](frmBookingHistory* h) {
                onNextDialogOf<frmBookingSummary>([](frmBookingSummary* s) { click(control<QPushButton>(s, "cmdEdit")); });
                click(control<QPushButton>(h, "cmdSimpleCalShowSummary"));
            });
            click(control<QPushButton>(d, "cmdViewHistory"));
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(iBookingID, bobBooking);
        QVERIFY(!main.booking()->isHidden());
    }
};

TARLOMY_GUI_TEST_MAIN(TestFindCustomer)
#include "tst_findcustomer.moc"
