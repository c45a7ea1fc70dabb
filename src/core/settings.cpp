#include "core/settings.h"

#include "core/balancenotice.h"
#include "core/filewriter.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/settingkeys.h"
#include "core/settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <algorithm>
#include <optional>
#include <utility>

const char* const kSettingsApp = "Kestrum 3.1";

QString ProgramName()
{
    return QStringLiteral("tarlomy");
}

namespace {

// One store per application name; each is opened for one access and closed,
// so every write is on disk at once (the program may end without unwinding).
QString keyPath(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

}  // namespace

QSettings::Format SettingsStoreFormat()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return QSettings::NativeFormat;
#else
    // The desktop's own form of the file, written with every write checked.
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), SettingsFile::read, SettingsFile::write);
    return format;
#endif
}

namespace {

SettingsFailure g_failure;

// Whether a value written (its full key path) enters what customers owe.
bool MovesBalances(const QString& app, const QString& path)
{
    if (app != QLatin1String(kSettingsApp))
        return false;
    for (const SettingDecl::Base* s : Config::kBalanceSettings)
        if (path == keyPath(QStringLiteral("Config"), s->name()))
            return true;
    return false;
}

// Saves values (full key paths) in one write of the store of app; keys that
// already hold their value are not written again. On failure the store, on
// the disk and as this run reads it, keeps what it held.
bool Save(const QString& app, const std::vector<std::pair<QString, QString>>& values)
{
    QSettings store(SettingsStoreFormat(), QSettings::UserScope, app);
    std::vector<std::pair<QString, QVariant>> before;
    for (const auto& [path, value] : values) {
        const QVariant stored = store.value(path);
        if (stored.isValid() && stored.toString() == value)
            continue;
        before.emplace_back(path, stored);
        store.setValue(path, value);
    }
    if (before.empty())
        return true;
    SettingsFile::clearLastWriteFailure();
    store.sync();
    // The new file replaced the old one by a rename; only its folder's sync
    // keeps that after a power cut.
    QString folderFailure;
    if (store.status() == QSettings::NoError
        && SyncFolder(QFileInfo(store.fileName()).absolutePath(), &folderFailure)) {
        g_failure.inARow = 0;
        if (std::any_of(before.begin(), before.end(), [&app](const auto& b) { return MovesBalances(app, b.first); }))
            BalanceNotice::moved();
        return true;
    }
    ++g_failure.inARow;

    g_failure.file = store.fileName();
    g_failure.reason = folderFailure.isEmpty() ? SettingsFile::lastWriteFailure() : folderFailure;
    if (g_failure.reason.isEmpty()) {
        // Refused before the file was written (no lock could be taken, no
        // new file made in the folder): the system's reason is what the same
        // text meets there, written and dropped.
        QSettings::SettingsMap all;
        for (const QString& key : store.allKeys())
            all.insert(key, store.value(key));
        FileWriter probe(store.fileName());
        if (probe.open() && probe.write(SettingsFile::text(all)))
            g_failure.reason = QStringLiteral("The file could not be written.");
        else
            g_failure.reason = probe.error();
    }
    for (auto it = before.rbegin(); it != before.rend(); ++it) {
        if (it->second.isValid())
            store.setValue(it->first, it->second);
        else
            store.remove(it->first);
    }
    return false;
}

}  // namespace

const SettingsFailure& LastSettingsFailure()
{
    return g_failure;
}

QString SettingsFailureMessage()
{
    return WriteFailureMessage(QStringLiteral("Unable to save the settings."), g_failure.file, g_failure.reason);
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& deflt)
{
    QSettings store(SettingsStoreFormat(), QSettings::UserScope, app);
    const QVariant v = store.value(keyPath(section, key));
    return v.isValid() ? v.toString() : deflt;
}

bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    return Save(app, {{keyPath(section, key), value}});
}

QString ConfigText(const QString& key, const QString& deflt)
{
    return GetSetting(QString::fromLatin1(kSettingsApp), QStringLiteral("Config"), key, deflt);
}

bool SaveConfigText(const QString& key, const QString& value)
{
    return SaveSetting(QString::fromLatin1(kSettingsApp), QStringLiteral("Config"), key, value);
}

bool SaveConfigTexts(const std::vector<std::pair<QString, QString>>& values)
{
    std::vector<std::pair<QString, QString>> paths;
    for (const auto& [key, value] : values)
        paths.emplace_back(keyPath(QStringLiteral("Config"), key), value);
    return Save(QString::fromLatin1(kSettingsApp), paths);
}

bool ReadFlag(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    *ok = true;
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    double n = 0;
    if (Fmt::parseNumber(t, &n))
        return n != 0;
    *ok = false;
    return false;
}

bool ConfigFlag(const QString& key, bool deflt)
{
    bool ok = false;
    const bool b = ReadFlag(ConfigText(key, FlagText(deflt)), &ok);
    return ok ? b : deflt;
}

bool SaveConfigFlag(const QString& key, bool value)
{
    return SaveConfigText(key, FlagText(value));
}

