// The occupancy calendar: which cells a stay paints and how, scrolling by day
// and by unit, hover tips, column widths, and a double click on a booked cell
// leading through the booking summary to editing or cancelling that booking.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/frmbookingsummary.h"
#include "calendar/calendarpanel.h"
#include "core/db.h"
#include "core/format.h"
#include "app/frmmain.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "widgets/twips.h"

#include <QDateEdit>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QFrame>
#include <QPushButton>
#include <QWidget>

class TestCalendar : public DbTest {
    Q_OBJECT

    std::unique_ptr<Calendar> owned;
    Calendar* cal = nullptr;
    const QDate first{2025, 3, 10};

    static qint32 customer(const QString& first, const QString& last)
    {
        return qint32(objConn.insert("customer", {{"FirstName", first}, {"LastName", last}}));
    }
    // Units of the default database: 1 "Room 1" .. 4 "Room 4", 5 "Suite".
    static qint32 booking(qint32 customerId, const QString& from, const QString& to, QList<int> rooms)
    {
        const qint32 id = qint32(objConn.insert("booking", {{"customerid", customerId}, {"fromdate", from}, {"todate", to}}));
        for (int room : rooms)
            objConn.insert("bookingroom", {{"bookingid", id}, {"roomid", room}});
        return id;
    }

    // A control of its own on the test database, its first day on `first`.
    void makeCalendar(int width = 960, int height = 570)
    {
        owned = std::make_unique<Calendar>();
        cal = owned.get();
        cal->resize(width, height);
        cal->ConnectDatabase();
        cal->Setup();
        cal->CommodityName = "Rooms";
        cal->show();
        QVERIFY(QTest::qWaitForWindowExposed(cal));
        cal->InitHeaders();
        cal->dtDate = first;
        cal->Refresh();
    }

    QTableView* g() { return control<QTableView>(cal, "g"); }
    const QAbstractItemModel* model() { return g()->model(); }
    int dayRows() { return model()->rowCount(); }
    QString header(int c) { return model()->headerData(c, Qt::Horizontal).toString(); }
    QModelIndex cell(int r, int c) { return model()->index(r - 1, c); }   // grid row r >= 1

    // Rows 1..n of a unit column: the name in a booked cell, "#" for a booked
    // cell without text, "." for a free one.
    QString column(int c, int n = 6)
    {
        QStringList cells;
        for (int r = 1; r <= n; ++r) {
            const QVariant back = cell(r, c).data(Qt::BackgroundRole);
            const QString text = cell(r, c).data().toString();
            if (!back.isValid())
                cells << (text.isEmpty() ? "." : "?" + text);
            else if (back.value<QColor>() != QColor(255, 255, 0))
                cells << "!" + text;
            else
                cells << (text.isEmpty() ? "#" : text);
        }
        return cells.join(' ');
    }
    void refresh(bool includeEndDate)
    {
        cal->bIncludeEndDate = includeEndDate;
        cal->Refresh();
    }

    // A double click as the window system delivers it; the id raised, or -1.
    qint32 doubleClick(const QPoint& at, QWidget* target = nullptr)
    {
        QWidget* w = target ? target : g()->viewport();
        QSignalSpy spy(cal, &Calendar::CalendarClick);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(w, &dbl);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        return spy.isEmpty() ? -1 : spy.takeFirst().at(0).value<qint32>();
    }
    qint32 doubleClick(int r, int c) { return doubleClick(g()->visualRect(cell(r, c)).center()); }

    void moveMouse(QWidget* w, const QPoint& at)
    {
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(w, &move);
    }
    QString tip() { return control<QFrame>(cal, "picTooltip")->isVisible() ? control<QLabel>(cal, "lblTooltip")->text() : "(hidden)"; }

private slots:
    void init() { openDb(); }
    void cleanup()
    {
        owned.reset();
        cal = nullptr;
    }

