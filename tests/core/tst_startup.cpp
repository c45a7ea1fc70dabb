// Start-up and shut-down: the main window's load handler on real database
// files, the first-run questions, and the widths saved at exit.
#include "booking/bookingwizard.h"
#include "core/apperror.h"
#include "booking/paymentpage.h"
#include "calendar/arrivalspanel.h"
#include "calendar/calendar.h"
#include "calendar/calendarpanel.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/frmtip.h"
#include "widgets/grid.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "app/startup.h"
#include "customers/customerspanel.h"
#include "reports/reportspanel.h"
#include "support/testsupport.h"
#include "widgets/guard.h"

#include <QDateEdit>
#include <QFile>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The splash stands a moment only: these tests look at what follows it.
        frmSplash::ShowTimeMs = 100;
        frmSplash::LoadDelayMs = 10;
    }
    void init() { resetProgramState(); }
    void loadsOnTheArrivalsView();
    void loadCopiesSettings();
    void missingDatabaseEndsWithMessage();
    void firstRunQuestions();
    void mainAsksFirstRunOnce();
    void tipsFollowTheirSetting();
    void exitSavesGridWidths();
    void unhandledErrorIsReportedAndEnds();
};

void TestStartup::loadsOnTheArrivalsView()
{
    TestDb db;
    SaveConfigText(QStringLiteral("DBPath"), db.folder());
    frmMain& main = MainForm();
    QVERIFY(objConn.isOpen());
    QCOMPARE(objConn.fileName(), db.file());
    QVERIFY(main.windowState() & Qt::WindowMaximized);
    QVERIFY(control<ArrivalsPanel>(&main, "picArrivals")->isVisibleTo(&main));
    QVERIFY(!control<BookingWizard>(&main, "picBooking")->isVisibleTo(&main));
    QVERIFY(!control<CalendarPanel>(&main, "picCalendar")->isVisibleTo(&main));
    QVERIFY(!control<CustomersPanel>(&main, "picCustomers")->isVisibleTo(&main));
    // No panel lies shown behind the arrivals, its controls reachable unseen.
    QVERIFY(!control<ReportsPanel>(&main, "picReports")->isVisibleTo(&main));
    QCOMPARE(control<QWidget>(&main, "picBack")->children().last(), static_cast<QObject*>(control<ArrivalsPanel>(&main, "picArrivals")));
    QCOMPARE(control<QCalendarWidget>(main.arrivals(), "dtCalendar")->selectedDate(), QDate::currentDate());
    QCOMPARE(control<QDateEdit>(main.reports(), "dtReport")->date(), QDate::currentDate());

    QCOMPARE(control<QTableView>(main.arrivals(), "gArrivals")->model()->columnCount(), 4);
    QCOMPARE(control<QTableView>(main.arrivals(), "gArrivals")->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Room"));
    QCOMPARE(control<QTableWidget>(main.booking()->payment(), "gNewInvoice")->horizontalHeaderItem(4)->text(),
             QStringLiteral("Item Total"));
    QCOMPARE(control<QTableView>(main.customers(), "gcust")->model()->columnCount(), 4);
    QCOMPARE(control<QComboBox>(main.arrivals(), "cboSimpleCalSort")->currentText(), QStringLiteral("Time"));
    // The week's headings name the day of the figure beside them: Monday first.
    QCOMPARE(main.reports()->findChild<QLabel*>(QStringLiteral("lblLabels_52"))->text(), QStringLiteral("Monday:"));
    QCOMPARE(main.reports()->findChild<QLabel*>(QStringLiteral("lblLabels_58"))->text(), QStringLiteral("Sunday:"));

    // The payment methods in the order they were entered: the fourth is the card.
    QComboBox* methods = control<QComboBox>(main.booking()->payment(), "cboPaymentMethod");
    QCOMPARE(methods->count(), objConn.scalar(QStringLiteral("SELECT count(*) FROM PaymentMethod")).toInt());
    QCOMPARE(methods->itemText(3), objConn.scalar(QStringLiteral("SELECT method FROM PaymentMethod ORDER BY id "
                                                                 "LIMIT 1 OFFSET 3"))
                                       .toString());
    for (QPushButton* back : main.booking()->cmdBack)
        QVERIFY(!back->isEnabled());
    QCOMPARE(iBookingStep, 0);
    QCOMPARE(control<QAction>(&main, "mnuConfigureRooms")->text(), QStringLiteral("Rooms..."));
    QCOMPARE(control<QAction>(&main, "mnuBookingsRoomNotes")->text(), QStringLiteral("Room Notes..."));
    QVERIFY(!control<QMenu>(&main, "mnuCommissions")->menuAction()->isVisible());
    QCOMPARE(fakes().help->helpFile, AppPath() + QStringLiteral("kshelp.hlp"));
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

void TestStartup::loadCopiesSettings()
{
    TestDb db;
    SaveConfigText(QStringLiteral("CostPerNight"), QStringLiteral("99.5"));
    SaveConfigText(QStringLiteral("SalesTaxPercentage"), QStringLiteral("17.5"));
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    SaveConfigFlag(QStringLiteral("IncludeEndDate"), true);
    SaveConfigText(QStringLiteral("CommoditySingular"), QStringLiteral("Cabin"));
    SaveConfigText(QStringLiteral("CommodityPlural"), QStringLiteral("Cabins"));
    frmMain& main = loadMainWindow(db);
    QCOMPARE(CostPerNight(), Money::fromRaw(995000));
    QCOMPARE(SalesTaxPercentage(), 17.5);
    QCOMPARE(SalesTaxPercentage2(), 10.0);
    QVERIFY(control<QMenu>(&main, "mnuCommissions")->menuAction()->isVisible());
    QVERIFY(control<QGroupBox>(main.booking()->payment(), "picBookingCommission")->isVisibleTo(main.booking()->payment()));
    QVERIFY(main.calendar()->MainCalendar()->bIncludeEndDate);
    QCOMPARE(gsCommodityPlural, QStringLiteral("Cabins"));
    QCOMPARE(control<QAction>(&main, "mnuConfigureRooms")->text(), QStringLiteral("Cabins..."));
    QCOMPARE(control<QAction>(&main, "mnuBookingsRoomNotes")->text(), QStringLiteral("Cabin Notes..."));
    QCOMPARE(control<QTableView>(main.arrivals(), "gArrivals")->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Cabin"));
    QCOMPARE(control<QComboBox>(main.arrivals(), "cboSimpleCalSort")->itemText(2), QStringLiteral("Cabin"));
    QCOMPARE(main.calendar()->MainCalendar()->CommodityName, QStringLiteral("Cabins"));
}

void TestStartup::missingDatabaseEndsWithMessage()
{
    TestDb db;
    QFile::remove(db.file());
    SaveConfigText(QStringLiteral("DBPath"), db.folder());
    try {
        MainForm();
        QFAIL("the program must end");
    } catch (const ProgramEnded&) {
    }
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Unable to open database ") + db.file());
    QVERIFY(!QFile::exists(db.file()));
}

void TestStartup::firstRunQuestions()
{
    TestDb db;
    frmMain& main = loadMainWindow(db);
    FakeMessageBoxes* boxes = fakes().messageBoxes;

    boxes->answers = {vbYes};
    QString wizardPage;   // the tutorial is followed by the configuration wizard
    onNextDialog([&wizardPage](QWidget* page) {
        wizardPage = page->objectName();
        control<QPushButton>(page, "cmdCancel")->click();
    });
    main.FirstRun();
    QCOMPARE(wizardPage, QStringLiteral("frmWizConfig_Welcome"));
    QCOMPARE(boxes->shown.size(), 1);
    QVERIFY(boxes->shown[0].prompt.startsWith(QStringLiteral("We've noticed that this is the first time")));
    QCOMPARE(boxes->shown[0].style, int(vbYesNoCancel | vbQuestion));
    QCOMPARE(fakes().help->calls, QStringList({QStringLiteral("context 3")}));

    // The user lets apartments: the tutorial is shown again, naming the menus
    // so, by the desktop's help; a desktop that has no browser says so.
    for (int result : {int(SE_OK), int(SE_ERR_NOASSOC)}) {
        installFakes();
        platform().setHelp(desktopHelpService());
        platform().help().setHelpFile(QStringLiteral(PROGRAM_DIR) + QStringLiteral("/kshelp.hlp"));
        fakes().shell->result = result;
        fakes().messageBoxes->answers = {vbYes};
        onNextDialog([](QWidget* page) {
            gsCommodityPlural = QStringLiteral("Apartments");
            control<QPushButton>(page, "cmdCancel")->click();
        });
        gsCommodityPlural = QStringLiteral("Rooms");
        main.FirstRun();
        const QStringList opened = fakes().shell->opened;
        QCOMPARE(opened.size(), result == SE_OK ? 2 : 1);
        QVERIFY(readFile(opened.last()).contains("Configure &gt; <span class=\"unit-plural\">"
                                                 + QByteArray(result == SE_OK ? "Apartments" : "Rooms")));
        QCOMPARE(fakes().messageBoxes->shown.size(), result == SE_OK ? 1 : 2);
        if (result != SE_OK)
            QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Unable to open the help page.")));
    }
    installFakes();
    boxes = fakes().messageBoxes;

    for (int first : {int(vbNo), int(vbCancel)}) {
        boxes->clear();
        fakes().help->calls.clear();
        boxes->answers = {first, vbNo};
        main.FirstRun();
        QCOMPARE(boxes->shown.size(), 2);
        QCOMPARE(boxes->shown[1].prompt, QStringLiteral("Would you like to run the 'Configuration Wizard' now?"));
        QVERIFY(fakes().help->calls.isEmpty());
    }
}

void TestStartup::mainAsksFirstRunOnce()
{
    TestDb db;
    SaveConfigText(QStringLiteral("DBPath"), db.folder());
    SaveOptionsText(QStringLiteral("Show Tips at Startup"), QStringLiteral("0"));
    fakes().messageBoxes->answers = {vbNo, vbNo};
    Main();
    QCOMPARE(fakes().messageBoxes->shown.size(), 2);
    QCOMPARE(ConfigText(QStringLiteral("FirstRun"), QString()), QStringLiteral("False"));
    QVERIFY(MainForm().isVisible());

    // The next start asks nothing.
    DestroyMainForm();
    objConn.close();
    fakes().messageBoxes->clear();
    Main();
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

void TestStartup::tipsFollowTheirSetting()
{
    TestDb db;
    SaveConfigText(QStringLiteral("DBPath"), db.folder());
    SaveConfigFlag(QStringLiteral("FirstRun"), false);
    bool tipShown = false;
    onNextDialog([&tipShown](QWidget* dialog) {
        tipShown = qobject_cast<frmTip*>(dialog) != nullptr;
        dialog->close();
    }, 5000);
    Main();   // the setting is absent: tips are shown
    QVERIFY(tipShown);

    DestroyMainForm();
    objConn.close();
    SaveOptionsText(QStringLiteral("Show Tips at Startup"), QStringLiteral("0"));
    Main();   // returns without any modal window
    QVERIFY(MainForm().isVisible());
}

void TestStartup::exitSavesGridWidths()
{
    TestDb db;
    frmMain& main = loadMainWindow(db);
    SetGridColWidth(control<QTableView>(main.arrivals(), "gArrivals"), 2, 2400);
    SetGridColWidth(control<QTableView>(main.customers(), "gcust"), 0, 3000);
    main.close();
    QCOMPARE(ConfigText(QStringLiteral("gArrivalsColWidth2"), QString()), QStringLiteral("2400"));
    QCOMPARE(ConfigText(QStringLiteral("gcustColWidth0"), QString()), QStringLiteral("3000"));
    QVERIFY(!ConfigText(QStringLiteral("gArrivalsColWidth3"), QString()).isEmpty());
}

void TestStartup::unhandledErrorIsReportedAndEnds()
{
    OpenTestDb db;
    try {
        try {
            objConn.execute(QStringLiteral("UPDATE nosuchtable SET x = '100%3'"));
        } catch (const AppError& e) {
            ReportFatalError(e);
        }
        QFAIL("the program must end");
    } catch (const ProgramEnded& ended) {
        QVERIFY(ended.code != 0);
    }
    const ShownMessage report = fakes().messageBoxes->shown.last();
    QCOMPARE(report.style & 0x70, int(vbCritical));
    QVERIFY(report.prompt.contains(QStringLiteral("Module: tst_startup")));
    QVERIFY(report.prompt.contains(QStringLiteral("Routine: unhandledErrorIsReportedAndEnds")));
    QVERIFY(report.prompt.contains(QStringLiteral("Line: ")));
    QVERIFY(report.prompt.contains(QStringLiteral("nosuchtable SET x = '100%3'")));

    // An error that is not the program's own names the handler it escaped,
    // where that handler was connected.
    struct Handlers {
        void cmdFill_Click() { throw std::bad_alloc(); }
    } handlers;
    auto refuse = [] { throw std::runtime_error("vector::_M_range_check"); };
    const std::function<void()> connected[] = {guarded(&handlers, &Handlers::cmdFill_Click),
                                               guarded([&] { refuse(); })};
    const int line = __LINE__ - 2;
    const char* const expected[][2] = {{"cmdFill_Click", "Run-time error '7':\n\nOut of memory"},
                                       {"refuse", "Run-time error '51':\n\nvector::_M_range_check"},
                                       {"unhandledErrorIsReportedAndEnds", "Run-time error '51':\n\nvector::_M_range_check"}};
    for (int i = 0; i < 3; ++i) {
        const int called = __LINE__ + 1;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, i < 2 ? connected[i]() : RunGuarded(refuse));
        const QString prompt = fakes().messageBoxes->lastPrompt();
        QVERIFY2(prompt.startsWith(QString::fromLatin1(expected[i][1])), qPrintable(prompt));
        QVERIFY2(prompt.endsWith(QStringLiteral("Module: tst_startup\nRoutine: %1\nLine: %2")
                                     .arg(QString::fromLatin1(expected[i][0]))
                                     .arg(i == 0 ? line : i == 1 ? line + 1 : called)),
                 qPrintable(prompt));
    }
}

TARLOMY_GUI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
