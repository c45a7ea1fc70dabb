// The settings store: where values live and how each kind is read back.
#include "core/settings.h"
#include "core/settingsfile.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRect>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void absentKeysGiveTheReadersDefault();
    void flagsReadInAnyCase();
    void leadingNumberIgnoresLocale();
    void moneyFollowsLocale();
    void storesAreSeparateAndPersist();
    void keepsUsersSettingsAlone();
    void codecReadsBackWhatItAndQtWrite_data();
    void codecReadsBackWhatItAndQtWrite();
};

void TestSettings::absentKeysGiveTheReadersDefault()
{
    QCOMPARE(ConfigText(QStringLiteral("CheckinTime"), QStringLiteral("9:00 AM")), QStringLiteral("9:00 AM"));
    QCOMPARE(ConfigFlag(QStringLiteral("FirstRun"), true), true);
    QCOMPARE(ConfigFlag(QStringLiteral("IncludeEndDate"), false), false);
    QCOMPARE(ConfigMoney(QStringLiteral("CostPerNight"), QStringLiteral("123")), Money::fromUnits(123));
    QCOMPARE(ConfigInt(QStringLiteral("gArrivalsColWidth0"), -1), -1);
    QCOMPARE(OptionsText(QStringLiteral("Show Tips at Startup"), QStringLiteral("1")), QStringLiteral("1"));
}

void TestSettings::flagsReadInAnyCase()
{
    const struct { const char* stored; bool expected; } cases[] = {
        {"True", true}, {"false", false}, {"TRUE", true}, {"0", false}, {"-1", true}, {"2", true}};
    for (const auto& c : cases) {
        SaveConfigText(QStringLiteral("EnableCommission"), QString::fromLatin1(c.stored));
        QCOMPARE(ConfigFlag(QStringLiteral("EnableCommission"), !c.expected), c.expected);
    }
    SaveConfigFlag(QStringLiteral("EnableCommission"), false);
    QCOMPARE(ConfigText(QStringLiteral("EnableCommission"), QString()), QStringLiteral("False"));
    // A word that is no flag gives the reader's default.
    SaveConfigText(QStringLiteral("EnableCommission"), QStringLiteral("maybe"));
    QCOMPARE(ConfigFlag(QStringLiteral("EnableCommission"), true), true);
}

void TestSettings::leadingNumberIgnoresLocale()
{
    SaveConfigText(QStringLiteral("SalesTaxPercentage"), QStringLiteral("17.5"));
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    QCOMPARE(ConfigLeadingNumber(QStringLiteral("SalesTaxPercentage"), QStringLiteral("10")), 17.5);
    SaveConfigText(QStringLiteral("SalesTaxPercentage"), QStringLiteral("17,5"));
    QCOMPARE(ConfigLeadingNumber(QStringLiteral("SalesTaxPercentage"), QStringLiteral("10")), 17.0);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(ConfigLeadingNumber(QStringLiteral("SalesTaxPercentage2"), QStringLiteral("10")), 10.0);
}

