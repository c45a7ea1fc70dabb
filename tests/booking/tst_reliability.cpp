// What a careless or hostile user, a clock change, a busy file or a crash
// must not break: each slot is one of those, driven through the real windows.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "booking/frmfindbooking.h"
#include "calendar/calendar.h"
#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "core/apperror.h"
#include "widgets/database.h"
#include "core/db.h"
#include "core/format.h"
#include "core/invoicetotals.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "invoicing/documents.h"
#include "reports/exportprogress.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimeEdit>

#include <csignal>
#include <ctime>
#include <future>
#include <sqlite3.h>
#include <sys/resource.h>
#include <thread>

namespace {

qint32 customer(const QString& first, const QString& last)
{
    return insertRow("customer", {{"FirstName", first}, {"LastName", last}, {"City", last}});
}

qint32 booking(qint32 customerId, const QString& from, const QString& to, const QString& notes = QString())
{
    const qint32 id = insertRow("booking", {{"customerid", customerId}, {"fromdate", from}, {"todate", to},
                                            {"notes", notes}, {"PaymentMethod", notes}});
    insertRow("bookingroom", {{"bookingid", id}, {"roomid", 1}});
    return id;
}

QString stored(const char* column, qint32 id)
{
    return objConn.scalar(QStringLiteral("SELECT %1 FROM booking WHERE id = ?").arg(QLatin1String(column)), {id})
        .toString();
}

void setZone(const char* zone)
{
    qputenv("TZ", zone);
    tzset();
}

}  // namespace

class TestReliability : public DbTest {
    Q_OBJECT

private slots:
    void init() { resetInUsEnglish(); }
    void cleanup() { setZone("UTC"); }

    void dateTimesAreClockValues_data();
    void dateTimesAreClockValues();
    void moneyCannotWrap();
    void storedRatesOutOfRangeAreRepairedOnceAndTold_data();
    void storedRatesOutOfRangeAreRepairedOnceAndTold();
    void numbersAreReadStrictly_data();
    void numbersAreReadStrictly();
    void busyFileIsWaitedFor();
    void bookingInProgressSurvivesRestart();
    void smallerMends();
};

// ---- Date-times ------------------------------------------------------------

void TestReliability::dateTimesAreClockValues_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("gap");         // 2:30 does not exist on this night
    QTest::addColumn<QDate>("repeat");      // 1:30 comes twice on this one
    QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << QDate(2027, 3, 28) << QDate(2027, 10, 31);
    QTest::newRow("New York") << QByteArray("America/New_York") << QDate(2027, 3, 14) << QDate(2027, 11, 7);
}

void TestReliability::dateTimesAreClockValues()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, gap);
    QFETCH(QDate, repeat);
    setZone(zone.constData());
    QVERIFY2(!QDateTime(gap, QTime(2, 30)).isValid(), "the zone has no spring gap here");
    showMain();

    // A new booking arriving in the gap and leaving in the repeated hour.
    mainView().AddReservation();
    control<QDateEdit>(wizard(), "dtFromDate")->setDate(gap);
    control<QTimeEdit>(wizard(), "dtFromTime")->setTime(QTime(2, 30));
    control<QDateEdit>(wizard(), "dtToDate")->setDate(repeat);
    control<QTimeEdit>(wizard(), "dtToTime")->setTime(QTime(1, 30));
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    const qint32 id = iBookingID;
    const QString from = gap.toString(Qt::ISODate) + QStringLiteral(" 02:30:00");
    const QString to = repeat.toString(Qt::ISODate) + QStringLiteral(" 01:30:00");
    QCOMPARE(stored("fromdate", id), from);
    QCOMPARE(stored("todate", id), to);

    // Reopened, shown and saved again: unchanged.
    main->DoEditBooking(id);
    QCOMPARE(control<QDateEdit>(wizard(), "dtFromDate")->date(), gap);
    QCOMPARE(control<QTimeEdit>(wizard(), "dtFromTime")->time(), QTime(2, 30));
    QCOMPARE(control<QDateEdit>(wizard(), "dtToDate")->date(), repeat);
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(stored("fromdate", id), from);
    QCOMPARE(stored("todate", id), to);

    // Listed on its day, and found by its arrival day.
    objConn.execute(QStringLiteral("UPDATE booking SET customerid = ? WHERE id = ?"), {customer("Ann", "Lee"), id});
    auto* day = control<QCalendarWidget>(main, "dtCalendar");
    day->setSelectedDate(gap);
    ShowArrivals();
    auto* arrivals = control<QTableView>(main, "gArrivals");
    QCOMPARE(GridRowCount(arrivals), 1);
    QCOMPARE(GridRowData(arrivals, 0), id);
    QVERIFY2(GridText(arrivals, 0, 2).contains(QStringLiteral("2:30")), qPrintable(GridText(arrivals, 0, 2)));

    frmFindBooking find(main);
    find.show();
    control<QCheckBox>(&find, "chkArrive")->setChecked(true);
    control<QDateEdit>(&find, "dtArrive")->setDate(gap);
    QTest::mouseClick(control<QPushButton>(&find, "cmdOk"), Qt::LeftButton);
    auto* found = control<QTableView>(&find, "gres");
    QCOMPARE(GridRowCount(found), 1);
    QCOMPARE(GridRowData(found, 0), id);
    QVERIFY(GridText(found, 0, 1).contains(QStringLiteral("2:30")));

    // Hours of the stay are clock hours, whatever the clocks did that night.
    QCOMPARE(Fmt::fromDbDateTime(from).secsTo(Fmt::fromDbDateTime(to)) % 3600, 0);
    QCOMPARE(Fmt::dbDateTime(Fmt::parseDateTime(Fmt::dateTime(Fmt::fromDbDateTime(from)))),
             gap.toString(Qt::ISODate) + QStringLiteral(" 02:30:00"));
}

