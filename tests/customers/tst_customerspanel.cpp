// The customers panel: the cells it composes, who is listed as owing and
// how much, the rows it selects, and its buttons.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "calendar/arrivalspanel.h"
#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "config/frmaddtaxrate.h"
#include "config/frmtaxrate.h"
#include "config/frmterminology.h"
#include "core/db.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "customers/customerspanel.h"
#include "customers/frmcustomer.h"
#include "core/invoicetotals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <memory>

namespace {

QString day(int fromToday, const char* time)
{
    return QDate::currentDate().addDays(fromToday).toString(Qt::ISODate) + u' ' + QString::fromLatin1(time);
}

qint32 addCustomerBooking(qint32 customer, const char* tip, const QVariant& paid, int fromToday = -10)
{
    return addBooking(day(fromToday, "14:00:00"), day(fromToday + 2, "10:00:00"),
                      {{"customerid", customer}, {"Tip", money(tip).toDb()}, {"AmountPayed", paid}});
}

void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

}  // namespace

class TestCustomersPanel : public DbTest {
    Q_OBJECT
    CustomersPanel* panel = nullptr;
    QTableView* gcust = nullptr;

    // Loads the main window and shows the panel in view (0 all, 1 owing).
    void show(int view)
    {
        main = &loadMainWindow(*db);
        main->mnuCustomersView_Click();
        panel = main->customers();
        gcust = control<QTableView>(panel, "gcust");
        control<QComboBox>(panel, "cboCustView")->setCurrentIndex(view);
    }
    // Every row of the list, read to its end: "id|cell|cell...".
    QStringList rows()
    {
        QAbstractItemModel* m = gcust->model();
        while (m->canFetchMore(QModelIndex()))
            m->fetchMore(QModelIndex());
        QStringList list;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells = {QString::number(GridRowData(gcust, r))};
            for (int c = 0; c < m->columnCount(); ++c)
                cells << GridText(gcust, r, c);
            list << cells.join(u'|');
        }
        return list;
    }
    // The current row counted from 1; 0 when none is current.
    int current() const { return gcust->currentIndex().isValid() ? gcust->currentIndex().row() + 1 : 0; }
    QPushButton* button(const char* name) { return control<QPushButton>(panel, name); }

    // Opens the history of the current customer and, in it, the summary of
    // its first booking, where the user presses choice.
    void historyChoice(const char* choice)
    {
        onNextDialogOf<frmBookingHistory>([choice](frmBookingHistory* h) {
            onNextDialogOf<frmBookingSummary>(
                [choice](frmBookingSummary* s) { click(control<QPushButton>(s, choice)); });
            click(control<QPushButton>(h, "cmdSimpleCalShowSummary"));
        });
        click(button("cmdViewHistory"));
    }

