// The booking wizard's driver and its dates page, driven through the main window.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "widgets/grid.h"
#include "core/bookingstore.h"
#include "booking/frmfindbooking.h"
#include "booking/datespage.h"
#include "booking/unitspage.h"
#include "booking/wizardpage.h"
#include "calendar/arrivalspanel.h"
#include "reports/financesummary.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "core/modmain.h"
#include "core/settings.h"

#include <QAction>
#include <QTableView>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolBar>

namespace {

int count(const QString& sql, const QVariantList& params = {})
{
    return objConn.scalar(sql, params).toInt();
}

QString bookingField(const char* column, qint32 id)
{
    return objConn.scalar(QStringLiteral("SELECT %1 FROM booking WHERE id = ?").arg(QLatin1String(column)), {id})
        .toString();
}

qint64 roomId(const QString& name)
{
    return objConn.scalar(QStringLiteral("SELECT id FROM room WHERE name = ?"), {name}).toLongLong();
}

const QString kDateMessage = QStringLiteral(
    "Departure date must be after the Arrival date. Please change the Departure date and try again.");

}  // namespace

class TestWizard : public DbTest {
    Q_OBJECT

private:
    BookingWizard* wiz() const { return main->booking(); }
    void setDates(const QDate& from, const QTime& fromTime, const QDate& to, const QTime& toTime)
    {
        DatesPage* d = wiz()->dates();
        control<QDateEdit>(d, "dtFromDate")->setDate(from);
        control<QTimeEdit>(d, "dtFromTime")->setTime(fromTime);
        control<QDateEdit>(d, "dtToDate")->setDate(to);
        control<QTimeEdit>(d, "dtToTime")->setTime(toTime);
    }
    QListWidget* rooms() const { return control<QListWidget>(wiz(), "lstRooms"); }

private slots:
    void init() { resetProgramState(); }

    void addBookingCreatesPlaceholder();
    void resumesBookingInProgress();
    void datePrecondition();
    void nextBackAndLabels();
    void cancelBooking();
    void cancelledBookingWasNeverIncome_data();
    void cancelledBookingWasNeverIncome();
    void deletedElsewhereStartsAfresh();
    void notesSavedOnFocusLoss();
    void editAndFindReplaceBookingInProgress();
};

void TestWizard::addBookingCreatesPlaceholder()
{
    showMain();
    QTest::mouseClick(main->findChild<QToolBar*>()->widgetForAction(main->findChild<QAction*>("tbAddReservation")),
                      Qt::LeftButton);
    const QDate today = QDate::currentDate();
    QCOMPARE(bookingField("fromdate", iBookingID), today.toString(Qt::ISODate) + QStringLiteral(" 09:00:00"));
    QCOMPARE(bookingField("todate", iBookingID), today.addDays(1).toString(Qt::ISODate) + QStringLiteral(" 14:00:00"));
    QCOMPARE(iBookingStep, 0);
    QVERIFY(wiz()->dates()->isVisible() && !wiz()->units()->isVisible());
    QVERIFY(!wiz()->cmdBack[0]->isEnabled() && !wiz()->cmdBack[1]->isEnabled());
    QVERIFY(wiz()->lblStep[0]->font().bold() && !wiz()->lblStep[1]->font().bold());
    QCOMPARE(control<QTimeEdit>(wiz(), "dtToTime")->time(), QTime(14, 0));

    // The times come from the settings; an unreadable one gives the default.
    DoCancel(iBookingID);
    SaveConfigText(QStringLiteral("CheckinTime"), QStringLiteral("3:30 PM"));
    SaveConfigText(QStringLiteral("CheckoutTime"), QStringLiteral("noon-ish"));
    main->mnuReservationAdd_Click();
    QCOMPARE(bookingField("fromdate", iBookingID).mid(11), QStringLiteral("15:30:00"));
    QCOMPARE(bookingField("todate", iBookingID).mid(11), QStringLiteral("14:00:00"));
}

void TestWizard::resumesBookingInProgress()
{
    showMain();
    main->mnuReservationAdd_Click();
    const qint32 id = iBookingID;
    control<QLineEdit>(wiz(), "txtBookedBy")->setText(QStringLiteral("Typed, never saved"));
    main->mnuCalendar_Click();
    QVERIFY(!wiz()->isVisible());

    main->mnuReservationAdd_Click();
    QCOMPARE(iBookingID, id);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM booking")), 1);
    QCOMPARE(control<QLineEdit>(wiz(), "txtBookedBy")->text(), QString());   // reloaded from the database

    wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingStep, 1);
    main->mnuReservationsArrivals_Click();
    main->mnuReservationAdd_Click();
    QCOMPARE(iBookingID, id);
    QCOMPARE(iBookingStep, 1);
    QVERIFY(wiz()->units()->isVisible() && !wiz()->dates()->isVisible());
}

