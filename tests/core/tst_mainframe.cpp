// The main window's frame: view switching, the layout on resizing, moving the
// window by its background and headings, the toolbar, the menus and help.
#include "support/testsupport.h"
#include "core/modmain.h"

#include "booking/bookingwizard.h"
#include "booking/customerpage.h"
#include "booking/datespage.h"
#include "booking/unitspage.h"
#include "booking/confirmpage.h"
#include "booking/frminvoiceitemadd.h"
#include "booking/paymentpage.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "widgets/grid.h"
#include "app/frmmain.h"
#include "core/settings.h"
#include "widgets/startmove.h"
#include "widgets/twips.h"
#include "customers/customerspanel.h"
#include "reports/reportspanel.h"
#include "reports/reportchart.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QToolTip>
#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QWidget>

#include <algorithm>

namespace {

QList<QWidget*> panels(frmMain& m)
{
    return {control<ArrivalsPanel>(&m, "picArrivals"), control<CalendarPanel>(&m, "picCalendar"), control<BookingWizard>(&m, "picBooking"), control<ReportsPanel>(&m, "picReports"), control<CustomersPanel>(&m, "picCustomers")};
}

// The panel on top of picBack's stacking order.
QWidget* frontPanel(frmMain& m)
{
    const QList<QWidget*> children = control<QWidget>(&m, "picBack")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    return children.isEmpty() ? nullptr : children.last();
}

bool showAt(frmMain& m, const QSize& size)
{
    m.setWindowState(Qt::WindowNoState);
    m.show();
    if (!QTest::qWaitForWindowExposed(&m))
        return false;
    m.resize(size);
    const bool sized = QTest::qWaitFor([&] { return m.size() == size; }, 2000);
    QCoreApplication::processEvents();
    return sized;
}

// The layout's table worked through on twip boxes of the controls: every
// control starts as it is, each step changes the model as the table says,
// and a size below zero leaves the control as it was.
class LayoutModel {
public:
    struct Box { int x, y, w, h; };

    void take(QWidget* w)
    {
        m_boxes[w] = {Twips::fromPx(w->x()), Twips::fromPx(w->y()), Twips::fromPx(w->width()),
                      Twips::fromPx(w->height())};
        m_order << w;
    }
    int L(QWidget* w) const { return m_boxes[w].x; }
    int T(QWidget* w) const { return m_boxes[w].y; }
    int W(QWidget* w) const { return m_boxes[w].w; }
    int H(QWidget* w) const { return m_boxes[w].h; }
    void left(QWidget* w, int v) { m_boxes[w].x = v; }
    void top(QWidget* w, int v) { m_boxes[w].y = v; }
    void width(QWidget* w, int v)
    {
        if (v >= 0)
            m_boxes[w].w = v;
    }
    void height(QWidget* w, int v)
    {
        if (v >= 0)
            m_boxes[w].h = v;
    }
    void lineX2(QWidget* line, int v) { width(line, v - L(line)); }
    void lineY(QWidget* line, int v) { m_lineY[line] = v; }

