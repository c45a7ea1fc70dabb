// What a failing write leaves behind: every file the program writes keeps its
// old content whole and the user is told which file and why; the program goes
// on. Work on several rows is all or nothing.
#include "support/pagescript.h"

#include "app/frmmain.h"
#include "config/configwizard.h"
#include "config/frmterminology.h"
#include "core/configrecords.h"
#include "core/db.h"
#include "core/filewriter.h"
#include "core/invoicetotals.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "core/settingsfile.h"
#include "customers/customerspanel.h"
#include "widgets/grid.h"
#include "customers/mailinglist.h"
#include "support/pagescript.h"
#include "invoicing/documents.h"
#include "reports/bookingformpage.h"
#include "reports/frmreservationquickview.h"
#include "reports/reportspanel.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QPushButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Files may grow to `bytes` only, as on a disk that is nearly full: a write
// past it fails with "File too large" instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

// Runs writer k of the File and Web Bookings menus and the reports panel, as
// the user starts it (0 to 5, 7); true while the quick view stays open after.
bool RunMenuWriter(frmMain* main, int k)
{
    switch (k) {
    case 0: main->mnuFileExportCustomers_Click(); break;
    case 1: main->mnuFileExportResCSV_Click(); break;
    case 2: main->mnuFileExportThisMonth_Click(); break;
    case 3: main->mnuFileExportCommissionAccounts_Click(); break;
    case 4: {
        frmReservationQuickView dialog(QDate::currentDate());
        dialog.show();
        control<QPushButton>(&dialog, "cmdOK")->click();
        return dialog.isVisible();
    }
    case 5: control<QPushButton>(main->reports(), "cmdReportExport")->click(); break;
    case 7: main->mnuWebCreatePage_Click(); break;
    }
    return false;
}

}  // namespace

class TestWrites : public DbTest {
    Q_OBJECT

private slots:
    void init()
    {
        resetProgramState();
        loadMain();
    }

    void everyWriterKeepsTheOldFile_data();
    void everyWriterKeepsTheOldFile();
    void noWriterReplacesTheOpenDatabase_data();
    void noWriterReplacesTheOpenDatabase();
    void settingsFileReadsAndWritesAsTheDesktops();
    void settingsThatCannotBeWrittenChangeNothing();
    void aRowThatFailsIsNeverTheEnd_data();
    void aRowThatFailsIsNeverTheEnd();
    void aDamagedFileIsToldOnceAndTheProgramGoesOn_data();
    void aDamagedFileIsToldOnceAndTheProgramGoesOn();
    void aFailingSyncFailsTheWrite_data();
    void aFailingSyncFailsTheWrite();
};

void TestWrites::everyWriterKeepsTheOldFile_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<QString>("sentence");
    const char* const unable = "Unable to write to file.";
    QTest::newRow("customers") << 0 << unable;
    QTest::newRow("reservations") << 1 << unable;
    QTest::newRow("this month") << 2 << unable;
    QTest::newRow("commission accounts")
        << 3 << "An error occured writing to the file. Please select another filename and try again.";
    QTest::newRow("quick view") << 4 << unable;
    QTest::newRow("report data") << 5 << unable;
    QTest::newRow("mailing list") << 6 << "Unable to write to file %1.";
    QTest::newRow("booking-form page") << 7 << unable;
    QTest::newRow("confirmation letter") << 8 << "An error has occured, please contact ";
}

