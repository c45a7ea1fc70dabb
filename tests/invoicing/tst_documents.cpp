// The confirmation letter and the receipt: filling templates, the copies
// written and opened, and what a word processor makes of them.
#include "support/testsupport.h"

#include "booking/bookingwizard.h"
#include "booking/paymentpage.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "core/modmain.h"
#include "core/settings.h"
#include "invoicing/documents.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QLabel>

namespace {

qint64 addCustomer(const Fields& fields)
{
    return objConn.insert(QStringLiteral("customer"), fields);
}

qint32 addBooking(qint64 customerId, const char* tip = "0", const char* paid = "0")
{
    return qint32(objConn.insert(QStringLiteral("booking"),
                                 {{QStringLiteral("customerid"), customerId},
                                  {QStringLiteral("fromdate"), QStringLiteral("2025-03-03 14:00:00")},
                                  {QStringLiteral("todate"), QStringLiteral("2025-03-06 10:00:00")},
                                  {QStringLiteral("noadults"), 2},
                                  {QStringLiteral("nokids"), 1},
                                  {QStringLiteral("PaymentMethod"), QStringLiteral("Visa")},
                                  {QStringLiteral("Tip"), dbValue(money(tip))},
                                  {QStringLiteral("AmountPayed"), dbValue(money(paid))}}));
}

void addRoom(qint32 booking, const QString& name)
{
    const qint64 room = objConn.insert(QStringLiteral("room"), {{QStringLiteral("Name"), name}});
    objConn.insert(QStringLiteral("bookingroom"), {{QStringLiteral("bookingid"), booking},
                                                   {QStringLiteral("roomid"), room}});
}

void addLine(qint32 booking, int quantity, const QString& name, const char* amount,
             const QString& taxName = QStringLiteral("N/A"), double percentage = 0)
{
    objConn.insert(QStringLiteral("invoiceline"), {{QStringLiteral("bookingid"), booking},
                                                   {QStringLiteral("itemid"), 2},
                                                   {QStringLiteral("quantity"), quantity},
                                                   {QStringLiteral("name"), name},
                                                   {QStringLiteral("amount"), dbValue(money(amount))},
                                                   {QStringLiteral("taxratename"), taxName},
                                                   {QStringLiteral("taxratepercentage"), percentage}});
}

QByteArray filled(const QByteArray& templateText, qint32 booking)
{
    QByteArray c = templateText;
    FillDocumentTemplate(c, booking);
    return c;
}

// Files of the program's folder other than the database.
QStringList documentFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    names.removeAll(QStringLiteral("db.mdb"));
    return names;
}

// A temporary-name service that hands out the names it is given, in turn,
// and makes none in the folders it refuses.
class ScriptedTempFiles : public TempFileService {
public:
    QString tempFolder() override { return QDir::tempPath(); }
    QString createUniqueFile(const QString& folder, const QString& prefix, const QString& suffix) override
    {
        if (refused.contains(QDir(folder).absolutePath()) || names.isEmpty())
            return QString();
        const QString name = QDir(folder).filePath(prefix + names.takeFirst() + suffix);
        QFile f(name);
        return f.open(QIODevice::WriteOnly | QIODevice::NewOnly) ? name : QString();
    }
    QStringList names;
    QStringList refused;
};

// Converts a document of a few words to text with soffice and reads it back:
// a LibreOffice without its word processor converts nothing.
bool convertsToText(const QString& soffice)
{
    QTemporaryDir work;
    const QString probe = work.filePath(QStringLiteral("probe.rtf"));
    QFile f(probe);
    if (!f.open(QIODevice::WriteOnly) || f.write("{\\rtf1\\ansi probe words\\par}") < 0)
        return false;
    f.close();
    QProcess lo;
    lo.setWorkingDirectory(work.path());
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.path() + QStringLiteral("/profile"),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), work.path(), probe});
    if (!lo.waitForFinished(180000) || lo.exitCode() != 0)
        return false;
    return readFile(work.filePath(QStringLiteral("probe.txt"))).contains("probe words");
}


// The rows of the RTF tables of a document: each row its cells' right
// edges and its cells' texts, control words and groups' braces taken out.
struct RtfRow {
    QList<int> edges;
    QStringList cells;
};