    // Every control where the model puts it, to the pixel (rounding aside).
    void verify() const
    {
        for (QWidget* w : m_order) {
            const Box& b = m_boxes[w];
            const QByteArray name = w->objectName().toLatin1();
            int top = Twips::toPx(b.y);
            if (m_lineY.contains(w))
                top = Twips::toPx(m_lineY[w]) - w->height() / 2;
            QVERIFY2(qAbs(w->x() - Twips::toPx(b.x)) <= 1, name + " left");
            QVERIFY2(qAbs(w->y() - top) <= 1, name + " top");
            QVERIFY2(qAbs(w->width() - Twips::toPx(b.w)) <= 1,
                     name + " width " + QByteArray::number(w->width()) + " expected "
                         + QByteArray::number(Twips::toPx(b.w)));
            QVERIFY2(qAbs(w->height() - Twips::toPx(b.h)) <= 1,
                     name + " height " + QByteArray::number(w->height()) + " expected "
                         + QByteArray::number(Twips::toPx(b.h)));
        }
    }

private:
    QHash<QWidget*, Box> m_boxes;
    QHash<QWidget*, int> m_lineY;
    QList<QWidget*> m_order;
};

// What a list grid's frame and its always-shown scroll bar take of its width.
int scrollAllowance(const QTableView* g)
{
    return Twips::fromPx(g->width()) - GridCellsWidth(g);
}

// Column k of g after the last-column fit, from the widths the other columns
// have and the grid's width in the model.
int fittedColumn(QTableView* g, int gridWidth, int k, int margin, int before)
{
    int others = 0;
    for (int i = 0; i < g->model()->columnCount(); ++i)
        if (i != k)
            others += Twips::fromPx(g->columnWidth(i));
    if (gridWidth - others > 0 && gridWidth - others - margin >= 0)
        return gridWidth - others - margin;
    return before;
}

struct Expected {
    LayoutModel model;
    int arrivalsName = 0;
    int invoiceName = 0;
};

// What the layout makes of the window as it now is.
Expected expectedLayout(frmMain& m)
{
    Expected e;
    LayoutModel& x = e.model;
    QWidget* picBack = control<QWidget>(&m, "picBack");
    QWidget* picBooking = control<BookingWizard>(&m, "picBooking");
    QWidget* picArrivals = control<ArrivalsPanel>(&m, "picArrivals");
    QWidget* picCalendar = control<CalendarPanel>(&m, "picCalendar");
    QWidget* picReports = control<ReportsPanel>(&m, "picReports");
    QWidget* picCustomers = control<CustomersPanel>(&m, "picCustomers");
    QWidget* dates = control<DatesPage>(m.booking(), "picBookingDates");
    QWidget* confirm = control<ConfirmPage>(m.booking(), "picConfirm");
    QWidget* payment = control<PaymentPage>(m.booking(), "picPayment");
    QWidget* line4 = control<QFrame>(m.booking()->confirm(), "Line4");
    QWidget* cmdConfirmation = control<QPushButton>(m.booking()->confirm(), "cmdConfirmation");
    QWidget* cal = m.calendar()->MainCalendar();
    QWidget* c = m.reports()->chart();
    QWidget* newInvoiceBut = control<QWidget>(m.booking()->payment(), "picNewInvoiceBut1");
    QTableWidget* gNewInvoice = control<QTableWidget>(m.booking()->payment(), "gNewInvoice");
    for (QWidget* w : std::initializer_list<QWidget*>{
             picBack, picBooking, control<QFrame>(m.booking(), "Frame1"), control<QWidget>(m.booking(), "picWizButts"), dates, m.Label1[14], control<QPlainTextEdit>(m.booking(), "txtBookingNotes"),
             control<UnitsPage>(m.booking(), "picSelectRooms"), confirm, line4, cmdConfirmation, payment, control<CustomerPage>(m.booking(), "picCustomer"), picArrivals,
             m.Label1[8], m.Shape1[1], control<QWidget>(m.arrivals(), "picSimpleCalButBar"), control<QTableView>(m.arrivals(), "gArrivals"), picCalendar, m.Shape1[0], cal,
             m.Label1[16], picReports, m.Shape1[2], c, m.Label1[15], picCustomers, m.Shape1[3], m.Label1[17],
             control<QWidget>(m.customers(), "picCustBot"), control<QTableView>(m.customers(), "gcust"), control<QFrame>(m.customers(), "Line6"), newInvoiceBut, gNewInvoice})
        x.take(w);

    // The window's inner area with the toolbar in it; picBack lies under the toolbar.
    const int T = Twips::fromPx(control<QToolBar>(&m, "Toolbar")->height());
    const int W = Twips::fromPx(control<QWidget>(&m, "centralwidget")->width());
    const int H = Twips::fromPx(control<QWidget>(&m, "centralwidget")->height()) + T;

    x.left(picBack, 0);
    x.top(picBack, 0);
    x.width(picBack, W);
    x.height(picBack, H - T);
    x.width(picBooking, W);
    x.height(picBooking, H - T);
    x.width(control<QFrame>(m.booking(), "Frame1"), W + 2000);
    x.top(control<QFrame>(m.booking(), "Frame1"), H - x.H(control<QFrame>(m.booking(), "Frame1")) - 1700);
    x.left(control<QWidget>(m.booking(), "picWizButts"), W - x.W(control<QWidget>(m.booking(), "picWizButts")));
    x.width(dates, W - x.L(dates) - 250);
    x.height(dates, H - x.T(dates) - T - 1000 - 450);
    x.width(m.Label1[14], x.W(picBooking));
    x.height(control<QPlainTextEdit>(m.booking(), "txtBookingNotes"), H - x.T(control<QPlainTextEdit>(m.booking(), "txtBookingNotes")) - T - 1550);
    for (QWidget* page : {static_cast<QWidget*>(control<UnitsPage>(m.booking(), "picSelectRooms")), confirm}) {
        x.width(page, x.W(dates));
        x.height(page, x.H(dates));
    }
    x.lineX2(line4, x.W(confirm) - x.L(line4));
    // Under the rule below the figures, unless the page is too short for it.
    x.top(cmdConfirmation, std::min(Twips::fromPx(line4->geometry().bottom() + 1 + 13),
                                    x.H(confirm) - x.H(cmdConfirmation) - 100));
    x.left(cmdConfirmation, x.W(confirm) - x.W(cmdConfirmation) - 200);
    for (QWidget* page : {payment, static_cast<QWidget*>(control<CustomerPage>(m.booking(), "picCustomer"))}) {
        x.width(page, x.W(dates));
        x.height(page, x.H(dates));
    }

    QWidget* shape = m.Shape1[1];
    QWidget* bar = control<QWidget>(m.arrivals(), "picSimpleCalButBar");
    x.width(picArrivals, W - x.L(picArrivals) - 250);
    x.height(picArrivals, H - x.T(picArrivals) - T - 1000);
    x.width(m.Label1[8], x.W(picArrivals));
    x.width(shape, x.W(picArrivals) - x.L(picArrivals) - 250);
    x.height(shape, x.H(picArrivals) - x.T(shape) - 100);
    x.left(bar, x.L(shape) + 10);
    x.width(bar, x.W(shape) - 20);
    x.top(bar, x.T(shape) + x.H(shape) - x.H(bar) - 10);
    x.height(control<QTableView>(m.arrivals(), "gArrivals"), x.T(bar) - x.T(control<QTableView>(m.arrivals(), "gArrivals")));
    x.width(control<QTableView>(m.arrivals(), "gArrivals"), x.L(shape) + x.W(shape) - x.L(control<QTableView>(m.arrivals(), "gArrivals")) - 200);
    e.arrivalsName = fittedColumn(control<QTableView>(m.arrivals(), "gArrivals"), x.W(control<QTableView>(m.arrivals(), "gArrivals")) - scrollAllowance(control<QTableView>(m.arrivals(), "gArrivals")), 0, 100,
                                  Twips::fromPx(control<QTableView>(m.arrivals(), "gArrivals")->columnWidth(0)));

    shape = m.Shape1[0];
    x.width(picCalendar, W - x.L(picCalendar) - 250);
    x.height(picCalendar, H - x.T(picCalendar) - T - 1000);
    x.width(shape, x.W(picCalendar) - x.L(picCalendar) - 250);
    x.height(shape, x.H(picCalendar) - x.T(shape));
    x.width(cal, x.W(picCalendar) - x.L(picCalendar) - 550);
    x.height(cal, x.H(picCalendar) - x.T(shape) - 350);
    x.width(m.Label1[16], x.W(picCalendar));

    shape = m.Shape1[2];
    x.width(picReports, W - x.L(picReports) - 250);
    x.height(picReports, H - x.T(picReports) - T - 1000);
    x.width(shape, x.W(picReports) - x.L(picReports) - 250);
    x.height(shape, x.H(picReports) - x.T(shape));
    x.width(c, x.W(shape) - x.L(c) - 100);
    x.height(c, x.H(shape) - x.T(c) - 100);
    x.width(m.Label1[15], x.W(picReports));

    shape = m.Shape1[3];
    x.width(picCustomers, W - x.L(picCustomers) - 250);
    x.height(picCustomers, H - x.T(picCustomers) - T - 1000);
    x.width(shape, x.W(picCustomers) - x.L(picCustomers) - 250);
    x.height(shape, x.H(picCustomers) - x.T(shape));
    x.width(m.Label1[17], x.W(picCustomers));
    x.left(control<QWidget>(m.customers(), "picCustBot"), x.W(picCustomers) - x.W(control<QWidget>(m.customers(), "picCustBot")) - 250);
    x.top(control<QWidget>(m.customers(), "picCustBot"), x.H(picCustomers) - x.H(control<QWidget>(m.customers(), "picCustBot")) - 250);
    x.width(control<QTableView>(m.customers(), "gcust"), x.W(shape) - x.L(shape) - 200);
    x.height(control<QTableView>(m.customers(), "gcust"), x.H(shape) - x.T(shape) - x.H(control<QWidget>(m.customers(), "picCustBot")) - 100);
    x.lineX2(control<QFrame>(m.customers(), "Line6"), x.L(control<QWidget>(m.customers(), "picCustBot")) + x.W(control<QWidget>(m.customers(), "picCustBot")));
    x.lineY(control<QFrame>(m.customers(), "Line6"), x.T(control<QWidget>(m.customers(), "picCustBot")) - 80);

    x.left(newInvoiceBut, x.W(payment) - x.W(newInvoiceBut));
    x.width(gNewInvoice, x.W(payment) - x.W(newInvoiceBut) - 100);
    e.invoiceName = fittedColumn(gNewInvoice, x.W(gNewInvoice) - scrollAllowance(gNewInvoice), 1, 350,
                                 Twips::fromPx(gNewInvoice->columnWidth(1)));
    return e;
}

void verifyLayout(frmMain& m, const Expected& e)
{
    e.model.verify();
    if (QTest::currentTestFailed())
        return;
    // A column is never narrower than its header allows (the dates, whole,
    // leave the name little at the smallest sizes).
    QTableView* arrivalsGrid = control<QTableView>(m.arrivals(), "gArrivals");
    QVERIFY(qAbs(arrivalsGrid->columnWidth(0)
                 - std::max(Twips::toPx(e.arrivalsName), arrivalsGrid->horizontalHeader()->minimumSectionSize()))
            <= 1);
    QVERIFY(qAbs(control<QTableWidget>(m.booking()->payment(), "gNewInvoice")->columnWidth(1) - Twips::toPx(e.invoiceName)) <= 1);
}

struct ExpectedItem {
    const char* object;   // nullptr: a separator
    const char* caption;
    const char* shortcut;
};

}  // namespace

