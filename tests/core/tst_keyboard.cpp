// Every panel, wizard page and dialog is worked by the keyboard alone: Tab
// and Shift+Tab go round its shown controls, each once, leaving every list
// and grid, never reaching a control out of sight; a screen reader is told
// the focus shown and a name for every control; and a dialog's title bar
// offers its close box only.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "customers/frmfindcustomer.h"
#include "core/modmain.h"
#include "widgets/wizardpages.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

namespace {

// A way to a window from the main window: each step acts on the window the
// step before reached. A step opens a modal dialog (reached: the dialog), or
// brings a panel of the main window to the front (reached: that panel), or
// acts within the window reached (reached: the same window). A wizard opens
// its pages one after another, each page a window reached.
struct Step {
    enum Kind { Dialog, Panel, Same, Wizard } kind;
    std::function<void(QWidget* at)> act;
    const char* panel = nullptr;
};

struct Way {
    const char* name;
    QList<Step> steps;
};

frmMain* g_main = nullptr;

Step menu(const char* action, Step::Kind kind = Step::Dialog)
{
    return {kind, [action](QWidget*) { control<QAction>(g_main, action)->trigger(); }};
}
Step panel(const char* action, const char* name)
{
    return {Step::Panel, [action](QWidget*) { control<QAction>(g_main, action)->trigger(); }, name};
}
Step press(const char* button)
{
    return {Step::Dialog, [button](QWidget* at) { control<QPushButton>(at, button)->click(); }};
}
Step bookingStep(int step)
{
    return {Step::Same, [step](QWidget*) {
        int i = step;
        g_main->booking()->ShowBookingStep(i);
    }};
}

QList<Way> ways()
{
    const Step booking = panel("mnuReservationAdd", "picBooking");
    const Step units = menu("mnuConfigureRooms");
    return {
        {"arrivals", {panel("mnuCalendarSimple", "picArrivals")}},
        {"calendar", {panel("mnuCalendar", "picCalendar")}},
        {"reports", {panel("mnuReports", "picReports")}},
        {"customers", {panel("mnuCustomersView", "picCustomers")}},
        {"booking dates", {booking, bookingStep(0)}},
        {"booking units", {booking, bookingStep(1)}},
        {"booking customer", {booking, bookingStep(2)}},
        {"booking payment", {booking, bookingStep(3)}},
        {"booking confirmation", {booking, bookingStep(4)}},
        {"customer picker", {booking, bookingStep(2), press("cmdResSearch")}},
        {"invoice line", {booking, bookingStep(3), press("cmdAddOrderItem")}},
        {"booking summary", {panel("mnuCalendarSimple", "picArrivals"), press("cmdSimpleCalShowSummary")}},
        {"customer details", {panel("mnuCustomersView", "picCustomers"), press("cmdEditCustomer")}},
        {"booking history", {panel("mnuCustomersView", "picCustomers"), press("cmdViewHistory")}},
        {"find customer", {menu("mnuCustomerFind")}},
        {"find customer with matches",
         {menu("mnuCustomerFind"), {Step::Same, [](QWidget* at) {
              control<QLineEdit>(at, "txtLastname")->setText(QStringLiteral("Tabb"));
              control<QPushButton>(at, "cmdOk")->click();
          }}}},
        {"find booking", {menu("mnuReservationFind")}},
        {"units", {units}},
        {"unit details", {units, press("cmdAdd")}},
        {"unit notes", {menu("mnuBookingsRoomNotes")}},
        {"seasons", {menu("mnuConfigHighLowSeason")}},
        {"chargeable items", {menu("mnuConfigChargeableItems")}},
        {"chargeable item", {menu("mnuConfigChargeableItems"), press("cmdAdd")}},
        {"tax rates", {menu("mnuConfigTax")}},
        {"tax rate", {menu("mnuConfigTax"), press("cmdAdd")}},
        {"commission accounts", {menu("mnuViewAccounts")}},
        {"commission account", {menu("mnuViewAccounts"), press("cmdAdd")}},
        {"payment methods", {menu("mnuConfigPaymentMethods")}},
        {"payment method", {menu("mnuConfigPaymentMethods"), press("cmdAdd")}},
        {"custom booking field", {menu("mnuConfigCustomField")}},
        {"custom booking choice", {menu("mnuConfigCustomField"), press("cmdAdd")}},
        {"options", {menu("mnuConfigureTerminology")}},
        {"commission payments", {menu("mnuCommissionPayments")}},
        {"commission payment", {menu("mnuCommissionPayments"), press("cmdAdd")}},
        {"finance summary", {menu("mnuBookingsFinanceSummary")}},
        {"quick view", {menu("mnuFileExportThisMonthView")}},
        {"tip of the day", {menu("mnuHelpTipOfTheDay")}},
        {"about", {menu("mnuAbout")}},
        {"configuration wizard", {menu("mnuConfigureWizard", Step::Wizard)}},
        {"mailing-list wizard", {menu("mnuCustMailingList", Step::Wizard)}},
        {"web-bookings wizard", {menu("mnuWebConfig", Step::Wizard)}},
    };
}

QString nameOf(const QWidget* w)
{
    return w ? QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName() : QStringLiteral("nothing");
}

// Whether some of w lies inside every widget around it, up to its window.
bool inSight(const QWidget* w)
{
    const QWidget* window = w->window();
    QRect seen(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        seen &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return seen.intersects(window->rect());
}

// The controls of root a user can reach by Tab.
QList<QWidget*> tabStops(const QWidget* root)
{
    QList<QWidget*> stops;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy()
            && inSight(w))
            stops << w;
    return stops;
}

// Goes round root by Tab (or Shift+Tab) from its first control; what is wrong
// with the round, or nothing.
QString walk(QWidget* root, bool forward)
{
    const QList<QWidget*> stops = tabStops(root);
    if (stops.isEmpty())
        return QStringLiteral("no control takes the focus");
    QWidget* start = stops.first();
    start->setFocus(Qt::TabFocusReason);
    const char* key = forward ? "Tab" : "Shift+Tab";
    QList<QWidget*> seen{start};
    QWidget* at = start;
    for (int n = 0; n <= stops.size(); ++n) {
        QTest::keyClick(at, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget* now = root->window()->focusWidget();
        if (now == at)
            return QStringLiteral("%1 stays in %2").arg(key, nameOf(at));
        if (!now || !(now == root || root->isAncestorOf(now)))
            return QStringLiteral("%1 leaves %2 for %3 of %4").arg(key, nameOf(at), nameOf(now), now ? nameOf(now->window()) : QString());
        if (!stops.contains(now))
            return QStringLiteral("%1 reaches %2, out of sight").arg(key, nameOf(now));
        if (now == start) {
            QStringList skipped;
            for (QWidget* w : stops)
                if (!seen.contains(w))
                    skipped << nameOf(w);
            return skipped.isEmpty() ? QString() : QStringLiteral("%1 skips %2").arg(key, skipped.join(u", "));
        }
        if (seen.contains(now))
            return QStringLiteral("%1 goes round without %2").arg(key, nameOf(start));
        seen << now;
        at = now;
    }
    return QStringLiteral("%1 never comes back to %2").arg(key, nameOf(start));
}

// Whether the interface stands for w or for a part of it (an item of a
// view, the editor of a spin box).
bool within(QAccessibleInterface* iface, const QWidget* w)
{
    for (QAccessibleInterface* i = iface; i; i = i->parent()) {
        QObject* o = i->object();
        if (o == w)
            return true;
        // A control that hands its focus on to a part of it has it too.
        for (const QObject* p = o && o->isWidgetType() ? static_cast<QWidget*>(o)->focusProxy() : nullptr; p;
             p = static_cast<const QWidget*>(p)->focusProxy())
            if (p == w)
                return true;
        if (o && o->isWidgetType() && w->isAncestorOf(static_cast<QWidget*>(o)))
            return true;
        if (o)
            return false;
    }
    return false;
}

QString describe(QAccessibleInterface* iface)
{
    if (!iface)
        return QStringLiteral("nothing");
    QObject* o = iface->object();
    for (QAccessibleInterface* i = iface; !o && i; i = i->parent())
        o = i->object();
    const QString of = o && o->isWidgetType() ? nameOf(static_cast<QWidget*>(o)) : QStringLiteral("?");
    return QStringLiteral("%1 \"%2\" (role %3)").arg(of, iface->text(QAccessible::Name)).arg(int(iface->role()));
}

// The interfaces below iface that say they have the focus (items of views
// included, a few hundred at most per view).
void focusedBelow(QAccessibleInterface* iface, QList<QAccessibleInterface*>& found, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    const int n = qMin(iface->childCount(), 400);
    for (int i = 0; i < n; ++i) {
        QAccessibleInterface* c = iface->child(i);
        if (!c)
            continue;
        if (c->state().focused)
            found << c;
        if (!c->state().invisible)
            focusedBelow(c, found, depth + 1);
    }
}

// What the screen reader is told that differs from what is shown, with
// focus on now; or nothing.
QStringList heardWrong(QWidget* now)
{
    QStringList faults;
    QAccessibleInterface* mine = QAccessible::queryAccessibleInterface(now);
    if (!mine)
        return {QStringLiteral("%1 has no accessible interface").arg(nameOf(now))};
    if (mine->text(QAccessible::Name).trimmed().isEmpty())
        faults << QStringLiteral("%1 has no accessible name").arg(describe(mine));
    if (mine->role() == QAccessible::Client || mine->role() == QAccessible::NoRole)
        faults << QStringLiteral("%1 tells no kind of control").arg(describe(mine));
    // Down the focus children from the window to the deepest.
    QAccessibleInterface* at = QAccessible::queryAccessibleInterface(now->window());
    for (int depth = 0; at && depth < 40; ++depth) {
        QAccessibleInterface* next = at->focusChild();
        if (!next || next == at)
            break;
        at = next;
    }
    if (!within(at, now))
        faults << QStringLiteral("the window's focus child is %1, the focus %2").arg(describe(at), nameOf(now));
    QList<QAccessibleInterface*> focused;
    focusedBelow(QAccessible::queryAccessibleInterface(now->window()), focused);
    for (QAccessibleInterface* f : focused)
        if (!within(f, now))
            faults << QStringLiteral("%1 says it has the focus, shown on %2").arg(describe(f), nameOf(now));
    return faults;
}

// Goes round root by Tab once, checking what a screen reader hears at each
// control, and that each control reached has a name.
QStringList walkHeard(QWidget* root)
{
    const QList<QWidget*> stops = tabStops(root);
    QStringList faults;
    if (stops.isEmpty())
        return faults;
    QWidget* at = stops.first();
    at->setFocus(Qt::TabFocusReason);
    for (int n = 0; n <= stops.size(); ++n) {
        QWidget* now = root->window()->focusWidget();
        if (!now)
            break;
        for (const QString& f : heardWrong(now))
            if (!faults.contains(f))
                faults << f;
        QTest::keyClick(now, Qt::Key_Tab);
        if (root->window()->focusWidget() == stops.first())
            break;
    }
    return faults;
}

void leave(QWidget* dialog)
{
    if (qobject_cast<WizPage*>(dialog))
        control<QPushButton>(dialog, "cmdCancel")->click();
    else
        static_cast<QDialog*>(dialog)->reject();
}

// Takes steps[i] onwards from the window at, checking each window the last
// step reaches with check; the dialogs opened are closed again.
void follow(const QList<Step>& steps, int i, QWidget* at, const std::function<void(QWidget*)>& check)
{
    if (i == steps.size()) {
        check(at);
        return;
    }
    const Step& s = steps[i];
    switch (s.kind) {
    case Step::Panel:
        s.act(at);
        follow(steps, i + 1, control<QWidget>(g_main, s.panel), check);
        break;
    case Step::Same:
        s.act(at);
        follow(steps, i + 1, at, check);
        break;
    case Step::Dialog:
        onNextDialog([&steps, i, &check](QWidget* d) {
            follow(steps, i + 1, d, check);
            leave(d);
        });
        s.act(at);
        break;
    case Step::Wizard: {
        // Each page is checked, then left by Next; the last page (or one
        // that stays, refusing its defaults) by Cancel.
        auto pages = std::make_shared<std::function<void(QWidget*)>>();
        auto last = std::make_shared<QWidget*>(nullptr);
        *pages = [weak = std::weak_ptr(pages), last, &check](QWidget* page) {
            check(page);
            QPushButton* next = control<QPushButton>(page, "cmdNext");
            if (page == *last || next->text() == QStringLiteral("&Finish")) {
                leave(page);
                return;
            }
            *last = page;
            onNextDialog(*weak.lock());
            next->click();
        };
        onNextDialog(*pages);
        s.act(at);
        break;
    }
    }
}

}  // namespace

class TestKeyboard : public DbTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { closeDb(); }
    void tabGoesRoundEveryWindow_data();
    void tabGoesRoundEveryWindow();
    void screenReaderHearsTheFocusShown_data() { tabGoesRoundEveryWindow_data(); }
    void screenReaderHearsTheFocusShown();
    void dialogsOfferOnlyTheCloseBox();
    void cutTextsHaveTheirWholeName();
    void openersPressedAndTheirFailuresTold_data();
    void openersPressedAndTheirFailuresTold();
};