QString RtfPlain(QByteArray rtf)
{
    QString text;
    for (int i = 0; i < rtf.size(); ++i) {
        const char ch = rtf[i];
        if (ch == '{' || ch == '}' || ch == '\r' || ch == '\n')
            continue;
        if (ch != '\\') {
            text += QChar::fromLatin1(ch);
            continue;
        }
        if (i + 1 < rtf.size() && !QChar::isLetter(uchar(rtf[i + 1])) && rtf[i + 1] != '\'') {
            text += QChar::fromLatin1(rtf[++i]);   // an escaped brace or backslash
            continue;
        }
        if (i + 3 < rtf.size() && rtf[i + 1] == '\'') {
            text += QChar(uchar(QByteArray::fromHex(rtf.mid(i + 2, 2)).append(char(0)).at(0)));
            i += 3;
            continue;
        }
        int j = i + 1;
        while (j < rtf.size() && (QChar::isLetter(uchar(rtf[j])) || rtf[j] == '-' || QChar::isDigit(uchar(rtf[j]))))
            ++j;
        if (j < rtf.size() && rtf[j] == ' ')
            ++j;
        i = j - 1;
    }
    return text.trimmed();
}

QList<RtfRow> RtfTableRows(const QByteArray& rtf)
{
    QList<RtfRow> rows;
    static const QRegularExpression cellx(QStringLiteral("\\\\cellx(\\d+)"));
    static const QRegularExpression cellEnd(QStringLiteral("\\\\cell(?![a-z])"));
    const QString text = QString::fromLatin1(rtf);
    for (const QString& part : text.split(QStringLiteral("\\row"))) {
        const int start = part.lastIndexOf(QStringLiteral("\\trowd"));
        if (start < 0)
            continue;
        const QString row = part.mid(start);
        RtfRow r;
        int bodyStart = 0;
        for (const QRegularExpressionMatch& m : cellx.globalMatch(row)) {
            r.edges << m.captured(1).toInt();
            bodyStart = int(m.capturedEnd());
        }
        const QString body = row.mid(bodyStart);
        QStringList cells = body.split(cellEnd);
        cells.removeLast();   // what follows the last cell's end
        for (QString& c : cells)
            r.cells << RtfPlain(c.toLatin1());
        rows << r;
    }
    return rows;
}

// Words of a PDF with their boxes, in points, as pdftotext reads them.
struct PdfWord {
    QString text;
    QRectF box;
};

QList<PdfWord> PdfWords(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return {};
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())))
        words.append({m.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(
                          QStringLiteral("&apos;"), QStringLiteral("'")),
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    return words;
}

const char* const kSupport = "An error has occured, please contact care@tarlomy.example for support.\r\n";

}  // namespace