// ---- Money -------------------------------------------------------------------

void TestReliability::moneyCannotWrap()
{
    const Money top = Money::fromUnits(Money::kMaxUnits);
    QVERIFY_THROWS_EXCEPTION(AppError, Money::fromRaw(std::numeric_limits<qint64>::max()) + Money::fromRaw(1));
    QVERIFY_THROWS_EXCEPTION(AppError, Money::fromRaw(std::numeric_limits<qint64>::min()) - Money::fromRaw(1));
    QVERIFY_THROWS_EXCEPTION(AppError, top * 100000000);
    QVERIFY_THROWS_EXCEPTION(AppError, top.percent(1e308));
    QVERIFY_THROWS_EXCEPTION(AppError, Money::fromDouble(1e300));
    QCOMPARE(top.times(1e-300), Money());
    QCOMPARE((top + top).raw(), 2 * top.raw());

    Money m;
    QVERIFY(Fmt::parseCurrency(QStringLiteral("$100,000,000,000.00"), &m));
    QCOMPARE(m, top);
    QVERIFY(Fmt::parseCurrency(QStringLiteral("-100000000000"), &m));
    QVERIFY(!Fmt::parseCurrency(QStringLiteral("100,000,000,000.01"), &m));
    QVERIFY(!Fmt::parseCurrency(QStringLiteral("922337203685477"), &m));

    // The tip that once gave a negative total is refused, and nothing is saved.
    showMain();
    mainView().AddReservation();
    const qint32 id = iBookingID;
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingStep, 3);
    auto* tip = control<QLineEdit>(wizard(), "txtTip");
    tip->setText(QStringLiteral("922337203685477"));
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("The Tip entered is too large. Please enter an amount up to $100,000,000,000.00 to continue."));
    QCOMPARE(iBookingStep, 3);
    QCOMPARE(Money::fromDb(objConn.scalar(QStringLiteral("SELECT Tip FROM booking WHERE id = ?"), {id})), Money());
    // A refund is an amount paid below zero.
    tip->setText(QStringLiteral("$5.00"));
    control<QLineEdit>(wizard(), "txtAmountPayed")->setText(QStringLiteral("-$20.00"));
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingStep, 4);
    QCOMPARE(Money::fromDb(objConn.scalar(QStringLiteral("SELECT AmountPayed FROM booking WHERE id = ?"), {id})),
             money("-20"));
}

// A file written by an earlier build, which took any percentage: each rate
// outside 0 to 100 is set to the nearer end once, when the file opens, with a
// word naming it and where it is checked; a 10-night booking is then made and
// charged at the repaired rates, and the program never ends.
namespace {

// What progress dialogs showed while it lived.
class ProgressSeen : public QObject {
public:
    ProgressSeen() { qApp->installEventFilter(this); }
    ~ProgressSeen() override { qApp->removeEventFilter(this); }
    bool shown = false;
    bool cancellable = false;   // one had a button
    bool mainShown = false;     // the main window showed before one
    bool blocksAll = true;      // each kept every other window from the user

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (auto* d = qobject_cast<QProgressDialog*>(o); d && e->type() == QEvent::Show) {
            shown = true;
            cancellable = cancellable || d->findChild<QPushButton*>() != nullptr;
            mainShown = mainShown || (MainFormLoaded() && MainForm().isVisible());
            blocksAll = blocksAll && d->windowModality() == Qt::ApplicationModal;
        }
        return false;
    }
};

}  // namespace

