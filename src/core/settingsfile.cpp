#include "core/settingsfile.h"

#include <QDataStream>
#include <QFileDevice>
#include <QIODevice>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

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
            // Read as Qt reads it (blanks around the digits allowed).
            bool ok = first + digits <= key.size();
            const ushort v = ok ? QStringView(key).sliced(first, digits).toUShort(&ok, 16) : 0;
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

// A value's text as QSettings's INI files hold it (QSettings writes and reads
// these forms itself, so files of both kinds read alike): texts as they are,
// with a leading "@" doubled and a text holding NUL as @String(...); byte
// arrays, rectangles, sizes and points in their @-forms; other types as the
// bytes of a data stream, @Variant(...) or @DateTime(...); an invalid value
// as @Invalid().
QString variantText(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(v.toByteArray()) + u')';
    case QMetaType::QString:
    case QMetaType::QKeySequence:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        const QString text = v.toString();
        if (text.contains(QChar(0)))
            return QStringLiteral("@String(") + text + u')';
        return text.startsWith(u'@') ? u'@' + text : text;
    }
    case QMetaType::QRect: {
        const QRect r = v.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = v.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = v.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default: {
        const bool dateTime = v.metaType().id() == QMetaType::QDateTime;
        QByteArray bytes;
        {
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            stream << v;
        }
        return (dateTime ? QStringLiteral("@DateTime(") : QStringLiteral("@Variant(")) + QString::fromLatin1(bytes)
               + u')';
    }
    }
}

// The numbers of an @-form, "@Rect(1 2 3 4)" giving {1, 2, 3, 4}: the
// parts between the "(" at open and the end, each blank and each ")" ending
// one, as Qt reads them (so that a form with other than one blank between
// numbers, or a ")" within, has a count of its own and reads as text).
QList<int> formNumbers(const QString& text, qsizetype open)
{
    QList<int> out;
    QString part;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u')') {
            out << part.toInt();
        } else if (c == u' ') {
            out << part.toInt();
            part.clear();
        } else {
            part += c;
        }
    }
    return out;
}

// The value a text of the file stands for (the reverse of variantText).
// A text in no known form is a text.
QVariant textVariant(const QString& text)
{
    if (!text.startsWith(u'@'))
        return text;
    if (text.endsWith(u')')) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return QStringView(text).sliced(11).chopped(1).toLatin1();
        if (text.startsWith(QLatin1String("@String(")))
            return QStringView(text).sliced(8).chopped(1).toString();
        if (text.startsWith(QLatin1String("@Variant(")) || text.startsWith(QLatin1String("@DateTime("))) {
            const bool dateTime = text.at(1) == u'D';
            QByteArray bytes = QStringView(text).sliced(dateTime ? 10 : 9).toLatin1();
            QDataStream stream(&bytes, QIODevice::ReadOnly);
            stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            QVariant v;
            stream >> v;
            return v;
        }
        if (text.startsWith(QLatin1String("@Rect("))) {
            const QList<int> n = formNumbers(text, 6);
            if (n.size() == 4)
                return QRect(n[0], n[1], n[2], n[3]);
        } else if (text.startsWith(QLatin1String("@Size("))) {
            const QList<int> n = formNumbers(text, 6);
            if (n.size() == 2)
                return QSize(n[0], n[1]);
        } else if (text.startsWith(QLatin1String("@Point("))) {
            const QList<int> n = formNumbers(text, 7);
            if (n.size() == 2)
                return QPoint(n[0], n[1]);
        } else if (text == QLatin1String("@Invalid()")) {
            return QVariant();
        }
    }
    return text.startsWith(QLatin1String("@@")) ? text.mid(1) : text;
}

// A list read from the file: a string list when each item is a text, else a
// list of values.
QVariant listVariant(QStringList items)
{
    for (const QString& item : items) {
        if (item.startsWith(u'@') && !item.startsWith(QLatin1String("@@"))) {
            QVariantList values;
            for (const QString& each : std::as_const(items))
                values << textVariant(each);
            return values;
        }
    }
    for (QString& item : items)
        if (item.startsWith(u'@'))
            item.remove(0, 1);
    return items;
}

// A text in the file's escaped form: UTF-8 (the data-stream forms, which are
// bytes, escape everything outside printable ASCII instead), control
// characters escaped, and quoted when it holds ";,=" or begins or ends with a
// blank, which the reader would otherwise take for a comment, a list, a key
// or padding.
void appendEscapedText(const QString& text, QByteArray& out)
{
    const bool bytes = text.startsWith(QLatin1String("@ByteArray(")) || text.startsWith(QLatin1String("@Variant("))
                       || text.startsWith(QLatin1String("@DateTime("));
    const qsizetype start = out.size();
    bool quote = false;
    bool escapeHexDigit = false;   // after \x41 a hex digit needs an escape of its own
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
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
            if (ch <= 0x1F || (bytes && ch >= 0x7F)) {
                out += "\\x" + QByteArray::number(ch, 16);
                escapeHexDigit = true;
            } else if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                out += QStringView(text).sliced(i, 2).toUtf8();
                ++i;
            } else {
                out += QStringView(text).sliced(i, 1).toUtf8();
            }
        }
    }
    if (quote || (out.size() > start && (out.at(start) == ' ' || out.endsWith(' ')))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A value as the right-hand side of a line: a list (of other than one item)
// as its items joined by ", ", an empty list as @Invalid().
QByteArray escapedValue(const QVariant& value)
{
    QByteArray out;
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList || (type == QMetaType::QVariantList && value.toList().size() != 1)) {
        const QVariantList items = value.toList();
        if (items.isEmpty())
            out += "@Invalid()";
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                out += ", ";
            appendEscapedText(variantText(items[i]), out);
        }
    } else {
        appendEscapedText(variantText(value), out);
    }
    return out;
}

