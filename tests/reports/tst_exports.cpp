// The File menu's comma-separated exports, the occupancy grid and the finance
// summary: their bytes, what outside readers make of them, and how they fail.
#include "support/testsupport.h"

#include "csvreaders.h"

#include "app/frmmain.h"
#include "calendar/arrivalspanel.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "reports/csv.h"
#include "reports/exportprogress.h"
#include "reports/exports.h"
#include "reports/financesummary.h"
#include "reports/frmfinancesummary.h"
#include "reports/frmreservationquickview.h"
#include "reports/reportstore.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Presses Cancel in each progress dialog as soon as it shows, after noting
// how far its bar stands.
class CancelProgress : public QObject {
public:
    CancelProgress() { qApp->installEventFilter(this); }
    ~CancelProgress() override { qApp->removeEventFilter(this); }
    int shown = 0;
    QList<double> stood;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* dialog = qobject_cast<QProgressDialog*>(watched); dialog && event->type() == QEvent::Show) {
            ++shown;
            QTimer::singleShot(0, dialog, [this, dialog] {
                stood << double(dialog->value() - dialog->minimum()) / (dialog->maximum() - dialog->minimum());
                dialog->cancel();
            });
        }
        return false;
    }
};

class TestExports : public DbTest {
    Q_OBJECT

    QString path(const char* name) const { return db->folder() + QString::fromLatin1(name); }
    // Runs a menu command with the save dialog answering `file`.
    void run(void (frmMain::*command)(), const QString& file)
    {
        fakes().saveFile->answer = file;
        fakes().messageBoxes->clear();
        std::invoke(command, main);
    }
    static qint32 booking(qint32 customerId, const char* from, const char* to, QList<int> rooms = {1},
                          std::initializer_list<std::pair<const char*, QVariant>> more = {})
    {
        const qint32 id = insertRow("booking", {{"customerid", customerId}, {"fromdate", from}, {"todate", to}});
        for (const auto& [column, value] : more)
            objConn.update(QStringLiteral("booking"), id, {{QString::fromLatin1(column), value}});
        for (int room : rooms)
            insertRow("bookingroom", {{"bookingid", id}, {"roomid", room}});
        return id;
    }
    // The records of an export whose every field is quoted and holds no
    // quote or line break, after its header line.
    static CsvRows records(const QString& file)
    {
        CsvRows rows;
        QStringList lines = QString::fromUtf8(readFile(file)).split(QStringLiteral("\r\n"));
        lines.removeFirst();
        lines.removeLast();
        for (const QString& line : lines)
            rows.append(line.mid(1, line.size() - 2).split(QStringLiteral("\",\"")));
        return rows;
    }
    // A stored date-time as the program reads it anywhere else: the locale's
    // general date, text it cannot read as it stands, Null as nothing.
    static QString generalDate(const QVariant& v)
    {
        const QDateTime dt = Fmt::fromDbDateTime(v);
        return v.isNull() ? QString() : dt.isValid() ? Fmt::generalDate(dt) : v.toString();
    }
    static QString shortDate(const QVariant& v)
    {
        const QDateTime dt = Fmt::fromDbDateTime(v);
        return v.isNull() ? QString() : dt.isValid() ? Fmt::shortDate(dt.date()) : v.toString();
    }
    static QString number(const QVariant& v) { return v.isNull() ? QString() : Fmt::number(v.toDouble()); }