void TestWrites::everyWriterKeepsTheOldFile()
{
    QFETCH(int, writer);
    QFETCH(QString, sentence);
    const qint32 customer =
        insertRow("customer", {{"FirstName", "Åsa"}, {"LastName", "Ölçer"}, {"Email", "asa.olcer@example.com"}});
    iBookingID = insertRow("booking", {{"customerid", customer}, {"fromdate", QDate::currentDate().toString(Qt::ISODate)},
                                       {"todate", QDate::currentDate().addDays(2).toString(Qt::ISODate)}});
    writeFile(AppPath() + QStringLiteral("BookingConfirmation.rtf"), "{\\rtf1 Dear <firstname> <lastname>,\\par }");

    const QString file = db->folder() + QStringLiteral("old.out");
    const QByteArray old(4000, 'o');
    writeFile(file, old);
    bool dialogOpen = false;
    auto run = [&] {
        fakes().saveFile->answer = file;
        fakes().messageBoxes->clear();
        switch (writer) {
        case 6: WriteMailingList(file); break;
        case 8: PrintBookingConfirmation(iBookingID); break;
        default: dialogOpen = RunMenuWriter(main, writer); break;
        }
    };
    // A page with a form service of the user's is written without a word.
    if (writer == 7)
        WebSettingsStore::save(WebSettings{QStringLiteral("desk@inn.example"), 1, QStringLiteral("https://forms.example.net/post")});
    const QStringList before = QDir(db->folder()).entryList(QDir::Files);
    {
        FileSizeLimit nearlyFull(16);
        run();
    }
    QCOMPARE(readFile(file), old);
    QCOMPARE(QDir(db->folder()).entryList(QDir::Files), before);   // nothing left behind
    QCOMPARE(fakes().messageBoxes->shown.size(), 1);
    const QString prompt = fakes().messageBoxes->lastPrompt();
    QVERIFY2(prompt.startsWith(QString(sentence).replace(QStringLiteral("%1"), file)), qPrintable(prompt));
    QVERIFY2(prompt.contains(writer == 8 ? QDir::toNativeSeparators(db->folder()) : QDir::toNativeSeparators(file)),
             qPrintable(prompt));
    QVERIFY2(prompt.contains(QString::fromLocal8Bit(strerror(EFBIG))), qPrintable(prompt));
    QCOMPARE(fakes().messageBoxes->shown.last().style & vbCritical, int(vbCritical));
    QCOMPARE(dialogOpen, writer == 4);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // The program goes on, and with room on the disk the same command writes.
    run();
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
    if (writer == 8)
        QVERIFY(readFile(fakes().shell->opened.last()).contains("Dear \\u197Asa \\u214Ol\\u231cer,"));
    else
        QVERIFY(readFile(file) != old && !readFile(file).isEmpty());
}

void TestWrites::noWriterReplacesTheOpenDatabase_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<QString>("target");
    const QList<std::pair<const char*, int>> writers{
        {"customers", 0},  {"reservations", 1}, {"this month", 2},        {"commission accounts", 3},
        {"quick view", 4}, {"report data", 5},  {"mailing-list wizard", 6}, {"booking-form page", 7},
        {"whole-file writer", 8}};
    const QStringList targets{"db.mdb",         "./db.mdb",    "symbolic link", "linked folder",
                              "db.mdb-journal", "db.mdb-wal",  "db.mdb-shm",    "link to the journal",
                              "hard link"};
    for (const auto& [name, writer] : writers)
        for (const QString& target : targets)
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(name), target))) << writer << target;
}

