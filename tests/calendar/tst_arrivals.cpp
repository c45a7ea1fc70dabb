// The arrivals list of a day: which bookings it lists and how, its orders,
// and what its buttons do.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "calendar/arrivalspanel.h"
#include "calendar/bookinglist.h"
#include "calendar/frmbookingsummary.h"
#include "calendar/calendarpanel.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "widgets/lists.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QStyle>
#include "core/settings.h"
#include <QTableView>

class TestArrivals : public DbTest {
    Q_OBJECT

    ArrivalsPanel* panel = nullptr;

    QTableView* grid() { return panel->findChild<QTableView*>("gArrivals"); }
    QCalendarWidget* calendar() { return panel->findChild<QCalendarWidget*>("dtCalendar"); }
    void click(const char* button) { QTest::mouseClick(panel->findChild<QPushButton*>(button), Qt::LeftButton); }

    static qint32 customer(const QVariant& first, const QVariant& last)
    {
        return qint32(objConn.insert("customer", {{"FirstName", first}, {"LastName", last}}));
    }
    // Units of the default database: 1 "Room 1" .. 4 "Room 4", 5 "Suite".
    static qint32 booking(qint32 customerId, const QString& from, const QString& to, QList<int> rooms = {1})
    {
        const qint32 id = qint32(objConn.insert("booking", {{"customerid", customerId}, {"fromdate", from}, {"todate", to}}));
        for (int room : rooms)
            objConn.insert("bookingroom", {{"bookingid", id}, {"roomid", room}});
        return id;
    }
    // Clicks a day as the user does; each row as "id|name|units|arrival|departure".
    QStringList day(const QDate& d)
    {
        calendar()->setSelectedDate(d);
        emit calendar()->clicked(d);
        QStringList rows;
        for (int r = 0; r < GridRowCount(grid()); ++r)
            rows << QStringLiteral("%1|%2|%3|%4|%5").arg(GridRowData(grid(), r)).arg(GridText(grid(), r, 0),
                    GridText(grid(), r, 1), GridText(grid(), r, 2), GridText(grid(), r, 3));
        return rows;
    }
    QString column(const QDate& d, int c) { return day(d).replaceInStrings(QRegularExpression("^([^|]*\\|){" + QString::number(c) + "}([^|]*).*"), "\\2").join('/'); }

private slots:
    void init()
    {
        resetProgramState();
        panel = loadMain().arrivals();
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A day with more bookings than one page: the first page comes at once,
    // scrolling writes out the rest in order, the bookings without units
    // last, and the booking of a row far down is the one acted on.
    void longDayLoadsAsScrolled()
    {
        const qint32 c = customer("Ann", "Lee");
        QList<qint64> expected, noUnits;
        {
            Connection::Transaction t(objConn);
            for (int i = 0; i < 30; ++i)
                noUnits << booking(c, "2025-03-10 09:00:00", "2025-03-10 18:00:00", {});
            for (int i = 0; i < 150; ++i)
                expected << booking(c, QStringLiteral("2025-03-10 %1:%2:00").arg(i / 60 + 10).arg(i % 60, 2, 10, QLatin1Char('0')),
                                    "2025-03-12 10:00:00", {1 + i % 5});
            t.commit();
        }
        expected += noUnits;
        calendar()->setSelectedDate(QDate(2025, 3, 10));
        emit calendar()->clicked(QDate(2025, 3, 10));
        QVERIFY(GridRowCount(grid()) < 180);
        QCOMPARE(GridCurrentRowData(grid()), expected.first());
        for (int tries = 0; tries < 10 && GridRowCount(grid()) < 180; ++tries) {
            grid()->scrollToBottom();
            QCoreApplication::processEvents();
        }
        QList<qint64> listed;
        for (int r = 0; r < GridRowCount(grid()); ++r)
            listed << GridRowData(grid(), r);
        QCOMPARE(listed, expected);
        QCOMPARE(GridText(grid(), 179, 1), "(None)");

        GridSelectRow(grid(), 160);
        fakes().messageBoxes->answers << vbYes;
        click("cmdSimpleCalCancel");
        QVERIFY(!objConn.scalar("SELECT id FROM booking WHERE id = ?", {expected.at(160)}).isValid());
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM booking").toInt(), 179);
    }

    void listsStaysThatTouchTheDay()
    {
        const qint32 c = customer("Ann", "Lee");
        const qint32 stay = booking(c, "2025-03-10 14:00:00", "2025-03-12 10:00:00");
        booking(c, "2025-03-09 12:00:00", "2025-03-10 00:00:00");   // departs at midnight
        booking(c, "2025-03-11 00:00:00", "2025-03-11 23:59:59");   // the whole of one day
        booking(c, "2025-03-09 10:00:00", "2025-03-09 23:59:59");   // the day before only
        booking(c, "2025-03-13 00:00:00", "2025-03-14 10:00:00");   // the day after only

        QCOMPARE(day(QDate(2025, 3, 10)), QStringList({
            "2|Ann Lee (Departing)|Room 1|3/9/2025 12:00 PM|3/10/2025 12:00 AM",
            QStringLiteral("%1|Ann Lee (Arriving)|Room 1|3/10/2025 2:00 PM|3/12/2025 10:00 AM").arg(stay)}));
        QCOMPARE(column(QDate(2025, 3, 11), 1), "Ann Lee/Ann Lee (Arriving) (Departing)");
        QCOMPARE(column(QDate(2025, 3, 12), 1), "Ann Lee (Departing)");
        QVERIFY(grid()->currentIndex().row() == 0 && grid()->selectionModel()->isSelected(grid()->model()->index(0, 3)));
        QCOMPARE(grid()->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

        // The locale's short date, but always the 12-hour clock.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(column(QDate(2025, 3, 12), 3), "10/03/2025 2:00 PM");
    }

    void namesUnitsAndMissingRows()
    {
        booking(customer(QVariant(), QVariant()), "2025-03-10 08:00:00", "2025-03-20 10:00:00", {2, 1, 1});
        booking(customer("", "Smith"), "2025-03-10 09:00:00", "2025-03-20 10:00:00", {3});
        const qint32 none = booking(customer("Kim", "Ray"), "2025-03-01 07:05:00", "2025-03-20 18:30:00", {});
        booking(customer("Gone", "Unit"), "2025-03-10 09:00:00", "2025-03-20 10:00:00", {99});
        booking(4242, "2025-03-10 09:00:00", "2025-03-20 10:00:00");   // its customer row is missing
        objConn.execute("UPDATE room SET Name = 'Room 1' WHERE id = 4");
        booking(customer("Two", "Same"), "2025-03-10 10:00:00", "2025-03-20 10:00:00", {1, 4});

        const QStringList rows = day(QDate(2025, 3, 15));
        QCOMPARE(column(QDate(2025, 3, 15), 1), "No name entered/ Smith/Two Same/Kim Ray");
        QCOMPARE(column(QDate(2025, 3, 15), 2), "Room 1, Room 2/Room 3/Room 1/(None)");
        QCOMPARE(rows.last(), QStringLiteral("%1|Kim Ray|(None)|7:05 AM|6:30 PM").arg(none));
    }

    // The arrival and departure show whole in the locale's format, at any
    // window size and whatever widths the settings kept; the units show whole
    // where half of what the dates leave holds them; a name wider than its
    // column ends in "..." and shows whole in its tip.
    void datesShowWholeNamesElide_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("earlier");   // bookings of the day listed before the two
        for (const char* locale : {"en_US", "de_DE", "en_GB"})
            for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)})
                QTest::addRow("%s %dx%d", locale, size.width(), size.height()) << QString::fromLatin1(locale) << size << 0;
        for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)})
            QTest::addRow("long day %dx%d", size.width(), size.height()) << QStringLiteral("en_US") << size << 120;
    }
    void datesShowWholeNamesElide()
    {
        QFETCH(QString, locale);
        QFETCH(QSize, size);
        QFETCH(int, earlier);
        QLocale::setDefault(QLocale(locale));
        objConn.execute("UPDATE room SET Name = 'Kingfisher''s Garden Suite with Sea View' WHERE id = 5");
        for (int i = 0; i < earlier; ++i)
            booking(customer("Al", "Fox"), "2026-12-29 06:00:00", "2026-12-30 08:00:00", {3});
        const QString name = QStringLiteral("Alexandrina Seraphina Wilhelmina Featherstonehaugh-Lancaster");
        QCOMPARE(name.size(), 60);
        const qint32 c = customer(name.left(32), name.mid(33));
        booking(c, "2026-12-29 22:58:00", "2027-12-30 10:30:00", {5, 1});
        booking(customer("Bo", "Li"), "2026-12-29 10:30:00", "2026-12-30 12:00:00", {2});
        frmMain& m = *main;
        m.setWindowState(Qt::WindowNoState);
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.resize(size);
        QVERIFY(QTest::qWaitFor([&] { return m.size() == size; }, 2000));
        QCoreApplication::processEvents();

        QTableView* g = grid();
        const QFontMetrics fm(g->font());
        const int margin = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1);
        const auto check = [&](const char* when) {
            QCOMPARE(GridRowCount(g), earlier ? std::min(GridRowCount(g), earlier) : 2);
            int total = 0;
            for (int col = 0; col < 4; ++col)
                total += g->columnWidth(col);
            QVERIFY2(total <= g->viewport()->width(), when);
            // The unit names of the whole day fit, read or not yet.
            for (const char* units : {"Kingfisher's Garden Suite with Sea View, Room 1", "Room 2"})
                QVERIFY2(fm.horizontalAdvance(QString::fromLatin1(units)) + margin <= g->columnWidth(1), when);
            if (earlier)
                return;
            for (int r = 0; r < 2; ++r) {
                for (int col : {2, 3})
                    QVERIFY2(fm.horizontalAdvance(GridText(g, r, col)) + margin <= g->columnWidth(col),
                             qPrintable(QStringLiteral("%1: %2 in %3 px").arg(when, GridText(g, r, col))
                                            .arg(g->columnWidth(col))));
                QVERIFY2(fm.horizontalAdvance(GridText(g, r, 1)) + margin <= g->columnWidth(1), when);
                const QModelIndex cell = g->model()->index(r, 0);
                QCOMPARE(cell.data(Qt::ToolTipRole).toString(), cell.data().toString());
            }
            QVERIFY(GridText(g, 1, 0).startsWith(name));
            QCOMPARE(g->textElideMode(), Qt::ElideRight);
        };
        day(QDate(2026, 12, 29));
        check("filled");
        if (QTest::currentTestFailed())
            return;
        // Widths kept from a narrower window: the dates still show whole.
        for (int col = 0; col < 4; ++col)
            SaveConfigText(QStringLiteral("gArrivalsColWidth%1").arg(col), QStringLiteral("300"));
        panel->LoadLayout();
        check("layout loaded");
    }

    void sortOrders()
    {
        const qint32 early = booking(customer("bob", "Zed"), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {5, 2});
        const qint32 late = booking(customer("Al", "Young"), "2025-03-10 16:00:00", "2025-03-11 10:00:00", {3});
        const qint32 twin = booking(customer("Al", "Young"), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {4});
        const qint32 none = booking(customer("Aa", "Aa"), "2025-03-09 14:00:00", "2025-03-12 10:00:00", {});
        auto ids = [&](int sort) {
            SetListIndex(panel->findChild<QComboBox*>("cboSimpleCalSort"), sort);
            return column(QDate(2025, 3, 10), 0);
        };
        auto list = [](std::initializer_list<qint32> l) { QStringList s; for (qint32 i : l) s << QString::number(i); return s.join('/'); };
        QCOMPARE(ids(0), list({early, twin, late, none}));
        QCOMPARE(ids(1), list({late, twin, early, none}));
        // By unit, a booking whose units lie apart is listed once, at its first.
        QCOMPARE(ids(2), list({early, late, twin, none}));
        QCOMPARE(GridText(grid(), 0, 1), "Room 2, Suite");
    }

    // Read a page at a time, each order lists what it lists read at once:
    // names tied but for case, a Null and an empty first name, a nameless
    // unit and unit names tied but for case, across every page boundary.
    void pagesKeepEachOrder_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("expected");   // booking letters in list order
        QTest::newRow("time") << int(BookingOrder::Time) << "EBCDAFG";
        QTest::newRow("name") << int(BookingOrder::Name) << "ABCDEFG";
        QTest::newRow("unit") << int(BookingOrder::Unit) << "DEACBFG";
    }
    void pagesKeepEachOrder()
    {
        QFETCH(int, order);
        QFETCH(QString, expected);
        objConn.execute("UPDATE room SET Name = NULL WHERE id = 4");
        objConn.execute("UPDATE room SET Name = 'ROOM 2' WHERE id = 3");
        const QString to = "2025-03-12 10:00:00";
        const QHash<qint32, QChar> letters = {
            {booking(customer(QVariant(), "Zed"), "2025-03-10 15:00:00", to, {2}), u'A'},
            {booking(customer("", "Ames"), "2025-03-10 14:00:00", to, {5}), u'B'},
            {booking(customer("al", "Young"), "2025-03-10 14:00:00", to, {3}), u'C'},
            {booking(customer("Al", "Young"), "2025-03-10 14:00:00", to, {4}), u'D'},
            {booking(customer("Al", "young"), "2025-03-10 13:00:00", to, {5, 1}), u'E'},
            {booking(customer("Aa", "Aa"), "2025-03-10 09:00:00", to, {}), u'F'},
            {booking(customer("Ab", "Ab"), "2025-03-10 08:00:00", to, {}), u'G'}};
        for (int limit : {1, 2, 3, 50}) {
            QString listed;
            QVariantList key;
            for (;;) {
                const QList<BookingListEntry> page =
                    ReadBookingsOfDay(QDate(2025, 3, 10), BookingOrder(order), key.isEmpty() ? nullptr : &key, limit);
                for (const BookingListEntry& b : page)
                    listed += letters.value(b.id);
                if (page.size() < limit)
                    break;
                key = page.last().key;
            }
            QCOMPARE(listed, expected);
        }
    }

    void emptyDayRefusesEveryAction()
    {
        booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-12 10:00:00");
        QCOMPARE(day(QDate(2024, 1, 1)), QStringList({"-1|No reservations exist for this date|||"}));
        iBookingID = 7;
        for (const char* button : {"cmdSimpleCalShowSummary", "cmdViewDetails", "cmdSimpleCalCancel", "cmdPrintReceipt"})
            click(button);
        panel->gArrivals_DblClick();
        QCOMPARE(fakes().messageBoxes->shown.size(), 5);
        for (const ShownMessage& m : fakes().messageBoxes->shown) {
            QCOMPARE(m.prompt, "No reservation has been selected. Select a reservation from the Reservation List and try again.");
            QCOMPARE(m.style, vbOKOnly | vbInformation);
        }
        QCOMPARE(iBookingID, 7);
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM booking").toInt(), 1);
    }

    void actionsOnABooking()
    {
        // Ids past 16 bits go through whole.
        objConn.execute("INSERT INTO booking (id, customerid, fromdate, todate) VALUES (70000, ?, ?, ?)",
                        {customer("Big", "Id"), "2025-03-10 14:00:00", "2025-03-12 10:00:00"});
        const qint32 other = booking(customer("Bo", "Ek"), "2025-03-10 15:00:00", "2025-03-12 10:00:00", {1, 2});
        qint32 shown = 0;
        auto answer = [&shown](qint32 id, int code) {
            onNextDialogOf<frmBookingSummary>([=, &shown](frmBookingSummary* dlg) {
                shown = dlg->bookingId();
                QVERIFY(shown == id && dlg->choice() == SummaryChoice::Close);
                leaveSummary(dlg, code);
            });
        };
        MainForm().show();
        QVERIFY(QTest::qWaitForWindowExposed(&MainForm()));
        day(QDate(2025, 3, 11));
        answer(other, -1);
        // A double click as the window system delivers it: press, release, press, double click.
        const QPoint at = grid()->visualRect(grid()->model()->index(0, 1)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, at);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, grid()->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(grid()->viewport(), &dbl);
        QCOMPARE(shown, other);

        GridSelectRow(grid(), 1);   // 70000, listed after the one with units
        answer(70000, 1);
        click("cmdSimpleCalShowSummary");
        QVERIFY(iBookingID == 70000 && !MainForm().booking()->isHidden() && panel->isHidden());

        day(QDate(2025, 3, 11));
        fakes().messageBoxes->answers = {vbNo, vbYes};
        click("cmdSimpleCalCancel");
        QCOMPARE(fakes().messageBoxes->lastPrompt(), "Are you sure you want to cancel this booking?");
        QCOMPARE(fakes().messageBoxes->shown.last().style, vbYesNo | vbQuestion);
        QCOMPARE(GridRowCount(grid()), 2);
        click("cmdSimpleCalCancel");
        QCOMPARE(column(QDate(2025, 3, 11), 0), "70000");
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM bookingroom").toInt(), 0);

        answer(70000, 2);
        MainForm().mnuCalendar_Click();
        click("cmdSimpleCalShowSummary");
        QVERIFY(!panel->isHidden() && MainForm().calendar()->isHidden());
        QCOMPARE(GridRowData(grid(), 0), -1);
        QCOMPARE(fakes().messageBoxes->shown.size(), 2);
    }

    void viewCommandsKeepTheList()
    {
        booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-12 10:00:00");
        day(QDate(2025, 3, 11));
        MainForm().mnuCalendar_Click();
        MainForm().mnuReservationToday_Click();
        QCOMPARE(calendar()->selectedDate(), QDate::currentDate());
        QVERIFY(!panel->isHidden() && MainForm().calendar()->isHidden());
        QCOMPARE(GridText(grid(), 0, 0), "Ann Lee");
    }
};

TARLOMY_GUI_TEST_MAIN(TestArrivals)
#include "tst_arrivals.moc"