void TestReliability::storedRatesOutOfRangeAreRepairedOnceAndTold_data()
{
    QTest::addColumn<QStringList>("stored");   // statements run on the file before it opens
    QTest::addColumn<QStringList>("told");     // lines of the message
    QTest::addColumn<QString>("rates");        // tax rate 2, room 1's commission, line 'old' after
    QTest::addColumn<bool>("slow");            // the repair counts as long from its first row
    const QString tax = QStringLiteral("UPDATE taxrate SET percentage = 99999999999999 WHERE id = 2");
    const QString commission = QStringLiteral("UPDATE room SET CommissionPercentage = 101, CommissionID = "
                                              "(SELECT max(id) FROM commission) WHERE id = 1");
    const QString line = QStringLiteral("UPDATE invoiceline SET taxratepercentage = 150 WHERE name = 'old'");
    const QString taxTold = QStringLiteral("- Tax rate \"Sales Tax\": 99999999999999% is now 100% (Configure > "
                                           "Advanced > Tax...)");
    const QString commissionTold = QStringLiteral("- Room \"Room 1\": commission 101% is now 100% (Configure > Rooms...)");
    const QString lineTold = QStringLiteral("- Booking 1, invoice line \"old\": tax 150% is now 100% (the booking's payment step)");
    QTest::newRow("tax rate") << QStringList{tax} << QStringList{taxTold} << "100|0|5" << false;
    QTest::newRow("unit commission") << QStringList{commission} << QStringList{commissionTold} << "10|100|5" << false;
    QTest::newRow("invoice line") << QStringList{line} << QStringList{lineTold} << "10|0|100" << true;
    QTest::newRow("all three") << QStringList{tax, commission, line} << QStringList{taxTold, commissionTold, lineTold}
                               << "100|100|100" << true;
    // A text where a rate's number belongs reads as the number it holds, set
    // into 0 to 100, or else as the 0 it was charged at.
    const auto textTax = [](const char* text) {
        return QStringLiteral("UPDATE taxrate SET percentage = '%1' WHERE id = 2").arg(QLatin1String(text));
    };
    const auto textTaxTold = [](const char* text, const char* now) {
        return QStringLiteral("- Tax rate \"Sales Tax\": \"%1\" is now %2% (Configure > Advanced > Tax...)")
            .arg(QLatin1String(text), QLatin1String(now));
    };
    QTest::newRow("tax rate as text") << QStringList{textTax("7 %")} << QStringList{textTaxTold("7 %", "7")}
                                      << "7|0|5" << false;
    QTest::newRow("decimal comma") << QStringList{textTax("12,5%")} << QStringList{textTaxTold("12,5%", "12.5")}
                                   << "12.5|0|5" << false;
    QTest::newRow("text over 100") << QStringList{textTax("150 %")} << QStringList{textTaxTold("150 %", "100")}
                                   << "100|0|5" << false;
    QTest::newRow("text of no number") << QStringList{textTax("seven")} << QStringList{textTaxTold("seven", "0")}
                                       << "0|0|5" << false;
    QTest::newRow("commission as text")
        << QStringList{QStringLiteral("UPDATE room SET CommissionPercentage = '12%', CommissionID = "
                                      "(SELECT max(id) FROM commission) WHERE id = 1")}
        << QStringList{QStringLiteral("- Room \"Room 1\": commission \"12%\" is now 12% (Configure > Rooms...)")}
        << "10|12|5" << false;
    QTest::newRow("invoice line as text")
        << QStringList{QStringLiteral("UPDATE invoiceline SET taxratepercentage = '7 %' WHERE name = 'old'")}
        << QStringList{QStringLiteral("- Booking 1, invoice line \"old\": tax \"7 %\" is now 7% (the booking's "
                                      "payment step)")}
        << "10|0|7" << true;
    QTest::newRow("none") << QStringList() << QStringList() << "10|0|5" << true;
}

