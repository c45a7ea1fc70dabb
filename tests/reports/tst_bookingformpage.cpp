// The booking-form page: its bytes, its escaping and the command that writes it.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/websettingsstore.h"
#include "reports/bookingformpage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

// The page's lines without their CR LF; a bare LF or a last line without
// its line end gives a line that still holds it.
QList<QByteArray> lines(const QByteArray& page)
{
    QList<QByteArray> out = page.split('\n');
    out.removeLast();
    for (QByteArray& line : out)
        line = line.endsWith('\r') ? line.chopped(1) : line + "<no CR>";
    return out;
}

// An attribute value of a line as a browser reads it back.
QString valueOf(const QByteArray& line)
{
    static const QRegularExpression value(QStringLiteral("(?:VALUE|action)=\"([^\"]*)\""));
    static const QRegularExpression entity(QStringLiteral("&(?:#(\\d+)|(amp|lt|gt|quot));"));
    const QString text = value.match(QString::fromLatin1(line)).captured(1);
    QString out;
    qsizetype at = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const char32_t code = m.captured(1).toUInt();
        const int named = QStringList({"amp", "lt", "gt", "quot"}).indexOf(m.captured(2));
        out += text.mid(at, m.capturedStart() - at) +
               (named >= 0 ? QString(QChar(u"&<>\""[named])) : QString::fromUcs4(&code, 1));
        at = m.capturedEnd();
    }
    return out + text.mid(at);
}

}  // namespace

class TestBookingFormPage : public QObject {
    Q_OBJECT

private slots:
    void init() { resetProgramState(); }

    // Index 1 matches the fixture byte for byte; index 0 differs only by the
    // service on the form's line; any other index drops that line and still
    // closes the form; the years follow today's, and today is selected in
    // each date list, whatever day it is.
    void pageForEachIndex()
    {
        const QByteArray fixture = readFile(QStringLiteral(SOURCE_DIR "/tests/reports/bookingform.html"));
        WebSettings s{QStringLiteral("desk@seaview.example"), 1, QStringLiteral("https://forms.example.net/post")};
        QCOMPARE(BookingFormPage(s, QDate(2031, 6, 1)), fixture);
        QList<QByteArray> expected = lines(fixture);
        QCOMPARE(expected.size(), 193);
        s.providerIndex = 0;
        expected[16] = QByteArray("<FORM action=\"") + kDefaultFormService + "\" method=\"POST\" accept-charset=\"UTF-8\">";
        QCOMPARE(lines(BookingFormPage(s, QDate(2031, 6, 1))), expected);
        expected.removeAt(16);
        for (int index : {5, -1, 2}) {
            s.providerIndex = index;
            QCOMPARE(lines(BookingFormPage(s, QDate(2031, 6, 1))), expected);
        }
        const QList<QByteArray> empty = lines(BookingFormPage(WebSettings{QString(), 1, QString()}, QDate(1999, 6, 1)));
        QCOMPARE(empty[16], QByteArray("<FORM action=\"\" method=\"POST\" accept-charset=\"UTF-8\">"));
        QCOMPARE(valueOf(empty[23]), QString());
        QCOMPARE(empty[105], QByteArray("       <OPTION VALUE=\"2001\" >2001"));

        for (const QDate& today : {QDate(2031, 12, 9), QDate(2028, 2, 29), QDate(2030, 1, 31)}) {
            QList<QByteArray> selected;
            for (const QByteArray& line : lines(BookingFormPage(s, today)))
                if (line.contains("SELECTED"))
                    selected << line.trimmed();
            const QByteArray day = QByteArray::number(today.day());
            const QByteArray month = QLocale::c().monthName(today.month()).toLatin1();
            const QByteArray year = QByteArray::number(today.year());
            const QByteArray dayLine = "<OPTION VALUE=" + day.rightJustified(2, '0') + " SELECTED>" + day;
            const QByteArray monthLine = "<OPTION VALUE=\"" + QByteArray::number(today.month()).rightJustified(2, '0')
                                         + "\" SELECTED>" + month;
            const QByteArray yearLine = "<OPTION VALUE=\"" + year + "\" SELECTED>" + year;
            QCOMPARE(selected, QList<QByteArray>({dayLine, monthLine, yearLine, dayLine, monthLine, yearLine}));
        }
    }