    static void checkRead(const QString& file, const CsvRows& expected, bool calc)
    {
        CsvRows rows;
        QString why;
        if (!ReadWithPython(file, &rows, &why))
            QSKIP(qPrintable(why));
        QCOMPARE(rows, expected);
        if (!calc)
            return;
        if (!ReadWithCalc(file, &rows, &why)) {
            qWarning("%s", qPrintable(why + QStringLiteral(": Calc check skipped")));
            return;
        }
        CsvRows lf = expected;
        for (QStringList& r : lf)
            r.replaceInStrings(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(rows, lf);
    }

private slots:
    void init()
    {
        resetProgramState();
        loadMain();
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void writerQuotesAndNeverLosesTheOldFile()
    {
        QCOMPARE(q(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
        QCOMPARE(q(QString()), QStringLiteral("\"\""));
        CsvText csv;
        csv.line(QStringLiteral("H, I"));
        csv.record({QStringLiteral("x,y"), QString()});
        QCOMPARE(csv.text(), QStringLiteral("H, I\r\n\"x,y\",\"\"\r\n"));
        QCOMPARE(DaysInMonth(QDate(2004, 2, 10)), 29);
        QCOMPARE(DaysInMonth(QDate(2003, 2, 28)), 28);

        // A longer old file is replaced whole; UTF-8 without a byte-order mark.
        addCustomer({{"FirstName", "Zoë"}});
        const QString file = path("customers.csv");
        writeFile(file, QByteArray(5000, 'z'));
        run(&frmMain::mnuFileExportCustomers_Click, file);
        QCOMPARE(readFile(file), QByteArray("\"FirstName\", \"LastName\", \"Address1\", \"Address2\", \"City\", \"State\", "
                                         "\"PostCode\", \"Country\", \"Phone\", \"Email\", \"BusinessName\", "
                                         "\"SubmittedDate\"\r\n\"Zo\xc3\xab\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                                         "\"\",\"\",\"\"\r\n"));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
        // Stored bytes that are no sound UTF-8 (another program's) come out
        // as the program reads them everywhere else.
        objConn.execute(QStringLiteral("UPDATE customer SET FirstName = CAST(X'C3A9FF22E282ACEFBFBF' AS TEXT)"));
        run(&frmMain::mnuFileExportCustomers_Click, file);
        QVERIFY(readFile(file).contains(
            "\r\n" + q(objConn.scalar(QStringLiteral("SELECT FirstName FROM customer")).toString()).toUtf8() + ",\"\","));
        QCOMPARE(fakes().saveFile->requests.last().filters,
                 QStringList({"CSV (*.csv)", "*.csv", "Text documents (*.txt)", "*.txt"}));
        QVERIFY(fakes().saveFile->requests.last().defaultExt.isEmpty());

        // Cancel touches nothing.
        run(&frmMain::mnuFileExportCustomers_Click, QString());
        QVERIFY(fakes().messageBoxes->shown.isEmpty());

        // A folder in the file's place: the write fails, the folder stays whole.
        const QString folder = path("taken.csv");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/inner")));
        for (auto command : {&frmMain::mnuFileExportCustomers_Click, &frmMain::mnuFileExportResCSV_Click,
                             &frmMain::mnuFileExportThisMonth_Click}) {
            run(command, folder);
            QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Unable to write to file.\r\n")
                                                                   + QDir::toNativeSeparators(folder) + QStringLiteral("\r\n")));
            QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical));
        }
        run(&frmMain::mnuFileExportCommissionAccounts_Click, folder);
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral(
            "An error occured writing to the file. Please select another filename and try again.\r\n")));
        QVERIFY(fakes().messageBoxes->lastPrompt().size() > 90);   // the reason follows
        QVERIFY(QDir(folder + QStringLiteral("/inner")).exists());

        // Cancel in the progress dialog ends the export and keeps the old
        // file; at the first of two rows the bar stands half way.
        {
            const qint32 ann = addCustomer({{"FirstName", "Ann"}});
            for (int unit : {1, 2})
                booking(ann, qPrintable(QDate::currentDate().toString(Qt::ISODate) + " 14:00:00"),
                        qPrintable(QDate::currentDate().addDays(1).toString(Qt::ISODate) + " 10:00:00"), {unit});
            ExportProgress::setDelay(0);
            CancelProgress cancel;
            for (auto command : {&frmMain::mnuFileExportCustomers_Click, &frmMain::mnuFileExportResCSV_Click,
                                 &frmMain::mnuFileExportThisMonth_Click}) {
                writeFile(file, "old");
                const int shown = cancel.shown;
                run(command, file);
                QCOMPARE(cancel.shown, shown + 1);
                QCOMPARE(readFile(file), QByteArray("old"));
                QVERIFY(fakes().messageBoxes->shown.isEmpty());
                QCOMPARE(cancel.stood.last(), 0.5);
            }
            ExportProgress::setDelay(1000);
        }

        // A failing query reports itself, ends the export and keeps the old file.
        writeFile(file, "old");
        objConn.execute(QStringLiteral("DROP TABLE customer"));
        run(&frmMain::mnuFileExportCustomers_Click, file);
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QVERIFY(fakes().messageBoxes->lastPrompt().contains(QStringLiteral("customer")));
        QCOMPARE(readFile(file), QByteArray("old"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void reservationsAndCustomersReadBackInBothLocales()
    {
        const QStringList hostile = hostileTexts() + QStringList{"a, \"b\"\r\nc", "quote\"", ",,"};
        for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)}) {
            QLocale::setDefault(locale);
            objConn.execute(QStringLiteral("DELETE FROM booking"));
            objConn.execute(QStringLiteral("DELETE FROM customer"));
            // The headers as a reader sees them: the blank after each comma stays.
            CsvRows customers{QStringLiteral("FirstName|\"LastName\"|\"Address1\"|\"Address2\"|\"City\"|\"State\"|"
                                             "\"PostCode\"|\"Country\"|\"Phone\"|\"Email\"|\"BusinessName\"|"
                                             "\"SubmittedDate\"").split(u'|').replaceInStrings(QRegularExpression("^\""), " \"")};
            CsvRows reservations{QStringLiteral("FromDate| ToDate| BookedBy| Notes| NoAdults| NoKids| PaymentMethod| "
                                                "CreditCardNo| CreditCardExpiry| CreditCardType| FirstName| LastName| "
                                                "Address1| Address2| City| State| PostCode| Country| Phone| Email| "
                                                "SubmittedDate| BusinessName").split(u'|')};
            for (const QString& t : hostile) {
                const qint32 c = addCustomer({{"FirstName", t}, {"LastName", t + "2"}, {"City", t}, {"Email", "e"},
                                           {"BusinessName", "biz"}, {"SubmittedDate", "2004-02-29 00:00:00"}});
                booking(c, "2004-02-28 14:00:00", "2004-03-01 10:30:15", {1},
                        {{"notes", t}, {"bookedby", "me"}, {"noadults", 3}, {"nokids", QVariant()}});
                customers.append({t, t + "2", "", "", t, "", "", "", "", "e", "biz", Fmt::shortDate(QDate(2004, 2, 29))});
                reservations.append({Fmt::shortDate(QDate(2004, 2, 28)) + " " + Fmt::longTime(QTime(14, 0)),
                                     Fmt::shortDate(QDate(2004, 3, 1)) + " " + Fmt::longTime(QTime(10, 30, 15)),
                                     "me", t, "3", "", "", "", "", "", t, t + "2", "", "", t, "", "", "", "", "e",
                                     Fmt::shortDate(QDate(2004, 2, 29)), "biz"});
            }
            booking(9999, "2004-02-28 14:00:00", "2004-03-01 10:00:00");   // no customer row: not exported

            const QString res = path("res.csv"), cus = path("cus.csv");
            run(&frmMain::mnuFileExportResCSV_Click, res);
            QCOMPARE(fakes().saveFile->requests.last().filters, QStringList({"CSV(*.CSV)", "*.CSV"}));
            QCOMPARE(fakes().saveFile->requests.last().defaultExt, QStringLiteral(".csv"));
            QVERIFY(readFile(res).startsWith("FromDate, ToDate, BookedBy, Notes, NoAdults, NoKids, PaymentMethod, "
                                          "CreditCardNo, CreditCardExpiry, CreditCardType, FirstName, LastName, "
                                          "Address1, Address2, City, State, PostCode, Country, Phone, Email, "
                                          "SubmittedDate, BusinessName\r\n\""));
            checkRead(res, reservations, locale.language() == QLocale::English);
            run(&frmMain::mnuFileExportCustomers_Click, cus);
            checkRead(cus, customers, false);
        }
    }

    void everyStoredDateExportsAsTheRowReaderReadsIt_data()
    {
        QTest::addColumn<QVariantList>("from");
        QTest::addColumn<QVariantList>("to");
        const auto minutes = [](const QDate& day, int seconds) {
            QVariantList v;
            for (int m = 0; m < 24 * 60; ++m)
                v << Fmt::dbDateTime(Fmt::clockDateTime(day, QTime(m / 60, m % 60, seconds ? m % 60 : 0)));
            return v;
        };
        const auto days = [](int firstYear, int lastYear, const QTime& at) {
            QVariantList v;
            for (QDate d(firstYear, 1, 1); d.year() <= lastYear; d = d.addDays(1))
                v << Fmt::dbDateTime(Fmt::clockDateTime(d, at));
            return v;
        };
        // The clocks change at 02:00 and 03:00 on these days in Europe.
        QTest::newRow("every minute, summer time begins") << minutes(QDate(2004, 3, 28), 0)
                                                          << minutes(QDate(2004, 10, 31), 1);
        QTest::newRow("every minute, leap day 2000") << minutes(QDate(2000, 2, 29), 1) << minutes(QDate(2000, 3, 1), 0);
        QTest::newRow("every day 1999 to 2001") << days(1999, 2001, QTime(0, 0)) << days(1999, 2001, QTime(10, 30));
        QTest::newRow("every day 2004 and 2024")
            << days(2004, 2004, QTime(14, 0)) + days(2024, 2024, QTime(23, 59, 59))
            << days(2004, 2004, QTime(0, 0)) + days(2024, 2024, QTime(0, 0, 1));
        // What another program may store, each form more than once so that
        // the texts remembered are met again; a booking at 08:05 after one at
        // 00:34 (the same place in the table of recent times).
        const QVariantList forms{"2004-02-28",          "2004-02-28T14:05:00", "2004-02-28 14:05:00.250",
                                 "2004-02-28 8:05:00",  "2004-02-28 08:05",    "2004-02-28 00:34:00",
                                 "2004-02-28 08:05:00", "2000-01-01T00:00:00.5", "soon",
                                 QVariant(20040228),    QVariant(2004.5),
                                 " 2004-02-28 10:00:00", "1999-12-31 23:59:59"};
        QVariantList from, to;
        for (int round = 0; round < 3; ++round)
            for (int i = 0; i < forms.size(); ++i) {
                from << forms[i];
                to << forms[(i + round + 1) % forms.size()];
            }
        QTest::newRow("stored forms") << from << to;
    }

    // Each date, number and amount of the reservations, customers and
    // commission exports as Fmt gives it for the value the plain row reader
    // reads, however many rows share the texts the exports keep at hand.
    void everyStoredDateExportsAsTheRowReaderReadsIt()
    {
        QFETCH(QVariantList, from);
        QFETCH(QVariantList, to);
        objConn.execute(QStringLiteral("DELETE FROM booking"));
        objConn.execute(QStringLiteral("DELETE FROM customer"));
        {
            Connection::Transaction work(objConn);
            for (int i = 0; i < from.size(); ++i) {
                const qint64 customer = objConn.insert(
                    QStringLiteral("customer"), {{"FirstName", QString::number(i)}, {"SubmittedDate", i % 9 ? to[i] : dbNull()}});
                objConn.insert(QStringLiteral("booking"),
                               {{"customerid", customer}, {"fromdate", from[i]}, {"todate", to[i]},
                                {"noadults", i % 300}, {"nokids", i % 7 ? QVariant(i % 70) : dbNull()},
                                {"CommissionAmount", money("1.25").toDb().toLongLong() * (i % 500 - 250)}});
            }
            work.commit();
        }
        const QString file = path("dates.csv");

        run(&frmMain::mnuFileExportResCSV_Click, file);
        CsvRows expected;
        for (Query r = objConn.query(QStringLiteral(
                 "SELECT FromDate, ToDate, NoAdults, NoKids, FirstName, SubmittedDate FROM booking, customer "
                 "WHERE customer.ID = booking.customerid ORDER BY booking.id"));
             r.next();)
            expected.append({generalDate(r.value(0)), generalDate(r.value(1)), number(r.value(2)), number(r.value(3)),
                             r.text(4), generalDate(r.value(5))});
        CsvRows got = records(file);
        for (QStringList& row : got)
            row = QStringList{row[0], row[1], row[4], row[5], row[10], row[20]};
        QCOMPARE(got.size(), from.size());
        for (int i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], expected[i]);

        run(&frmMain::mnuFileExportCustomers_Click, file);
        expected.clear();
        for (Query r = objConn.query(QStringLiteral("SELECT FirstName, SubmittedDate FROM customer ORDER BY ID"));
             r.next();)
            expected.append({r.text(0), generalDate(r.value(1))});
        got = records(file);
        for (QStringList& row : got)
            row = QStringList{row[0], row[11]};
        QCOMPARE(got, expected);

        run(&frmMain::mnuFileExportCommissionAccounts_Click, file);
        expected.clear();
        for (Query r = objConn.query(QStringLiteral(
                 "SELECT commissionAmount, fromDate FROM booking ORDER BY commissionID, fromDate, id"));
             r.next();)
            expected.append({Fmt::currency(r.money(0)), shortDate(r.value(1))});
        got = records(file);
        for (QStringList& row : got)
            row = QStringList{row[1], row[3]};
        QCOMPARE(got.size(), expected.size());
        for (int i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], expected[i]);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());
    }

    void commissionAccountsInTableOrder()
    {
        const qint32 agent = insertRow("commission", {{"name", "Agent, \"A\""}});
        insertRow("commission", {{"name", "Empty"}});
        booking(0, "2004-03-05 14:00:00", "2004-03-06 10:00:00", {1}, {{"CommissionID", agent}, {"CommissionAmount", money("12.5").toDb()}});
        booking(0, "2004-01-02 00:00:00", "2004-01-03 10:00:00", {1}, {{"CommissionID", agent}, {"CommissionAmount", money("-7").toDb()}});
        booking(0, "2003-12-31 09:00:00", "2004-01-01 10:00:00", {1}, {{"CommissionAmount", QVariant()}});
        insertRow("commissionPayment", {{"CommissionID", agent}, {"Amount", money("3").toDb()}, {"SubmittedDate", "2004-02-01 12:00:00"}});
        insertRow("commissionPayment", {{"CommissionID", agent}, {"Amount", money("1234.5").toDb()}, {"SubmittedDate", "2004-01-15 08:00:00"}});

        const QString file = path("commission.csv");
        run(&frmMain::mnuFileExportCommissionAccounts_Click, file);
        QCOMPARE(readFile(file), QByteArray("Commission Account, Due, Payment, Date\r\n"
                                         "\"No Commission\",\"$0.00\",\"\",\"12/31/2003\"\r\n"
                                         "\"Agent, \"\"A\"\"\",\"($7.00)\",\"\",\"1/2/2004\"\r\n"
                                         "\"Agent, \"\"A\"\"\",\"$12.50\",\"\",\"3/5/2004\"\r\n"
                                         "\"Agent, \"\"A\"\"\",\"\",\"$1,234.50\",\"1/15/2004\"\r\n"
                                         "\"Agent, \"\"A\"\"\",\"\",\"$3.00\",\"2/1/2004\"\r\n"));
        checkRead(file, {{"Commission Account", " Due", " Payment", " Date"},
                         {"No Commission", "$0.00", "", "12/31/2003"},
                         {"Agent, \"A\"", "($7.00)", "", "1/2/2004"},
                         {"Agent, \"A\"", "$12.50", "", "3/5/2004"},
                         {"Agent, \"A\"", "", "$1,234.50", "1/15/2004"},
                         {"Agent, \"A\"", "", "$3.00", "2/1/2004"}},
                  true);
    }

    void thisMonthTakesTheBookingsOverlappingTheMonth()
    {
        const qint32 ann = addCustomer({{"FirstName", "Ann"}, {"LastName", "Lee"}});
        const qint32 none = addCustomer({});
        booking(ann, "2004-01-28 14:00:00", "2004-02-02 10:00:00", {1, 3});   // two units: two lines
        booking(ann, "2004-01-25 14:00:00", "2004-01-31 23:00:00");          // ends before
        booking(ann, "2004-02-29 23:59:30", "2004-03-02 10:00:00");          // after the last minute
        booking(none, "2004-02-29 23:59:00", "2004-03-02 10:00:00");         // on the bound
        booking(4242, "2004-02-10 12:00:00", "2004-02-11 10:00:00");         // no customer row
        booking(none, "2004-01-31 12:00:00", "2004-03-01 10:00:00", {2});    // spans the whole month
        main->arrivals()->findChild<QCalendarWidget*>("dtCalendar")->setSelectedDate(QDate(2004, 2, 17));
        gsCommodityPlural = QStringLiteral("Cabins");

        const QString file = path("month.txt");
        run(&frmMain::mnuFileExportThisMonth_Click, file);
        QCOMPARE(QString::fromUtf8(readFile(file)),
                 QStringLiteral("From Date, To Date, Cabins, Customer Name\r\n"
                                "\"1/28/2004 2:00:00 PM\",\"2/2/2004 10:00:00 AM\",\"Room 1\",\"Ann Lee\"\r\n"
                                "\"1/28/2004 2:00:00 PM\",\"2/2/2004 10:00:00 AM\",\"Room 3\",\"Ann Lee\"\r\n"
                                "\"1/31/2004 12:00:00 PM\",\"3/1/2004 10:00:00 AM\",\"Room 2\",\" \"\r\n"
                                "\"2/29/2004 11:59:00 PM\",\"3/2/2004 10:00:00 AM\",\"Room 1\",\" \"\r\n"));
        // A grid too large to hold is read unit by unit: the same stays.
        const QDateTime start(QDate(2004, 2, 1), QTime(0, 0)), end(QDate(2004, 2, 29), QTime(23, 59));
        QMultiMap<qint64, QString> all, perUnit;
        for (RowScan r = ReportStore::BookedUnitsOverlapping(start, end); r.next();)
            all.insert(r.integer(5), r.text(1) + r.text(2));
        for (qint64 unit : {1, 2, 3, 4, 5})
            for (Query r = ReportStore::StaysOfUnitOverlapping(unit, start, end); r.next();)
                perUnit.insert(unit, r.text(0) + r.text(1));
        QCOMPARE(perUnit, all);
    }

    void quickViewMarksBookedDays()
    {
        gsCommoditySingular = QStringLiteral("Cabin");
        objConn.execute(QStringLiteral("UPDATE room SET name = 'Big, \"red\"' WHERE id = 2"));
        const qint32 ann = addCustomer({{"FirstName", "Ann"}});
        booking(ann, "2025-03-03 14:00:00", "2025-03-05 10:00:00", {1, 2});
        booking(ann, "2025-03-06 23:59:30", "2025-03-07 00:00:00", {3});     // its first day's last minute only
        booking(4242, "2025-03-03 12:00:00", "2025-03-09 10:00:00", {4});    // no customer row
        const QString sentence = QStringLiteral("X's indicate a booking for the given date and Cabin.\r\n");
        QCOMPARE(ReservationQuickViewText(QDate(2025, 3, 3), QDate(2025, 3, 7)),
                 sentence +
                     "Dates: 3/3/2025 to 3/7/2025, 3/3/2025, 3/4/2025, 3/5/2025, 3/6/2025, 3/7/2025, \r\n"
                     "Room 1, X,X,X,,,\r\n"
                     "\"Big, \"\"red\"\"\", X,X,X,,,\r\n"
                     "Room 3, ,,,,X,\r\n"
                     "Room 4, ,,,,,\r\n"
                     "Suite, ,,,,,\r\n");
        QCOMPARE(ReservationQuickViewText(QDate(2025, 3, 5), QDate(2025, 3, 4)),
                 sentence + "Dates: 3/5/2025 to 3/4/2025, \r\nRoom 1, \r\n\"Big, \"\"red\"\"\", \r\nRoom 3, \r\n"
                            "Room 4, \r\nSuite, \r\n");

        // The dialog: a month back from 31 March, closes after writing,
        // stays open with its dates after a failed write.
        frmReservationQuickView dialog(QDate(2025, 3, 31));
        QCOMPARE(control<QDateEdit>(&dialog, "dtArrive")->date(), QDate(2025, 2, 28));
        QCOMPARE(control<QDateEdit>(&dialog, "dtDepart")->date(), QDate(2025, 3, 31));
        control<QDateEdit>(&dialog, "dtArrive")->setDate(QDate(2025, 3, 4));
        control<QDateEdit>(&dialog, "dtDepart")->setDate(QDate(2025, 3, 4));
        dialog.show();
        fakes().saveFile->answer = db->folder();
        control<QPushButton>(&dialog, "cmdOK")->click();
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Unable to write to file.\r\n")));
        QVERIFY(dialog.isVisible());
        const QString file = path("grid.csv");
        fakes().saveFile->answer = file;
        control<QPushButton>(&dialog, "cmdOK")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(readFile(file).endsWith("4/2025, 3/4/2025, \r\nRoom 1, X,\r\n\"Big, \"\"red\"\"\", X,\r\nRoom 3, ,\r\n"
                                     "Room 4, ,\r\nSuite, ,\r\n"));
    }

    void financeSummaryAddsUpEveryLine()
    {
        const auto line = [](qint32 booking, qint32 item, const char* amount, QVariant quantity, QVariant tax,
                             double pct) {
            insertRow("invoiceline", {{"bookingid", booking}, {"itemid", item}, {"amount", money(amount).toDb()},
                                      {"quantity", quantity}, {"taxratename", tax}, {"taxratepercentage", pct}});
        };
        const qint32 wine = insertRow("item", {{"name", "Wine"}});
        insertRow("item", {{"name", "apples"}});
        const qint32 b = booking(0, "2025-03-03 14:00:00", "2025-03-05 10:00:00");
        line(b, 1, "10", 3, "VAT", 10);
        line(b, 1, "12.5", 2, "vat", 0);           // same name but for case: a group of its own
        line(9999, 2, "0.34", 3, "VAT", 10);       // its booking is gone: still counts
        line(b, wine, "4", QVariant(), "", 25);   // no quantity counts 0; no tax name gives no line
        line(b, wine, "2", 1, QVariant(), 50);
        const qint32 agent = insertRow("commission", {{"name", "Agent"}});
        insertRow("commissionPayment", {{"CommissionID", agent}, {"Amount", money("5").toDb()}});

        const QStringList expected{"Reservations - $55.00",
                                   "Other sales - $1.02",
                                   "VAT (Sales Tax) - $3.10",
                                   "vat (Sales Tax) - $0.00",
                                   "apples - $0.00",
                                   "Wine - $2.00",
                                   "Agent (Commission Due) - $0.00",
                                   "Agent (Commission Payment) - $5.00",
                                   "No Commission (Commission Due) - $0.00",
                                   "No Commission (Commission Payment) - $0.00"};
        fakes().messageBoxes->clear();
        onNextDialogOf<frmFinanceSummary>([&](frmFinanceSummary* dialog) {
            QListWidget* list = control<QListWidget>(dialog, "List1");
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            QCOMPARE(shown, expected);
            control<QPushButton>(dialog, "cmdOK")->click();
        });
        main->mnuBookingsFinanceSummary_Click();

        // A failing statement: its message, and the lines made before it.
        objConn.execute(QStringLiteral("DROP TABLE commissionPayment"));
        QStringList lines;
        QVERIFY_THROWS_EXCEPTION(AppError, FinanceSummaryLines(&lines));
        QCOMPARE(lines, expected.mid(0, 6));
        onNextDialogOf<frmFinanceSummary>([](frmFinanceSummary* dialog) { dialog->reject(); });
        main->mnuBookingsFinanceSummary_Click();
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Form_Load_Error: ")));
        QVERIFY(fakes().messageBoxes->lastPrompt().endsWith(QStringLiteral(" 3146")));
    }
};

TARLOMY_GUI_TEST_MAIN(TestExports)
#include "tst_exports.moc"