class TestMainFrame : public DbTest {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void cleanup()
    {
        StartMoveWatcher = nullptr;
        QToolTip::hideText();
    }

    void opensOnArrivalsAlone();
    void viewCommandsShowAndHidePanels();
    void shortcutsSwitchViews();
    void toolbarButtonsAndPictures();
    void toolbarDispatchByKey();
    void menuBarCaptionsAndShortcuts();
    void commissionsMenuFollowsSetting();
    void layoutFollowsFormulas_data();
    void layoutFollowsFormulas();
    void tinyWindowSkipsNegativeSizes();
    void pagesHoldTogether_data();
    void pagesHoldTogether();
    void nameColumnKeptWhenOthersFillGrid();
    void movingByBackgroundAndHeadings();
    void editMenuSendsKeysToFocus();
    void helpMenuAndPages();
};

void TestMainFrame::opensOnArrivalsAlone()
{
    frmMain& m = loadMain();
    QCOMPARE(m.windowTitle(), QStringLiteral("Tarlomy v3.19"));
    QCOMPARE(frontPanel(m), control<ArrivalsPanel>(&m, "picArrivals"));
    QVERIFY(!control<ArrivalsPanel>(&m, "picArrivals")->isHidden());
    for (QWidget* p : QList<QWidget*>{control<CalendarPanel>(&m, "picCalendar"), control<BookingWizard>(&m, "picBooking"), control<ReportsPanel>(&m, "picReports"), control<CustomersPanel>(&m, "picCustomers")})
        QVERIFY2(p->isHidden(), qPrintable(p->objectName()));
}