// Whatever way the user names the open database or a journal beside it, the
// choice is refused with the file's name, nothing is written, and the Save As
// is shown again (the wizard's page kept). A hard link is another name of the
// database's content, and is replaced as any file: the database stays whole.
void TestWrites::noWriterReplacesTheOpenDatabase()
{
    QFETCH(int, writer);
    QFETCH(QString, target);
    const qint32 customer = insertRow("customer", {{"FirstName", "Åsa"}, {"Email", "asa@example.com"}});
    insertRow("booking", {{"customerid", customer}, {"fromdate", QDate::currentDate().toString(Qt::ISODate)},
                          {"todate", QDate::currentDate().addDays(2).toString(Qt::ISODate)}});
    WebSettingsStore::save(WebSettings{QStringLiteral("desk@inn.example"), 1, QStringLiteral("https://forms.example.net/post")});

    const QString folder = db->folder();
    const QString database = objConn.fileName();
    QCOMPARE(database, folder + QStringLiteral("db.mdb"));
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(QStringLiteral("db.mdb"), folder + QStringLiteral("link.mdb")));
    QVERIFY(QFile::link(QStringLiteral("db.mdb-journal"), folder + QStringLiteral("journal.link")));
    QVERIFY(QFile::link(QDir(folder).absolutePath(), elsewhere.filePath(QStringLiteral("data"))));
    QVERIFY(::link(QFile::encodeName(database).constData(), QFile::encodeName(folder + QStringLiteral("hard.mdb")).constData()) == 0);
    const QHash<QString, QString> paths{
        {"db.mdb", folder + QStringLiteral("db.mdb")},
        {"./db.mdb", QStringLiteral("./db.mdb")},
        {"symbolic link", folder + QStringLiteral("link.mdb")},
        {"linked folder", elsewhere.filePath(QStringLiteral("data/db.mdb"))},
        {"db.mdb-journal", folder + QStringLiteral("db.mdb-journal")},
        {"db.mdb-wal", folder + QStringLiteral("db.mdb-wal")},
        {"db.mdb-shm", folder + QStringLiteral("db.mdb-shm")},
        {"link to the journal", folder + QStringLiteral("journal.link")},
        {"hard link", folder + QStringLiteral("hard.mdb")}};
    const QString file = paths.value(target);
    const bool allowed = target == QLatin1String("hard link");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(folder);

    const QDir::Filters all = QDir::Files | QDir::System | QDir::Hidden;
    const QStringList before = QDir(folder).entryList(all);
    const QByteArray bytes = readFile(database);
    fakes().messageBoxes->clear();
    // The first choice is the target; a second showing is cancelled.
    fakes().saveFile->first = {file};
    fakes().saveFile->answer.clear();
    QStringList pages;
    QString reason;
    switch (writer) {
    case 6:
        pages = walkPages({press("cmdNext"),
                           [&](QDialog* d) {
                               control<QLineEdit>(d, "txtName")->setText(file);
                               click(d, "cmdNext");
                           },
                           press(allowed ? "cmdNext" : "cmdCancel")},
                          [&] { main->mnuCustMailingList_Click(); });
        break;
    case 8: WriteWholeFile(file, "new", &reason); break;
    default: RunMenuWriter(main, writer); break;
    }
    QDir::setCurrent(cwd);

    QCOMPARE(readFile(database), bytes);
    QVERIFY(QFileInfo(folder + QStringLiteral("link.mdb")).isSymLink());
    QVERIFY(QFileInfo(folder + QStringLiteral("journal.link")).isSymLink());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    if (writer == 6)
        QCOMPARE(pages, QStringList({"frmWizMailList_Welcome", "frmWizMailList_File",
                                     allowed ? "frmWizMailList_Complete" : "frmWizMailList_File"}));
    else if (writer != 8)
        QCOMPARE(fakes().saveFile->requests.size(), allowed ? 1 : 2);
    if (allowed) {
        QCOMPARE(QDir(folder).entryList(all), before);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
        QVERIFY(readFile(file) != bytes);
        return;
    }
    QCOMPARE(QDir(folder).entryList(all), before);   // no journal made, nothing left behind
    if (writer == 8) {
        QCOMPARE(reason, OpenDatabaseReason());
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
        return;
    }
    // Shown again with the name chosen, for the user to change.
    if (writer != 6)
        QCOMPARE(fakes().saveFile->requests.last().fileName, file);
    QCOMPARE(fakes().messageBoxes->shown.size(), 1);
    QCOMPARE(fakes().messageBoxes->lastPrompt(), QDir::toNativeSeparators(file) + QStringLiteral("\r\n")
                                                     + OpenDatabaseReason()
                                                     + QStringLiteral(" Please choose another file name."));
    QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbExclamation));
}