class TestDocuments : public DbTest {
    Q_OBJECT
private slots:
    void init()
    {
        openDb();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }
    void cleanup()
    {
        platform().useDesktop();
        installFakes();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void itemBlock();
    void headerPlaceholders();
    void secondTaxSwitch();
    void missingCustomerOrBooking();
    void rtfEscaping_data();
    void rtfEscaping();
    void valuesCannotFormPlaceholders();
    void documentsLeaveBookingInProgress();
    void shellFailureMessages_data();
    void shellFailureMessages();
    void fileFailures();
    void copiesNeverReplaceOlderOnes();
    void wordProcessorReadsFilledDocuments();
    void lettersKeepTheirColumns_data();
    void lettersKeepTheirColumns();
};

void TestDocuments::itemBlock()
{
    const qint32 id = addBooking(0);
    addLine(id, 2, QStringLiteral("Room"), "10");
    addLine(id, 1, QStringLiteral("Extra bed"), "5");
    const qint32 empty = addBooking(0);

    // The worked example: the tag with CR LF "\par" after it goes, each line
    // gets the block's own separator.
    QCOMPARE(filled("X<itemlist>\r\n\\par <qty> <name>\r\n\\par </itemlist>Y", id),
             QByteArray("X 2 Room\r\n\\par  1 Extra bed\r\n\\par Y"));
    // Prices and item totals as currency; only the first pair is expanded.
    QCOMPARE(filled("<itemlist>\r\n\\par[<saleprice>|<isubtotal>]</itemlist>-<itemlist>\r\n\\par <qty></itemlist>", id),
             QByteArray("[$10.00|$20.00][$5.00|$5.00]-<itemlist>\r\n\\par <qty></itemlist>"));
    // Without CR LF "\par" the first six characters of the block are lost.
    QCOMPARE(filled("<itemlist>abcdefQ<qty>;</itemlist>", id), QByteArray("Q2;Q1;"));
    // A closing tag among the skipped characters leaves an empty block.
    QCOMPARE(filled("A<itemlist>\r\n</itemlist>B", id), QByteArray("AB"));
    // No closing tag: the text stays as it is.
    QCOMPARE(filled("<itemlist>\r\n\\par <qty>", id), QByteArray("<itemlist>\r\n\\par <qty>"));
    // No lines: the block stays once, unfilled.
    QCOMPARE(filled("X<itemlist>\r\n\\par <qty> <name>\\par </itemlist>Y", empty),
             QByteArray("X <qty> <name>\\par Y"));
}

void TestDocuments::headerPlaceholders()
{
    gsCommodityPlural = QStringLiteral("Cabins");
    const qint64 customer = addCustomer({{QStringLiteral("FirstName"), QStringLiteral("Ann")},
                                         {QStringLiteral("LastName"), QStringLiteral("Lee")},
                                         {QStringLiteral("Address1"), QStringLiteral("1 Pier St")},
                                         {QStringLiteral("City"), QStringLiteral("Hull")},
                                         {QStringLiteral("State"), QStringLiteral("YK")},
                                         {QStringLiteral("PostCode"), QStringLiteral("HU1")},
                                         {QStringLiteral("Country"), QStringLiteral("UK")},
                                         {QStringLiteral("Phone"), QStringLiteral("555-1")},
                                         {QStringLiteral("HomePhone"), QStringLiteral("555-2")},
                                         {QStringLiteral("Fax"), QStringLiteral("555-3")},
                                         {QStringLiteral("Email"), QStringLiteral("ann@x.example")}});
    const qint32 id = addBooking(customer, "2", "50");
    addRoom(id, QStringLiteral("Oak"));
    addRoom(id, QStringLiteral("Ash"));
    addLine(id, 3, QStringLiteral("Night"), "9.99", QStringLiteral("VAT"), 10);
    addLine(id, 1, QStringLiteral("Cot"), "4", QStringLiteral("VAT"), 10);

    const QByteArray t = "<fromdate>|<todate>|<noadults>|<nochildren>|<CommodityPlural>|<roomlist>|<tip>|<payments>|"
                         "<paymentmethod>|<totalpayable>|<subtotal>|<taxtotal1>|<taxname1>|<balancedue>\n"
                         "<contactdetails>\n<businessname>|<firstname>|<lastname>|<address1>|<address2>|<city>|"
                         "<state>|<zipcode>|<country>|<homephone>|<workphone>|<email>|<fax>\n"
                         "<Fromdate>|<FROMDATE>|<fromdate>|<LastName>";
    QCOMPARE(filled(t, id),
             QByteArray("3/3/2025|3/6/2025|2|1|Cabins|Oak, Ash|$2.00|$50.00|Visa|$39.37|$33.97|$3.40|VAT|($10.63)\n"
                        " Ann Lee 1 Pier St, , Hull, YK HU1. UK ph: 555-1 ann@x.example\n"
                        "|Ann|Lee|1 Pier St||Hull|YK|HU1|UK|555-2|555-1|ann@x.example|555-3\n"
                        "<Fromdate>|<FROMDATE>|3/3/2025|<LastName>"));

    // The tax is named after this booking's own lines whatever the payment
    // page last showed; mixed names give the page's "Tax of:" without its colon.
    frmMain& main = loadMainWindow(*db);
    control<QLabel>(main.booking()->payment(), "lblSalesTaxName_0")->setText(QStringLiteral("Other:"));
    const qint32 mixed = addBooking(customer);
    addLine(mixed, 1, QStringLiteral("A"), "1", QStringLiteral("VAT"), 10);
    addLine(mixed, 1, QStringLiteral("B"), "1", QStringLiteral("City Tax"), 5);
    QCOMPARE(filled("<taxname1>", mixed), QByteArray("Tax of"));
    iBookingID = id;
    QByteArray c = "<taxname1>";
    MainForm().DoRTF_TemplateReplace(c);
    QCOMPARE(c, QByteArray("VAT"));
}

void TestDocuments::secondTaxSwitch()
{
    const qint32 id = addBooking(0);
    addLine(id, 1, QStringLiteral("Night"), "100");
    const QByteArray t = "[<taxname2>:<taxtotal2>] <totalpayable>";
    QCOMPARE(filled(t, id), QByteArray("[:] $100.00"));
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    QCOMPARE(filled(t, id), QByteArray("[Sales Tax2:$10.00] $110.00"));
    // Named after the row charged; the wizard's setting is not shown.
    SaveConfigText(QStringLiteral("SalesTaxName2"), QStringLiteral("2nd Sales Tax"));
    objConn.execute(QStringLiteral("UPDATE taxrate SET name = 'Tourist levy', percentage = 7 WHERE id = 3"));
    QCOMPARE(filled(t, id), QByteArray("[Tourist levy:$7.00] $107.00"));
}

void TestDocuments::missingCustomerOrBooking()
{
    const QByteArray t = "<firstname> <contactdetails> <fromdate> <qty>";
    const qint32 noCustomer = addBooking(0);
    QCOMPARE(filled(t, noCustomer), QByteArray("<firstname> <contactdetails> 3/3/2025 <qty>"));
    const qint32 goneCustomer = addBooking(9999);
    QCOMPARE(filled(t, goneCustomer), QByteArray("<firstname> <contactdetails> 3/3/2025 <qty>"));
    objConn.execute(QStringLiteral("UPDATE booking SET customerid = NULL WHERE id = ?"), {goneCustomer});
    QCOMPARE(filled(t, goneCustomer), QByteArray("<firstname> <contactdetails> 3/3/2025 <qty>"));
    QCOMPARE(filled(t, 4242), t);
}

void TestDocuments::rtfEscaping_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("plain") << QStringLiteral("Smith & Sons, 12") << QByteArray("Smith & Sons, 12");
    QTest::newRow("braces, backslash") << QStringLiteral("{a}\\b") << QByteArray("\\{a\\}\\\\b");
    QTest::newRow("latin letters") << QStringLiteral("Zoë Müller") << QByteArray("Zo\\u235e M\\u252uller");
    QTest::newRow("no base letter") << QStringLiteral("ß€") << QByteArray("\\u223?\\u8364?");
    QTest::newRow("beyond 32767") << QStringLiteral("\uFB01") << QByteArray("\\u-1279f");
    QTest::newRow("outside the BMP") << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("breaks and tabs") << QStringLiteral("a\r\nb\nc\rd\te\x01") << QByteArray("a\\line b\\line c\\line d\\tab e");
    QTest::newRow("angle brackets") << QStringLiteral("<b>") << QByteArray("\\'3cb>");
}

