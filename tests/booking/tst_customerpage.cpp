// The customer details page: the booking's customer created once and then
// updated, customers linked through the picker, the counts, the custom
// booking field and the custom customer fields.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/customerpage.h"
#include "core/db.h"
#include "widgets/grid.h"
#include "app/frmmain.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "widgets/twips.h"
#include "booking/frmrescustsearch.h"
#include "calendar/frmbookinghistory.h"
#include "customers/frmcustomer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <memory>

namespace {

qint64 addBooking(int adults = 2, int kids = 0)
{
    return objConn.insert(QStringLiteral("booking"),
                          {{QStringLiteral("fromdate"), QStringLiteral("2025-03-05 09:00:00")},
                           {QStringLiteral("todate"), QStringLiteral("2025-03-06 14:00:00")},
                           {QStringLiteral("noadults"), adults},
                           {QStringLiteral("nokids"), kids}});
}

qint64 addCustomer(const QString& first, const QString& last, const QString& email = QString())
{
    return objConn.insert(QStringLiteral("customer"), {{QStringLiteral("FirstName"), first},
                                                       {QStringLiteral("LastName"), last},
                                                       {QStringLiteral("Email"), email}});
}

qint64 addField(const QString& name, const QString& type, int pos, const QStringList& options = {})
{
    const qint64 id = objConn.insert(QStringLiteral("CustomerUDF"), {{QStringLiteral("name"), name},
                                                                     {QStringLiteral("type"), type},
                                                                     {QStringLiteral("pos"), pos}});
    for (const QString& o : options)
        objConn.insert(QStringLiteral("CustomerUDFOption"),
                       {{QStringLiteral("option"), o}, {QStringLiteral("itemCustomFieldID"), id}});
    return id;
}

QVariant bookingColumn(const QString& column)
{
    return objConn.scalar(QStringLiteral("SELECT %1 FROM booking WHERE id = ?").arg(column), {iBookingID});
}

int count(const QString& sql, const QVariantList& params = {})
{
    return objConn.scalar(sql, params).toInt();
}

void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

}  // namespace

class TestCustomerPage : public DbTest {
    Q_OBJECT
    CustomerPage* page = nullptr;
    CustomerPage* ui = nullptr;

    // The booking panel in front with this page on it, as the wizard shows it.
    void showPage()
    {
        frmMain& main = MainForm();
        main.show();
        main.ShowView(main.booking());
        page->show();
        page->raise();
        page->ShowPage();
        QVERIFY(QTest::qWaitForWindowActive(&main));
    }

    // Shown again after the boxes were emptied: all comes from the database.
    void ResetCustomerFormAndShow()
    {
        page->ResetCustomerForm();
        page->ShowPage();
    }

private slots:
    void init()
    {
        resetProgramState();
        loadMain();
        page = MainForm().booking()->customer();
        ui = page;
        iBookingID = qint32(addBooking(5, 3));
    }

    void cleanup() { closeDb(); }