void TestKeyboard::cutTextsHaveTheirWholeName()
{
    // A step caption cut short for its box, and the time boxes, are named
    // whole for a screen reader, not by what they show.
    control<QAction>(main, "mnuReservationAdd")->trigger();
    const QString plural = QStringLiteral("Kingfisher's Garden Suites with Sea View");
    main->booking()->SetCommodityName(plural);
    auto* step = control<QLabel>(main->booking(), "lblStep_1");
    QVERIFY(step->text() != QStringLiteral("Step 2 - Select ") + plural);
    QCOMPARE(step->accessibleName(), QStringLiteral("Step 2 - Select ") + plural);
    for (const char* box : {"dtFromTime", "dtToTime"}) {
        const QString name = control<QWidget>(main->booking(), box)->accessibleName();
        QVERIFY2(name.contains(QStringLiteral("Time")), box);
    }
}

void TestKeyboard::openersPressedAndTheirFailuresTold_data()
{
    // Where the opener is, how it is pressed (a key on the link, a click on
    // it, or the menu item), and whether the opener fails at once or only
    // after it started.
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("late");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("sentence");
    const QString mail = QStringLiteral("Unable to open the mail program.");
    for (const bool late : {false, true}) {
        const char* when = late ? "fails late" : "fails at once";
        for (const auto& [where, target] : {std::pair{"customer details", "mailto:tilly@example.com"},
                                            std::pair{"booking confirmation", "mailto:"},
                                            std::pair{"booking summary", "mailto:tilly@example.com"}})
            for (const auto& [key, how] : {std::pair{int(Qt::Key_Space), "Space"}, std::pair{int(Qt::Key_Return), "Enter"},
                                           std::pair{0, "click"}})
                QTest::addRow("%s, %s, %s", where, how, when) << where << key << late << target << mail;
        QTest::addRow("Online Support, %s", when) << "mnuHelpOnlineSupport" << 0 << late
                                                  << "https://support.tarlomy.example/"
                                                  << "Unable to open the support page.";
        QTest::addRow("Send Feedback, %s", when) << "mnuHelpSendFeedback" << 0 << late << "mailto:care@tarlomy.example" << mail;
    }
}