void TestDocuments::rtfEscaping()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, rtf);
    QCOMPARE(RtfText(value), rtf);
}

void TestDocuments::valuesCannotFormPlaceholders()
{
    // A customer and lines whose texts hold placeholders and RTF characters.
    const qint64 customer = addCustomer({{QStringLiteral("FirstName"), QStringLiteral("<firstname><lastname>")},
                                         {QStringLiteral("LastName"), QStringLiteral("{\\b Łukasz}")},
                                         {QStringLiteral("Address1"), QStringLiteral("<itemlist>")}});
    const qint32 id = addBooking(customer);
    addLine(id, 1, QStringLiteral("<name><qty></itemlist>"), "1");
    addLine(id, 2, QStringLiteral("plain"), "1");
    const QByteArray out = filled("<firstname>|<lastname>|<address1>|<itemlist>\r\n\\par (<name>)</itemlist>.", id);
    QCOMPARE(out, QByteArray("\\'3cfirstname>\\'3clastname>|\\{\\\\b \\u321?ukasz\\}|\\'3citemlist>|"
                             " (\\'3cname>\\'3cqty>\\'3c/itemlist>) (plain)."));
}

void TestDocuments::documentsLeaveBookingInProgress()
{
    writeFile(db->folder() + QStringLiteral("BookingReceipt.rtf"), "{\\rtf1 <firstname> <fromdate>\\par}");
    const qint64 customer = addCustomer({{QStringLiteral("FirstName"), QStringLiteral("Bo")}});
    const qint32 inProgress = addBooking(0);
    const qint32 chosen = addBooking(customer);
    iBookingID = inProgress;
    iBookingStep = 3;

    PrintBookingReceipt(chosen);
    QCOMPARE(iBookingID, inProgress);
    QCOMPARE(iBookingStep, 3);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    QCOMPARE(fakes().shell->opened.size(), 1);
    const QString copy = fakes().shell->opened.first();
    QCOMPARE(QFileInfo(copy).absolutePath(), QDir(db->folder()).absolutePath());
    QVERIFY2(QFileInfo(copy).fileName().contains(QRegularExpression(QStringLiteral("^Rec[0-9A-F]{1,4}\\.rtf$"))),
             qPrintable(copy));
    QCOMPARE(readFile(copy), QByteArray("{\\rtf1 Bo 3/3/2025\\par}\r\n"));
    // The empty temporary file is gone; the copy stays.
    QCOMPARE(documentFiles(db->folder()), QStringList({QStringLiteral("BookingReceipt.rtf"), QFileInfo(copy).fileName()}));

    // Booking 0 makes nothing, nor a confirmation without a booking in progress.
    PrintBookingReceipt(0);
    iBookingID = 0;
    PrintBookingConfirmation(iBookingID);
    QCOMPARE(fakes().shell->opened.size(), 1);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);

    // The confirmation is of the booking in progress.
    writeFile(db->folder() + QStringLiteral("BookingConfirmation.rtf"), "<todate>");
    iBookingID = inProgress;
    PrintBookingConfirmation(iBookingID);
    QCOMPARE(fakes().shell->opened.size(), 2);
    QVERIFY(QFileInfo(fakes().shell->opened.last()).fileName().startsWith(QStringLiteral("Con")));
    QCOMPARE(readFile(fakes().shell->opened.last()), QByteArray("3/6/2025\r\n"));
}