    // A loaded name longer than its box shows how it begins, in the customer
    // step (whose boxes widen with the window), Customer Details and the
    // booking history, whose heading ends in "..." with the whole in its tip.
    void longNamesShowTheirStart_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size");
        QTest::newRow("customer step 1280") << QStringLiteral("step") << QSize(1280, 800);
        QTest::newRow("customer step 1920") << QStringLiteral("step") << QSize(1920, 1080);
        QTest::newRow("customer details") << QStringLiteral("details") << QSize(1280, 800);
        QTest::newRow("booking history") << QStringLiteral("history") << QSize(1280, 800);
    }
    void longNamesShowTheirStart()
    {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        const QString first = QStringLiteral("Alexandrina Seraphina Wilhelmina");
        const QString last = QStringLiteral("Featherstonehaugh-Lancaster");
        const qint64 customer = addCustomer(first, last, QStringLiteral("alexandrina.featherstonehaugh@example.org"));
        objConn.execute(QStringLiteral("UPDATE customer SET Address1 = ? WHERE ID = ?"),
                        {QStringLiteral("The Old Rectory, 14 Kingfisher's Garden Lane, Upper Slaughter"), customer});
        objConn.execute(QStringLiteral("UPDATE booking SET customerid = ? WHERE id = ?"), {customer, iBookingID});
        const auto fromStart = [](QWidget* w) {
            for (QLineEdit* box : w->findChildren<QLineEdit*>())
                QVERIFY2(box->text().isEmpty() || box->cursorPosition() == 0, qPrintable(box->objectName()));
        };
        if (window == QLatin1String("step")) {
            frmMain& m = MainForm();
            m.setWindowState(Qt::WindowNoState);
            showPage();
            m.resize(size);
            QVERIFY(QTest::qWaitFor([&] { return m.size() == size; }, 2000));
            page->ShowPage();
            fromStart(page);
            auto* firstBox = control<QLineEdit>(ui, "txtFirstname");
            auto* lastBox = control<QLineEdit>(ui, "txtLastname");
            QCOMPARE(firstBox->text(), first);
            const double wider = std::clamp((page->width() - 20) / 760.0, 1.0, 1.8);
            QVERIFY2(firstBox->width() >= int(112 * wider) - 1, qPrintable(QString::number(firstBox->width())));
            // The columns still stand apart.
            QVERIFY(lastBox->geometry().left() > firstBox->geometry().right());
            QVERIFY(control<QPushButton>(ui, "cmdResSearch")->geometry().left() > lastBox->geometry().right());
            QVERIFY(control<QLabel>(ui, "lblPhone")->geometry().left()
                    > control<QLineEdit>(ui, "txtAddress1")->geometry().right());
        } else if (window == QLatin1String("details")) {
            frmCustomer dialog(customer, 0, &MainForm());
            dialog.show();
            fromStart(&dialog);
        } else {
            frmBookingHistory dialog(qint32(customer), &MainForm());
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* heading = control<QLabel>(&dialog, "Label1_0");
            const QString whole = QStringLiteral("Booking history for ") + first + u' ' + last + u'.';
            QVERIFY2(heading->text().endsWith(QChar(0x2026)), qPrintable(heading->text()));
            QVERIFY(whole.startsWith(heading->text().chopped(1)));
            QCOMPARE(heading->toolTip(), whole);
        }
    }

    void newCustomerIsCreatedOnceThenUpdated()
    {
        showPage();
        // A booking without a customer shows an empty page with the default counts.
        QCOMPARE(control<QLineEdit>(ui, "txtNoAdults")->text(), QStringLiteral("2"));
        QCOMPARE(control<QLineEdit>(ui, "txtNoChildren")->text(), QStringLiteral("0"));
        QVERIFY(control<QLineEdit>(ui, "txtFirstname")->text().isEmpty());
        QVERIFY(control<QLineEdit>(ui, "txtFirstname")->hasFocus());

        typeInto(control<QLineEdit>(ui, "txtFirstname"), QStringLiteral("Ann"));
        typeInto(control<QLineEdit>(ui, "txtLastname"), QStringLiteral("O'Brien"));
        typeInto(control<QLineEdit>(ui, "txtEmail"), QStringLiteral("ann@example.org"));
        typeInto(control<QLineEdit>(ui, "txtHomePhone"), QStringLiteral("555 1234"));
        typeInto(control<QLineEdit>(ui, "txtNoAdults"), QStringLiteral("3"));
        page->SavePage();

        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM customer")), 1);
        const qint64 customerId = bookingColumn(QStringLiteral("customerid")).toLongLong();
        Query c = objConn.query(QStringLiteral("SELECT ID, LastName, Email, HomePhone, Fax FROM customer"));
        QVERIFY(c.next());
        QCOMPARE(c.integer(0), customerId);
        QCOMPARE(c.text(1), QStringLiteral("O'Brien"));
        QCOMPARE(c.text(2), QStringLiteral("ann@example.org"));
        QCOMPARE(c.text(3), QStringLiteral("555 1234"));
        QVERIFY(!c.isNull(4));   // empty boxes are stored as empty text
        QCOMPARE(bookingColumn(QStringLiteral("noadults")).toInt(), 3);
        QCOMPARE(bookingColumn(QStringLiteral("nokids")).toInt(), 0);
        QCOMPARE(bookingColumn(QStringLiteral("BookingUDFID")).toInt(), 1);

        // Back on the page: the stored customer, then an edit of the same row.
        ResetCustomerFormAndShow();
        QCOMPARE(control<QLineEdit>(ui, "txtLastname")->text(), QStringLiteral("O'Brien"));
        QCOMPARE(control<QLineEdit>(ui, "txtNoAdults")->text(), QStringLiteral("3"));
        typeInto(control<QLineEdit>(ui, "txtLastname"), QStringLiteral("O'Brien-\"Smith\" 100%_"));
        page->SavePage();
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM customer")), 1);
        QCOMPARE(bookingColumn(QStringLiteral("customerid")).toLongLong(), customerId);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT LastName FROM customer")).toString(),
                 QStringLiteral("O'Brien-\"Smith\" 100%_"));
    }

    void leavingAnEmptyPageStillLinksACustomer()
    {
        showPage();
        page->SavePage();
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM customer WHERE FirstName = '' AND Email = ''")), 1);
        QVERIFY(bookingColumn(QStringLiteral("customerid")).toLongLong() > 0);
    }

    void countsKeepTheirLeadingNumber()
    {
        showPage();
        typeInto(control<QLineEdit>(ui, "txtNoAdults"), QStringLiteral("3 adults"));
        control<QLineEdit>(ui, "txtNoChildren")->setFocus(Qt::TabFocusReason);
        QCOMPARE(control<QLineEdit>(ui, "txtNoAdults")->text(), QStringLiteral("3"));
        typeInto(control<QLineEdit>(ui, "txtNoChildren"), QStringLiteral("abc"));
        control<QLineEdit>(ui, "txtFax")->setFocus(Qt::TabFocusReason);
        QCOMPARE(control<QLineEdit>(ui, "txtNoChildren")->text(), QStringLiteral("0"));
        typeInto(control<QLineEdit>(ui, "txtNoChildren"), QString());
        page->SavePage();
        QCOMPARE(control<QLineEdit>(ui, "txtNoChildren")->text(), QStringLiteral("0"));
        QCOMPARE(bookingColumn(QStringLiteral("noadults")).toInt(), 3);
        QCOMPARE(bookingColumn(QStringLiteral("nokids")).toInt(), 0);
    }

    void pickingACustomerLinksThatOne()
    {
        const qint64 smith = addCustomer(QStringLiteral("Jo"), QStringLiteral("Smith"), QStringLiteral("jo@x.org"));
        addCustomer(QStringLiteral("Al"), QStringLiteral("Smith"));
        addCustomer(QStringLiteral("Bea"), QStringLiteral("Jones"));
        showPage();
        typeInto(control<QLineEdit>(ui, "txtLastname"), QStringLiteral("smith"));

        QStringList listed;
        onNextDialog([&](QWidget* dlg) {
            auto* picker = qobject_cast<frmResCustSearch*>(dlg);
            QVERIFY(picker);
            QCOMPARE(control<QLineEdit>(picker, "txtLastname")->text(), QStringLiteral("smith"));
            QTableView* g = control<QTableView>(picker, "gcust");
            for (int r = 0; r < GridRowCount(g); ++r)
                listed << GridText(g, r, 0);
            g->setCurrentIndex(g->model()->index(1, 0));
            QTest::mouseClick(control<QPushButton>(picker, "cmdSelect"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QPushButton>(ui, "cmdResSearch"), Qt::LeftButton);

        QCOMPARE(listed, QStringList({QStringLiteral("Al Smith"), QStringLiteral("Jo Smith")}));
        QCOMPARE(bookingColumn(QStringLiteral("customerid")).toLongLong(), smith);
        QCOMPARE(control<QLineEdit>(ui, "txtFirstname")->text(), QStringLiteral("Jo"));
        QCOMPARE(control<QLineEdit>(ui, "txtEmail")->text(), QStringLiteral("jo@x.org"));
        // The booking's own counts, not those of an empty page.
        QCOMPARE(control<QLineEdit>(ui, "txtNoAdults")->text(), QStringLiteral("5"));
        QCOMPARE(control<QLineEdit>(ui, "txtNoChildren")->text(), QStringLiteral("3"));
        QCOMPARE(page->window()->focusWidget(), static_cast<QWidget*>(control<QLineEdit>(ui, "txtNoAdults")));
        page->SavePage();
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM customer")), 3);
    }

    void closingThePickerChangesNothing()
    {
        showPage();
        typeInto(control<QLineEdit>(ui, "txtFirstname"), QStringLiteral("Nobody"));
        std::optional<qint32> chosen = 0;
        onNextDialog([&chosen](QWidget* dlg) {
            QTest::mouseClick(control<QPushButton>(dlg, "cmdCancel"), Qt::LeftButton);
            chosen = qobject_cast<frmResCustSearch*>(dlg)->chosen();
        });
        QTest::mouseClick(control<QPushButton>(ui, "cmdResSearch"), Qt::LeftButton);
        QCOMPARE(fakes().messageBoxes->lastPrompt(),
                 QStringLiteral("No matches found. Please try again or press Close to enter new customer details."));
        QVERIFY(!chosen.has_value());
        QCOMPARE(control<QLineEdit>(ui, "txtFirstname")->text(), QStringLiteral("Nobody"));
        QCOMPARE(bookingColumn(QStringLiteral("customerid")).toInt(), 0);
    }

    void bookingCustomField()
    {
        showPage();
        QVERIFY(control<QComboBox>(ui, "cboBookingUDF")->isHidden());
        QVERIFY(control<QLabel>(ui, "lblLabels_17")->isHidden());

        objConn.insert(QStringLiteral("BookingUDF"), {{QStringLiteral("name"), QStringLiteral("Wedding")}});
        const qint64 walkIn = objConn.insert(QStringLiteral("BookingUDF"), {{QStringLiteral("name"), QStringLiteral("Walk-in")}});
        SaveConfigFlag(QStringLiteral("EnableCustomField"), true);
        SaveConfigText(QStringLiteral("CustomFieldTitle"), QStringLiteral("Occasion"));
        page->ShowPage();
        QVERIFY(!control<QComboBox>(ui, "cboBookingUDF")->isHidden());
        QCOMPARE(control<QLabel>(ui, "lblLabels_17")->text(), QStringLiteral("Occasion:"));
        QCOMPARE(control<QComboBox>(ui, "cboBookingUDF")->count(), 3);
        QCOMPARE(control<QComboBox>(ui, "cboBookingUDF")->itemText(0), QStringLiteral("Not Selected"));
        QCOMPARE(control<QComboBox>(ui, "cboBookingUDF")->currentIndex(), 0);   // nothing stored: id 1

        control<QComboBox>(ui, "cboBookingUDF")->setCurrentIndex(2);
        page->SavePage();
        QCOMPARE(bookingColumn(QStringLiteral("BookingUDFID")).toLongLong(), walkIn);
        page->ShowPage();
        QCOMPARE(control<QComboBox>(ui, "cboBookingUDF")->currentText(), QStringLiteral("Walk-in"));

        // A stored choice that no longer exists selects nothing and stores 1.
        objConn.execute(QStringLiteral("DELETE FROM BookingUDF WHERE id = ?"), {walkIn});
        page->ShowPage();
        QCOMPARE(control<QComboBox>(ui, "cboBookingUDF")->currentIndex(), -1);
        page->SavePage();
        QCOMPARE(bookingColumn(QStringLiteral("BookingUDFID")).toInt(), 1);
    }

    void longTitlesEndInEllipsis()
    {
        // A title too long for its column ends in an ellipsis before the
        // input begins and shows whole in its tip; one that fits is as it is.
        const QString title = QStringLiteral("Preferred arrival transport and special dietary requirements");
        addField(title, QStringLiteral("text"), 1);
        addField(QStringLiteral("VIP"), QStringLiteral("checkbox"), 2);
        SaveConfigFlag(QStringLiteral("EnableCustomField"), true);
        SaveConfigText(QStringLiteral("CustomFieldTitle"), title);
        showPage();
        const struct {
            QLabel* label;
            QWidget* input;
        } titles[] = {{page->lblCustom[0], page->txtCustom[0]},
                      {control<QLabel>(ui, "lblLabels_17"), control<QComboBox>(ui, "cboBookingUDF")}};
        for (const auto& t : titles) {
            const QString shown = t.label->text();
            QVERIFY2(shown.endsWith(QChar(0x2026)) && title.startsWith(shown.chopped(1)), qPrintable(shown));
            QCOMPARE(t.label->toolTip(), title + u':');
            QVERIFY(t.label->fontMetrics().horizontalAdvance(shown) <= t.label->contentsRect().width());
            QVERIFY(t.label->mapTo(page, QPoint(t.label->width(), 0)).x() <= t.input->mapTo(page, QPoint(0, 0)).x());
        }
        QCOMPARE(page->lblCustom[1]->text(), QStringLiteral("VIP:"));
        QVERIFY(page->lblCustom[1]->toolTip().isEmpty());
    }

    void customFieldsRoundTripWithoutDuplicates()
    {
        const qint64 notes = addField(QStringLiteral("Notes"), QStringLiteral("text"), 1);
        const qint64 vip = addField(QStringLiteral("VIP"), QStringLiteral("CheckBox"), 2);
        const qint64 diet = addField(QStringLiteral("Diet"), QStringLiteral("COMBOBOX"), 3,
                                     {QStringLiteral("Vegan"), QStringLiteral("None"), QStringLiteral("Halal")});
        addField(QString(), QString(), 4);
        showPage();

        // Labels by place among all fields, inputs by place among their kind.
        QCOMPARE(page->lblCustom.size(), 4);
        QCOMPARE(page->txtCustom.size(), 2);
        QCOMPARE(page->chkCustom.size(), 1);
        QCOMPARE(page->cboCustom.size(), 1);
        QCOMPARE(page->lblCustom[1]->text(), QStringLiteral("VIP:"));
        QCOMPARE(page->lblCustom[3]->text(), QStringLiteral(":"));
        const int labelTop1 = page->lblCustom[0]->y() + Twips::toPx(255 + 80);
        QVERIFY(qAbs(page->lblCustom[1]->y() - labelTop1) <= 1);
        QVERIFY(qAbs(page->chkCustom[0]->y() - (labelTop1 - Twips::toPx(20))) <= 1);
        QCOMPARE(page->cboCustom[0]->count(), 3);
        QCOMPARE(page->cboCustom[0]->itemText(0), QStringLiteral("Halal"));
        QCOMPARE(page->cboCustom[0]->currentIndex(), 0);
        // The custom inputs follow the e-mail box in the tab order.
        control<QLineEdit>(ui, "txtEmail")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control<QLineEdit>(ui, "txtEmail"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(page->txtCustom[0]));

        typeInto(page->txtCustom[0], QStringLiteral("Late 'arrival' \"maybe\""));
        page->chkCustom[0]->setChecked(true);
        page->cboCustom[0]->setCurrentIndex(2);
        page->SavePage();
        const qint64 customerId = bookingColumn(QStringLiteral("customerid")).toLongLong();
        const QString dataOf = QStringLiteral("SELECT data FROM CustomerUDFData WHERE CustomerID = ? AND CustomerUDFID = ?");
        QCOMPARE(objConn.scalar(dataOf, {customerId, notes}).toString(), QStringLiteral("Late 'arrival' \"maybe\""));
        QCOMPARE(objConn.scalar(dataOf, {customerId, vip}).toString(), QStringLiteral("1"));
        QCOMPARE(objConn.scalar(dataOf, {customerId, diet}).toString(), QStringLiteral("Vegan"));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM CustomerUDFData")), 4);

        // Shown again: rebuilt once, values back; saved again: still one row each.
        page->ShowPage();
        page->ShowPage();
        QCOMPARE(page->lblCustom.size(), 4);
        QCOMPARE(page->cboCustom[0]->count(), 3);
        QCOMPARE(page->findChildren<QLineEdit*>(QStringLiteral("txtCustom_1")).size(), 1);
        QCOMPARE(page->txtCustom[0]->text(), QStringLiteral("Late 'arrival' \"maybe\""));
        QVERIFY(page->chkCustom[0]->isChecked());
        QCOMPARE(page->cboCustom[0]->currentText(), QStringLiteral("Vegan"));
        page->chkCustom[0]->setChecked(false);
        page->SavePage();
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM CustomerUDFData")), 4);
        QCOMPARE(objConn.scalar(dataOf, {customerId, vip}).toString(), QStringLiteral("0"));

        // Values that no longer fit: unticked and the first choice.
        objConn.execute(QStringLiteral("UPDATE CustomerUDFData SET data = 'yes' WHERE CustomerUDFID = ?"), {vip});
        objConn.execute(QStringLiteral("UPDATE CustomerUDFData SET data = 'Kosher' WHERE CustomerUDFID = ?"), {diet});
        page->ShowPage();
        QVERIFY(!page->chkCustom[0]->isChecked());
        QCOMPARE(page->cboCustom[0]->currentText(), QStringLiteral("Halal"));
    }

    void missingCustomerRowIsReplaced()
    {
        objConn.execute(QStringLiteral("UPDATE booking SET customerid = 999 WHERE id = ?"), {iBookingID});
        showPage();
        QCOMPARE(control<QLineEdit>(ui, "txtNoAdults")->text(), QStringLiteral("2"));
        typeInto(control<QLineEdit>(ui, "txtFirstname"), QStringLiteral("Kept"));
        page->SavePage();
        const qint64 customerId = bookingColumn(QStringLiteral("customerid")).toLongLong();
        QVERIFY(customerId != 999);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT FirstName FROM customer WHERE ID = ?"), {customerId}).toString(),
                 QStringLiteral("Kept"));
    }
};

TARLOMY_GUI_TEST_MAIN(TestCustomerPage)
#include "tst_customerpage.moc"