void TestKeyboard::openersPressedAndTheirFailuresTold()
{
    QFETCH(QString, where);
    QFETCH(int, key);
    QFETCH(bool, late);
    QFETCH(QString, target);
    QFETCH(QString, sentence);
    FakeShell* shell = fakes().shell;
    FakeMessageBoxes* boxes = fakes().messageBoxes;
    const QString told = sentence + QStringLiteral("\r\n") + target + QStringLiteral("\r\n")
                         + ShellOpenFailureReason(SE_ERR_NOASSOC);
    // Opened, and, when the opener fails, told once with the page and the reason.
    auto press = [&](const std::function<void()>& act) {
        for (const int result : {int(SE_OK), int(SE_ERR_NOASSOC)}) {
            shell->opened.clear();
            boxes->clear();
            shell->result = result;
            shell->late = late;
            act();
            QCOMPARE(shell->opened, QStringList{target});
            if (result == SE_OK) {
                QTest::qWait(1);
                QVERIFY2(boxes->shown.isEmpty(), qPrintable(boxes->lastPrompt()));
            } else {
                QTRY_COMPARE(boxes->shown.size(), 1);
                QCOMPARE(boxes->lastPrompt(), told);
            }
        }
    };
    if (where.startsWith(QLatin1String("mnu"))) {
        press([&] { control<QAction>(main, qPrintable(where))->trigger(); });
        return;
    }
    const QList<Way> all = ways();
    const auto way = std::find_if(all.begin(), all.end(), [&](const Way& w) { return where == QLatin1String(w.name); });
    QVERIFY(way != all.end());
    bool reached = false;
    follow(way->steps, 0, main, [&](QWidget* root) {
        reached = true;
        auto* link = root->findChild<QLabel*>(QStringLiteral("lblEmail"));
        QVERIFY(link && link->isVisible());
        // The link is a control of the Tab round, and keeps its caption.
        QVERIFY(tabStops(root).contains(link));
        QCOMPARE(link->text(), QStringLiteral("Email"));
        press([&] {
            if (key) {
                link->setFocus(Qt::TabFocusReason);
                QTest::keyClick(link, Qt::Key(key));
            } else {
                QTest::mouseClick(link, Qt::LeftButton);
            }
        });
    });
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(reached);
}

