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

const int kYear = 2031;

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The page's lines, each with its CR LF taken off; fails on a bare LF or a
// missing last CR LF.
QList<QByteArray> lines(const QByteArray& page)
{
    QList<QByteArray> out = page.split('\n');
    if (out.isEmpty() || !out.takeLast().isEmpty())
        qFatal("the page does not end with a line end");
    for (QByteArray& line : out) {
        if (!line.endsWith('\r'))
            qFatal("a line ends without CR LF: %s", line.constData());
        line.chop(1);
    }
    return out;
}

// What a browser reads back from an attribute value of the page.
QString unescape(const QString& value)
{
    static const QRegularExpression entity(QStringLiteral("&(#(\\d+)|amp|lt|gt|quot);"));
    QString out;
    qsizetype at = 0;
    for (auto it = entity.globalMatch(value); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += value.mid(at, m.capturedStart() - at);
        const QString name = m.captured(1);
        if (!m.captured(2).isEmpty()) {
            const char32_t c = m.captured(2).toUInt();
            out += QString::fromUcs4(&c, 1);
        } else {
            out += name == QLatin1String("amp") ? u'&' : name == QLatin1String("lt") ? u'<' : name == QLatin1String("gt") ? u'>' : u'"';
        }
        at = m.capturedEnd();
    }
    return out + value.mid(at);
}

QString valueOf(const QByteArray& line)
{
    static const QRegularExpression value(QStringLiteral("(?:VALUE|action)=\"([^\"]*)\""));
    return unescape(value.match(QString::fromLatin1(line)).captured(1));
}

}  // namespace

class TestBookingFormPage : public QObject {
    Q_OBJECT

private slots:
    void init() { resetProgramState(); }

    // Index 1 matches the fixture byte for byte; index 0 differs only by the
    // service on line 7; any other index drops line 7 and still closes the form.
    void pageForEachIndex()
    {
        const QByteArray fixture = readFile(QStringLiteral(SOURCE_DIR "/tests/reports/bookingform.html"));
        WebSettings s{QStringLiteral("desk@seaview.example"), 1, QStringLiteral("https://forms.example.net/post")};
        const QByteArray custom = BookingFormPage(s, kYear);
        QCOMPARE(custom, fixture);
        QCOMPARE(lines(custom).size(), 183);
        QCOMPARE(BookingFormPage(s, kYear), custom);

        QList<QByteArray> expected = lines(fixture);
        s.providerIndex = 0;
        expected[6] = QByteArray("<FORM action=\"") + kDefaultFormService + "\" method=\"POST\">";
        QCOMPARE(lines(BookingFormPage(s, kYear)), expected);

        expected.removeAt(6);
        for (int index : {5, -1, 2}) {
            s.providerIndex = index;
            const QList<QByteArray> page = lines(BookingFormPage(s, kYear));
            QCOMPARE(page.size(), 182);
            QCOMPARE(page, expected);
        }
        // An empty custom address gives an empty action; the years follow the year given.
        s = WebSettings{QString(), 1, QString()};
        const QList<QByteArray> empty = lines(BookingFormPage(s, 1999));
        QCOMPARE(empty[6], QByteArray("<FORM action=\"\" method=\"POST\">"));
        QCOMPARE(empty[13], QByteArray("<INPUT TYPE=\"hidden\" NAME=\"your_email_address\" VALUE=\"\">"));
        QCOMPARE(empty[95], QByteArray("       <OPTION VALUE=\"2001\" >2001"));
    }

    // Whatever the settings hold, the page stays ASCII with its 183 lines and a
    // browser reads each value back exactly as stored.
    void valuesAreEscaped()
    {
        QStringList texts = hostileTexts();
        texts << QStringLiteral("a\"b<c>d&e'f") << QStringLiteral("line\r\nbreak\ttab");
        for (const QString& text : texts) {
            const QByteArray page = BookingFormPage(WebSettings{text, 1, text + u'!'}, kYear);
            for (char c : page)
                QVERIFY2(uchar(c) < 0x80, qPrintable(text.left(40)));
            const QList<QByteArray> l = lines(page);
            QCOMPARE(l.size(), 183);
            QCOMPARE(valueOf(l[6]), text + u'!');
            QCOMPARE(valueOf(l[13]), text);
            QCOMPARE(valueOf(l[15]), text);
        }
    }

    // The menu command: the dialog's filters, a cancel, a write over a longer
    // file, a second identical write, a missing settings row and a folder in
    // the file's place.
    void createPageCommand()
    {
        TestDb db;
        frmMain& main = loadMainWindow(db);
        installFakes();
        const QString target = db.folder() + QStringLiteral("book.html");
        writeFile(target, QByteArray(20000, 'z'));

        fakes().saveFile->answer.clear();
        main.mnuWebCreatePage_Click();
        QCOMPARE(fakes().saveFile->requests.size(), 1);
        const SaveFileRequest& r = fakes().saveFile->requests.first();
        QCOMPARE(r.filters, QStringList({QStringLiteral("HTML (*.html)"), QStringLiteral("*.html"),
                                         QStringLiteral("HTM (*.htm)"), QStringLiteral("*.htm")}));
        QVERIFY(r.dialogTitle.isEmpty());
        QVERIFY(r.defaultExt.isEmpty());
        QCOMPARE(readFile(target), QByteArray(20000, 'z'));
        QVERIFY(fakes().messageBoxes->shown.isEmpty());

        const WebSettings s{QStringLiteral("O'Brien & \"Sons\" <desk@x>"), 0, QStringLiteral("kept")};
        WebSettingsStore::save(s);
        fakes().saveFile->answer = target;
        main.mnuWebCreatePage_Click();
        const QByteArray first = readFile(target);
        QCOMPARE(first, BookingFormPage(s, QDate::currentDate().year()));
        main.mnuWebCreatePage_Click();
        QCOMPARE(readFile(target), first);
        QVERIFY(fakes().messageBoxes->shown.isEmpty());

        // The command reads the row itself at each run.
        WebSettingsStore::save(WebSettings{QStringLiteral("new@x"), 1, QStringLiteral("http://h/p")});
        CreateBookingFormPage(&main, QDate(kYear, 6, 1));
        QCOMPARE(valueOf(lines(readFile(target))[6]), QStringLiteral("http://h/p"));
        QCOMPARE(lines(readFile(target))[93], QByteArray("       <OPTION VALUE=\"2031\" >2031"));

        objConn.execute(QStringLiteral("DELETE FROM settings"));
        writeFile(target, "old page");
        main.mnuWebCreatePage_Click();
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QCOMPARE(fakes().messageBoxes->shown.first().prompt, QString::fromLatin1(kNoWebSettingsMessage));
        QCOMPARE(fakes().messageBoxes->shown.first().style, int(vbCritical));
        QCOMPARE(readFile(target), QByteArray("old page"));

        objConn.execute(QStringLiteral("INSERT INTO settings (webbookingemail) VALUES ('a@b')"));
        const QString folder = db.folder() + QStringLiteral("taken.html");
        QVERIFY(QDir().mkdir(folder));
        fakes().saveFile->answer = folder;
        main.mnuWebCreatePage_Click();
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Unable to write to file."));
        QCOMPARE(fakes().messageBoxes->shown.last().style, int(vbCritical));
        QVERIFY(QFileInfo(folder).isDir());
    }
};

TARLOMY_TEST_MAIN(TestBookingFormPage)
#include "tst_bookingformpage.moc"