void TestDocuments::shellFailureMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason");
    QTest::newRow("0") << 0 << "Unknown error";
    QTest::newRow("2") << 2 << "File not found";
    QTest::newRow("27") << 27 << "Incomplete or invalid file association";
    QTest::newRow("31") << 31 << "No association for file extension";
    QTest::newRow("32") << 32 << "DLL not found";
    QTest::newRow("33 opens") << 33 << "";
}

void TestDocuments::shellFailureMessages()
{
    QFETCH(int, code);
    QFETCH(QString, reason);
    writeFile(db->folder() + QStringLiteral("BookingReceipt.rtf"), "r");
    fakes().shell->result = code;
    const qint32 id = addBooking(0);
    PrintBookingReceipt(id);
    QCOMPARE(fakes().shell->opened.size(), 1);
    const QString copy = fakes().shell->opened.first();
    if (reason.isEmpty()) {
        QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    } else {
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QCOMPARE(fakes().messageBoxes->lastPrompt(), reason + QStringLiteral("\r\n") + copy);
        QCOMPARE(fakes().messageBoxes->shown.first().style, vbCritical | vbOKOnly);
        QCOMPARE(fakes().messageBoxes->shown.first().title, QStringLiteral("Tarlomy"));
    }
    // Whatever the shell says, the copy is kept and the temporary file removed.
    QCOMPARE(readFile(copy), QByteArray("r\r\n"));
    QCOMPARE(documentFiles(db->folder()).size(), 2);

    // An opener that fails after it started is told the same way, once it ends.
    fakes().messageBoxes->clear();
    fakes().shell->late = true;
    PrintBookingReceipt(id);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    const QString later = fakes().shell->opened.last();
    QTRY_COMPARE(fakes().messageBoxes->shown.size(), reason.isEmpty() ? 0 : 1);
    if (!reason.isEmpty())
        QCOMPARE(fakes().messageBoxes->lastPrompt(), reason + QStringLiteral("\r\n") + later);
}

