// The tip of the day and the about box.
#include "support/testsupport.h"

#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmtip.h"
#include "core/settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kCurrentTip = QStringLiteral("Current Tip");
const QString kShowTips = QStringLiteral("Show Tips at Startup");
const QString kAbsent = QStringLiteral("<absent>");

void writeTips(const TestDb& db, const QByteArray& content)
{
    writeFile(db.folder() + QStringLiteral("TipOfTheDay.txt"), content);
}

// The dialogs' controls, found by their names.
template <class T>
T* control(const QWidget& dialog, const char* name)
{
    T* c = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

QString tipShown(const frmTip& tip)
{
    return control<QLabel>(tip, "lblTipText")->text();
}

}  // namespace

class TestTipAndAbout : public QObject {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void cleanup() { resetProgramState(); }

    void missingTipsFileShowsHowToMakeOne();
    void emptyTipsFileStartsAtOne();
    void nextTipGoesOnAndWraps();
    void storedTipNumberOutOfRange_data();
    void storedTipNumberOutOfRange();
    void startupSwitchIsShownAndStoredByTheUser();
    void helpMenuOpensTheTipWindow();

    void aboutBoxSaysWhenSystemInformationIsMissing();
    void aboutBoxStartsTheToolAndOpensTheMakersSite();
};

void TestTipAndAbout::missingTipsFileShowsHowToMakeOne()
{
    TestDb db;
    SaveOptionsText(kCurrentTip, QStringLiteral("3"));
    frmTip tip;
    QCOMPARE(tipShown(tip), QStringLiteral("That the TipOfTheDay.txt file was not found? \r\n\r\n"
                                           "Create a text file named TipOfTheDay.txt using NotePad with 1 tip per line. "
                                           "Then place it in the same directory as the application. "));
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("3"));
    QTest::mouseClick(control<QPushButton>(tip, "cmdNextTip"), Qt::LeftButton);
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("1"));
    QVERIFY(tipShown(tip).startsWith(QStringLiteral("That the ")));
}

void TestTipAndAbout::emptyTipsFileStartsAtOne()
{
    TestDb db;
    writeTips(db, QByteArray());
    SaveOptionsText(kCurrentTip, QStringLiteral("4"));
    frmTip tip;
    QCOMPARE(tipShown(tip), QString());
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("1"));
}

void TestTipAndAbout::nextTipGoesOnAndWraps()
{
    TestDb db;
    // Every line is a tip, the empty one too; the last line break ends the last tip.
    writeTips(db, "First tip\r\n\nThird tip, caf\xc3\xa9\n");

    frmTip first;   // nothing stored: the tip after the first
    QCOMPARE(first.Tips.size(), 3);
    QCOMPARE(tipShown(first), QString());
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("2"));
    QTest::mouseClick(control<QPushButton>(first, "cmdNextTip"), Qt::LeftButton);
    QCOMPARE(tipShown(first), QStringLiteral("Third tip, café"));
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("3"));
    QTest::mouseClick(control<QPushButton>(first, "cmdNextTip"), Qt::LeftButton);
    QCOMPARE(tipShown(first), QStringLiteral("First tip"));
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("1"));

    // The next opening goes on after the tip shown last.
    frmTip again;
    QCOMPARE(tipShown(again), QString());
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("2"));
}

void TestTipAndAbout::storedTipNumberOutOfRange_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("last tip") << QStringLiteral("5");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("past the end") << QStringLiteral("9");
    QTest::newRow("negative") << QStringLiteral("-4");
    QTest::newRow("largest integer") << QStringLiteral("2147483647");
    QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999");
    QTest::newRow("not a number") << QStringLiteral("abc");
}

void TestTipAndAbout::storedTipNumberOutOfRange()
{
    QFETCH(QString, stored);
    TestDb db;
    writeTips(db, "one\ntwo\nthree\nfour\nfive\n");
    SaveOptionsText(kCurrentTip, stored);
    frmTip tip;
    QCOMPARE(tipShown(tip), QStringLiteral("one"));
    QCOMPARE(OptionsText(kCurrentTip, kAbsent), QStringLiteral("1"));
}

void TestTipAndAbout::startupSwitchIsShownAndStoredByTheUser()
{
    TestDb db;
    writeTips(db, "one\n");
    {
        frmTip tip;   // nothing stored: tips are on, and opening stores nothing
        QVERIFY(control<QCheckBox>(tip, "chkLoadTipsAtStartup")->isChecked());
        QCOMPARE(OptionsText(kShowTips, kAbsent), kAbsent);
        QTest::mouseClick(control<QCheckBox>(tip, "chkLoadTipsAtStartup"), Qt::LeftButton);
        QCOMPARE(OptionsText(kShowTips, kAbsent), QStringLiteral("0"));
    }
    {
        frmTip tip;   // turned off stays off when the window is opened again
        QVERIFY(!control<QCheckBox>(tip, "chkLoadTipsAtStartup")->isChecked());
        QCOMPARE(OptionsText(kShowTips, kAbsent), QStringLiteral("0"));
        QTest::mouseClick(control<QCheckBox>(tip, "chkLoadTipsAtStartup"), Qt::LeftButton);
        QCOMPARE(OptionsText(kShowTips, kAbsent), QStringLiteral("1"));
    }
}

void TestTipAndAbout::helpMenuOpensTheTipWindow()
{
    TestDb db;
    writeTips(db, "one\ntwo\n");
    frmMain& main = loadMainWindow(db);
    QString title;
    QString shown;
    onNextDialog([&](QWidget* dlg) {
        auto* tip = qobject_cast<frmTip*>(dlg);
        QVERIFY(tip);
        title = tip->windowTitle();
        shown = tipShown(*tip);
        QTest::mouseClick(control<QPushButton>(*tip, "cmdOK"), Qt::LeftButton);
    });
    main.mnuHelpTipOfTheDay_Click();
    QCOMPARE(title, QStringLiteral("Tip of the Day"));
    QCOMPARE(shown, QStringLiteral("two"));
}

void TestTipAndAbout::aboutBoxSaysWhenSystemInformationIsMissing()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    fakes().systemInfo->available = false;
    QTest::mouseClick(control<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(fakes().systemInfo->launches, 1);
    QCOMPARE(fakes().messageBoxes->shown.size(), 1);
    const ShownMessage m = fakes().messageBoxes->shown.first();
    QCOMPARE(m.prompt, QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(m.style, int(vbOKOnly));
    QCOMPARE(m.title, QStringLiteral("Tarlomy"));
}

void TestTipAndAbout::aboutBoxStartsTheToolAndOpensTheMakersSite()
{
    frmAbout about;
    QVERIFY(!control<QLabel>(about, "Picture2")->isHidden());
    QVERIFY(control<QLabel>(about, "Picture5")->isHidden());
    fakes().systemInfo->available = true;
    about.StartSysInfo();
    QCOMPARE(fakes().systemInfo->launches, 1);
    QVERIFY(fakes().messageBoxes->shown.isEmpty());

    fakes().shell->result = SE_ERR_NOASSOC;   // ignored
    QTest::mouseClick(control<QLabel>(about, "Label2"), Qt::LeftButton);
    QTest::mouseClick(control<QLabel>(about, "Picture4"), Qt::LeftButton);
    QCOMPARE(fakes().shell->opened.size(), 2);
    QCOMPARE(fakes().shell->opened[0], fakes().shell->opened[1]);
    QVERIFY(fakes().shell->opened[0].contains(control<QLabel>(about, "Label2")->text()));
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

TARLOMY_GUI_TEST_MAIN(TestTipAndAbout)
#include "tst_tipandabout.moc"