void TestMainFrame::viewCommandsShowAndHidePanels()
{
    frmMain& m = loadMain();
    QWidget* arrivals = control<ArrivalsPanel>(&m, "picArrivals");
    QWidget* calendar = control<CalendarPanel>(&m, "picCalendar");
    QWidget* booking = control<BookingWizard>(&m, "picBooking");
    QWidget* reports = control<ReportsPanel>(&m, "picReports");
    QWidget* customers = control<CustomersPanel>(&m, "picCustomers");
    struct Case {
        const char* name;
        std::function<void()> run;
        QWidget* shows;
    };
    const QList<Case> cases = {
        {"arrivals menu", [&] { m.mnuReservationsArrivals_Click(); }, arrivals},
        {"ShowArrivals", [] { ShowArrivals(); }, arrivals},
        {"calendar menu", [&] { control<QAction>(&m, "mnuCalendar")->trigger(); }, calendar},
        {"add booking menu", [&] { control<QAction>(&m, "mnuReservationAdd")->trigger(); }, booking},
        {"reports menu", [&] { control<QAction>(&m, "mnuReports")->trigger(); }, reports},
        {"customers menu", [&] { control<QAction>(&m, "mnuCustomersView")->trigger(); }, customers},
    };
    // From every panel visible and from every panel hidden: the command's own
    // panel ends visible and in front, every other one hidden.
    for (const Case& c : cases) {
        for (const bool startVisible : {true, false}) {
            for (QWidget* p : panels(m))
                p->setVisible(startVisible);
            // Put another panel in front first, so that bringing to the front shows.
            (c.shows == arrivals ? calendar : arrivals)->raise();
            c.run();
            const QByteArray what = QByteArray(c.name) + (startVisible ? " from visible" : " from hidden");
            QVERIFY2(!c.shows->isHidden(), what);
            QVERIFY2(frontPanel(m) == c.shows, what);
            for (QWidget* p : panels(m)) {
                if (p == c.shows)
                    continue;
                QVERIFY2(p->isHidden(), what + ": " + p->objectName().toLatin1());
            }
        }
    }
}

void TestMainFrame::shortcutsSwitchViews()
{
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1280, 800)));
    m.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m));
    const QList<QPair<Qt::Key, QWidget*>> keys = {{Qt::Key_D, control<CalendarPanel>(&m, "picCalendar")},
                                                  {Qt::Key_O, control<CustomersPanel>(&m, "picCustomers")},
                                                  {Qt::Key_B, control<BookingWizard>(&m, "picBooking")},
                                                  {Qt::Key_S, control<ArrivalsPanel>(&m, "picArrivals")}};
    for (const auto& [key, panel] : keys) {
        QTest::keyClick(&m, key, Qt::ControlModifier);
        QCOMPARE(frontPanel(m), panel);
        QVERIFY(panel->isVisible());
    }
}

void TestMainFrame::toolbarButtonsAndPictures()
{
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1280, 800)));
    const QList<QAction*> buttons = control<QToolBar>(&m, "Toolbar")->actions();
    const QStringList keys = {"Add Reservation", "Calendar", "Advanced Calendar", "View Customers", "Reports",
                              QString(), "Find", QString(), "Web Bookings"};
    // Pictures by position, separators none.
    const QStringList pictures = {"add-reservation", "calendar", "advanced-calendar", "customers", "reports",
                                  QString(), "find", QString(), "web-bookings"};
    QCOMPARE(buttons.size(), keys.size());
    for (int i = 0; i < buttons.size(); ++i) {
        QAction* b = buttons[i];
        QCOMPARE(b->isSeparator(), keys[i].isEmpty());
        if (b->isSeparator()) {
            QVERIFY(b->icon().isNull());
            continue;
        }
        QCOMPARE(b->text(), keys[i]);
        QVERIFY(b->isEnabled() && b->isVisible());
        const QImage expected = QIcon(QStringLiteral(":/images/toolbar/%1.svg").arg(pictures[i])).pixmap(32).toImage();
        QVERIFY2(!expected.isNull(), qPrintable(pictures[i]));
        QVERIFY2(b->icon().pixmap(32).toImage() == expected, qPrintable(keys[i]));

        // Only "Advanced Calendar" has a tip.
        QWidget* w = control<QToolBar>(&m, "Toolbar")->widgetForAction(b);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), w->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(w, &help);
        if (keys[i] == QLatin1String("Advanced Calendar")) {
            QVERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), QStringLiteral("View Advanced Calendar"));
        } else {
            QVERIFY2(!QToolTip::isVisible(), qPrintable(keys[i]));
        }
    }

    // "Find" runs its own command, the arrow opens the two searches.
    auto* find = qobject_cast<QToolButton*>(control<QToolBar>(&m, "Toolbar")->widgetForAction(control<QAction>(&m, "tbFind")));
    QVERIFY(find);
    QCOMPARE(find->popupMode(), QToolButton::MenuButtonPopup);
    QVERIFY(control<QAction>(&m, "tbFind")->menu());
    const QList<QAction*> entries = control<QAction>(&m, "tbFind")->menu()->actions();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0]->text(), QStringLiteral("Customer..."));
    QCOMPARE(entries[0]->data().toString(), QStringLiteral("Customer"));
    QCOMPARE(entries[1]->text(), QStringLiteral("Reservation..."));
    QCOMPARE(entries[1]->data().toString(), QStringLiteral("Reservation"));
}