void TestDocuments::fileFailures()
{
    const qint32 id = addBooking(0);
    iBookingID = id;

    // No template beside the program.
    PrintBookingConfirmation(iBookingID);
    QCOMPARE(fakes().shell->opened.size(), 0);
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QString::fromLatin1(kSupport) + QStringLiteral("File not found: ") + db->folder()
                 + QStringLiteral("BookingConfirmation.rtf\r\n53"));
    QCOMPARE(fakes().messageBoxes->shown.last().style, vbCritical | vbOKOnly);
    QCOMPARE(documentFiles(db->folder()), QStringList());

    // A program folder that takes no new file: the copy goes to the user's
    // data folder.
    writeFile(db->folder() + QStringLiteral("BookingConfirmation.rtf"), "c");
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    auto temp = std::make_unique<ScriptedTempFiles>();
    temp->names = {QStringLiteral("1"), QStringLiteral("2")};
    temp->refused = {QDir(db->folder()).absolutePath()};
    platform().setTempFiles(std::move(temp));
    PrintBookingConfirmation(iBookingID);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    qunsetenv("XDG_DATA_HOME");
    QVERIFY(dataFolder.startsWith(data.path()));
    QCOMPARE(fakes().shell->opened, QStringList({QDir(dataFolder).filePath(QStringLiteral("Con1.rtf"))}));
    QCOMPARE(readFile(fakes().shell->opened.first()), QByteArray("c\r\n"));
    QCOMPARE(documentFiles(dataFolder), QStringList({QStringLiteral("Con1.rtf")}));
}

void TestDocuments::copiesNeverReplaceOlderOnes()
{
    writeFile(db->folder() + QStringLiteral("BookingReceipt.rtf"), "new");
    writeFile(db->folder() + QStringLiteral("Rec00A1.rtf"), "old");
    auto temp = std::make_unique<ScriptedTempFiles>();
    temp->names = {QStringLiteral("00A1"), QStringLiteral("00A2")};
    platform().setTempFiles(std::move(temp));
    const qint32 id = addBooking(0);
    PrintBookingReceipt(id);
    QCOMPARE(readFile(db->folder() + QStringLiteral("Rec00A1.rtf")), QByteArray("old"));
    QCOMPARE(fakes().shell->opened, QStringList({db->folder() + QStringLiteral("Rec00A2.rtf")}));
    QCOMPARE(documentFiles(db->folder()),
             QStringList({QStringLiteral("BookingReceipt.rtf"), QStringLiteral("Rec00A1.rtf"),
                          QStringLiteral("Rec00A2.rtf")}));

    // With the desktop's names every document gets a copy of its own.
    platform().useDesktop();
    installFakes();
    for (int i = 0; i < 5; ++i)
        PrintBookingReceipt(id);
    QCOMPARE(fakes().shell->opened.size(), 5);
    QCOMPARE(QSet<QString>(fakes().shell->opened.begin(), fakes().shell->opened.end()).size(), 5);
    QCOMPARE(documentFiles(db->folder()).size(), 8);
}

