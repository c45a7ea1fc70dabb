#include "core/settingsfile.h"

#include <QFileDevice>
#include <QIODevice>
#include <QList>
#include <QMap>
#include <QPair>

#include <cerrno>
#include <cstring>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

QString g_writeFailure;

bool isPlainKeyChar(char16_t ch)
{
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') || ch == u'_'
           || ch == u'-' || ch == u'.';
}

int hexValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return -1;
}

// Keys and section names: letters, digits, "_-." as they are, "/" as "\",
// anything else as %XX or %UXXXX.
QByteArray escapedKey(const QString& key)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (QChar qc : key) {
        const char16_t ch = qc.unicode();
        if (ch == u'/') {
            out += '\\';
        } else if (isPlainKeyChar(ch)) {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += hex[ch >> 4];
            out += hex[ch & 15];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(ch >> shift) & 15];
        }
    }
    return out;
}

QString unescapedKey(const QString& key)
{
    QString out;
    for (int i = 0; i < key.size(); ++i) {
        const char16_t ch = key[i].unicode();
        if (ch == u'\\') {
            out += u'/';
            continue;
        }
        if (ch == u'%') {
            const bool wide = i + 1 < key.size() && key[i + 1] == u'U';
            const int digits = wide ? 4 : 2;
            const int first = i + (wide ? 2 : 1);
            int v = 0;
            bool ok = first + digits <= key.size();
            for (int j = first; ok && j < first + digits; ++j) {
                const int h = hexValue(key[j].unicode());
                ok = h >= 0;
                v = v * 16 + h;
            }
            if (ok) {
                out += QChar(char16_t(v));
                i = first + digits - 1;
                continue;
            }
        }
        out += QChar(ch);
    }
    return out;
}

// Values: UTF-8, control characters escaped, quoted when they hold ";,=" or
// begin or end with a blank.
QByteArray escapedValue(const QString& value)
{
    QByteArray out;
    bool quote = value.startsWith(u' ') || value.endsWith(u' ');
    bool escapeHexDigit = false;   // after \x41 a hex digit needs an escape of its own
    for (int i = 0; i < value.size(); ++i) {
        const char16_t ch = value[i].unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            quote = true;
        if (escapeHexDigit && hexValue(ch) >= 0) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeHexDigit = false;
        switch (ch) {
        case u'\0': out += "\\0"; escapeHexDigit = true; break;
        case u'\a': out += "\\a"; break;
        case u'\b': out += "\\b"; break;
        case u'\f': out += "\\f"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        case u'\v': out += "\\v"; break;
        case u'"':
        case u'\\':
            out += '\\';
            out += char(ch);
            break;
        default:
            if (ch <= 0x1F) {
                out += "\\x" + QByteArray::number(ch, 16);
                escapeHexDigit = true;
            } else if (QChar::isHighSurrogate(ch) && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
                out += value.mid(i, 2).toUtf8();
                ++i;
            } else {
                out += QString(QChar(ch)).toUtf8();
            }
        }
    }
    return quote ? '"' + out + '"' : out;
}

QString unescapedValue(const QString& raw)
{
    QString out;
    int kept = 0;   // blanks at the end that were neither quoted nor escaped go
    bool quoted = false;
    int i = 0;
    while (i < raw.size() && (raw[i] == u' ' || raw[i] == u'\t'))
        ++i;
    for (; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == u'"') {
            quoted = !quoted;
            kept = out.size();
            continue;
        }
        if (!quoted && c == u';')
            break;   // a comment
        if (c == u'\\' && i + 1 < raw.size()) {
            const char16_t e = raw[++i].unicode();
            switch (e) {
            case u'a': out += u'\a'; break;
            case u'b': out += u'\b'; break;
            case u'f': out += u'\f'; break;
            case u'n': out += u'\n'; break;
            case u'r': out += u'\r'; break;
            case u't': out += u'\t'; break;
            case u'v': out += u'\v'; break;
            case u'x': {
                int v = 0;
                while (i + 1 < raw.size() && hexValue(raw[i + 1].unicode()) >= 0)
                    v = (v * 16 + hexValue(raw[++i].unicode())) & 0xFFFF;
                out += QChar(char16_t(v));
                break;
            }
            default:
                if (e >= u'0' && e <= u'7') {
                    int v = e - u'0';
                    for (int n = 0; n < 2 && i + 1 < raw.size() && raw[i + 1] >= u'0' && raw[i + 1] <= u'7'; ++n)
                        v = v * 8 + (raw[++i].unicode() - u'0');
                    out += QChar(char16_t(v));
                } else {
                    out += QChar(e);
                }
            }
            kept = out.size();
            continue;
        }
        out += c;
        if (quoted || (c != u' ' && c != u'\t'))
            kept = out.size();
    }
    out.truncate(kept);
    if (out.startsWith(QLatin1String("@@")))
        return out.mid(1);
    return out;
}

}  // namespace