void TestMainFrame::toolbarDispatchByKey()
{
    using C = frmMain::Command;
    const QList<QPair<QString, C>> known = {
        {"Add Reservation", &frmMain::mnuReservationAdd_Click}, {"Calendar", &frmMain::mnuCalendarSimple_Click},
        {"Advanced Calendar", &frmMain::mnuCalendar_Click},     {"View Customers", &frmMain::mnuCustomersView_Click},
        {"Reports", &frmMain::mnuReports_Click},                {"Web Bookings", &frmMain::mnuWebConfig_Click},
        {"Find", &frmMain::mnuCustomerFind_Click},
    };
    for (const auto& [key, command] : known)
        QVERIFY2(frmMain::ToolbarCommand(key) == command, qPrintable(key));
    for (const char* key : {"reports", "REPORTS", "find", "Add reservation", "Advanced calendar", "Customer", ""})
        QVERIFY2(frmMain::ToolbarCommand(QString::fromLatin1(key)) == nullptr, key);
    QVERIFY(frmMain::ToolbarMenuCommand("Customer") == C(&frmMain::mnuCustomerFind_Click));
    QVERIFY(frmMain::ToolbarMenuCommand("Reservation") == C(&frmMain::mnuReservationFind_Click));
    for (const char* key : {"customer", "RESERVATION", "Find", ""})
        QVERIFY2(frmMain::ToolbarMenuCommand(QString::fromLatin1(key)) == nullptr, key);

    // The real buttons dispatch by their captions.
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1280, 800)));
    const QList<QPair<QAction*, QWidget*>> views = {{control<QAction>(&m, "tbAdvancedCalendar"), control<CalendarPanel>(&m, "picCalendar")},
                                                    {control<QAction>(&m, "tbViewCustomers"), control<CustomersPanel>(&m, "picCustomers")},
                                                    {control<QAction>(&m, "tbReports"), control<ReportsPanel>(&m, "picReports")},
                                                    {control<QAction>(&m, "tbAddReservation"), control<BookingWizard>(&m, "picBooking")},
                                                    {control<QAction>(&m, "tbCalendar"), control<ArrivalsPanel>(&m, "picArrivals")}};
    for (const auto& [button, panel] : views) {
        QTest::mouseClick(control<QToolBar>(&m, "Toolbar")->widgetForAction(button), Qt::LeftButton);
        QVERIFY2(frontPanel(m) == panel, qPrintable(button->text()));
    }
    // A key that differs only in letter case runs nothing.
    m.Toolbar_ButtonClick(QStringLiteral("reports"));
    m.Toolbar_ButtonClick(QStringLiteral("advanced calendar"));
    QCOMPARE(frontPanel(m), control<ArrivalsPanel>(&m, "picArrivals"));
    QVERIFY(control<CalendarPanel>(&m, "picCalendar")->isHidden());
}

void TestMainFrame::menuBarCaptionsAndShortcuts()
{
    const QList<QPair<ExpectedItem, QList<ExpectedItem>>> menus = {
        {{"mnuFile", "&File", ""},
         {{"mnuFileExportCustomers", "Export &Customers...", ""},
          {"mnuFileExportResCSV", "Export &Reservations...", ""},
          {"mnuFileExportThisMonth", "Export This &Month's Reservations...", ""},
          {"mnuFileExportThisMonthView", "Export Reservation Quick &View...", ""},
          {"mnuFileExportCommissionAccounts", "Export Commission &Accounts...", ""},
          {nullptr, "", ""},
          {"mnuFilePageSetup", "Page &Setup...", ""},
          {"mnuFilePrint", "&Print...", "Ctrl+P"},
          {nullptr, "", ""},
          {"mnuFileExit", "E&xit", ""}}},
        {{"mnuEdit", "&Edit", ""},
         {{"mnuEditUndo", "&Undo", ""},
          {nullptr, "", ""},
          {"mnuEditCut", "Cu&t", ""},
          {"mnuEditCopy", "&Copy", ""},
          {"mnuEditPaste", "&Paste", ""},
          {nullptr, "", ""},
          {"mnuEditClear", "Cle&ar", ""},
          {"mnuEditSelectAll", "Select &All", ""}}},
        {{"mnuWeb", "&Web Bookings", ""},
         {{"mnuWebConfig", "&Configure Web Bookings...", ""},
          {nullptr, "", ""},
          {"mnuWebCreatePage", "Create Web Bookings &Page...", ""}}},
        {{"mnuBookings", "&Bookings", ""},
         {{"mnuReservationAdd", "&Add Booking", "Ctrl+B"},
          {"mnuReservationFind", "&Find Booking...", "Ctrl+F"},
          {"mnuReports", "View &Reports", ""},
          {"mnuBookingsFinanceSummary", "View F&inance Summary...", ""},
          {nullptr, "", ""},
          {"mnuCalendar", "View Ad&vanced Calendar", "Ctrl+D"},
          {"mnuCalendarSimple", "View &Simple Calendar", "Ctrl+S"},
          {nullptr, "", ""},
          {"mnuBookingsRoomNotes", "Room &Notes...", ""},
          {nullptr, "", ""},
          {"mnuReservationToday", "Jump to &Today...", "Ctrl+T"}}},
        {{"mnuCustomers", "&Customers", ""},
         {{"mnuCustomersView", "&View Customers", "Ctrl+O"},
          {"mnuCustomerFind", "&Find Customer...", "Ctrl+M"},
          {nullptr, "", ""},
          {"mnuCustMailingList", "Email Mailing List Wizard...", ""}}},
        {{"mnuCommissions", "C&ommissions", ""},
         {{"mnuViewAccounts", "&View Accounts...", ""}, {"mnuCommissionPayments", "&Payments...", ""}}},
        {{"mnuConfigure", "Config&ure", ""},
         {{"mnuConfigureWizard", "&Configuration Wizard...", ""},
          {nullptr, "", ""},
          {"mnuConfigureTerminology", "&Settings...", ""},
          {"mnuConfigureRooms", "&Rooms...", ""},
          {nullptr, "", ""},
          {"frmConfigAdvanced", "&Advanced", ""}}},
        {{"frmConfigAdvanced", "&Advanced", ""},
         {{"mnuConfigHighLowSeason", "&High Low Season...", ""},
          {"mnuConfigChargeableItems", "Chargeable &Items...", ""},
          {"mnuConfigTax", "&Tax...", ""},
          {"mnuConfigCustomField", "&Custom Field...", ""},
          {"mnuConfigPaymentMethods", "&Payment Methods...", ""}}},
        {{"mnuHelp", "&Help", ""},
         {{"mnuHelpContents", "&Contents...", ""},
          {"mnuHelpTipOfTheDay", "Tip of the &Day...", ""},
          {"mnuHelpIndex", "&Index...", ""},
          {"mnuHelpSearch", "&Search...", ""},
          {nullptr, "", ""},
          {"mnuHelpOnlineSupport", "&Online Support", ""},
          {"mnuHelpSendFeedback", "Send &Feedback", ""},
          {nullptr, "", ""},
          {"mnuAbout", "&About...", ""}}},
    };

    // As designed, before the unit words are put in.
    frmMain design;
    QStringList bar;
    for (QAction* a : control<QMenuBar>(&design, "menubar")->actions())
        bar << (a->menu() ? a->menu()->objectName() : a->text());
    QCOMPARE(bar, (QStringList{"mnuFile", "mnuEdit", "mnuWeb", "mnuBookings", "mnuCustomers", "mnuCommissions",
                               "mnuConfigure", "mnuHelp"}));
    for (const auto& [menuItem, items] : menus) {
        auto* menu = design.findChild<QMenu*>(QString::fromLatin1(menuItem.object));
        QVERIFY2(menu, menuItem.object);
        QCOMPARE(menu->title(), QString::fromUtf8(menuItem.caption));
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), items.size());
        for (int i = 0; i < items.size(); ++i) {
            const ExpectedItem& e = items[i];
            QAction* a = actions[i];
            const QByteArray where = QByteArray(menuItem.object) + " item " + QByteArray::number(i);
            QVERIFY2(a->isSeparator() == (e.object == nullptr), where);
            if (!e.object)
                continue;
            const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
            QCOMPARE(name, QString::fromLatin1(e.object));
            QCOMPARE(a->text(), QString::fromUtf8(e.caption));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
            QVERIFY2(a->isEnabled() && a->isVisible(), where);
        }
    }

    // Loaded: the unit words in two captions; every item enabled and visible.
    frmMain& m = loadMain();
    QCOMPARE(control<QAction>(&m, "mnuConfigureRooms")->text(), QStringLiteral("Rooms..."));
    QCOMPARE(control<QAction>(&m, "mnuBookingsRoomNotes")->text(), QStringLiteral("Room Notes..."));
    for (QMenu* menu : control<QMenuBar>(&m, "menubar")->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            QVERIFY2(a->isEnabled() && a->isVisible(), qPrintable(a->text()));
}