void TestDocuments::wordProcessorReadsFilledDocuments()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice is not installed (no soffice on PATH): the filled documents were not read back. "
              "Install libreoffice-writer-nogui to run this check.");
    if (!convertsToText(soffice))
        QSKIP("LibreOffice cannot read a text document here (its word processor is not installed): the filled "
              "documents were not read back. Install libreoffice-writer-nogui to run this check.");

    for (const char* name : {"BookingConfirmation.rtf", "BookingReceipt.rtf"})
        QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/resources/beside/") + QString::fromLatin1(name),
                            db->folder() + QString::fromLatin1(name)));
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    const qint64 customer = addCustomer({{QStringLiteral("FirstName"), QStringLiteral("Zoë")},
                                         {QStringLiteral("LastName"), QStringLiteral("Ørsted-Núñez")},
                                         {QStringLiteral("BusinessName"), QStringLiteral("Fish {& Chips} Ltd")},
                                         {QStringLiteral("Address1"), QStringLiteral("4\\5 Quay Road")},
                                         {QStringLiteral("City"), QStringLiteral("Tromsø")},
                                         {QStringLiteral("Email"), QStringLiteral("zoe@fish.example")}});
    const qint32 id = addBooking(customer, "5", "100");
    addRoom(id, QStringLiteral("Harbour View"));
    addLine(id, 1, QStringLiteral("Harbour View booking"), "240", QStringLiteral("Sales Tax"), 10);
    addLine(id, 3, QStringLiteral("Breakfast <full>"), "12.5", QStringLiteral("Sales Tax"), 10);
    iBookingID = id;
    PrintBookingConfirmation(iBookingID);
    PrintBookingReceipt(id);
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
    QCOMPARE(fakes().shell->opened.size(), 2);

    QTemporaryDir work;
    for (const QString& copy : fakes().shell->opened) {
        QProcess lo;
        lo.setWorkingDirectory(work.path());
        lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.path() + QStringLiteral("/profile"),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), work.path(), copy});
        QVERIFY(lo.waitForFinished(180000));
        QCOMPARE(lo.exitCode(), 0);
        const QString txt = QString::fromUtf8(
            readFile(QDir(work.path()).filePath(QFileInfo(copy).completeBaseName() + QStringLiteral(".txt"))));
        QVERIFY2(!txt.isEmpty(), qPrintable(copy));
        const QStringList expected = {
            QStringLiteral("Zoë Ørsted-Núñez"), QStringLiteral("Fish {& Chips} Ltd"), QStringLiteral("4\\5 Quay Road"),
            QStringLiteral("Tromsø"), QStringLiteral("zoe@fish.example"),
            QStringLiteral("3/3/2025"), QStringLiteral("3/6/2025"), QStringLiteral("Harbour View\n"),
            // The invoice lines are a table: the text has a line per cell.
            QStringLiteral("1\nHarbour View booking\n$240.00\n$240.00"),
            QStringLiteral("3\nBreakfast <full>\n$12.50\n$37.50"),
            QStringLiteral("Subtotal\t$277.50"), QStringLiteral("Sales Tax\t$27.75"),
            QStringLiteral("Sales Tax2\t$27.75"), QStringLiteral("Gratuity\t$5.00"),
            QStringLiteral("Total payable\t$338.00"), QStringLiteral("\t$100.00"),
            QStringLiteral("Balance due\t$238.00"), QStringLiteral("Visa"),
            QStringLiteral("Fish {& Chips} Ltd Zoë Ørsted-Núñez 4\\5 Quay Road, , Tromsø,"),
        };
        for (const QString& e : expected)
            QVERIFY2(txt.contains(e), qPrintable(QStringLiteral("%1 lacks \"%2\":\n%3").arg(copy, e, txt)));
        // Every placeholder was filled.
        QVERIFY2(!QString(txt).remove(QStringLiteral("<full>")).contains(u'<'), qPrintable(txt));
    }
}

void TestDocuments::lettersKeepTheirColumns_data()
{
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("secondTax");
    const QString kingfisher = QStringLiteral("Kingfisher's Garden Suite with Sea View");
    for (const char* name : {"BookingConfirmation.rtf", "BookingReceipt.rtf"}) {
        QTest::addRow("%s short names", name) << QString::fromLatin1(name) << QStringLiteral("Room 1")
                                              << QStringLiteral("Room 1") << false;
        QTest::addRow("%s long unit, second tax", name)
            << QString::fromLatin1(name) << kingfisher << kingfisher << true;
        QTest::addRow("%s long item {\\}", name)
            << QString::fromLatin1(name) << kingfisher
            << kingfisher + QStringLiteral(" {with \\ sunset} - three nights, breakfast and late check-out") << true;
    }
}

