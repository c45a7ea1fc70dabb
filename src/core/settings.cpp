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

Money ConfigMoney(const QString& key, const QString& deflt)
{
    Money m;
    const QString text = ConfigText(key, deflt);
    if (Fmt::parseCurrency(text, &m))
        return m;
    return Fmt::parseCurrency(deflt, &m) ? m : Money();
}

double ConfigLeadingNumber(const QString& key, const QString& deflt)
{
    return Val(ConfigText(key, deflt));
}

double ConfigDecimal(const QString& key, const QString& deflt)
{
    const QString text = ConfigText(key, deflt).trimmed();
    QLocale strict;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = strict.toDouble(text, &ok);
    return ok ? v : Val(text);
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