void TestMainFrame::commissionsMenuFollowsSetting()
{
    for (const bool on : {false, true}) {
        resetProgramState();
        SaveConfigFlag(QStringLiteral("EnableCommission"), on);
        frmMain& m = loadMain();
        QCOMPARE(control<QMenu>(&m, "mnuCommissions")->menuAction()->isVisible(), on);
        for (QMenu* other : {control<QMenu>(&m, "mnuFile"), control<QMenu>(&m, "mnuEdit"), control<QMenu>(&m, "mnuWeb"), control<QMenu>(&m, "mnuBookings"), control<QMenu>(&m, "mnuCustomers"),
                             control<QMenu>(&m, "mnuConfigure"), control<QMenu>(&m, "mnuHelp")})
            QVERIFY(other->menuAction()->isVisible());
    }
}

void TestMainFrame::layoutFollowsFormulas_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1280x800") << QSize(1280, 800);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
    QTest::newRow("1024x700") << QSize(1024, 700);
    QTest::newRow("800x560") << QSize(800, 560);
}

void TestMainFrame::layoutFollowsFormulas()
{
    QFETCH(QSize, size);
    frmMain& m = loadMain();
    QVERIFY(showAt(m, size));

    // picBack fills the inner area directly under the toolbar.
    QCOMPARE(control<QWidget>(&m, "picBack")->geometry(), control<QWidget>(&m, "centralwidget")->rect());
    QCOMPARE(control<QWidget>(&m, "centralwidget")->mapTo(&m, QPoint(0, 0)).y(), control<QToolBar>(&m, "Toolbar")->geometry().bottom() + 1);

    // Recomputed from the layout as it stands: the resize left every control
    // where the table puts it for this size.
    verifyLayout(m, expectedLayout(m));
    if (QTest::currentTestFailed())
        return;

    // The wizard's button bar ends at the window's right edge; its frame runs past it.
    QWidget* frame = control<QFrame>(m.booking(), "Frame1");
    QVERIFY(frame->geometry().right() > control<BookingWizard>(&m, "picBooking")->width());
    QCOMPARE(frame->mapTo(control<BookingWizard>(&m, "picBooking"), control<QWidget>(m.booking(), "picWizButts")->geometry().topRight()).x() + 1,
             control<BookingWizard>(&m, "picBooking")->width());
}

void TestMainFrame::pagesHoldTogether_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("size");
    for (const char* window : {"customer step", "confirmation step", "item details"})
        for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)})
            QTest::addRow("%s %dx%d", window, size.width(), size.height()) << QString::fromLatin1(window) << size;
}