    void paintsStaysByDay()
    {
        const qint32 lee = booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {1});
        const qint32 kim = booking(customer("Kim", "Ray"), "2025-03-12 14:00:00", "2025-03-14 10:00:00", {1});
        booking(customer("Bo", "Stone"), "2025-03-05 12:00:00", "2025-03-12 10:00:00", {2});   // began before
        booking(customer("Li", "Wu"), "2025-01-01 14:00:00", "2026-01-01 10:00:00", {3});      // covers the page
        booking(customer("Al", "Gone"), "2025-03-01 14:00:00", "2025-03-10 09:00:00", {4});    // leaves on day 1
        booking(customer("Eva", "Ek"), "2025-03-13 00:00:00", "2025-03-15 00:00:00", {2, 5});  // two units
        makeCalendar();
        const int rows = dayRows();
        QVERIFY(rows > 10);
        const QDate last = first.addDays(rows - 1);
        booking(customer("Ola", "End"), last.toString("yyyy-MM-dd 22:00:00"),
                last.addDays(3).toString("yyyy-MM-dd 10:00:00"), {4});
        booking(customer("Pat", "After"), last.addDays(1).toString("yyyy-MM-dd 00:00:00"),
                last.addDays(3).toString("yyyy-MM-dd 10:00:00"), {4});

