// The booking-form page in a real browser: headless Chromium loads it from a
// local listener and submits its form back to it. Skipped where Chromium is
// not installed and cannot be (the set-up installs Debian's package when the
// test runs as root with apt-get at hand).
#include "support/testsupport.h"

#include "core/db.h"
#include "core/websettingsstore.h"
#include "reports/bookingformpage.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrlQuery>
#include <unistd.h>

namespace {

// The local listener (formlistener.py): serves the files of a folder and
// keeps the body of every POST in its file "posts".
class Listener {
public:
    Listener()
    {
        m_process.start(QStringLiteral("python3"),
                        {QStringLiteral(SOURCE_DIR "/tests/reports/formlistener.py"), m_dir.path()});
        if (m_process.waitForReadyRead(10000))
            m_port = m_process.readLine().trimmed().toInt();
    }
    ~Listener()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    int port() const { return m_port; }
    QString url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(QLatin1String(path));
    }
    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QList<QByteArray> posts() const
    {
        QFile f(file("posts"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> out = f.readAll().split('\n');
        out.removeLast();
        return out;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

QString chromium()
{
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

// Runs headless Chromium on url; the DOM it dumps.
QByteArray browse(const QString& url)
{
    QTemporaryDir profile;
    QProcess p;
    p.setProgram(chromium());
    p.setArguments({QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                    QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                    QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                    QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--virtual-time-budget=5000"),
                    QStringLiteral("--dump-dom"), url});
    p.start();
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
    }
    return p.readAllStandardOutput();
}

}  // namespace

class TestBookingFormBrowser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (chromium().isEmpty() && geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("apt-get")).isEmpty()) {
            QProcess apt;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive"));
            apt.setProcessEnvironment(env);
            apt.start(QStringLiteral("apt-get"), {QStringLiteral("install"), QStringLiteral("-y"), QStringLiteral("-qq"),
                                                  QStringLiteral("--no-install-recommends"), QStringLiteral("chromium")});
            apt.waitForFinished(240000);
        }
        if (chromium().isEmpty())
            QSKIP("chromium is not installed: the page was not tried in a browser");
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed: no listener for the page's form");
    }

    void init() { resetProgramState(); }

    // The form posts every field, each list's first option and the hidden
    // values, with a stored address holding markup characters arriving as
    // stored; letters outside ASCII reach the browser's DOM intact.
    void formPostsToListener()
    {
        TestDb db;
        db.open();
        Listener listener;
        QVERIFY(listener.port() != 0);
        const QString email = QStringLiteral("a\"b<c>d&e'f@inn.example");
        WebSettingsStore::save(WebSettings{email, 1, listener.url("submit")});
        fakes().saveFile->answer = listener.file("page.html");
        CreateBookingFormPage(nullptr);
        QFile wrapper(listener.file("wrapper.html"));
        QVERIFY(wrapper.open(QIODevice::WriteOnly));
        wrapper.write("<html><body><iframe src=\"page.html\" onload=\"if (!window.sent) { window.sent = 1; "
                      "this.contentDocument.querySelector('input[name=Submit]').click(); }\"></iframe></body></html>");
        wrapper.close();

        browse(listener.url("wrapper.html"));
        const QList<QByteArray> posts = listener.posts();
        QCOMPARE(posts.size(), 1);
        QUrlQuery post(QString::fromLatin1(posts.first()).replace(u'+', QLatin1String("%20")));
        const QString year = QString::number(QDate::currentDate().year());
        const QList<std::pair<const char*, QString>> expected{
            {"your_email_address", email},
            {"your_name", email},
            {"email_subject_line", QStringLiteral("Online Booking Request")},
            {"required_fields", QStringLiteral("your_email_address")},
            {"thank_you_title", QStringLiteral("Thank you for your booking")},
            {"return_link_url", QString()},
            {"return_link_name", QStringLiteral("Go Back")},
            {"background_color", QStringLiteral("#FFFFFF")},
            {"text_color", QStringLiteral("#000000")},
            {"link_color", QStringLiteral("#0000FF")},
            {"visited_link_color", QStringLiteral("#8000FF")},
            {"active_link_color", QStringLiteral("#0000FF")},
            {"arrive_day", QStringLiteral("01")},
            {"arrive_month", QStringLiteral("01")},
            {"arrive_year", year},
            {"departure_day", QStringLiteral("01")},
            {"departure_month", QStringLiteral("01")},
            {"departure_year", year},
            {"visitor_name", QString()},
            {"visitor_email_address", QString()},
            {"Comment", QString()},
            {"Submit", QStringLiteral("Submit")},
        };
        for (const auto& [name, value] : expected) {
            QVERIFY2(post.hasQueryItem(QLatin1String(name)), name);
            QCOMPARE(post.queryItemValue(QLatin1String(name), QUrl::FullyDecoded), value);
        }
        QCOMPARE(post.queryItems().size(), expected.size());

        // The page declares no encoding: letters beyond ASCII are checked in
        // the DOM the browser built.
        const QString letters = QStringLiteral("Zoë Ærøskøbing 北京 \U0001F3E8");
        WebSettingsStore::save(WebSettings{letters, 1, listener.url("submit")});
        CreateBookingFormPage(nullptr);
        const QString dom = QString::fromUtf8(browse(listener.url("page.html")));
        QVERIFY2(dom.contains(QStringLiteral("value=\"") + letters + u'"'), qPrintable(dom.left(2000)));
    }
};

TARLOMY_TEST_MAIN(TestBookingFormBrowser)
#include "tst_bookingformbrowser.moc"
