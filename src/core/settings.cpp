#include "core/settings.h"

#include "core/format.h"
#include "core/modmain.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>

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

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& deflt)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, app);
    const QVariant v = store.value(keyPath(section, key));
    return v.isValid() ? v.toString() : deflt;
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, app);
    store.setValue(keyPath(section, key), value);
    store.sync();
}

QString ConfigText(const QString& key, const QString& deflt)
{
    return GetSetting(QString::fromLatin1(kSettingsApp), QStringLiteral("Config"), key, deflt);
}

void SaveConfigText(const QString& key, const QString& value)
{
    SaveSetting(QString::fromLatin1(kSettingsApp), QStringLiteral("Config"), key, value);
}

void SaveConfigTexts(const std::vector<std::pair<QString, QString>>& values)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(kSettingsApp));
    bool changed = false;
    for (const auto& [key, value] : values) {
        const QString path = keyPath(QStringLiteral("Config"), key);
        const QVariant stored = store.value(path);
        if (stored.isValid() && stored.toString() == value)
            continue;
        store.setValue(path, value);
        changed = true;
    }
    if (changed)
        store.sync();
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

void SaveConfigFlag(const QString& key, bool value)
{
    SaveConfigText(key, FlagText(value));
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

QString OptionsText(const QString& key, const QString& deflt)
{
    return GetSetting(ProgramName(), QStringLiteral("Options"), key, deflt);
}

void SaveOptionsText(const QString& key, const QString& value)
{
    SaveSetting(ProgramName(), QStringLiteral("Options"), key, value);
}