        refresh(false);
        QCOMPARE(header(0), "");
        QCOMPARE(QStringList({header(1), header(2), header(5)}), QStringList({"Room 1", "Room 2", "Suite"}));
        QCOMPARE(model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignTop));
        QCOMPARE(cell(1, 0).data().toString(), "3/10/2025");
        QCOMPARE(cell(rows, 0).data().toString(), Fmt::shortDate(last));
        QCOMPARE(cell(1, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

        QCOMPARE(column(1), "Lee Lee Ray Ray . .");
        QCOMPARE(column(2), "Stone Stone . Ek Ek .");
        QCOMPARE(column(3, rows), QStringList(rows, "Wu").join(' '));
        QCOMPARE(column(4, 3), ". . .");
        QCOMPARE(column(5), ". . . Ek Ek .");
        QCOMPARE(cell(rows, 4).data().toString(), "End");
        QCOMPARE(cell(rows - 1, 4).data().toString(), "");
        QCOMPARE(doubleClick(3, 1), kim);

        // With departure days shown, the later stay takes the day both touch.
        refresh(true);
        QCOMPARE(column(1), "Lee Lee Ray Ray Ray .");
        QCOMPARE(column(2), "Stone Stone Stone Ek Ek Ek");
        QCOMPARE(column(4, 3), "Gone . .");
        QCOMPARE(cell(rows, 4).data().toString(), "End");
        QCOMPARE(doubleClick(3, 1), kim);
        QCOMPARE(doubleClick(2, 1), lee);
        QCOMPARE(doubleClick(6, 1), 0);

        // A double click on a date or a unit name raises nothing.
        QCOMPARE(doubleClick(1, 0), -1);
        const QPoint name(g()->horizontalHeader()->sectionViewportPosition(1) + 5, 5);
        QCOMPARE(doubleClick(name, g()->horizontalHeader()->viewport()), -1);
    }

    void missingCustomerStillPaintedAndOpens()
    {
        const qint32 lee = booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-14 10:00:00", {1});
        const qint32 lost = booking(4242, "2025-03-11 14:00:00", "2025-03-13 10:00:00", {1, 2});
        objConn.execute("INSERT INTO booking (id, customerid, fromdate, todate) VALUES (70000, 0, ?, ?)",
                        {"2025-03-10 14:00:00", "2025-03-12 10:00:00"});
        objConn.insert("bookingroom", {{"bookingid", 70000}, {"roomid", 3}});
        makeCalendar();

        // The later stay owns the days both cover, text and all.
        QCOMPARE(column(1), "Lee # # Lee . .");
        QCOMPARE(column(2), ". # # . . .");
        QCOMPARE(column(3), "# # . . . .");
        QCOMPARE(doubleClick(2, 1), lost);
        QCOMPARE(doubleClick(2, 2), lost);
        QCOMPARE(doubleClick(4, 1), lee);
        QCOMPARE(doubleClick(1, 3), 70000);
    }

    void hoverTips()
    {
        booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {2});
        booking(4242, "2025-03-10 14:00:00", "2025-03-12 10:00:00", {3});
        makeCalendar();
        QWidget* cells = g()->viewport();
        QWidget* names = g()->horizontalHeader()->viewport();
        auto at = [&](int r, int c) { return g()->visualRect(cell(r, c)).center(); };

        moveMouse(names, QPoint(g()->horizontalHeader()->sectionViewportPosition(2) + 10, 5));
        QCOMPARE(tip(), "Room 2");
        moveMouse(cells, at(1, 2));
        QCOMPARE(tip(), "Booking by: Ann Lee (double click to view details)");
        // Below the mouse by a row, inside the control.
        const QPoint mouse = cells->mapTo(cal, at(1, 2));
        QCOMPARE(control<QFrame>(cal, "picTooltip")->x(), mouse.x());
        QVERIFY(control<QFrame>(cal, "picTooltip")->y() > mouse.y());
        moveMouse(cells, at(1, 3));
        QCOMPARE(tip(), "");
        moveMouse(cells, at(3, 2));
        QCOMPARE(tip(), "(hidden)");
        moveMouse(cells, at(1, 2));
        moveMouse(cells, at(1, 0));
        QCOMPARE(tip(), "(hidden)");
        moveMouse(names, QPoint(g()->horizontalHeader()->sectionViewportPosition(2) + 10, 5));
        moveMouse(control<QWidget>(cal, "picBack"), QPoint(2, 2));
        QCOMPARE(tip(), "(hidden)");
    }

    void scrollsByDayAndByUnit()
    {
        for (int i = 6; i <= 40; ++i)
            objConn.insert("room", {{"Name", QString("Unit %1").arg(i)}});
        booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {1});
        makeCalendar();
        const int shown = model()->columnCount() - 1;
        QVERIFY(shown >= 5 && shown < 40);
        // Every unit column starts inside the grid; one more would not.
        QHeaderView* h = g()->horizontalHeader();
        QVERIFY(h->sectionPosition(shown) < g()->viewport()->width());
        QVERIFY(h->sectionPosition(shown) + h->sectionSize(shown) >= g()->viewport()->width());
        // As many for a control sized while hidden, as the host's is while
        // another view is in front.
        Calendar hidden;
        hidden.ConnectDatabase();
        hidden.Setup();
        hidden.resize(500, 570);
        hidden.InitHeaders();
        hidden.resize(960, 570);
        hidden.InitHeaders();
        QCOMPARE(control<QTableView>(&hidden, "g")->model()->columnCount(), shown + 1);

        QScrollBar* days = control<QScrollBar>(cal, "ScrollDate");
        QCOMPARE(days->value(), 16384);
        days->setValue(days->value() + 1);
        QCOMPARE(cal->dtDate, first.addDays(1));
        QCOMPARE(cell(1, 0).data().toString(), "3/11/2025");
        QCOMPARE(column(1, 3), "Lee . .");
        days->setValue(days->value() - 1);
        QCOMPARE(cal->dtDate, first);
        days->setValue(days->value() + 10);   // a page step is still one day
        QCOMPARE(cal->dtDate, first.addDays(1));
        QCOMPARE(control<QDateEdit>(cal, "DTPicker1")->date(), first.addDays(1));
        control<QDateEdit>(cal, "DTPicker1")->setDate(QDate(2025, 3, 1));
        QCOMPARE(cal->dtDate, QDate(2025, 3, 1));
        QCOMPARE(column(1, 11), ". . . . . . . . . Lee Lee");

        control<QDateEdit>(cal, "DTPicker1")->setDate(first);
        QScrollBar* units = control<QScrollBar>(cal, "HScroll");
        QCOMPARE(units->maximum(), 40 - shown);
        units->setValue(1);
        QCOMPARE(header(1), "Room 2");
        QCOMPARE(header(shown), QString("Unit %1").arg(shown + 1));
        QVERIFY(!column(1).contains("Lee"));
        const int far = objConn.scalar("SELECT id FROM room WHERE Name = ?", {QString("Unit %1").arg(shown + 1)}).toInt();
        booking(customer("Bo", "Far"), "2025-03-10 14:00:00", "2025-03-12 10:00:00", {far});
        QCOMPARE(column(shown, 2), ". .");
        control<QPushButton>(cal, "Command1")->click();
        QCOMPARE(column(shown, 2), "Far Far");
        units->setValue(0);
        QCOMPARE(column(1, 2), "Lee Lee");
    }

    // Scrolling day by day and resizing paint from what was read, as far as
    // it covers the page: every step shows what a fresh read shows, for a
    // stay covering far more than the page and stays that come into view
    // from beyond the days read, the day's boundaries included.
    void scrollAndResizeAgreeWithAFreshRead()
    {
        booking(customer("Li", "Wu"), "2024-01-01 14:00:00", "2026-01-01 10:00:00", {1});
        booking(customer("Ann", "Lee"), "2025-05-29 00:00:00", "2025-05-30 00:00:00", {2});   // at midnight
        booking(customer("Bo", "Ng"), "2025-05-30 23:59:00", "2025-05-31 00:00:00", {2});
        booking(customer("Cy", "Far"), "2025-03-01 14:00:00", "2025-03-03 10:00:00", {3});
        makeCalendar();
        auto page = [this] {
            QStringList cols;
            for (int c = 1; c < model()->columnCount(); ++c)
                cols << column(c, dayRows());
            return cols;
        };
        QScrollBar* days = control<QScrollBar>(cal, "ScrollDate");
        for (int step = 0; step < 75; ++step) {
            days->setValue(days->value() + 1);
            const QStringList shown = page();
            cal->Refresh();
            QCOMPARE(shown, page());
        }
        QCOMPARE(cal->dtDate, first.addDays(75));
        QVERIFY(column(2, dayRows()).contains("Lee Ng"));
        for (int step = 0; step < 85; ++step)
            days->setValue(days->value() - 1);
        QCOMPARE(cal->dtDate, first.addDays(-10));
        QStringList shown = page();
        cal->Refresh();
        QCOMPARE(shown, page());
        QVERIFY(shown.at(2).startsWith(". Far Far ."));
        cal->resize(960, 900);
        shown = page();
        cal->Refresh();
        QCOMPARE(shown, page());
        QVERIFY(shown.at(0).split(' ').size() > 30 && !shown.at(0).contains('.'));
    }

    void widthsSavedAndRestored()
    {
        makeCalendar();
        QHeaderView* h = g()->horizontalHeader();
        h->resizeSection(0, Twips::toPx(1800));
        h->resizeSection(2, Twips::toPx(600));
        const int cols = model()->columnCount();
        cal->SaveCalendarGridLayout();
        QCOMPARE(ConfigText("gColWidth0", ""), "1800");
        QCOMPARE(ConfigText("gColWidth2", ""), "600");
        QCOMPARE(ConfigText(QString("gColWidth%1").arg(cols - 1), ""), "1200");
        QCOMPARE(ConfigText(QString("gColWidth%1").arg(cols), ""), "");

        makeCalendar();
        QCOMPARE(Twips::fromPx(g()->horizontalHeader()->sectionSize(0)), 1800);
        QCOMPARE(Twips::fromPx(g()->horizontalHeader()->sectionSize(2)), 600);
        QCOMPARE(Twips::fromPx(g()->horizontalHeader()->sectionSize(1)), 1200);
    }

    void captionsAndLayout()
    {
        makeCalendar();
        QCOMPARE(control<QLabel>(cal, "Label1_0")->text(), "Rooms");
        QCOMPARE(control<QLabel>(cal, "Label2")->text(),
                 "Instructions - you are currently viewing the availability of your Rooms over a date range. To change "
                 "the date range click the up/down arrow buttons. Note the departure dates will not currently be shown. "
                 "To show the departure dates select Configure and then Settings from the main menu.");
        refresh(true);
        QVERIFY(control<QLabel>(cal, "Label2")->text().endsWith(
            "Note the departure dates are currently being shown. To hide the departure dates select Configure and "
            "then Settings from the main menu."));

        // The legend at the bottom right, the grid and the bars above it, apart.
        cal->resize(1200, 700);
        const QRect key = control<QFrame>(cal, "picKey")->geometry();
        QCOMPARE(key.bottom(), cal->height() - 1);
        QCOMPARE(key.right(), cal->width() - 1 - Twips::toPx(300));
        const QRect grid = g()->geometry(), bar = control<QScrollBar>(cal, "HScroll")->geometry(), spin = control<QScrollBar>(cal, "ScrollDate")->geometry();
        QVERIFY(bar.top() > grid.bottom() && bar.right() == grid.right());
        QVERIFY(qAbs(spin.bottom() - bar.bottom()) <= 2 && spin.right() < grid.left());
        QVERIFY(control<QWidget>(cal, "picBack")->geometry().bottom() < key.top());
        QCOMPARE(cal->iRows, qRound(Twips::fromPx(control<QWidget>(cal, "picBack")->height() - grid.top() - bar.height()) / 250.0));
        cal->InitHeaders();
        QCOMPARE(dayRows(), cal->iRows - 1);

        // Too small for a single row, and back.
        cal->resize(300, 141);
        cal->InitHeaders();
        QCOMPARE(dayRows(), 0);
        cal->resize(960, 570);
        cal->InitHeaders();
        QVERIFY(dayRows() > 10);

        // Never given a connection: captions only, and no error.
        Calendar lone;
        lone.Setup();
        lone.CommodityName = "Cabins";
        lone.InitHeaders();
        lone.Refresh();
        QCOMPARE(control<QLabel>(&lone, "Label1_0")->text(), "Cabins");
        QCOMPARE(control<QTableView>(&lone, "g")->model()->headerData(1, Qt::Horizontal).toString(), "");
    }

    void summaryEditsOrCancelsTheBookingClicked()
    {
        const qint32 lee = booking(customer("Ann", "Lee"), "2025-03-10 14:00:00", "2025-03-13 10:00:00", {1});
        const qint32 stone = booking(customer("Bo", "Stone"), "2025-03-11 14:00:00", "2025-03-14 10:00:00", {2, 3});
        frmMain& main = loadMainWindow(*db);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.mnuCalendar_Click();
        cal = main.calendar()->MainCalendar();
        cal->dtDate = first;
        cal->Refresh();
        QCOMPARE(column(1, 2), "Lee Lee");

        auto answer = [](qint32 id, int code) {
            onNextDialog([=](QWidget* dlg) {
                QCOMPARE(dlg->metaObject()->className(), "frmBookingSummary");
                auto* summary = qobject_cast<frmBookingSummary*>(dlg);
                QVERIFY(summary->bookingId() == id && summary->choice() == SummaryChoice::Close);
                leaveSummary(dlg, code);
            });
        };
        // A free cell raises 0, which opens nothing.
        QCOMPARE(doubleClick(1, 4), 0);
        QVERIFY(!QApplication::activeModalWidget());

        answer(stone, -1);
        QCOMPARE(doubleClick(2, 3), stone);
        QVERIFY(!main.calendar()->isHidden() && iBookingID == 0);

        answer(lee, 1);
        QCOMPARE(doubleClick(1, 1), lee);
        QVERIFY(iBookingID == lee && !main.booking()->isHidden() && main.calendar()->isHidden());

        main.mnuCalendar_Click();
        answer(stone, 2);
        QCOMPARE(doubleClick(2, 2), stone);
        QVERIFY(!main.arrivals()->isHidden() && main.calendar()->isHidden());
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM booking WHERE id = ?", {stone}).toInt(), 0);
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM bookingroom WHERE bookingid = ?", {stone}).toInt(), 0);
        QCOMPARE(objConn.scalar("SELECT COUNT(*) FROM bookingroom WHERE bookingid = ?", {lee}).toInt(), 1);
        main.mnuCalendar_Click();
        QCOMPARE(column(2, 3) + " / " + column(1, 3), ". . . / Lee Lee Lee");
    }
};

TARLOMY_GUI_TEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
