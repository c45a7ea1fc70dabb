#pragma once
// Every setting of the program, declared once: its store, key, encoding and
// the default its readers pass. Readers and writers name a setting by its
// declaration, never by its key.
//
//   Config::CheckinTime.read()                 the time kept, or 9:00 AM
//   Config::EnableCommission.save(true)        "True"
//   SaveConfigTexts({Config::Tip(text), ...})  several keys in one write
//
// A reader that the configuration windows give a default of their own (the
// configuration wizard's) passes it as a named default declared here too.
#include "core/money.h"
#include "core/settings.h"

#include <QString>
#include <QTime>
#include <optional>
#include <utility>

namespace SettingDecl {

// Section "Config" of "Kestrum 3.1".
struct Base {
    const char* key;
    QString name() const { return QString::fromLatin1(key); }
};

// Text, used as it stands.
struct Text : Base {
    const char* deflt;
    QString read() const { return ConfigText(name(), QString::fromUtf8(deflt)); }
    QString read(const QString& readersDefault) const { return ConfigText(name(), readersDefault); }
    bool save(const QString& value) const { return SaveConfigText(name(), value); }
    std::pair<QString, QString> operator()(const QString& value) const { return {name(), value}; }
};

// A flag: "True" or "False".
struct Flag : Base {
    bool deflt;
    bool read() const { return ConfigFlag(name(), deflt); }
    bool save(bool value) const { return SaveConfigFlag(name(), value); }
    std::pair<QString, QString> operator()(bool value) const { return {name(), FlagText(value)}; }
};

// Money, kept as SettingMoneyText writes it ("95.50") and read by
// ReadSettingMoney. stored() is the value the key holds, none when it is
// absent or holds no amount; text() is the key's text as it stands (the
// default's when it is absent), for a window to show a text that is no amount
// as it is rather than as the default.
struct Currency : Base {
    const char* deflt;
    std::optional<Money> stored() const { return ReadSettingMoney(ConfigText(name(), QString())); }
    Money read() const { return stored().value_or(ReadSettingMoney(QString::fromLatin1(deflt)).value_or(Money())); }
    QString text() const { return ConfigText(name(), QString::fromLatin1(deflt)); }
    std::pair<QString, QString> operator()(Money value) const { return {name(), SettingMoneyText(value)}; }
};

// A number, kept as SettingNumberText writes it ("17.5") and read by
// ReadSettingNumber; stored() and text() as for money.
struct Decimal : Base {
    const char* deflt;
    std::optional<double> stored() const { return ReadSettingNumber(ConfigText(name(), QString())); }
    double read() const { return stored().value_or(ReadSettingNumber(QString::fromLatin1(deflt)).value_or(0)); }
    QString text() const { return ConfigText(name(), QString::fromLatin1(deflt)); }
    std::pair<QString, QString> operator()(double value) const { return {name(), SettingNumberText(value)}; }
};

// A time of day, kept as SettingTimeText writes it ("9:00 AM") and read by
// ReadSettingTime; a text that holds no time gives the default.
struct Time : Base {
    const char* deflt;
    QTime read() const
    {
        const QTime t = ReadSettingTime(ConfigText(name(), QString::fromLatin1(deflt)));
        return t.isValid() ? t : ReadSettingTime(QString::fromLatin1(deflt));
    }
    std::pair<QString, QString> operator()(const QTime& value) const { return {name(), SettingTimeText(value)}; }
};

// A grid's column width in twips; -1 when none was kept.
struct GridWidth {
    QString key;
    qint32 read() const { return ConfigInt(key, -1); }
    std::pair<QString, QString> operator()(qint32 twips) const { return {key, QString::number(twips)}; }
};

// Section "Options" under the program's own name: texts holding numbers.
struct Option : Base {
    const char* deflt;
    QString read() const { return OptionsText(name(), QString::fromLatin1(deflt)); }
    bool save(const QString& value) const { return SaveOptionsText(name(), value); }
};

}  // namespace SettingDecl

namespace Config {

// The database's folder; its default, the program's folder, is given by its reader.
inline const SettingDecl::Text DBPath{{"DBPath"}, ""};
inline const SettingDecl::Flag FirstRun{{"FirstRun"}, true};
inline const SettingDecl::Flag IncludeEndDate{{"IncludeEndDate"}, false};
inline const SettingDecl::Flag EnableCommission{{"EnableCommission"}, false};
inline const SettingDecl::Currency CostPerNight{{"CostPerNight"}, "123"};
inline const SettingDecl::Decimal SalesTaxPercentage{{"SalesTaxPercentage"}, "10"};
inline const SettingDecl::Decimal SalesTaxPercentage2{{"SalesTaxPercentage2"}, "10"};
inline const SettingDecl::Text SalesTaxName{{"SalesTaxName"}, "Sales Tax"};
inline const SettingDecl::Text SalesTaxName2{{"SalesTaxName2"}, "Sales Tax2"};
inline const SettingDecl::Text PostCode{{"PostCode"}, "Post Code"};
inline const SettingDecl::Flag EnabledSalesTax2{{"EnabledSalesTax2"}, false};
inline const SettingDecl::Text CommoditySingular{{"CommoditySingular"}, "Room"};
inline const SettingDecl::Text CommodityPlural{{"CommodityPlural"}, "Rooms"};
inline const SettingDecl::Time CheckinTime{{"CheckinTime"}, "9:00 AM"};
inline const SettingDecl::Time CheckoutTime{{"CheckoutTime"}, "2:00 PM"};
inline const SettingDecl::Flag CreditCardValidation{{"CreditCardValidation"}, false};
inline const SettingDecl::Flag AutoSelectFirstUnit{{"AutoSelectFirstUnit"}, true};
inline const SettingDecl::Flag EnableCustomField{{"EnableCustomField"}, false};
inline const SettingDecl::Text CustomFieldTitle{{"CustomFieldTitle"}, "Custom Field"};
// Kept by the configuration windows for their own use.
inline const SettingDecl::Text ChargePer{{"ChargePer"}, "Night"};
inline const SettingDecl::Decimal Tip{{"Tip"}, "5"};
inline const SettingDecl::Flag AdvancedPricing{{"AdvancedPricing"}, false};

// The settings that enter what a customer owes: a write that changes one
// tells the balances' listeners (core/balancenotice.h).
inline const SettingDecl::Base* const kBalanceSettings[] = {&EnabledSalesTax2};

// The defaults the configuration wizard passes where they differ: the name
// of the second tax its pages show when the tax's row was removed, and the
// post-code word it applies.
inline const QString kWizardSalesTaxName2 = QStringLiteral("2nd Sales Tax");
inline const QString kWizardPostCode = QStringLiteral("Zip Code");

// A grid's column widths: the key is the grid's name, "ColWidth" and the
// column's index from 0, unpadded (gcustColWidth0).
inline SettingDecl::GridWidth GridColumnWidth(const QString& grid, int column)
{
    return {grid + QStringLiteral("ColWidth") + QString::number(column)};
}

}  // namespace Config

namespace Options {

inline const SettingDecl::Option ShowTipsAtStartup{{"Show Tips at Startup"}, "1"};
inline const SettingDecl::Option CurrentTip{{"Current Tip"}, "1"};
// The booking left in progress and its step (0 for none).
inline const SettingDecl::Option BookingInProgress{{"BookingInProgress"}, "0"};
inline const SettingDecl::Option BookingInProgressStep{{"BookingInProgressStep"}, "0"};

}  // namespace Options
