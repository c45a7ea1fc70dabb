#pragma once
// The per-user settings store: text values addressed by application name,
// section and key, each read with the default its reader passes.
#include "core/money.h"

#include <QString>
#include <utility>
#include <vector>

// Application names of the two stores.
extern const char* const kSettingsApp;      // "Kestrum 3.1", section "Config"
QString ProgramName();                       // the program's own name, section "Options"

// Reading and writing plain texts.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& deflt);
void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);

// Section "Config" of "Kestrum 3.1", with the encodings its keys use.
QString ConfigText(const QString& key, const QString& deflt);
void SaveConfigText(const QString& key, const QString& value);
// Several keys written together, on disk once (not at all when each already
// holds its value).
void SaveConfigTexts(const std::vector<std::pair<QString, QString>>& values);
// Flags: "True"/"False" in any case, or a number (0 is False). A text that is
// neither gives the default.
bool ConfigFlag(const QString& key, bool deflt);
void SaveConfigFlag(const QString& key, bool value);
// Money: the locale's decimal text; text that is not money gives the default.
Money ConfigMoney(const QString& key, const QString& deflt);
// A number by its leading numeric text, "." as the point in every locale.
double ConfigLeadingNumber(const QString& key, const QString& deflt);
// A number as the program writes one: the locale's decimal text without
// grouping ("17,5" in a comma locale). A text without the locale's decimal
// sign, such as an older "17.5", reads by its leading number.
double ConfigDecimal(const QString& key, const QString& deflt);
// A 32-bit integer; text that is not a whole number gives the default.
qint32 ConfigInt(const QString& key, qint32 deflt);

// Section "Options" under the program's own name.
QString OptionsText(const QString& key, const QString& deflt);
void SaveOptionsText(const QString& key, const QString& value);

// Reads a flag text as the settings store encodes flags; *ok false when the
// text is no flag.
bool ReadFlag(const QString& text, bool* ok);
inline QString FlagText(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