private slots:
    void init() { openDb(); }

    void cleanup() { closeDb(); }

    void listsEveryCustomerWithComposedCells()
    {
        const qint32 mill = addCustomer({{"FirstName", "Ann"}, {"LastName", "Bell"}, {"Address1", "1 Mill Lane"},
                                         {"Address2", ""}, {"City", "Easton"}, {"State", "North"},
                                         {"Country", "Westland"}, {"PostCode", "EA1"}, {"HomePhone", "111"},
                                         {"Phone", "222"}, {"Mobile", "333"}});
        const qint32 city = addCustomer({{"FirstName", "Cy"}, {"LastName", "Able"}, {"Address1", "1 Mill Lane"},
                                         {"City", "Easton"}, {"Phone", "555 1234"}});
        objConn.execute(QStringLiteral("INSERT INTO customer (ID, FirstName, LastName) VALUES (40000, 'Bo', 'Bell')"));
        const QStringList hostile = hostileTexts();
        for (const QString& text : hostile)
            addCustomer({{"FirstName", text}, {"LastName", QStringLiteral("Zed")}, {"Address1", text}});
        show(0);

        QCOMPARE(gcust->model()->columnCount(), 4);
        QCOMPARE(gcust->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Phone"));
        QVERIFY(qAbs(GridColWidth(gcust, 0) - 2400) < 15);
        QVERIFY(qAbs(GridColWidth(gcust, 2) - 1100) < 15);
        QVERIFY(GridColWidth(gcust, 1) > 1600);   // the spare width
        QCOMPARE(gcust->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));

        // The address takes the spare width as the window grows, until
        // widths the user left are restored.
        const int address = GridColWidth(gcust, 1);
        panel->resize(panel->width() + 300, panel->height());
        panel->Form_Resize();
        QVERIFY(GridColWidth(gcust, 1) > address + 4000);
        SaveConfigText(QStringLiteral("gcustColWidth1"), QStringLiteral("2000"));
        panel->LoadLayout();
        panel->resize(panel->width() - 200, panel->height());
        panel->Form_Resize();
        QVERIFY(qAbs(GridColWidth(gcust, 1) - 2000) < 15);

        const QStringList list = rows();
        QCOMPARE(list.mid(0, 3),
                 QStringList({QStringLiteral("%1|Cy Able|1 Mill Lane, Easton, ||Hm: Wk: 555 1234, C/M: ").arg(city),
                              QStringLiteral("%1|Ann Bell|1 Mill Lane, Easton, North Westland|EA1|"
                                             "Hm: 111, Wk: 222, C/M: 333, ")
                                  .arg(mill),
                              QStringLiteral("40000|Bo Bell|||Hm: Wk: C/M: ")}));
        // Stored texts come back as they were typed.
        QStringList names;
        for (const QString& row : list.mid(3))
            names << row.section(u'|', 1, 1);
        for (const QString& text : hostile) {
            QVERIFY(names.contains(text + QStringLiteral(" Zed")));
            QVERIFY(list.filter(u'|' + text + QStringLiteral(", |")).size() >= 1);
        }

        // Row 1 after a refill; a row past the end selects the last; the
        // customer given is selected wherever they stand.
        QCOMPARE(current(), 1);
        panel->RefreshCustomerScreen(500, 0);
        QCOMPARE(current(), list.size());
        panel->RefreshCustomerScreen(1, 40000);
        QCOMPARE(current(), 3);

        // The list costs nothing while another panel is in front.
        main->mnuReservationsArrivals_Click();
        main->RefreshCustomerScreen(1, 0);
        QCOMPARE(gcust->model()->rowCount(), 0);
        main->mnuCustomersView_Click();
        QCOMPARE(current(), 1);

        // No customers: no row, none current.
        objConn.execute(QStringLiteral("DELETE FROM customer"));
        panel->RefreshCustomerScreen(1, 0);
        QCOMPARE(gcust->model()->rowCount(), 0);
        QCOMPARE(current(), 0);
    }

    void owedViewListsWhatEachCustomerStillOwes()
    {
        SaveConfigText(QStringLiteral("EnabledSalesTax2"), QStringLiteral("True"));
        objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = 7.5 WHERE id = 3"));

        // Two bookings with taxed lines, a tip and part payments.
        const qint32 owes = addCustomer({{"FirstName", "Owen"}, {"LastName", "Owes"}});
        const qint32 b1 = addCustomerBooking(owes, "5", money("20.005").toDb());
        addLine(b1, 3, "33.3333", 12.5, QStringLiteral("VAT"));
        addLine(b1, 1, "0.015", 17.5, QStringLiteral("VAT"));
        const qint32 b2 = addCustomerBooking(owes, "0", QVariant(), 30);   // nothing paid yet (Null)
        addLine(b2, 2, "49.99", 10, QStringLiteral("VAT"));
        // Paid to the cent, in credit, and without bookings: not listed.
        const qint32 paid = addCustomer({{"FirstName", "Paul"}, {"LastName", "Paid"}});
        const qint32 b3 = addCustomerBooking(paid, "0", 0);
        addLine(b3, 1, "80", 10, QStringLiteral("VAT"));
        objConn.execute(QStringLiteral("UPDATE booking SET AmountPayed = ? WHERE id = ?"),
                        {CalcTotal(b3).totalPayable.toDb(), b3});
        const qint32 credit = addCustomer({{"FirstName", "Cred"}, {"LastName", "It"}});
        addLine(addCustomerBooking(credit, "0", money("500").toDb()), 1, "80", 10, QStringLiteral("VAT"));
        addCustomer({{"FirstName", "No"}, {"LastName", "Bookings"}});

        show(1);
        QCOMPARE(gcust->model()->columnCount(), 5);
        QCOMPARE(gcust->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Owed"));
        QVERIFY(qAbs(GridColWidth(gcust, 4) - 1600) < 15);
        QCOMPARE(gcust->model()->index(0, 4).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignTop));
        const Money due = CalcTotal(b1).totalPayable + CalcTotal(b2).totalPayable - money("20.005");
        QVERIFY(CalcTotal(b1).salesTax2 > Money());
        QCOMPARE(rows(), QStringList({QStringLiteral("%1|Owen Owes|||Hm: Wk: C/M: |%2").arg(owes).arg(
            Fmt::currency(due))}));

        // Many customers, some owing: every one of them is listed once, in order.
        {
            Connection::Transaction t(objConn);
            for (int i = 0; i < 450; ++i) {
                const qint32 c = addCustomer({{"FirstName", QString::number(i)}, {"LastName", "Many"}});
                if (i % 3 == 0)
                    addLine(addCustomerBooking(c, "1", 0), 1, "10", 0, QStringLiteral("VAT"));
            }
            t.commit();
        }
        panel->RefreshCustomerScreen(1, 0);
        QCOMPARE(rows().size(), 151);
        QCOMPARE(current(), 1);

        // Everyone paid up: an empty list after a full one.
        objConn.execute(QStringLiteral("UPDATE booking SET AmountPayed = 100000000"));
        control<QComboBox>(panel, "cboCustView")->setCurrentIndex(0);
        QVERIFY(gcust->model()->rowCount() > 0);
        control<QComboBox>(panel, "cboCustView")->setCurrentIndex(1);
        QCOMPARE(gcust->model()->rowCount(), 0);
        QCOMPARE(current(), 0);
    }

    // The second tax is charged on every booking at its row's rate: a change
    // to it, in the options dialog or the tax-rate list, shows in the list of
    // those who owe as soon as the dialog closes.
    void owedViewFollowsTheSecondTax_data()
    {
        QTest::addColumn<QString>("change");
        for (const char* c : {"options: percentage", "options: switched off", "tax rates", "tax rates from options"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void owedViewFollowsTheSecondTax()
    {
        QFETCH(QString, change);
        SaveConfigText(QStringLiteral("EnabledSalesTax2"), QStringLiteral("True"));
        QList<qint32> bookings;
        for (const char* name : {"Ann", "Bo", "Cy"}) {
            const qint32 c = addCustomer({{"FirstName", name}, {"LastName", "Owes"}});
            bookings << addCustomerBooking(c, "0", money("1").toDb());
            addLine(bookings.last(), 2, "40", 10, QStringLiteral("Sales Tax"));
        }
        const auto expected = [&bookings] {
            QStringList owed;
            for (qint32 b : bookings)
                owed << Fmt::currency(CalcTotal(b).balanceDue);
            return owed;
        };
        const auto shown = [this] {
            QStringList owed;
            for (const QString& row : rows())
                owed << row.section(u'|', 5);
            return owed;
        };
        show(1);
        GridSelectRow(gcust, 1);
        const QStringList before = expected();
        QCOMPARE(shown(), before);

        // The tax-rate list's edit of the second tax, then Close.
        const auto editInList = [](QWidget* list) {
            QListWidget* items = control<QListWidget>(list, "lstItems");
            items->setCurrentItem(items->findItems(QStringLiteral("Sales Tax2 (10%)"), Qt::MatchExactly).value(0));
            onNextDialogOf<frmAddTaxRate>([](frmAddTaxRate* e) {
                control<QLineEdit>(e, "txtPercentage")->setText(QStringLiteral("25"));
                click(control<QPushButton>(e, "cmdOK"));
            });
            click(control<QPushButton>(list, "cmdEdit"));
            click(control<QPushButton>(list, "cmdCancel"));
        };
        if (change.startsWith(QLatin1String("options"))) {
            onNextDialogOf<frmTerminology>([&change](frmTerminology* d) {
                if (change == QLatin1String("options: percentage"))
                    control<QLineEdit>(d, "txtSalesTax2")->setText(QStringLiteral("25"));
                else
                    control<QCheckBox>(d, "chkEnableTax2")->setChecked(false);
                click(control<QPushButton>(d, "cmdOK"));
            });
            main->mnuConfigureTerminology_Click();
        } else if (change == QLatin1String("tax rates")) {
            onNextDialogOf<frmTaxRate>([&editInList](frmTaxRate* list) { editInList(list); });
            main->mnuConfigTax_Click();
        } else {
            // Changed in the list opened by "Advanced...", the options then cancelled.
            onNextDialogOf<frmTerminology>([&editInList](frmTerminology* d) {
                onNextDialogOf<frmTaxRate>([&editInList](frmTaxRate* list) { editInList(list); });
                click(control<QPushButton>(d, "cmdTaxAdvanced"));
                click(control<QPushButton>(d, "cmdCancel"));
            });
            main->mnuConfigureTerminology_Click();
        }
        QCoreApplication::processEvents();
        const QStringList after = expected();
        QVERIFY(after != before);
        QCOMPARE(shown(), after);
        // The same customer stays current.
        QCOMPARE(current(), 2);
    }

    void buttonsAddEditDeleteAndOpenHistory()
    {
        const qint32 able = addCustomer({{"FirstName", "Al"}, {"LastName", "Able"}});
        const qint32 baker = addCustomer({{"FirstName", "Bo"}, {"LastName", "Baker"}});
        const qint32 cole = addCustomer({{"FirstName", "Cy"}, {"LastName", "Cole"}});
        show(0);

        // Add: the new customer is listed and row 1 selected.
        onNextDialogOf<frmCustomer>([](frmCustomer* d) {
            control<QLineEdit>(d, "txtLastname")->setText(QStringLiteral("Aaron"));
            click(control<QPushButton>(d, "cmdOk"));
        });
        click(button("cmdCreateCustomer"));
        QCOMPARE(rows().size(), 4);
        QCOMPARE(GridText(gcust, 0, 0), QStringLiteral(" Aaron"));
        QCOMPARE(current(), 1);

        // Edit row 3 (Baker): renamed, the same row position stays selected.
        GridSelectRow(gcust, 2);
        onNextDialogOf<frmCustomer>([](frmCustomer* d) {
            QCOMPARE(control<QLineEdit>(d, "txtLastname")->text(), QStringLiteral("Baker"));
            control<QLineEdit>(d, "txtLastname")->setText(QStringLiteral("Zulu"));
            click(control<QPushButton>(d, "cmdOk"));
        });
        click(button("cmdEditCustomer"));
        QCOMPARE(current(), 3);
        QCOMPARE(GridRowData(gcust, 2), qint64(cole));
        QCOMPARE(GridRowData(gcust, 3), qint64(baker));

        // A booking ahead: the panel's refusal. Without bookings: deleted,
        // and the row at the same position selected.
        addCustomerBooking(cole, "0", 0, 20);
        click(button("cmdDeleteCustomer"));
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("This customer has future reservations and can not be deleted. To delete this "
                                "customer first delete all reservations in the future."));
        GridSelectRow(gcust, 1);
        QCOMPARE(GridRowData(gcust, 1), qint64(able));
        click(button("cmdDeleteCustomer"));
        QCOMPARE(rows().size(), 3);
        QCOMPARE(current(), 2);
        QCOMPARE(GridCurrentRowData(gcust), qint64(cole));

        // History: edit opens the booking in the wizard; cancel deletes it
        // and shows the arrivals; the list is refilled either way.
        const qint32 ahead = objConn.scalar(QStringLiteral("SELECT id FROM booking WHERE customerid = ?"), {cole}).toInt();
        historyChoice("cmdEdit");
        QCOMPARE(iBookingID, ahead);
        QVERIFY(!main->booking()->isHidden());
        iBookingID = 0;
        main->mnuCustomersView_Click();
        GridSelectRow(gcust, 1);
        fakes().messageBoxes->answers = {vbYes};
        historyChoice("cmdCancel");
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM booking WHERE id = ?"), {ahead}).toInt(), 0);
        QVERIFY(!main->arrivals()->isHidden());
        QCOMPARE(iBookingID, 0);

        // Nothing current: edit and history open nothing, delete does nothing.
        main->mnuCustomersView_Click();
        gcust->setCurrentIndex(QModelIndex());
        bool opened = false;
        for (const char* name : {"cmdEditCustomer", "cmdViewHistory", "cmdDeleteCustomer"}) {
            QTimer::singleShot(300, [&opened] {
                if (QWidget* w = QApplication::activeModalWidget()) {
                    opened = true;
                    w->close();
                }
            });
            click(button(name));
            QTest::qWait(350);
        }
        QVERIFY(!opened);
        QCOMPARE(rows().size(), 3);
    }
};

TARLOMY_GUI_TEST_MAIN(TestCustomersPanel)
#include "tst_customerspanel.moc"
