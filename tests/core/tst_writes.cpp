// What a failing write leaves behind: every file the program writes keeps its
// old content whole and the user is told which file and why; the program goes
// on. Work on several rows is all or nothing.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/modmain.h"
#include "customers/mailinglist.h"
#include "invoicing/documents.h"
#include "reports/bookingformpage.h"
#include "reports/frmreservationquickview.h"
#include "reports/reportspanel.h"

#include <QDir>
#include <QPushButton>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readFile(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

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

}  // namespace

class TestWrites : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    frmMain* main = nullptr;

private slots:
    void init()
    {
        resetProgramState();
        db = std::make_unique<TestDb>();
        main = &loadMainWindow(*db);
    }

    void everyWriterKeepsTheOldFile_data();
    void everyWriterKeepsTheOldFile();
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
        case 0: main->mnuFileExportCustomers_Click(); break;
        case 1: main->mnuFileExportResCSV_Click(); break;
        case 2: main->mnuFileExportThisMonth_Click(); break;
        case 3: main->mnuFileExportCommissionAccounts_Click(); break;
        case 4: {
            frmReservationQuickView dialog(QDate::currentDate());
            dialog.show();
            control<QPushButton>(&dialog, "cmdOK")->click();
            dialogOpen = dialog.isVisible();
            break;
        }
        case 5: control<QPushButton>(main->reports(), "cmdReportExport")->click(); break;
        case 6: WriteMailingList(file); break;
        case 7: main->mnuWebCreatePage_Click(); break;
        case 8: PrintBookingConfirmation(iBookingID); break;
        }
    };
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

TARLOMY_TEST_MAIN(TestWrites)
#include "tst_writes.moc"