namespace SettingsFile {

QByteArray text(const QSettings::SettingsMap& map)
{
#ifdef Q_OS_WIN
    const QByteArray eol = "\r\n";
#else
    const QByteArray eol = "\n";
#endif
    // Keys without a section come first, under [General]; a section of that
    // name is written as [%General].
    QMap<QString, QList<QPair<QString, QVariant>>> sections;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const int slash = it.key().indexOf(u'/');
        sections[slash < 0 ? QString() : it.key().left(slash)].append(
            {slash < 0 ? it.key() : it.key().mid(slash + 1), it.value()});
    }
    QByteArray out;
    for (auto s = sections.constBegin(); s != sections.constEnd(); ++s) {
        if (!out.isEmpty())
            out += eol;
        const QByteArray name = s.key().isEmpty()                     ? QByteArray("General")
                                : s.key() == QLatin1String("General") ? QByteArray("%General")
                                                                      : escapedKey(s.key());
        out += '[' + name + ']' + eol;
        for (const auto& [key, value] : s.value()) {
            QString v = value.toString();
            if (v.startsWith(u'@'))
                v.prepend(u'@');
            out += escapedKey(key) + '=' + escapedValue(v) + eol;
        }
    }
    return out;
}

QSettings::SettingsMap parse(const QByteArray& text)
{
    QSettings::SettingsMap map;
    QString section;
    for (const QString& whole : QString::fromUtf8(text).split(u'\n')) {
        const QString line = whole.endsWith(u'\r') ? whole.chopped(1) : whole;
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
            continue;
        if (t.startsWith(u'[') && t.endsWith(u']')) {
            const QString name = t.mid(1, t.size() - 2).trimmed();
            if (name == QLatin1String("General"))
                section.clear();
            else
                section = (name == QLatin1String("%General") ? QStringLiteral("General") : unescapedKey(name)) + u'/';
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = unescapedKey(line.left(eq).trimmed());
        const QString raw = line.mid(eq + 1).trimmed();
        if (key.isEmpty() || raw == QLatin1String("@Invalid()"))
            continue;
        map.insert(section + key, unescapedValue(raw));
    }
    return map;
}

bool read(QIODevice& device, QSettings::SettingsMap& map)
{
    map = parse(device.readAll());
    return true;
}

bool write(QIODevice& device, const QSettings::SettingsMap& map)
{
    const QByteArray bytes = text(map);
    auto* file = qobject_cast<QFileDevice*>(&device);
    // A buffered write may fail only when it is flushed, and a file system
    // that allocates late only when the file is synced: both are asked for
    // here and checked, so that a failure stops the save before the old file
    // is replaced.
    if (device.write(bytes) != bytes.size() || (file && !file->flush())) {
        g_writeFailure = device.errorString();
        return false;
    }
#ifndef Q_OS_WIN
    if (file && file->handle() >= 0 && ::fsync(file->handle()) != 0 && errno != EINVAL && errno != EROFS) {
        g_writeFailure = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#endif
    return true;
}

QString lastWriteFailure()
{
    return g_writeFailure;
}

void clearLastWriteFailure()
{
    g_writeFailure.clear();
}

}  // namespace SettingsFile