void TestWizard::datePrecondition()
{
    showMain();
    main->mnuReservationAdd_Click();
    const QDate d(2030, 5, 10);
    auto& boxes = *fakes().messageBoxes;

    // Same day, 9:00 AM to 2:00 PM: allowed.
    setDates(d, QTime(9, 0), d, QTime(14, 0));
    QVERIFY(wiz()->CheckPerformBookingStep_Preconditions());
    QVERIFY(boxes.shown.isEmpty());

    struct Bad { QDate to; QTime toTime; };
    for (const Bad& bad : {Bad{d.addDays(-1), QTime(14, 0)},   // departure day before arrival
                           Bad{d, QTime(9, 0)},                // equal
                           Bad{d, QTime(8, 0)}}) {             // time alone before arrival
        boxes.clear();
        setDates(d, QTime(9, 0), bad.to, bad.toTime);
        wiz()->cmdNext_Click(1);
        QCOMPARE(iBookingStep, 0);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.lastPrompt(), kDateMessage);
        QCOMPARE(boxes.shown.last().style, vbExclamation | vbOKOnly);
    }
    // Nothing was saved, and a step label is refused the same way.
    QCOMPARE(bookingField("todate", iBookingID).left(10), QDate::currentDate().addDays(1).toString(Qt::ISODate));
    boxes.clear();
    QTest::mouseClick(wiz()->lblStep[2], Qt::LeftButton);
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(boxes.lastPrompt(), kDateMessage);

    // Saved: the day of each date field with the time of its time field.
    control<QDateEdit>(wiz(), "dtFromDate")->setDateTime(QDateTime(d, QTime(23, 0)));
    control<QTimeEdit>(wiz(), "dtFromTime")->setTime(QTime(15, 45, 30));
    control<QDateEdit>(wiz(), "dtToDate")->setDateTime(QDateTime(d.addDays(2), QTime(1, 0)));
    control<QTimeEdit>(wiz(), "dtToTime")->setTime(QTime(10, 15));
    control<QLineEdit>(wiz(), "txtBookedBy")->setText(QStringLiteral("O'Brien"));
    wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingStep, 1);
    QCOMPARE(bookingField("fromdate", iBookingID), QStringLiteral("2030-05-10 15:45:30"));
    QCOMPARE(bookingField("todate", iBookingID), QStringLiteral("2030-05-12 10:15:00"));
    QCOMPARE(bookingField("bookedby", iBookingID), QStringLiteral("O'Brien"));
}

void TestWizard::nextBackAndLabels()
{
    showMain();
    main->mnuReservationAdd_Click();
    wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingStep, 1);
    for (QPushButton* b : wiz()->cmdBack)
        QVERIFY(b->isEnabled());

    // Back on page 1 saves the units chosen.
    rooms()->item(0)->setSelected(false);
    rooms()->item(2)->setSelected(true);
    QTest::mouseClick(wiz()->cmdBack[1], Qt::LeftButton);
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM bookingroom WHERE bookingid = ? AND roomid = ?"),
                   {iBookingID, roomId(QStringLiteral("Room 3"))}),
             1);

    // The label of the current step saves the page and shows it again.
    QTest::mouseClick(wiz()->lblStep[1], Qt::LeftButton);
    QCOMPARE(iBookingStep, 1);
    rooms()->item(3)->setSelected(true);
    QTest::mouseClick(wiz()->lblStep[1], Qt::LeftButton);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM bookingroom WHERE bookingid = ?"), {iBookingID}), 2);
    QCOMPARE(rooms()->selectedItems().size(), 2);

    // Forward to the confirmation page: its Next is Confirm; Back returns to page 3.
    QTest::mouseClick(wiz()->lblStep[4], Qt::LeftButton);
    QCOMPARE(iBookingStep, 4);
    QVERIFY(wiz()->page(4)->isVisible() && wiz()->lblStep[4]->font().bold());
    QCOMPARE(wiz()->cmdNext[0]->text(), QStringLiteral("&Confirm"));
    QCOMPARE(wiz()->cmdNext[1]->text(), QStringLiteral("Confirm"));
    QTest::mouseClick(wiz()->cmdBack[0], Qt::LeftButton);
    QCOMPARE(iBookingStep, 3);
    QVERIFY(wiz()->page(3)->isVisible());
    QCOMPARE(wiz()->cmdNext[0]->text(), QStringLiteral("&Next"));
    QVERIFY(fakes().messageBoxes->shown.isEmpty());

    // Next by its shortcut from a box of page 2: the focus goes on to page 3.
    QTest::mouseClick(wiz()->lblStep[2], Qt::LeftButton);
    QVERIFY(wiz()->page(2)->isAncestorOf(QApplication::focusWidget()));
    wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingStep, 3);
    QVERIFY(wiz()->page(3)->isAncestorOf(QApplication::focusWidget()));

    // Confirm leaves no booking in progress; the next Add Booking starts another.
    const qint32 first = iBookingID;
    wiz()->cmdNext_Click(0);
    wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingID, 0);
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM bookingroom WHERE bookingid = ?"), {first}), 2);
    main->mnuReservationAdd_Click();
    QVERIFY(iBookingID > first);
    QVERIFY(wiz()->dates()->isVisible());
}