// The program's settings file and the desktop's INI files read each other's
// keys and values, whatever characters they hold.
void TestWrites::settingsFileReadsAndWritesAsTheDesktops()
{
    QSettings::SettingsMap map;
    const QStringList texts = hostileTexts() + QStringList{QStringLiteral(" lead"), QStringLiteral("trail "),
                                                           QStringLiteral("@at"), QStringLiteral("a\tb\x01" "1"),
                                                           QStringLiteral("x,y;z=w"), QString()};
    for (int i = 0; i < texts.size(); ++i) {
        map.insert(QStringLiteral("Config/key %1 ").arg(i) + texts[i].left(20), texts[i]);
        map.insert(QStringLiteral("Options/%1").arg(i), texts[i]);
    }
    map.insert(QStringLiteral("TopLevel"), QStringLiteral("t"));
    map.insert(QStringLiteral("General/g"), QStringLiteral("g"));

    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("desktop.ini"));
    {
        QSettings desktop(ini, QSettings::IniFormat);
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            desktop.setValue(it.key(), it.value());
    }
    QCOMPARE(SettingsFile::parse(readFile(ini)), map);

    const QString ours = dir.filePath(QStringLiteral("ours.ini"));
    writeFile(ours, SettingsFile::text(map));
    QSettings desktop(ours, QSettings::IniFormat);
    QCOMPARE(desktop.allKeys().size(), map.size());
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        QCOMPARE(desktop.value(it.key()).toString(), it.value().toString());
}

// Settings -> OK and the configuration wizard's Finish on a full disk: the
// settings file and the database rows stay as they were, the user is told
// which file and why, and the rest of the run reads the settings as saved.
void TestWrites::settingsThatCannotBeWrittenChangeNothing()
{
    QVERIFY(SaveConfigTexts({{QStringLiteral("Tip"), QStringLiteral("5")},
                             {QStringLiteral("CommodityPlural"), QStringLiteral("Rooms")},
                             {QStringLiteral("Padding"), QString(200, u'p')}}));
    const QString file =
        QSettings(SettingsStoreFormat(), QSettings::UserScope, QString::fromLatin1(kSettingsApp)).fileName();
    const QByteArray settings = readFile(file);
    const QVariant taxRows = objConn.scalar(QStringLiteral("SELECT group_concat(name || percentage) FROM taxrate"));
    const int units = objConn.scalar(QStringLiteral("SELECT count(*) FROM room")).toInt();
    auto unchanged = [&](const char* step) {
        QVERIFY2(readFile(file) == settings, step);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT group_concat(name || percentage) FROM taxrate")), taxRows);
        QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM room")).toInt(), units);
        QCOMPARE(ConfigText(QStringLiteral("Tip"), QString()), QStringLiteral("5"));
        QCOMPARE(ConfigText(QStringLiteral("CommodityPlural"), QString()), QStringLiteral("Rooms"));
        const QString prompt = fakes().messageBoxes->lastPrompt();
        QVERIFY2(prompt.startsWith(QStringLiteral("Unable to save the settings.\r\n") + QDir::toNativeSeparators(file)
                                   + QStringLiteral("\r\n") + QString::fromLocal8Bit(strerror(EFBIG))),
                 qPrintable(prompt));
    };

    fakes().messageBoxes->clear();
    bool stayedOpen = false;
    onNextDialogOf<frmTerminology>([&](frmTerminology* d) {
        control<QLineEdit>(d, "txtTip")->setText(QStringLiteral("12"));
        control<QLineEdit>(d, "txtSalesTaxName")->setText(QStringLiteral("GST"));
        {
            FileSizeLimit nearlyFull(16);
            control<QPushButton>(d, "cmdOK")->click();
        }
        stayedOpen = d->isVisible();
        d->reject();
    });
    main->mnuConfigureTerminology_Click();
    QVERIFY(stayedOpen);
    unchanged("Settings");

    fakes().messageBoxes->clear();
    WizConfigCopies c = ConfigWizard::Load(QStringLiteral("Post Code"), QStringLiteral("Sales Tax"));
    c.CommodityPlural = QStringLiteral("Cabins");
    c.Rooms.at(0).Deleted = true;
    c.Rooms.push_back({-1, false, QStringLiteral("New")});
    {
        FileSizeLimit nearlyFull(16);
        QVERIFY(!ConfigWizard::Finish(c));
    }
    unchanged("wizard");
    QCOMPARE(gsCommodityPlural, QStringLiteral("Rooms"));

    // With room on the disk the same Finish writes both.
    QVERIFY(ConfigWizard::Finish(c));
    QCOMPARE(ConfigText(QStringLiteral("CommodityPlural"), QString()), QStringLiteral("Cabins"));
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT count(*) FROM room")).toInt(), units);
}