// Whatever the window's size: a caption stands clear of the box it names,
// boxes of one column end together, and buttons follow what they act on
// without a band of nothing between.
void TestMainFrame::pagesHoldTogether()
{
    QFETCH(QString, window);
    QFETCH(QSize, size);
    frmMain& m = loadMain();
    QVERIFY(showAt(m, size));
    iBookingID = addBooking(QStringLiteral("2030-05-10 09:00:00"), QStringLiteral("2030-05-12 14:00:00"), {}, {1});
    control<QAction>(&m, "mnuReservationAdd")->trigger();
    const auto captionsClear = [](QWidget* root) {
        int seen = 0;
        for (QLabel* label : root->findChildren<QLabel*>()) {
            QWidget* box = label->buddy();
            if (!box || !label->isVisible() || box->geometry().left() <= label->geometry().right())
                continue;
            ++seen;
            const int textRight = label->mapTo(root, QPoint(label->fontMetrics().horizontalAdvance(label->text().remove(u'&')), 0)).x();
            QVERIFY2(textRight + 4 <= box->mapTo(root, QPoint(0, 0)).x(), qPrintable(label->objectName()));
        }
        QVERIFY(seen >= 5);
    };
    if (window == QLatin1String("customer step")) {
        int step = 2;
        m.booking()->ShowBookingStep(step);
        captionsClear(m.booking()->customer());
    } else if (window == QLatin1String("confirmation step")) {
        int step = 4;
        m.booking()->ShowBookingStep(step);
        ConfirmPage* page = m.booking()->confirm();
        int figures = 0;
        for (QLabel* label : page->findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty())
                figures = std::max(figures, label->mapTo(page, QPoint(0, label->height())).y());
        // The rule under the figures, the button just under the rule.
        const QRect rule = control<QFrame>(page, "Line4")->geometry();
        const QWidget* button = control<QPushButton>(page, "cmdConfirmation");
        QVERIFY2(figures < rule.top() && button->geometry().top() > rule.bottom() && button->geometry().top() - rule.bottom() < 30,
                 qPrintable(QStringLiteral("figures end at %1, rule at %2, button at %3").arg(figures).arg(rule.top())
                                .arg(button->geometry().top())));
    } else {
        frmInvoiceItemAdd dialog(iBookingID, std::nullopt, &m);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        captionsClear(&dialog);
        const int right = control<QComboBox>(&dialog, "cboItemList")->geometry().right();
        for (const char* box : {"txtNewItem", "txtQuantity", "txtUnitPrice", "txtTaxRateName"})
            QVERIFY2(control<QLineEdit>(&dialog, box)->geometry().right() == right, box);
        const int last = control<QLineEdit>(&dialog, "txtTaxRatePercentage")->geometry().bottom();
        QVERIFY(control<QPushButton>(&dialog, "cmdOk")->geometry().top() - last < 30);
    }
}

void TestMainFrame::tinyWindowSkipsNegativeSizes()
{
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1280, 800)));
    const int arrivalsHeight = control<ArrivalsPanel>(&m, "picArrivals")->height();

    // Nearly as small as the window goes: the panels' sizes would be negative.
    QVERIFY(showAt(m, m.minimumSizeHint() + QSize(0, 6)));
    QVERIFY(control<QWidget>(&m, "centralwidget")->height() < 10);
    QVERIFY(Twips::fromPx(control<QWidget>(&m, "centralwidget")->width()) - 3000 < 0);
    QCOMPARE(control<ArrivalsPanel>(&m, "picArrivals")->height(), arrivalsHeight);
    const Expected tiny = expectedLayout(m);
    m.Form_Resize();
    verifyLayout(m, tiny);
    if (QTest::currentTestFailed())
        return;

    m.showMinimized();
    QCoreApplication::processEvents();
    m.Form_Resize();

    // Restoring lays everything out again.
    QVERIFY(showAt(m, QSize(1280, 800)));
    m.showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(control<ArrivalsPanel>(&m, "picArrivals")->height(), arrivalsHeight);
    verifyLayout(m, expectedLayout(m));
}

void TestMainFrame::nameColumnKeptWhenOthersFillGrid()
{
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1024, 700)));
    QTableView* g = control<QTableView>(m.arrivals(), "gArrivals");
    QTableWidget* inv = control<QTableWidget>(m.booking()->payment(), "gNewInvoice");

    // Normally the name column takes what the others leave, less the margin.
    int others = 0;
    for (int i = 1; i < g->model()->columnCount(); ++i)
        others += Twips::fromPx(g->columnWidth(i));
    QVERIFY(qAbs(g->columnWidth(0) - Twips::toPx(GridCellsWidth(g) - others - 100)) <= 1);

    // Other columns wider than the grid: the name columns keep their widths.
    g->setColumnWidth(0, 77);
    g->setColumnWidth(2, g->width());
    inv->setColumnWidth(1, 55);
    inv->setColumnWidth(4, inv->width() + 10);
    m.Form_Resize();
    QCOMPARE(g->columnWidth(0), 77);
    QCOMPARE(inv->columnWidth(1), 55);
}

void TestMainFrame::movingByBackgroundAndHeadings()
{
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1280, 800)));
    QList<QWidget*> moved;
    StartMoveWatcher = [&moved](QWidget* w) { moved << w; };

    auto press = [&](QWidget* w, Qt::MouseButton button, QPoint at = QPoint(5, 5)) {
        moved.clear();
        QTest::mousePress(w, button, {}, at);
        QTest::mouseRelease(w, button, {}, at);
        return moved.size() == 1 && moved[0] == &m;
    };

    // The headings of the arrivals, booking and calendar panels, any button.
    m.mnuReservationsArrivals_Click();
    QVERIFY(press(m.Label1[8], Qt::LeftButton));
    QVERIFY(press(m.Label1[8], Qt::RightButton));
    QVERIFY(!press(m.Label1[9], Qt::LeftButton));   // "Reservation list:"
    m.mnuReservationAdd_Click();
    QVERIFY(press(m.Label1[14], Qt::MiddleButton));
    m.mnuCalendar_Click();
    QVERIFY(press(m.Label1[16], Qt::LeftButton));
    // Not the reports' and customers' headings.
    m.mnuReports_Click();
    QVERIFY(!press(m.Label1[15], Qt::LeftButton));
    m.mnuCustomersView_Click();
    QVERIFY(!press(m.Label1[17], Qt::LeftButton));

    // The window's own background, under and beside the panel; not a panel's.
    QWidget* back = control<QWidget>(&m, "picBack");
    const QPoint below(20, control<CustomersPanel>(&m, "picCustomers")->height() + 10);
    QVERIFY(!back->childAt(below));
    QVERIFY(press(back, Qt::LeftButton, below));
    QVERIFY(press(back, Qt::RightButton, QPoint(back->width() - 3, 40)));
    QWidget* panel = control<CustomersPanel>(&m, "picCustomers");
    const QPoint bare(3, panel->height() - 3);
    QVERIFY(!panel->childAt(bare));
    QVERIFY(!press(panel, Qt::LeftButton, bare));
}