void TestWizard::cancelBooking()
{
    showMain();
    main->mnuReservationAdd_Click();
    wiz()->cmdNext_Click(0);
    rooms()->item(1)->setSelected(true);
    wiz()->cmdNext_Click(0);
    const qint32 id = iBookingID;
    objConn.insert(QStringLiteral("invoiceline"), {{QStringLiteral("bookingid"), id}, {QStringLiteral("itemid"), 1}});
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM bookingroom WHERE bookingid = ?"), {id}), 2);

    auto& boxes = *fakes().messageBoxes;
    boxes.answers = {vbNo};
    QTest::mouseClick(control<QPushButton>(wiz(), "cmdCancel"), Qt::LeftButton);
    QCOMPARE(boxes.lastPrompt(), QStringLiteral("Are you sure you want to cancel (delete) this reservation?"));
    QCOMPARE(boxes.shown.last().style, vbYesNo | vbQuestion);
    QCOMPARE(iBookingID, id);
    QVERIFY(wiz()->isVisible());

    boxes.answers = {vbYes};
    QTest::mouseClick(control<QPushButton>(wiz(), "cmdCancel"), Qt::LeftButton);
    QCOMPARE(iBookingID, 0);
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM booking WHERE id = ?"), {id}), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM bookingroom WHERE bookingid = ?"), {id}), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM invoiceline WHERE bookingid = ?"), {id}), 0);
    QVERIFY(main->arrivals()->isVisible());
    QVERIFY(!wiz()->isVisible());
}

namespace {

QStringList financeSummary()
{
    QStringList lines;
    FinanceSummaryLines(&lines);
    return lines;
}

}  // namespace

void TestWizard::cancelledBookingWasNeverIncome_data()
{
    // How far the booking got before it was cancelled: the payment step
    // seeds its lines, a tip and a line added there are charged too.
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("confirmed");   // then cancelled from the arrivals list
    QTest::newRow("abandoned on the payment step") << 3 << false;
    QTest::newRow("abandoned on the confirmation step") << 4 << false;
    QTest::newRow("confirmed, cancelled from the arrivals list") << 4 << true;
}

void TestWizard::cancelledBookingWasNeverIncome()
{
    QFETCH(int, step);
    QFETCH(bool, confirmed);
    showMain();
    // An earlier stay, a line left by a customer deleted after their stay, and
    // a default item every new booking is charged.
    const qint32 earlier = addBooking("2030-01-07 14:00:00", "2030-01-09 10:00:00", {}, {roomId("Room 1")});
    addLine(earlier, 2, "95", 10, QStringLiteral("Sales Tax"));
    addLine(9999, 1, "40", 10, QStringLiteral("Sales Tax"));
    insertRow("item", {{"name", "Towels"}, {"SaleAmount", 50000}, {"TaxRateID", 2}, {"IsDefault", 1}});
    const QStringList before = financeSummary();

    main->mnuReservationAdd_Click();
    const qint32 id = iBookingID;
    wiz()->cmdNext_Click(0);
    rooms()->item(2)->setSelected(true);
    wiz()->cmdNext_Click(0);
    control<QLineEdit>(wiz(), "txtFirstname")->setText(QStringLiteral("Ann"));
    wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingStep, 3);
    control<QLineEdit>(wiz(), "txtTip")->setText(QStringLiteral("5"));
    addLine(id, 1, "20", 0, QString(), {{"itemid", 2}, {"name", "Late checkout"}});
    if (step == 4)
        wiz()->cmdNext_Click(0);
    QCOMPARE(iBookingStep, step);
    QVERIFY(count(QStringLiteral("SELECT count(*) FROM invoiceline WHERE bookingid = ?"), {id}) >= 3);
    QVERIFY(financeSummary() != before);

    auto& boxes = *fakes().messageBoxes;
    boxes.answers = {vbYes};
    if (confirmed) {
        wiz()->cmdNext_Click(0);
        QCOMPARE(iBookingID, 0);
        QTableView* g = control<QTableView>(main->arrivals(), "gArrivals");
        for (int r = 0; r < GridRowCount(g); ++r)
            if (GridRowData(g, r) == id)
                GridSelectRow(g, r);
        QTest::mouseClick(control<QPushButton>(main->arrivals(), "cmdSimpleCalCancel"), Qt::LeftButton);
        QCOMPARE(boxes.lastPrompt(), QStringLiteral("Are you sure you want to cancel this booking?"));
    } else {
        QTest::mouseClick(control<QPushButton>(wiz(), "cmdCancel"), Qt::LeftButton);
        QCOMPARE(iBookingID, 0);
    }
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM booking WHERE id = ?"), {id}), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM invoiceline WHERE bookingid = ?"), {id}), 0);
    QCOMPARE(financeSummary(), before);
    // The customer stays.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM customer WHERE FirstName = 'Ann'")), 1);
}