void TestWrites::aRowThatFailsIsNeverTheEnd_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("reader");
    QTest::newRow("list") << "room" << 0;
    QTest::newRow("total") << "invoiceline" << 1;
    QTest::newRow("export") << "customer" << 2;
    QTest::newRow("mailing list") << "customer" << 3;
}

// A statement that fails at its third row, after two have come out: what
// reads it raises, and a writer keeps the old file whole.
void TestWrites::aRowThatFailsIsNeverTheEnd()
{
    QFETCH(QString, table);
    QFETCH(int, reader);
    qint32 booking = 0;
    for (int i = 0; i < 4; ++i) {
        const qint32 customer = addCustomer({{"FirstName", QStringLiteral("Guest %1").arg(i)},
                                             {"Email", QStringLiteral("guest%1@example.com").arg(i)}});
        booking = addBooking(QStringLiteral("2030-01-0%1 14:00:00").arg(i + 1),
                             QStringLiteral("2030-01-0%1 10:00:00").arg(i + 2), {{"customerid", customer}}, {1});
        addLine(booking, 1, "10");
    }
    for (int i = 0; i < 3; ++i)
        addLine(booking, 2, "25.5");
    const QString file = db->folder() + QStringLiteral("old.out");
    writeFile(file, "old");
    const QStringList files = QDir(db->folder()).entryList(QDir::Files);
    fakes().saveFile->answer = file;
    fakes().messageBoxes->clear();

    QString raised;
    {
        FailingRows failing(qPrintable(table), 3);
        try {
            switch (reader) {
            case 0: UnitRecord::inTableOrder(); break;
            case 1: CalcTotal(booking); break;
            case 2: main->mnuFileExportResCSV_Click(); break;
            case 3: WriteMailingList(file); break;
            }
        } catch (const AppError& e) {
            raised = e.description();
        }
        QCOMPARE(failing.rowsRead(), 3);
    }
    QCOMPARE(readFile(file), QByteArray("old"));
    QCOMPARE(QDir(db->folder()).entryList(QDir::Files), files);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    if (reader == 2) {
        // The export tells the user itself, and the program goes on.
        QVERIFY2(raised.isEmpty(), qPrintable(raised));
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        const QString prompt = fakes().messageBoxes->lastPrompt();
        QVERIFY2(prompt.startsWith(QStringLiteral("The export could not be finished; the file was not changed.\r\n")
                                   + QDir::toNativeSeparators(file) + QStringLiteral("\r\n")),
                 qPrintable(prompt));
        QVERIFY2(prompt.contains(QString::fromLatin1(FailingRows::kFailingRowError)), qPrintable(prompt));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical));
    } else {
        QVERIFY2(raised.startsWith(QString::fromLatin1(FailingRows::kFailingRowError)), qPrintable(raised));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }
}

void TestWrites::aDamagedFileIsToldOnceAndTheProgramGoesOn_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("malformed");
    QTest::addColumn<int>("shown");   // the rows the list shows after; -1 for no list
    QTest::newRow("customer list") << 0 << "customer" << true << 2;
    QTest::newRow("owing view") << 1 << "customer" << false << 2;
    QTest::newRow("booking search") << 2 << "booking" << true << 2;
    // The day's bookings are sorted before the first comes out.
    QTest::newRow("arrivals") << 3 << "booking" << false << 0;
    QTest::newRow("mailing list") << 4 << "customer" << true << -1;
    QTest::newRow("customers export") << 5 << "customer" << false << -1;
    QTest::newRow("statistics") << 6 << "booking" << true << -1;
    QTest::newRow("finance summary") << 7 << "invoiceline" << false << -1;
}