// Whatever a unit or item is called, each invoice line keeps its quantity,
// description, unit price and amount in the columns of the heading (a long
// description wraps inside its own), and the second tax's row is spaced as
// the rows around it. The table is read from the filled RTF; where
// LibreOffice and pdftotext are at hand, the rendered page is read too.
void TestDocuments::lettersKeepTheirColumns()
{
    QFETCH(QString, templateName);
    QFETCH(QString, unit);
    QFETCH(QString, item);
    QFETCH(bool, secondTax);
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), secondTax);
    SaveConfigText(QStringLiteral("SalesTaxName2"), QStringLiteral("Tourist levy"));
    const qint64 customer = addCustomer({{QStringLiteral("FirstName"), QStringLiteral("Alexandrina Seraphina Wilhelmina")},
                                         {QStringLiteral("LastName"), QStringLiteral("Featherstonehaugh-Lancaster")}});
    const qint32 id = addBooking(customer, "5", "100");
    addRoom(id, unit);
    addLine(id, 3, item, "1240", QStringLiteral("VAT"), 10);
    addLine(id, 2, QStringLiteral("Breakfast"), "12.5", QStringLiteral("VAT"), 10);
    QFile shipped(QStringLiteral(SOURCE_DIR "/resources/beside/") + templateName);
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray rtf = filled(shipped.readAll(), id);

    const QList<RtfRow> rows = RtfTableRows(rtf);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].cells, QStringList({QStringLiteral("Qty"), QStringLiteral("Description"),
                                         QStringLiteral("Unit price"), QStringLiteral("Amount")}));
    QCOMPARE(rows[1].cells, QStringList({QStringLiteral("3"), item, QStringLiteral("$1,240.00"),
                                         QStringLiteral("$3,720.00")}));
    QCOMPARE(rows[2].cells, QStringList({QStringLiteral("2"), QStringLiteral("Breakfast"), QStringLiteral("$12.50"),
                                         QStringLiteral("$25.00")}));
    for (const RtfRow& r : rows)
        QCOMPARE(r.edges, rows[0].edges);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        || !convertsToText(soffice))
        QSKIP("LibreOffice or pdftotext is not at hand: the table was read from the RTF alone.");
    QTemporaryDir work;
    const QString doc = work.filePath(QStringLiteral("letter.rtf"));
    QFile out(doc);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(rtf) == rtf.size());
    out.close();
    QProcess lo;
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.path() + QStringLiteral("/profile"),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                       QStringLiteral("--outdir"), work.path(), doc});
    QVERIFY(lo.waitForFinished(180000));
    const QList<PdfWord> words = PdfWords(work.filePath(QStringLiteral("letter.pdf")));
    QVERIFY(!words.isEmpty());
    // The first word of that text from the table's heading down.
    double tableTop = 0;
    const auto find = [&words, &tableTop](const QString& text) {
        for (const PdfWord& w : words)
            if (w.text == text && w.box.top() >= tableTop)
                return w.box;
        return QRectF();
    };
    const QRectF description = find(QStringLiteral("Description"));
    tableTop = description.top();
    const QRectF price = find(QStringLiteral("price")), amount = find(QStringLiteral("Amount"));
    QVERIFY(description.isValid() && price.isValid() && amount.isValid());
    // The figures end under the ends of their headings; every word of the
    // description stands between its heading's start and the prices.
    for (const char* figure : {"$1,240.00", "$3,720.00", "$12.50", "$25.00"}) {
        const QRectF f = find(QString::fromLatin1(figure));
        QVERIFY2(f.isValid(), figure);
        const QRectF& heading = (qstrcmp(figure, "$3,720.00") == 0 || qstrcmp(figure, "$25.00") == 0) ? amount : price;
        QVERIFY2(qAbs(f.right() - heading.right()) < 1.5, figure);
    }
    const QRectF firstPrice = find(QStringLiteral("$1,240.00"));
    for (const QString& w : item.split(u' ', Qt::SkipEmptyParts)) {
        const QRectF box = find(w);
        QVERIFY2(box.isValid(), qPrintable(w));
        QVERIFY2(box.left() >= description.left() - 0.5 && box.right() < price.left() - 2
                     && box.top() >= firstPrice.top() - 0.5,
                 qPrintable(w));
    }
    // The second tax's row: as far from the first tax's as from the gratuity's.
    const QRectF gratuity = find(QStringLiteral("Gratuity")), levy = find(QStringLiteral("levy")),
                 vat = find(QStringLiteral("VAT"));
    QVERIFY(gratuity.isValid() && vat.isValid());
    QCOMPARE(levy.isValid(), secondTax);
    if (secondTax)
        QVERIFY2(qAbs((gratuity.top() - levy.top()) - (levy.top() - vat.top())) < 1.0,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(vat.top()).arg(levy.top()).arg(gratuity.top())));
}

TARLOMY_GUI_TEST_MAIN(TestDocuments)
#include "tst_documents.moc"