void TestSettings::moneyFollowsLocale()
{
    SaveConfigText(QStringLiteral("CostPerNight"), QStringLiteral("85.5"));
    QCOMPARE(ConfigMoney(QStringLiteral("CostPerNight"), QStringLiteral("123")), Money::fromRaw(855000));
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    SaveConfigText(QStringLiteral("CostPerNight"), QStringLiteral("85,5"));
    QCOMPARE(ConfigMoney(QStringLiteral("CostPerNight"), QStringLiteral("123")), Money::fromRaw(855000));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestSettings::storesAreSeparateAndPersist()
{
    SaveConfigText(QStringLiteral("Show Tips at Startup"), QStringLiteral("0"));
    QCOMPARE(OptionsText(QStringLiteral("Show Tips at Startup"), QStringLiteral("1")), QStringLiteral("1"));
    SaveOptionsText(QStringLiteral("Current Tip"), QStringLiteral("7"));
    QCOMPARE(GetSetting(ProgramName(), QStringLiteral("Options"), QStringLiteral("Current Tip"), QString()),
             QStringLiteral("7"));
    QCOMPARE(GetSetting(QString::fromLatin1(kSettingsApp), QStringLiteral("Options"), QStringLiteral("Current Tip"),
                        QStringLiteral("none")),
             QStringLiteral("none"));
}

void TestSettings::keepsUsersSettingsAlone()
{
    // The test run has a settings folder of its own.
    const QString folder = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    QVERIFY(!folder.isEmpty());
    QVERIFY(!folder.startsWith(QDir::homePath() + QStringLiteral("/.config")));
    SaveConfigText(QStringLiteral("PostCode"), QStringLiteral("Zip Code"));
    QVERIFY(QFile::exists(folder + QStringLiteral("/Kestrum 3.1.conf")));
}

void TestSettings::codecReadsBackWhatItAndQtWrite_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("readBack");
    // The line an earlier build of the program wrote for the value, where it
    // differs from what Qt writes.
    QTest::addColumn<QByteArray>("earlier");
    auto text = [](const QString& t) {
        // The row's name: the text, with what is not printable ASCII as \uXXXX.
        QString name;
        for (QChar c : t.left(24))
            name += c.unicode() >= 0x20 && c.unicode() < 0x7F ? QString(c) : QString::asprintf("\\u%04x", c.unicode());
        QTest::newRow(qPrintable(u'[' + name + u']')) << QVariant(t) << QVariant(t) << QByteArray();
    };
    text(QStringLiteral("Apartments"));
    text(QStringLiteral("\u00A0Suite\u00A0"));
    text(QStringLiteral("\u3000\u90E8\u5C4B\u3000"));
    text(QStringLiteral("\u0085Room\u0085"));
    text(QStringLiteral("  two blanks\t"));
    text(QStringLiteral("   "));
    text(QStringLiteral("Smith, John"));
    text(QStringLiteral("a;b=c"));
    text(QStringLiteral("; no comment [Config] #"));
    text(QStringLiteral("say \"hi\" C:\\temp\\"));
    text(QStringLiteral("\"half"));
    for (const char* at : {"@home", "@", "@@twice", "@Invalid()", "@String(x)", "@ByteArray(y)", "@Rect(1 2 3 4)"})
        text(QString::fromLatin1(at));
    text(QStringLiteral("one\ntwo\r\nthree\rfour\n"));
    text(QStringLiteral("\x01" "1f\x7f\x9f"));
    text(QStringLiteral("\U0001F3E8 Zo\u00EB"));
    text(QString());
    const QString nul = QStringLiteral("Pet") + QChar(0) + QStringLiteral("7b");
    QTest::newRow("NUL") << QVariant(nul) << QVariant(nul) << QByteArray("Pet\\0\\x37\\x62");
    QTest::newRow("NUL alone") << QVariant(QString(QChar(0))) << QVariant(QString(QChar(0))) << QByteArray("\\0");

    const QByteArray bytes("\0\x01\x80\xff,;=\" ab", 10);
    QTest::newRow("bytes") << QVariant(bytes) << QVariant(bytes) << QByteArray();
    QTest::newRow("rectangle") << QVariant(QRect(1, -2, 3, 4)) << QVariant(QRect(1, -2, 3, 4)) << QByteArray();
    QTest::newRow("size") << QVariant(QSize(5, 6)) << QVariant(QSize(5, 6)) << QByteArray();
    QTest::newRow("point") << QVariant(QPoint(-7, 8)) << QVariant(QPoint(-7, 8)) << QByteArray();
    QTest::newRow("invalid") << QVariant() << QVariant() << QByteArray();
    const QStringList list{QStringLiteral("a b"), QStringLiteral("c,d"), QStringLiteral("@e"), QString(),
                           QStringLiteral(" f ")};
    QTest::newRow("list") << QVariant(list) << QVariant(list) << QByteArray();
    QTest::newRow("empty list") << QVariant(QStringList()) << QVariant() << QByteArray();
    QTest::newRow("list of one") << QVariant(QStringList{QStringLiteral("one")}) << QVariant(QStringLiteral("one"))
                                 << QByteArray();
    const QVariantList mixed{QRect(1, 1, 1, 1), QStringLiteral("x")};
    QTest::newRow("mixed list") << QVariant(mixed) << QVariant(mixed) << QByteArray();
    const QDateTime when(QDate(2024, 1, 2), QTime(3, 4, 5));
    QTest::newRow("date and time") << QVariant(when) << QVariant(when) << QByteArray();
    QTest::newRow("number") << QVariant(17.5) << QVariant(QStringLiteral("17.5")) << QByteArray();
    QTest::newRow("flag") << QVariant(true) << QVariant(QStringLiteral("true")) << QByteArray();
}

// The program's settings file holds a value as Qt's INI files do, byte for
// byte; the program reads back what it and Qt write, and so does Qt.
void TestSettings::codecReadsBackWhatItAndQtWrite()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, readBack);
    QFETCH(QByteArray, earlier);
    auto same = [&](const QVariant& got, const char* reader) {
        QVERIFY2(got.metaType() == readBack.metaType() && got == readBack,
                 qPrintable(QStringLiteral("%1 read %2").arg(QLatin1String(reader), QDebug::toString(got))));
    };
    const QString key = QStringLiteral("Config/Key");
    const QByteArray ours = SettingsFile::text({{key, value}});
    QTemporaryDir dir;
    {
        QSettings qt(dir.filePath(QStringLiteral("qt.ini")), QSettings::IniFormat);
        qt.setValue(key, value);
    }
    const QByteArray qtWrote = readFile(dir.filePath(QStringLiteral("qt.ini")));
    QCOMPARE(ours, qtWrote);

    QVERIFY(SettingsFile::parse(ours).contains(key));
    same(SettingsFile::parse(ours).value(key), "the program");
    same(SettingsFile::parse(qtWrote).value(key), "the program, of Qt's file,");
    writeFile(dir.filePath(QStringLiteral("ours.ini")), ours);
    same(QSettings(dir.filePath(QStringLiteral("ours.ini")), QSettings::IniFormat).value(key), "Qt");
    if (!earlier.isEmpty())
        same(SettingsFile::parse("[Config]\r\nKey=" + earlier + "\r\n").value(key), "the program, of an earlier file,");
}

TARLOMY_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