// A page of the file that cannot be read, met part way through a table by
// each list, report and wizard: the user is told once, with the file, the
// database's reason and what to do; the list shows the rows read before it;
// nothing is written after the failed read, and the program goes on.
void TestWrites::aDamagedFileIsToldOnceAndTheProgramGoesOn()
{
    QFETCH(int, step);
    QFETCH(QString, table);
    QFETCH(bool, malformed);
    QFETCH(int, shown);
    objConn.execute(QStringLiteral("DELETE FROM customer"));
    objConn.execute(QStringLiteral("DELETE FROM booking"));
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    for (int i = 0; i < 4; ++i) {
        const qint32 customer = addCustomer({{"FirstName", QStringLiteral("Guest")},
                                             {"LastName", QStringLiteral("%1").arg(i)},
                                             {"Email", QStringLiteral("guest%1@example.com").arg(i)}});
        const qint32 booking = addBooking(today + QStringLiteral(" 1%1:00:00").arg(i),
                                          tomorrow + QStringLiteral(" 10:00:00"), {{"customerid", customer}}, {1});
        addLine(booking, 1, "10");
        addLine(booking, 1, "20");
    }
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main));
    auto action = [&](const char* name) { control<QAction>(main, name)->trigger(); };
    CustomersPanel* panel = main->customers();
    auto* view = control<QComboBox>(panel, "cboCustView");
    if (step <= 1) {
        action("mnuCustomersView");
        view->setCurrentIndex(1 - step);
    }
    const QString file = db->folder() + QStringLiteral("old.out");
    writeFile(file, "old");
    const QStringList files = QDir(db->folder()).entryList(QDir::Files);
    fakes().saveFile->answer = file;
    fakes().messageBoxes->clear();
    sqlite3* handle = objConn.handle();

    int rows = -1;
    bool ended = false;
    {
        FailingRows failing(qPrintable(table), 3, malformed);
        const int changes = sqlite3_total_changes(handle);
        try {
            switch (step) {
            case 0:
            case 1:
                view->setCurrentIndex(step);
                rows = GridRowCount(control<QTableView>(panel, "gcust"));
                break;
            case 2:
                onNextDialogOf<QDialog>([&](QDialog* d) {
                    control<QCheckBox>(d, "chkArrive")->setChecked(true);
                    control<QDateEdit>(d, "dtArrive")->setDate(QDate::currentDate());
                    QTest::mouseClick(control<QPushButton>(d, "cmdOk"), Qt::LeftButton);
                    rows = GridRowCount(control<QTableView>(d, "gres"));
                    d->reject();
                });
                action("mnuReservationFind");
                break;
            case 3:
                emit control<QCalendarWidget>(main, "dtCalendar")->clicked(QDate::currentDate());
                rows = GridRowCount(control<QTableView>(main, "gArrivals"));
                break;
            case 4:
                walkPages({press("cmdNext"),
                           [&](QDialog* d) {
                               control<QLineEdit>(d, "txtName")->setText(file);
                               click(d, "cmdNext");
                           },
                           press("cmdNext")},
                          [&] { action("mnuCustMailingList"); });
                break;
            case 5: action("mnuFileExportCustomers"); break;
            case 6: action("mnuReports"); break;
            case 7:
                onNextDialogOf<QDialog>([&](QDialog* d) {
                    QVERIFY(control<QListWidget>(d, "List1"));
                    d->accept();
                });
                action("mnuBookingsFinanceSummary");
                break;
            }
        } catch (const ProgramEnded&) {
            ended = true;
        }
        QVERIFY(failing.rowsRead() >= 3);
        QCOMPARE(sqlite3_total_changes(handle), changes);
    }
    QVERIFY(!ended);
    QVERIFY(main->isVisible());
    QVERIFY(objConn.isOpen());
    QCOMPARE(rows, shown);
    QCOMPARE(readFile(file), QByteArray("old"));
    QCOMPARE(QDir(db->folder()).entryList(QDir::Files), files);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    const QString reason =
        QString::fromLatin1(malformed ? FailingRows::kMalformedError : FailingRows::kFailingRowError);
    QStringList told;
    for (const ShownMessage& m : fakes().messageBoxes->shown)
        told << m.prompt;
    QCOMPARE(told.size(), 1);
    const QString prompt = told.first();
    QVERIFY2(prompt.contains(QDir::toNativeSeparators(db->file()) + QStringLiteral("\r\n") + reason + QStringLiteral("\r\n")
                             + QStringLiteral("Close the program and restore a copy of the file.")),
             qPrintable(prompt));
    QVERIFY2(!prompt.contains(QStringLiteral("Run-time error")), qPrintable(prompt));
    QCOMPARE(fakes().messageBoxes->shown.first().style & vbCritical, int(vbCritical));
    if (step == 5)
        QVERIFY2(prompt.startsWith(QStringLiteral("The export could not be finished; the file was not changed.")),
                 qPrintable(prompt));

    // With the file read whole again, the same step shows every row.
    fakes().messageBoxes->clear();
    if (step <= 1) {
        view->setCurrentIndex(1 - step);
        view->setCurrentIndex(step);
        QCOMPARE(GridRowCount(control<QTableView>(panel, "gcust")), 4);
    }
    if (step == 3) {
        emit control<QCalendarWidget>(main, "dtCalendar")->clicked(QDate::currentDate());
        QCOMPARE(GridRowCount(control<QTableView>(main, "gArrivals")), 4);
    }
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