void TestKeyboard::init()
{
    showMain();
    g_main = main;
    main->setWindowState(Qt::WindowNoState);
    main->resize(1280, 800);
    // A customer with a booking today: the lists hold a row.
    const qint32 customer = addCustomer({{"FirstName", QStringLiteral("Tilly")}, {"LastName", QStringLiteral("Tabb")},
                                         {"Email", QStringLiteral("tilly@example.com")}});
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    addBooking(today + QStringLiteral(" 10:00:00"), QDate::currentDate().addDays(1).toString(Qt::ISODate) + QStringLiteral(" 10:00:00"),
               {{"customerid", customer}}, {1});
    const qint32 agent = insertRow("commission", {{"name", QStringLiteral("Agent")}});
    insertRow("commissionPayment", {{"commissionid", agent}, {"amount", 10}, {"submitteddate", today}});
    ShowArrivals();
    main->RefreshCustomerScreen(1, 0);
}

void TestKeyboard::tabGoesRoundEveryWindow_data()
{
    QTest::addColumn<int>("way");
    const QList<Way> all = ways();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(all[i].name) << i;
}

// Follows the way of the test's row, checks each window it reaches, and
// fails with every fault found, each named by its window.
void checkEveryWindowOfTheWay(QWidget* main, const std::function<QStringList(QWidget* root)>& check)
{
    QFETCH(int, way);
    QStringList faults;
    int windows = 0;
    follow(ways()[way].steps, 0, main, [&](QWidget* root) {
        ++windows;
        for (const QString& fault : check(root))
            faults << nameOf(root->window()) + QStringLiteral(": ") + fault;
    });
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY2(windows > 0, "no window reached");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestKeyboard::tabGoesRoundEveryWindow()
{
    checkEveryWindowOfTheWay(main, [](QWidget* root) {
        QStringList faults;
        for (const bool forward : {true, false})
            if (const QString fault = walk(root, forward); !fault.isEmpty())
                faults << fault;
        return faults;
    });
}

void TestKeyboard::screenReaderHearsTheFocusShown()
{
    checkEveryWindowOfTheWay(main, walkHeard);
}

void TestKeyboard::dialogsOfferOnlyTheCloseBox()
{
    QStringList faults;
    for (const Way& way : ways()) {
        if (way.steps.last().kind != Step::Dialog && way.steps.last().kind != Step::Wizard)
            continue;
        follow(way.steps, 0, main, [&](QWidget* dialog) {
            const Qt::WindowFlags f = dialog->windowHandle() ? dialog->windowHandle()->flags() : dialog->windowFlags();
            if (f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint)
                || !(f & Qt::WindowCloseButtonHint) || !(f & Qt::CustomizeWindowHint))
                faults << QStringLiteral("%1: %2").arg(way.name, nameOf(dialog));
        });
    }
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

TARLOMY_GUI_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