    // Whatever the settings hold, the page stays ASCII with its 193 lines and
    // a browser reads each value back exactly as stored.
    void valuesAreEscaped()
    {
        const QStringList texts = hostileTexts() << QStringLiteral("a\"b<c>&d\r\ne\tf");
        for (const QString& text : texts) {
            const QByteArray page = BookingFormPage(WebSettings{text, 1, text + u'!'}, QDate(2031, 6, 1));
            QVERIFY(std::all_of(page.begin(), page.end(), [](char c) { return uchar(c) < 0x80; }));
            const QList<QByteArray> l = lines(page);
            QCOMPARE(l.size(), 193);
            QCOMPARE(valueOf(l[16]), text + u'!');
            QCOMPARE(valueOf(l[23]), text);
            QCOMPARE(valueOf(l[25]), text);
        }
    }

    // The menu command: the dialog, a cancel, a write over a longer file read
    // from the row at each run, an identical second write, a missing row and
    // a folder in the file's place, neither of which loses the old file.
    void createPageCommand()
    {
        TestDb db;
        frmMain& main = loadMainWindow(db);
        installFakes();
        const QString target = db.folder() + QStringLiteral("book.html");
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(20000, 'z')) == 20000);
        old.close();

        main.mnuWebCreatePage_Click();
        const SaveFileRequest r = fakes().saveFile->requests.value(0);
        QCOMPARE(r.filters, QStringList({QStringLiteral("HTML (*.html)"), QStringLiteral("*.html"),
                                         QStringLiteral("HTM (*.htm)"), QStringLiteral("*.htm")}));
        QVERIFY(r.dialogTitle.isEmpty() && r.defaultExt.isEmpty() && r.fileName.isEmpty());
        QCOMPARE(readFile(target), QByteArray(20000, 'z'));

        fakes().saveFile->answer = target;
        const WebSettings s{QStringLiteral("O'Brien & Sons"), 0, QStringLiteral("kept")};
        WebSettingsStore::save(s);
        main.mnuWebCreatePage_Click();
        QCOMPARE(readFile(target), BookingFormPage(s, QDate::currentDate()));
        // A page that posts to no address of the user's (the placeholder
        // service, an empty custom address, no form tag) is written, and the
        // user is told that its form will not send.
        for (const WebSettings& none : {s, WebSettings{QString(), 1, QStringLiteral(" ")}, WebSettings{QString(), 7, QStringLiteral("x")}}) {
            fakes().messageBoxes->clear();
            WebSettingsStore::save(none);
            CreateBookingFormPage(&main, QDate(2031, 6, 1));
            QCOMPARE(readFile(target), BookingFormPage(none, QDate(2031, 6, 1)));
            QCOMPARE(fakes().messageBoxes->shown.size(), 1);
            QCOMPARE(fakes().messageBoxes->lastPrompt(), QString::fromLatin1(kNoFormServiceMessage));
            QCOMPARE(fakes().messageBoxes->shown[0].style, int(vbExclamation));
        }
        fakes().messageBoxes->clear();
        WebSettingsStore::save(WebSettings{QStringLiteral("new@x"), 1, QStringLiteral("http://h/p")});
        CreateBookingFormPage(&main, QDate(2031, 6, 1));
        const QByteArray page = readFile(target);
        QCOMPARE(valueOf(lines(page)[16]), QStringLiteral("http://h/p"));
        CreateBookingFormPage(&main, QDate(2031, 6, 1));
        QCOMPARE(readFile(target), page);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());

        objConn.execute(QStringLiteral("DELETE FROM settings"));
        main.mnuWebCreatePage_Click();
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QString::fromLatin1(kNoWebSettingsMessage));
        QCOMPARE(readFile(target), page);

        objConn.execute(QStringLiteral("INSERT INTO settings (webbookingemail) VALUES ('a@b')"));
        fakes().saveFile->answer = db.folder() + QStringLiteral("taken.html");
        QVERIFY(QDir().mkdir(fakes().saveFile->answer));
        main.mnuWebCreatePage_Click();
        QVERIFY(fakes().messageBoxes->lastPrompt().startsWith(QStringLiteral("Unable to write to file.\r\n")
                                                               + QDir::toNativeSeparators(fakes().saveFile->answer)));
        for (const ShownMessage& m : fakes().messageBoxes->shown)
            QCOMPARE(m.style, int(vbCritical));
        QVERIFY(QFileInfo(fakes().saveFile->answer).isDir());
    }
};

TARLOMY_GUI_TEST_MAIN(TestBookingFormPage)
#include "tst_bookingformpage.moc"