namespace {

// A number as an earlier build may have written it in whatever locale it ran:
// digits of any script, a point or comma as the decimal sign (the Arabic one
// too), groups by apostrophes, blanks, the Arabic separator, or the other of
// point and comma; a currency sign around it. Plain decimal text with ".",
// or empty when the text is no number of that kind.
QString EarlierNumberText(const QString& text)
{
    QString s;
    bool negative = false;
    for (const QChar c : text) {
        if (c.isDigit())
            s += QChar(u'0' + c.digitValue());
        else if (c == u'.' || c == u',')
            s += c;
        else if (c == u'\u066B')
            s += u'.';
        else if ((c == u'-' || c == u'\u2212') && s.isEmpty() && !negative)
            negative = true;
        else if (c == u'\'' || c == u'\u2019' || c == u'\u066C' || c.isSpace()
                 || c.category() == QChar::Other_Format || c.category() == QChar::Symbol_Currency)
            continue;
        else
            return QString();
    }
    if (s.isEmpty() || !s.front().isDigit())
        return QString();
    const int points = int(s.count(u'.')), commas = int(s.count(u','));
    QChar decimal;
    if (points > 0 && commas > 0)
        decimal = s.lastIndexOf(u'.') > s.lastIndexOf(u',') ? u'.' : u',';
    else if (points == 1)
        decimal = u'.';
    else if (commas == 1)
        decimal = u',';   // the program wrote its numbers without groups
    QString plain;
    for (const QChar c : s) {
        if (c.isDigit())
            plain += c;
        else if (c == decimal)
            plain += u'.';
    }
    if (int(plain.count(u'.')) > 1)
        return QString();
    return negative ? u'-' + plain : plain;
}

}  // namespace

QString SettingNumberText(double v)
{
    return QString::number(v, 'g', 15);
}

QString SettingMoneyText(Money m)
{
    QString text = m.toDecimalText();
    const int point = int(text.indexOf(u'.'));
    if (point < 0)
        return text + QStringLiteral(".00");
    if (text.size() - point - 1 < 2)
        text += u'0';
    return text;
}

QString SettingTimeText(const QTime& t)
{
    return QLocale::c().toString(t, QStringLiteral("h:mm AP"));
}

std::optional<double> ReadSettingNumber(const QString& text)
{
    const QString t = text.trimmed();
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double v = c.toDouble(t, &ok);
    if ((ok && qIsFinite(v)) || Fmt::parseNumber(t, &v))
        return v;
    const QString plain = EarlierNumberText(t);
    if (!plain.isEmpty()) {
        v = plain.toDouble(&ok);
        if (ok)
            return v;
    }
    return std::nullopt;
}

std::optional<Money> ReadSettingMoney(const QString& text)
{
    const QString t = text.trimmed();
    Money m;
    if ((Money::fromDecimalText(t, &m) && m.inRange()) || Fmt::parseCurrency(t, &m))
        return m;
    const QString plain = EarlierNumberText(t);
    if (!plain.isEmpty() && Money::fromDecimalText(plain, &m) && m.inRange())
        return m;
    return std::nullopt;
}

QTime ReadSettingTime(const QString& text)
{
    const QString t = text.trimmed();
    const QTime written = QLocale::c().toTime(t, QStringLiteral("h:mm AP"));
    return written.isValid() ? written : Fmt::parseTime(t);
}

Money ConfigMoney(const QString& key, const QString& deflt)
{
    if (const std::optional<Money> m = ReadSettingMoney(ConfigText(key, deflt)))
        return *m;
    return ReadSettingMoney(deflt).value_or(Money());
}

double ConfigLeadingNumber(const QString& key, const QString& deflt)
{
    return Val(ConfigText(key, deflt));
}

double ConfigDecimal(const QString& key, const QString& deflt)
{
    if (const std::optional<double> v = ReadSettingNumber(ConfigText(key, deflt)))
        return *v;
    return ReadSettingNumber(deflt).value_or(0);
}

qint32 ConfigInt(const QString& key, qint32 deflt)
{
    bool ok = false;
    const qint32 v = ConfigText(key, QString::number(deflt)).trimmed().toInt(&ok);
    return ok ? v : deflt;
}

namespace {
// The percentages the options dialog confirmed this run, when it did.
std::optional<std::pair<double, double>> g_keptTaxes;
}  // namespace

Money CostPerNight()
{
    return Config::CostPerNight.read();
}

double SalesTaxPercentage()
{
    return g_keptTaxes ? g_keptTaxes->first : Config::SalesTaxPercentage.read();
}

double SalesTaxPercentage2()
{
    return g_keptTaxes ? g_keptTaxes->second
                       : Config::SalesTaxPercentage2.read();
}

void KeepSalesTaxPercentages(double first, double second)
{
    g_keptTaxes = std::make_pair(first, second);
}

void ForgetSalesTaxPercentages()
{
    g_keptTaxes.reset();
}

QString OptionsText(const QString& key, const QString& deflt)
{
    return GetSetting(ProgramName(), QStringLiteral("Options"), key, deflt);
}

bool SaveOptionsText(const QString& key, const QString& value)
{
    return SaveSetting(ProgramName(), QStringLiteral("Options"), key, value);
}