void TestReliability::storedRatesOutOfRangeAreRepairedOnceAndTold()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, told);
    QFETCH(QString, rates);
    QFETCH(bool, slow);
    const QStringList after = rates.split(u'|');
    TestDb file;
    file.open();
    insertRow("commission", {{"name", "Agent"}});
    const qint32 old = booking(customer("Ann", "Lee"), "2030-01-01 14:00:00", "2030-01-03 10:00:00");
    insertRow("invoiceline", {{"bookingid", old}, {"itemid", 2}, {"quantity", 1}, {"name", "old"}, {"amount", 1000000},
                              {"taxratename", "Sales Tax"}, {"taxratepercentage", 5}});
    for (const QString& sql : stored)
        objConn.execute(sql);
    objConn.close();
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    // A long repair shows its progress, without Cancel, before the main
    // window; a short one shows none.
    ExportProgress::setDelay(slow ? 0 : 1000);
    ProgressSeen seen;
    showMain(file);
    ExportProgress::setDelay(1000);
    QCOMPARE(seen.shown, slow && !told.isEmpty());
    QVERIFY(!seen.cancellable && !seen.mainShown && seen.blocksAll);

    // Told once, naming each rate and where it is checked.
    QCOMPARE(fakes().messageBoxes->shown.size(), told.isEmpty() ? 0 : 1);
    for (const QString& t : told)
        QVERIFY2(fakes().messageBoxes->lastPrompt().contains(u'\n' + t), qPrintable(fakes().messageBoxes->lastPrompt()));
    QCOMPARE(objConn
              .scalar(QStringLiteral("SELECT (SELECT percentage FROM taxrate WHERE id = 2) || '|' || (SELECT "
                                     "CommissionPercentage FROM room WHERE id = 1) || '|' || (SELECT "
                                     "taxratepercentage FROM invoiceline WHERE name = 'old')"))
              .toString()
              .remove(QStringLiteral(".0")),
          rates);

    // A 10-night booking of Room 1, up to the payment step, charged at the
    // repaired rates.
    fakes().messageBoxes->clear();
    mainView().AddReservation();
    control<QDateEdit>(wizard(), "dtFromDate")->setDate(QDate(2031, 3, 3));
    control<QDateEdit>(wizard(), "dtToDate")->setDate(QDate(2031, 3, 13));
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    QCOMPARE(iBookingStep, 3);
    const BookingTotals t = CalcTotal(iBookingID);
    QCOMPARE(t.salesTax1, t.subTotal.percent(after[0].toDouble()).rounded(2));
    QCOMPARE(control<QLineEdit>(wizard(), "txtCommission")->text(),
             Fmt::currency(CommissionOf(t.totalPayable, after[1].toDouble())));
    for (int k = 0; k < 2; ++k)
        QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingID, 0);   // confirmed
    // The old booking's line is charged as repaired.
    QCOMPARE(CalcTotal(old).salesTax1, money("100").percent(after[2].toDouble()).rounded(2));

    // Opened again: nothing left to tell.
    const QString again = file.file();
    resetProgramState();
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    showMain(file);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    QVERIFY(!again.isEmpty());

    // Money that cannot be held refuses the handler's step; the program goes on.
    RunGuarded([] { (void)(Money::fromRaw(std::numeric_limits<qint64>::max()) + Money::fromRaw(1)); });
    QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("The amounts are too large")));
}

// ---- Numbers -----------------------------------------------------------------

void TestReliability::numbersAreReadStrictly_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("read");       // text=value pairs
    QTest::addColumn<QStringList>("refused");
    QTest::newRow("en_US") << "en_US"
                           << QStringList{"1,500=1500", "1,234,567.5=1234567.5", "-5=-5", "12.=12", ".5=0.5",
                                          "1500=1500", "+3=3"}
                           << QStringList{"1,5", "15,00", "1,5000", ",500", "1,500,", "1e308", "1E3", "1.2.3",
                                          "1 500", "", "-", "$", "1,500.5,0", "12abc"};
    QTest::newRow("de_DE") << "de_DE"
                           << QStringList{"1.500=1500", "1.234.567,5=1234567.5", "7,25=7.25", "-5=-5", "1500=1500"}
                           << QStringList{"1.5", "1,500.5", "1.50", "1e3", "7,2,5", "1.5000"};
}

void TestReliability::numbersAreReadStrictly()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, read);
    QFETCH(QStringList, refused);
    QLocale::setDefault(QLocale(locale));
    for (const QString& pair : read) {
        const QString text = pair.section(u'=', 0, 0);
        double v = 0;
        QVERIFY2(Fmt::parseNumber(text, &v), qPrintable(text));
        QCOMPARE(v, pair.section(u'=', 1).toDouble());
        Money m;
        QVERIFY2(text.startsWith(u'+') || Fmt::parseCurrency(text, &m), qPrintable(text));
    }
    for (const QString& text : refused) {
        double v = 0;
        Money m;
        QVERIFY2(!Fmt::parseNumber(text, &v), qPrintable(text));
        QVERIFY2(!Fmt::parseCurrency(text, &m), qPrintable(text));
    }
    // What the program writes, it reads back.
    for (double v : {0.0, 17.5, 1234567.25, -3.0}) {
        double back = 0;
        QVERIFY(Fmt::parseNumber(Fmt::number(v), &back));
        QCOMPARE(back, v);
        Money m;
        QVERIFY(Fmt::parseCurrency(Fmt::currency(Money::fromDouble(v)), &m));
        QCOMPARE(m, Money::fromDouble(v));
    }
}