// The character an escape of one letter stands for ("\n" a line feed), or 0.
char simpleEscape(char e)
{
    switch (e) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\': return e;
    default: return 0;
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The value of a line (the bytes after its "="): blanks and tabs at either
// end dropped unless quoted or escaped, escapes undone, and split at each
// comma outside quotes into a list. Only blanks and tabs are padding: any
// other space is part of the text.
QVariant unescapedValue(QByteArrayView raw)
{
    QStringList items;
    bool isList = false;
    QString current;
    QByteArray pending;   // UTF-8 not yet decoded
    qsizetype keep = 0;   // the text up to here stays, padding or not
    bool inQuotes = false;
    bool quoted = false;  // the current item had a quote
    auto decode = [&] {
        current += QString::fromUtf8(pending);
        pending.clear();
    };
    auto chopPadding = [&] {
        decode();
        if (quoted)
            return;
        qsizetype n = current.size();
        while (n > keep && (current[n - 1] == u' ' || current[n - 1] == u'\t'))
            --n;
        current.truncate(n);
    };
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < raw.size() && isBlank(raw[i]))
            ++i;
        decode();
        keep = current.size();
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            decode();
            if (++i >= raw.size())
                break;
            const char e = raw[i++];
            if (const char simple = simpleEscape(e)) {
                current += QLatin1Char(simple);
            } else if (e == 'x') {
                if (i < raw.size() && hexValue(uchar(raw[i])) >= 0) {
                    char16_t v = 0;
                    while (i < raw.size() && hexValue(uchar(raw[i])) >= 0)
                        v = char16_t(v * 16 + hexValue(uchar(raw[i++])));
                    current += QChar(v);
                }
            } else if (e >= '0' && e <= '7') {
                char16_t v = char16_t(e - '0');
                while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                    v = char16_t(v * 8 + (raw[i++] - '0'));
                current += QChar(v);
            } else if (e == '\n' || e == '\r') {
                // An escaped line end joins the next line; "\r\n" and "\n\r" count once.
                if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e)
                    ++i;
            }
            // Any other escaped character is dropped.
            keep = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            chopPadding();
            isList = true;
            items << current;
            current.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            pending += c;
            ++i;
        }
    }
    chopPadding();
    if (!isList)
        return textVariant(current);
    items << current;
    return listVariant(items);
}

// The next line of text from pos: its start and length, with the position of
// its first "=" outside quotes (-1 when none). A line ends at a line end
// outside quotes, or at a ";" outside quotes (the rest of it a comment); an
// escaped line end continues it. Blank lines and comment lines are skipped.
bool nextLine(QByteArrayView data, qsizetype& pos, qsizetype& start, qsizetype& length, qsizetype& equals)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; };
    equals = -1;
    start = pos;
    while (start < data.size() && isSpace(data[start]))
        ++start;
    bool inQuotes = false;
    qsizetype i = start;
    while (i < data.size()) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equals < 0)
                equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < data.size()) {
                const char next = data[i++];
                if (i < data.size() && ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < data.size() && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < data.size() && isSpace(data[i]))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    length = i - start;
    return length > 0;
}

// A section name or key as written: "%XX", "%UXXXX" and "\" (for "/") undone.
QString unescapedName(QByteArrayView bytes)
{
    return unescapedKey(QString::fromUtf8(bytes));
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
        for (const auto& [key, value] : s.value())
            out += escapedKey(key) + '=' + escapedValue(value) + eol;
    }
    return out;
}

QSettings::SettingsMap parse(const QByteArray& text)
{
    QSettings::SettingsMap map;
    QByteArrayView data(text);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    QString section;
    qsizetype pos = 0, start = 0, length = 0, equals = -1;
    while (nextLine(data, pos, start, length, equals)) {
        const QByteArrayView line = data.sliced(start, length);
        if (line.startsWith('[')) {
            qsizetype close = line.indexOf(']');
            if (close < 0)
                close = line.size();
            const QByteArrayView name = line.first(close).sliced(1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1)) + u'/';
            else
                section = unescapedName(name) + u'/';
            continue;
        }
        if (equals < 0)
            continue;
        const QString key = unescapedName(line.first(equals - start).trimmed());
        if (!key.isEmpty())
            map.insert(section + key, unescapedValue(line.sliced(equals - start + 1)));
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