namespace {

SyncTarget g_failingSync = SyncTarget::File;

int FailingSync(int, SyncTarget target)
{
    if (target != g_failingSync)
        return 0;
    errno = EIO;
    return -1;
}

}  // namespace

void TestWrites::aFailingSyncFailsTheWrite_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("settings");
    QTest::newRow("export's file") << false << false;
    QTest::newRow("export's folder") << true << false;
    QTest::newRow("settings folder") << true << true;
}

// A disk that cannot put a file, or the folder it was renamed into, on the
// disk: the write is told as failed, with the system's reason.
void TestWrites::aFailingSyncFailsTheWrite()
{
    QFETCH(bool, folder);
    QFETCH(bool, settings);
    const SyncTarget target = folder ? SyncTarget::Folder : SyncTarget::File;
    const QString reason = QString::fromLocal8Bit(strerror(EIO));
    const QString file = db->folder() + QStringLiteral("old.csv");
    writeFile(file, "old");
    QVERIFY(SaveConfigTexts({{QStringLiteral("Tip"), QStringLiteral("5")}}));
    fakes().saveFile->answer = file;
    fakes().messageBoxes->clear();
    g_failingSync = target;
    SetSyncCall(FailingSync);
    bool saved = true;
    if (settings)
        saved = SaveConfigTexts({{QStringLiteral("Tip"), QStringLiteral("7")}});
    else
        main->mnuFileExportCustomers_Click();
    SetSyncCall(nullptr);

    if (settings) {
        QVERIFY(!saved);
        QCOMPARE(LastSettingsFailure().reason, reason);
        QCOMPARE(ConfigText(QStringLiteral("Tip"), QString()), QStringLiteral("5"));
    } else {
        const QString prompt = fakes().messageBoxes->lastPrompt();
        QCOMPARE(prompt, WriteFailureMessage(QStringLiteral("Unable to write to file."), file, reason));
        // Only a file not yet renamed can be kept.
        QCOMPARE(readFile(file) == "old", target == SyncTarget::File);
    }
}

TARLOMY_GUI_TEST_MAIN(TestWrites)
#include "tst_writes.moc"
