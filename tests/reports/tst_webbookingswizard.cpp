// The Web Booking Configuration wizard, walked page by page.
#include "support/pagescript.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/websettingsstore.h"
#include "reports/bookingformpage.h"
#include "reports/webbookingswizard.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

namespace {

const QString kWelcome = QStringLiteral("frmWizOConfig_Welcome");
const QString kEmail = QStringLiteral("frmWizOConfig_Email");
const QString kProvider = QStringLiteral("frmWizOConfig_Provider");
const QString kComplete = QStringLiteral("frmWizOConfig_Complete");
const QString kNoCustom = QStringLiteral("No custom provider has been entered. Continue anyway?");

QLineEdit* box(QDialog* d, const char* name) { return control<QLineEdit>(d, name); }
QComboBox* providers(QDialog* d) { return control<QComboBox>(d, "cboProvider"); }

PageAction type(const char* name, const QString& text, const char* button = "cmdNext")
{
    return [=](QDialog* d) { box(d, name)->setText(text); click(d, button); };
}

PageAction choose(int provider)
{
    return [=](QDialog* d) { SetListIndex(providers(d), provider); click(d, "cmdNext"); };
}

WebBookingsAnswer answer;
QStringList walk(const QList<PageAction>& steps)
{
    return walkPages(steps, [] { answer = RunWebBookingsWizard(nullptr); });
}

WebSettings stored()
{
    return WebSettingsStore::load().value_or(WebSettings{QStringLiteral("<no row>"), -9, QString()});
}

qint64 changes()
{
    return objConn.scalar(QStringLiteral("SELECT total_changes()")).toLongLong();
}

}  // namespace

class TestWebBookingsWizard : public DbTest {
    Q_OBJECT

private slots:
    void init()
    {
        openDb();
        WebSettingsStore::save(WebSettings{QStringLiteral("desk@inn.example"), 1, QStringLiteral("http://forms/x")});
    }

