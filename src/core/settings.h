#pragma once
// The per-user settings store: text values addressed by application name,
// section and key, each read with the default its reader passes.
#include "core/money.h"

#include <QSettings>
#include <QString>
#include <QTime>
#include <optional>
#include <utility>
#include <vector>

// Application names of the two stores.
extern const char* const kSettingsApp;      // "Kestrum 3.1", section "Config"
QString ProgramName();                       // the program's own name, section "Options"
// The form of the stores' files; whatever opens a store opens it in this form.
QSettings::Format SettingsStoreFormat();

// Reading and writing plain texts. Every save is checked: one that fails
// returns false and leaves the store as it was, on the disk and for the rest
// of this run; LastSettingsFailure() tells which file and why.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& deflt);
bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);

struct SettingsFailure {
    QString file;
    QString reason;   // the system's ("Permission denied", "No space left on device")
    int inARow = 0;   // saves failed since the last one that succeeded
};
const SettingsFailure& LastSettingsFailure();
// "Unable to save the settings.", the file and the reason, a line each.
QString SettingsFailureMessage();

// Section "Config" of "Kestrum 3.1", with the encodings its keys use.
QString ConfigText(const QString& key, const QString& deflt);
bool SaveConfigText(const QString& key, const QString& value);
// Several keys written together, on disk once (not at all when each already
// holds its value): all of them or, on failure, none.
bool SaveConfigTexts(const std::vector<std::pair<QString, QString>>& values);
// Flags: "True"/"False" in any case, or a number (0 is False). A text that is
// neither gives the default.
bool ConfigFlag(const QString& key, bool deflt);
bool SaveConfigFlag(const QString& key, bool value);
// Numbers and times are written in one form, whatever the locale: numbers
// as plain decimal text with "." ("17.5", "10"), money with two decimals at
// least ("95.50"), times of day as "9:00 AM". They are read in that form in
// every locale, and in the form earlier builds wrote in the user's locale as
// well ("17,5", "۱۷٫۵", "1’212.50", "15:30"). A text that holds no number
// (no time) gives none.
QString SettingNumberText(double v);
QString SettingMoneyText(Money m);
QString SettingTimeText(const QTime& t);
std::optional<double> ReadSettingNumber(const QString& text);
std::optional<Money> ReadSettingMoney(const QString& text);
QTime ReadSettingTime(const QString& text);

// Money as the settings keep it; text that is not money gives the default.
Money ConfigMoney(const QString& key, const QString& deflt);
// A number by its leading numeric text, "." as the point in every locale.
double ConfigLeadingNumber(const QString& key, const QString& deflt);
// A number as the settings keep it; text that is no number gives the default.
double ConfigDecimal(const QString& key, const QString& deflt);
// A 32-bit integer; text that is not a whole number gives the default.
qint32 ConfigInt(const QString& key, qint32 deflt);

// The default cost per night and the two sales tax percentages, as the
// configuration windows show them: the setting CostPerNight read as money
// (default "123"); the percentages the options dialog confirmed during this
// run, or else the settings SalesTaxPercentage and SalesTaxPercentage2
// (default "10" each). The options dialog keeps its percentages for the run
// without writing those settings, which the configuration wizard writes.
Money CostPerNight();
double SalesTaxPercentage();
double SalesTaxPercentage2();
void KeepSalesTaxPercentages(double first, double second);
// The percentages are read from the settings again (at start-up, and after
// the configuration wizard wrote them).
void ForgetSalesTaxPercentages();

// Section "Options" under the program's own name.
QString OptionsText(const QString& key, const QString& deflt);
bool SaveOptionsText(const QString& key, const QString& value);

// Reads a flag text as the settings store encodes flags; *ok false when the
// text is no flag.
bool ReadFlag(const QString& text, bool* ok);
inline QString FlagText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