void TestMainFrame::editMenuSendsKeysToFocus()
{
    frmMain& m = loadMain();
    QVERIFY(showAt(m, QSize(1280, 800)));
    m.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m));

    // The keys do their usual work in a text box.
    m.mnuReservationAdd_Click();
    QPlainTextEdit* notes = control<QPlainTextEdit>(m.booking(), "txtBookingNotes");
    notes->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), notes);
    QTest::keyClicks(notes, QStringLiteral("late arrival"));
    control<QAction>(&m, "mnuEditSelectAll")->trigger();
    control<QAction>(&m, "mnuEditCut")->trigger();
    QTRY_COMPARE(notes->toPlainText(), QString());
    control<QAction>(&m, "mnuEditPaste")->trigger();
    QTRY_COMPARE(notes->toPlainText(), QStringLiteral("late arrival"));

    // Whatever has the focus gets the keys, a grid included.
    m.mnuReservationsArrivals_Click();
    struct KeyWatch : QObject {
        QList<QKeyCombination> keys;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress)
                keys << static_cast<QKeyEvent*>(e)->keyCombination();
            return false;
        }
    } watch;
    QTableView* grid = control<QTableView>(m.arrivals(), "gArrivals");
    grid->installEventFilter(&watch);
    grid->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    for (QAction* item : {control<QAction>(&m, "mnuEditUndo"), control<QAction>(&m, "mnuEditCut"), control<QAction>(&m, "mnuEditCopy"), control<QAction>(&m, "mnuEditPaste"),
                          control<QAction>(&m, "mnuEditClear"), control<QAction>(&m, "mnuEditSelectAll")})
        item->trigger();
    QVERIFY(watch.keys.isEmpty());   // posted, not waited for
    const QList<QKeyCombination> expected = {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_X, Qt::CTRL | Qt::Key_C,
                                             Qt::CTRL | Qt::Key_V, QKeyCombination(Qt::Key_Delete),
                                             Qt::CTRL | Qt::Key_A};
    QTRY_COMPARE(watch.keys, expected);
    grid->removeEventFilter(&watch);
}

void TestMainFrame::helpMenuAndPages()
{
    frmMain& m = loadMain();
    control<QAction>(&m, "mnuHelpContents")->trigger();
    control<QAction>(&m, "mnuHelpIndex")->trigger();
    control<QAction>(&m, "mnuHelpSearch")->trigger();
    QCOMPARE(fakes().help->calls, (QStringList{"context 1", "tab -2", "tab -1"}));
    control<QAction>(&m, "mnuHelpOnlineSupport")->trigger();
    control<QAction>(&m, "mnuHelpSendFeedback")->trigger();
    QCOMPARE(fakes().shell->opened.size(), 2);
    QVERIFY(fakes().shell->opened[0].startsWith(QStringLiteral("https://")));
    QVERIFY(fakes().shell->opened[1].startsWith(QStringLiteral("mailto:")));

    // The desktop's help opens the shipped page of each topic, copied with
    // the user's unit words in the menus' names; a page the desktop cannot
    // open, at once or after its browser started, is told.
    platform().useDesktop();
    auto shell = std::make_unique<FakeShell>();
    FakeShell* opened = shell.get();
    platform().setShell(std::move(shell));
    auto boxes = std::make_unique<FakeMessageBoxes>();
    FakeMessageBoxes* told = boxes.get();
    platform().setMessageBoxes(std::move(boxes));
    gsCommoditySingular = QStringLiteral("Cabin & Lodge");
    gsCommodityPlural = QStringLiteral("Apartments");
    const QString folder = QStringLiteral(PROGRAM_DIR) + QStringLiteral("/help/");
    platform().help().setHelpFile(QStringLiteral(PROGRAM_DIR) + QStringLiteral("/kshelp.hlp"));
    QVERIFY(platform().help().showContext(&m, 1));   // contents
    QVERIFY(platform().help().showContext(&m, 3));   // getting started, offered at the first run
    QVERIFY(platform().help().showContext(&m, 99));  // no such topic: the index
    platform().help().showTab(&m, -2);
    platform().help().showTab(&m, -1);
    const QStringList pages = {"topic1.html", "topic3.html", "index.html", "index.html", "search.html"};
    QCOMPARE(opened->opened.size(), pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        QCOMPARE(QFileInfo(opened->opened[i]).fileName(), pages[i]);
        QVERIFY(QFileInfo::exists(QFileInfo(opened->opened[i]).dir().filePath(QStringLiteral("style.css"))));
        QVERIFY(readFile(opened->opened[i]).contains("<html"));
    }
    const QString copy = QFileInfo(opened->opened[1]).path() + u'/';
    QVERIFY(readFile(copy + QStringLiteral("topic3.html")).contains("<em>Configure &gt; <span class=\"unit-plural\">Apartments</span>...</em>"));
    QVERIFY(readFile(copy + QStringLiteral("menus.html")).contains("<span class=\"unit-singular\">Cabin &amp; Lodge</span> Notes"));
    QVERIFY(readFile(folder + QStringLiteral("topic3.html")).contains("<span class=\"unit-plural\">Rooms</span>"));
    QVERIFY(told->shown.isEmpty());

    for (bool late : {false, true}) {
        opened->result = SE_ERR_NOASSOC;
        opened->late = late;
        QCOMPARE(platform().help().showContext(&m, 3), late);
        if (late)
            QTRY_COMPARE(told->shown.size(), 1);
        QCOMPARE(told->shown.size(), 1);
        QCOMPARE(told->lastPrompt(), QStringLiteral("Unable to open the help page.\r\n") + QDir::toNativeSeparators(copy)
                                         + QStringLiteral("topic3.html\r\nNo association for file extension"));
        QCOMPARE(told->shown[0].style, int(vbExclamation));
        told->clear();
    }
    installFakes();
}

TARLOMY_GUI_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