    // Cancel on any page stores and asks nothing, whatever the pages took;
    // Finish without a change still stores the three values and asks.
    void cancelOrFinish()
    {
        const QList<PageAction> through{press("cmdNext"), type("txtName", QStringLiteral("new@x")), choose(0),
                                        press("cmdNext")};
        const QStringList pages{kWelcome, kEmail, kProvider, kComplete};
        for (int last = 0; last < 4; ++last) {
            const qint64 before = changes();
            QCOMPARE(walk(through.mid(0, last) << press("cmdCancel")), pages.mid(0, last + 1));
            QCOMPARE(answer, WebBookingsAnswer::Cancelled);
            QCOMPARE(changes(), before);
            QVERIFY(fakes().messageBoxes->shown.isEmpty());
        }
        fakes().messageBoxes->answers = {vbNo};
        const qint64 before = changes();
        QCOMPARE(walk({press("cmdNext"), press("cmdNext"), press("cmdNext"),
                       [](QDialog* d) {
                           QCOMPARE(control<QPushButton>(d, "cmdNext")->text(), QStringLiteral("&Finish"));
                           QTest::keyClick(d, Qt::Key_Escape);   // answers no button
                           QTest::keyClick(d, Qt::Key_Return);
                       }}),
                 pages);
        QCOMPARE(answer, WebBookingsAnswer::Saved);
        QCOMPARE(changes(), before + 3);
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QStringLiteral("Would you like to create a booking web page now?"));
        QCOMPARE(fakes().messageBoxes->shown[0].style, int(vbYesNoCancel | vbQuestion));
    }

    // The welcome box, Back dropping what a page held, a key in the custom box
    // choosing "Custom...", and the default chosen again keeping the address.
    void pagesAndBack()
    {
        const auto untick = [](QDialog* d) { control<QCheckBox>(d, "chkDisplayNext")->setChecked(false); };
        walk({[&](QDialog* d) { untick(d); click(d, "cmdCancel"); }});
        QVERIFY(WizOConfig_ShowWelcome);
        fakes().messageBoxes->answers = {vbNo};
        QCOMPARE(walk({[&](QDialog* d) { click(d, "cmdBack"); untick(d); click(d, "cmdNext"); },
                       type("txtName", QStringLiteral("dropped"), "cmdBack"), press("cmdNext"),
                       [](QDialog* d) {
                           QCOMPARE(box(d, "txtName")->text(), QStringLiteral("desk@inn.example"));
                           type("txtName", QStringLiteral("taken@inn"))(d);
                       },
                       [](QDialog* d) {
                           SetListIndex(providers(d), 0);
                           QTest::keyClicks(box(d, "txtCustom"), QStringLiteral("/y"));
                           QCOMPARE(providers(d)->currentIndex(), 1);
                           click(d, "cmdBack");
                       },
                       [](QDialog* d) {
                           QCOMPARE(box(d, "txtName")->text(), QStringLiteral("taken@inn"));
                           click(d, "cmdNext");
                       },
                       [](QDialog* d) {
                           QCOMPARE(providers(d)->currentIndex(), 1);
                           QCOMPARE(box(d, "txtCustom")->text(), QStringLiteral("http://forms/x"));
                           QTest::keyClicks(box(d, "txtCustom"), QStringLiteral("/z"));
                           choose(0)(d);
                       },
                       press("cmdNext")}),
                 QStringList({kWelcome, kEmail, kWelcome, kEmail, kProvider, kEmail, kProvider, kComplete}));
        QVERIFY(!WizOConfig_ShowWelcome);
        QCOMPARE(stored().email, QStringLiteral("taken@inn"));
        QCOMPARE(stored().providerIndex, 0);
        QCOMPARE(stored().providerCustom, QStringLiteral("http://forms/x/z"));
        QCOMPARE(walk({press("cmdCancel")}), QStringList{kEmail});
    }

    // An empty address is refused; "Custom..." with no address asks, and only
    // Yes goes on, storing index 1 and nothing; a blank is an address.
    void refusalsAndQuestion()
    {
        WizOConfig_ShowWelcome = false;
        fakes().messageBoxes->answers = {vbOK, vbNo, vbCancel, vbYes, vbNo};
        const PageAction next = press("cmdNext");
        QCOMPARE(walk({type("txtName", QString()), type("txtName", QStringLiteral(" ")), type("txtCustom", QString()),
                       next, next, next}),
                 QStringList({kEmail, kEmail, kProvider, kProvider, kProvider, kComplete}));
        const QList<ShownMessage>& shown = fakes().messageBoxes->shown;
        QCOMPARE(shown.size(), 5);
        QCOMPARE(shown[0].prompt,
                 QStringLiteral("No email address has been entered. Please enter an email address to continue."));
        QCOMPARE(shown[0].style, int(vbCritical));
        for (int i : {1, 2, 3}) {
            QCOMPARE(shown[i].prompt, kNoCustom);
            QCOMPARE(shown[i].style, int(vbYesNoCancel));
        }
        QCOMPARE(stored().email, QStringLiteral(" "));
        QCOMPARE(stored().providerIndex, 1);
        QCOMPARE(stored().providerCustom, QString());

        for (const QString& text : hostileTexts()) {
            fakes().messageBoxes->answers = {vbNo};
            walk({type("txtName", text), type("txtCustom", text + u'\''), next});
            QCOMPARE(stored().email, text);
            QCOMPARE(stored().providerCustom, text + u'\'');
        }
    }

    // A key that types or edits the custom address chooses "Custom...";
    // one that moves the focus or the cursor, or a modifier alone, does not,
    // and Next then asks nothing.
    void keysInTheCustomBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("chooses");
        const int none = Qt::NoModifier;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << false;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << none << false;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << false;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << false;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << false;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << false;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << false;
        QTest::newRow("Shift+End") << int(Qt::Key_End) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << false;
        QTest::newRow("a letter") << int(Qt::Key_Q) << none << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << true;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << true;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << true;
    }
    void keysInTheCustomBox()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, chooses);
        WizOConfig_ShowWelcome = false;
        WebSettingsStore::save(WebSettings{QStringLiteral("desk@inn.example"), 0, QStringLiteral("http://forms/x")});
        QGuiApplication::clipboard()->setText(QStringLiteral("/pasted"));
        int chosen = -2;
        QCOMPARE(walk({press("cmdNext"),
                       [&](QDialog* d) {
                           QLineEdit* custom = box(d, "txtCustom");
                           custom->setFocus(Qt::TabFocusReason);
                           QTRY_VERIFY(custom->hasFocus());
                           custom->setCursorPosition(4);
                           const auto mods = Qt::KeyboardModifiers(modifiers);
                           // Shift goes down before the key it changes.
                           if (mods & Qt::ShiftModifier)
                               QTest::keyPress(custom, Qt::Key_Shift);
                           QTest::keyClick(custom, Qt::Key(key), mods);
                           if (mods & Qt::ShiftModifier)
                               QTest::keyRelease(custom, Qt::Key_Shift, mods);
                           chosen = providers(d)->currentIndex();
                           click(d, "cmdNext");
                       },
                       press("cmdNext")}),
                 QStringList({kEmail, kProvider, kComplete}));
        QCOMPARE(chosen, chooses ? 1 : 0);
        QCOMPARE(stored().providerIndex, chooses ? 1 : 0);
        QCOMPARE(stored().providerCustom == QStringLiteral("http://forms/x"), !chooses);
        // Only the last question, about the web page, was asked.
        QCOMPARE(fakes().messageBoxes->shown.size(), 1);
    }

    // A stored provider index the list does not hold shows no entry and is
    // kept through Finish; an entry chosen replaces it.
    void unknownProviderIndexKept()
    {
        WizOConfig_ShowWelcome = false;
        WebSettingsStore::save(WebSettings{QStringLiteral("desk@inn.example"), 2, QStringLiteral("http://forms/x")});
        fakes().messageBoxes->answers = {vbNo, vbNo};
        const PageAction next = press("cmdNext");
        walk({next, [](QDialog* d) { QCOMPARE(providers(d)->currentIndex(), -1); click(d, "cmdNext"); }, next});
        QCOMPARE(stored().providerIndex, 2);
        walk({next, choose(1), next});
        QCOMPARE(stored().providerIndex, 1);
    }

    // From the menu, Yes writes the page at once; without a settings row the
    // wizard says so and opens no page.
    void fromTheMenu()
    {
        frmMain& main = loadMainWindow(*db);
        installFakes();
        fakes().saveFile->answer = db->folder() + QStringLiteral("form.html");
        fakes().messageBoxes->answers = {vbYes};
        walkPages({press("cmdNext"), press("cmdNext"), choose(0), press("cmdNext")}, [&] { main.mnuWebConfig_Click(); });
        QFile page(fakes().saveFile->answer);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains(QByteArray("<FORM action=\"") + kDefaultFormService));
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QString::fromLatin1(kNoFormServiceMessage));

        objConn.execute(QStringLiteral("DELETE FROM settings"));
        fakes().messageBoxes->clear();
        main.mnuWebConfig_Click();
        QCOMPARE(fakes().messageBoxes->lastPrompt(), QString::fromLatin1(kNoWebSettingsMessage));
        QCOMPARE(fakes().messageBoxes->shown[0].style, int(vbCritical));
    }
};

TARLOMY_GUI_TEST_MAIN(TestWebBookingsWizard)
#include "tst_webbookingswizard.moc"