// ---- A busy file ---------------------------------------------------------------

void TestReliability::busyFileIsWaitedFor()
{
    db = std::make_unique<TestDb>();
    db->open();
    std::promise<void> locked;
    std::thread other([file = db->file().toStdString(), &locked] {
        sqlite3* h = nullptr;
        sqlite3_open(file.c_str(), &h);
        sqlite3_exec(h, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(h);
    });
    locked.get_future().wait();
    QElapsedTimer waited;
    waited.start();
    const qint32 id = insertRow("customer", {{"FirstName", QStringLiteral("Patient")}});
    {
        Connection::Transaction t(objConn);
        objConn.execute(QStringLiteral("UPDATE customer SET LastName = 'Waited' WHERE id = ?"), {id});
        t.commit();
    }
    other.join();
    QVERIFY(waited.elapsed() >= 1000);
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT LastName FROM customer WHERE id = ?"), {id}).toString(),
             QStringLiteral("Waited"));
}

// ---- The booking in progress ---------------------------------------------------

void TestReliability::bookingInProgressSurvivesRestart()
{
    showMain();
    const int before = objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM booking")).toInt();
    mainView().AddReservation();
    const qint32 id = iBookingID;
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(OptionsText(QStringLiteral("BookingInProgress"), QString()), QString::number(id));
    QCOMPARE(OptionsText(QStringLiteral("BookingInProgressStep"), QString()), QStringLiteral("1"));

    // The program ends without a word (a crash leaves no chance to save) and starts again.
    auto restart = [this](const QString& remembered, const QString& step) {
        const QString file = db->file();
        resetProgramState();
        SaveOptionsText(QStringLiteral("BookingInProgress"), remembered);
        SaveOptionsText(QStringLiteral("BookingInProgressStep"), step);
        main = &loadMainWindow(*db);
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main));
        mainView().AddReservation();
    };
    restart(QString::number(id), QStringLiteral("1"));
    QCOMPARE(iBookingID, id);
    QCOMPARE(iBookingStep, 1);
    QVERIFY(control<QWidget>(wizard(), "picSelectRooms")->isVisible());
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM booking")).toInt(), before + 1);

    // Cancelled, it is forgotten.
    fakes().messageBoxes->answers << vbYes;
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdCancel"), Qt::LeftButton);
    QCOMPARE(OptionsText(QStringLiteral("BookingInProgress"), QString()), QStringLiteral("0"));

    // A remembered row that is gone, or nonsense, starts a new booking at its first step.
    for (const char* remembered : {"0", "987654", "x"}) {
        restart(QString::fromLatin1(remembered), QStringLiteral("3"));
        QVERIFY(iBookingID != 0 && iBookingID != 987654);
        QCOMPARE(iBookingStep, 0);
        QCOMPARE(OptionsText(QStringLiteral("BookingInProgress"), QString()), QString::number(iBookingID));
    }
}

// ---- The smaller ones ------------------------------------------------------------

void TestReliability::smallerMends()
{
    // An empty file is no database.
    {
        TestDb empty;
        QFile(empty.file()).resize(0);
        sDBPath = empty.folder();
        QVERIFY(!OpenDatabase());
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Unable to open database ") + empty.file());
    }

    showMain();
    // A copy the disk will not take names the reason.
    const qint32 id = booking(customer("Ann", "Lee"), QStringLiteral("2025-03-10 14:00:00"),
                              QStringLiteral("2025-03-12 10:00:00"), QString(20000, u'n'));
    QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/resources/beside/BookingConfirmation.rtf"),
                        db->folder() + QStringLiteral("BookingConfirmation.rtf")));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    iBookingID = id;
    PrintBookingConfirmation(iBookingID);
    setrlimit(RLIMIT_FSIZE, &old);
    const QString said = fakes().messageBoxes->lastPrompt();
    QVERIFY2(said.contains(QStringLiteral("File too large")), qPrintable(said));
    QVERIFY(!said.contains(QStringLiteral("Unknown error")));
    QCOMPARE(fakes().shell->opened.size(), 0);
}

TARLOMY_GUI_TEST_MAIN(TestReliability)
#include "tst_reliability.moc"