void TestWizard::deletedElsewhereStartsAfresh()
{
    showMain();
    main->mnuReservationAdd_Click();
    wiz()->cmdNext_Click(0);
    wiz()->cmdNext_Click(0);
    const qint32 gone = iBookingID;
    main->mnuReservationsArrivals_Click();
    DoCancel(gone);
    QCOMPARE(iBookingID, gone);   // DoCancel leaves the wizard alone

    main->mnuReservationAdd_Click();
    QVERIFY(iBookingID != gone);
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM booking WHERE id = ?"), {iBookingID}), 1);
    QVERIFY(wiz()->dates()->isVisible());
}

void TestWizard::notesSavedOnFocusLoss()
{
    showMain();
    main->mnuReservationAdd_Click();
    auto* notes = control<QPlainTextEdit>(wiz(), "txtBookingNotes");
    notes->setFocus();
    QTRY_VERIFY(notes->hasFocus());
    QTest::keyClicks(notes, QStringLiteral("Guest's dog"));
    QTest::keyClick(notes, Qt::Key_Tab);   // leaves the box, as in every other box
    QVERIFY(!notes->hasFocus());
    QCOMPARE(bookingField("notes", iBookingID), QStringLiteral("Guest's dog"));

    // Leaving the wizard for another view while typing keeps the notes too.
    notes->setFocus();
    QTest::keyClicks(notes, QStringLiteral(", barks"));
    main->mnuCalendar_Click();
    QCOMPARE(bookingField("notes", iBookingID), QStringLiteral("Guest's dog, barks"));
    main->mnuReservationAdd_Click();
    QCOMPARE(notes->toPlainText(), QStringLiteral("Guest's dog, barks"));
}

void TestWizard::editAndFindReplaceBookingInProgress()
{
    showMain();
    const qint32 existing = qint32(objConn.insert(
        QStringLiteral("booking"), {{QStringLiteral("fromdate"), QStringLiteral("2030-07-01 15:00:00")},
                                    {QStringLiteral("todate"), QStringLiteral("2030-07-04 11:00:00")},
                                    {QStringLiteral("notes"), dbNull()}}));
    main->mnuReservationAdd_Click();
    const qint32 placeholder = iBookingID;
    wiz()->cmdNext_Click(0);

    // Find closed without a choice changes nothing.
    onNextDialog([](QWidget* dlg) { static_cast<QDialog*>(dlg)->reject(); });
    main->mnuReservationFind_Click();
    QCOMPARE(iBookingID, placeholder);
    QCOMPARE(iBookingStep, 1);

    // The search lists bookings with a customer.
    objConn.execute(QStringLiteral("UPDATE booking SET customerid = ? WHERE id = ?"),
                    {insertRow("customer", {{"FirstName", "Ann"}}), existing});
    onNextDialogOf<frmFindBooking>([existing](frmFindBooking* dlg) {
        control<QCheckBox>(dlg, "chkArrive")->setChecked(false);
        const QDate day = BookingStore::read(existing)->from.date();
        control<QDateEdit>(dlg, "dtArrive")->setDate(day);
        QTest::mouseClick(control<QPushButton>(dlg, "cmdOk"), Qt::LeftButton);
        QTableView* g = control<QTableView>(dlg, "gres");
        for (int r = 0; r < GridRowCount(g); ++r)
            if (GridRowData(g, r) == existing)
                GridSelectRow(g, r);
        QTest::mouseClick(control<QPushButton>(dlg, "cmdEditCustomer"), Qt::LeftButton);
        if (dlg->isVisible())
            dlg->reject();
    });
    main->mnuReservationFind_Click();
    QCOMPARE(iBookingID, existing);
    QCOMPARE(iBookingStep, 4);
    QVERIFY(wiz()->page(4)->isVisible());

    main->DoEditBooking(existing);
    QCOMPARE(iBookingID, existing);
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(control<QDateEdit>(wiz(), "dtFromDate")->date(), QDate(2030, 7, 1));
    QCOMPARE(control<QTimeEdit>(wiz(), "dtToTime")->time(), QTime(11, 0));
    QCOMPARE(control<QPlainTextEdit>(wiz(), "txtBookingNotes")->toPlainText(), QString());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM booking WHERE id = ?"), {placeholder}), 1);
}

TARLOMY_GUI_TEST_MAIN(TestWizard)
#include "tst_wizard.moc"
