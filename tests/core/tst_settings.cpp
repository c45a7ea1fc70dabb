// The settings store: where values live and how each kind is read back.
#include "core/settings.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>

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

TARLOMY_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
