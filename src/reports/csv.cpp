#include "reports/csv.h"

#include "core/filewriter.h"
#include "core/format.h"
#include "core/rowscan.h"

#include <algorithm>
#include <cstring>

namespace {

void AppendQuoted(QString& out, const QString& value)
{
    out += u'"';
    if (value.contains(u'"'))
        out += QString(value).replace(u'"', QStringLiteral("\"\""));
    else
        out += value;
    out += u'"';
}

}  // namespace

QString q(const QString& value)
{
    QString quoted;
    AppendQuoted(quoted, value);
    return quoted;
}

int DaysInMonth(const QDate& d)
{
    return d.daysInMonth();
}

void CsvText::grow(qsizetype needed)
{
    qsizetype capacity = std::max<qsizetype>(m_capacity * 2, 65536 + 4096);
    while (capacity < needed)
        capacity *= 2;
    std::unique_ptr<char[]> bytes(new char[size_t(capacity)]);
    if (m_size > 0)
        std::memcpy(bytes.get(), m_bytes.get(), size_t(m_size));
    m_bytes = std::move(bytes);
    m_capacity = capacity;
}

void CsvText::append(const char* bytes, qsizetype n)
{
    if (n > 0)
        std::memcpy(room(n), bytes, size_t(n));
    m_size += n;
}

void CsvText::line(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    append(bytes.constData(), bytes.size());
    append("\r\n", 2);
    spill();
}

void CsvText::record(const QStringList& fields)
{
    QString text;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += u',';
        AppendQuoted(text, fields[i]);
    }
    text += QStringLiteral("\r\n");
    const QByteArray bytes = text.toUtf8();
    append(bytes.constData(), bytes.size());
    spill();
}

void CsvText::put(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    append(bytes.constData(), bytes.size());
    spill();
}

// A comma when the line has a field already, then the bytes between double
// quotes, each double quote inside doubled.
void CsvText::quotedField(const char* utf8, qsizetype size)
{
    // At worst every byte is a double quote; the comma and quotes around it.
    char* out = room(2 * size + 3);
    char* const begin = out;
    if (m_inRecord)
        *out++ = ',';
    m_inRecord = true;
    *out++ = '"';
    const char* rest = utf8;
    const char* const end = utf8 + size;
    while (const char* quote = static_cast<const char*>(std::memchr(rest, '"', size_t(end - rest)))) {
        const size_t n = size_t(quote - rest) + 1;
        std::memcpy(out, rest, n);
        out += n;
        *out++ = '"';
        rest = quote + 1;
    }
    if (rest < end) {
        std::memcpy(out, rest, size_t(end - rest));
        out += end - rest;
    }
    *out++ = '"';
    m_size += out - begin;
}

void CsvText::field(const RowScan& row, int column)
{
    int size = 0;
    if (const char* p = row.plainText(column, &size)) {
        quotedField(p, size);
    } else {
        const QByteArray text = row.value(column).toString().toUtf8();
        quotedField(text.constData(), text.size());
    }
}

void CsvText::field(const QByteArray& utf8)
{
    quotedField(utf8.constData(), utf8.size());
}

void CsvText::emptyField()
{
    quotedField("", 0);
}

void CsvText::endRecord()
{
    append("\r\n", 2);
    m_inRecord = false;
    spill();
}

void CsvText::spill()
{
    // Some 64 kB at a time: few writes, little held.
    if (m_out && m_size >= 65536)
        flush();
}

bool CsvText::flush()
{
    if (!m_out)
        return true;
    const bool ok = m_out->write(QByteArray::fromRawData(m_bytes.get(), m_size));
    m_size = 0;
    return ok;
}

bool CsvText::failed() const
{
    return m_out && m_out->failed();
}

QString CsvDateTime(const QVariant& stored)
{
    if (stored.isNull())
        return QString();
    const QDateTime dt = Fmt::fromDbDateTime(stored);
    return dt.isValid() ? Fmt::generalDate(dt) : stored.toString();
}

QString CsvNumber(const QVariant& stored)
{
    if (stored.isNull())
        return QString();
    bool ok = false;
    const double v = stored.toDouble(&ok);
    return ok ? Fmt::number(v) : stored.toString();
}

namespace {

// The text remembered for key, made by make() the first time; past
// CsvTexts::kKept texts the memory starts afresh.
template <class Key, class Make>
const QByteArray& Remembered(QHash<Key, QByteArray>& memory, const Key& key, Make make)
{
    auto it = memory.constFind(key);
    if (it == memory.constEnd()) {
        if (memory.size() >= CsvTexts::kKept)
            memory.clear();
        it = memory.insert(key, make());
    }
    return *it;
}

}  // namespace

bool CsvTexts::storedForm(const RowScan& row, int column, int* day, int* second)
{
    // One look at the column: stored text in place (a whole number's digits
    // never have the form).
    int size = 0;
    const char* s = row.plainText(column, &size);
    if (!s || size != 19 || s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' || s[16] != ':')
        return false;
    bool digits = true;
    auto number = [&](int from, int length) {
        int n = 0;
        for (int i = from; i < from + length; ++i) {
            digits = digits && s[i] >= '0' && s[i] <= '9';
            n = n * 10 + (s[i] - '0');
        }
        return n;
    };
    const int y = number(0, 4), mo = number(5, 2), d = number(8, 2);
    const int h = number(11, 2), mi = number(14, 2), se = number(17, 2);
    if (!digits || !QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, se))
        return false;
    *day = (y * 100 + mo) * 100 + d;
    *second = (h * 60 + mi) * 60 + se;
    return true;
}

namespace {

// The text kept for key in memory, made by make() the first time.
template <class Make>
const QByteArray& Kept(std::unordered_map<int, QByteArray>& memory, int key, Make make)
{
    auto it = memory.find(key);
    if (it == memory.end())
        it = memory.emplace(key, make()).first;
    return it->second;
}

}  // namespace

const QByteArray& CsvTexts::dayText(int day)
{
    return Kept(m_days, day,
                [&] { return Fmt::shortDate(QDate(day / 10000, day / 100 % 100, day % 100)).toUtf8(); });
}

const QByteArray& CsvTexts::timeText(int second)
{
    return Kept(m_times, second,
                [&] { return Fmt::longTime(QTime(0, 0).addSecs(second)).toUtf8(); });
}

const QByteArray& CsvTexts::dateTime(const RowScan& row, int column)
{
    int day = 0, second = 0;
    if (storedForm(row, column, &day, &second)) {
        // The general date: the day alone at midnight, else the day and the
        // long time.
        if (second == 0)
            return dayText(day);
        const QByteArray& date = dayText(day);
        const QByteArray& time = timeText(second);
        m_made.resize(date.size() + 1 + time.size());
        char* out = m_made.data();
        std::memcpy(out, date.constData(), size_t(date.size()));
        out[date.size()] = ' ';
        std::memcpy(out + date.size() + 1, time.constData(), size_t(time.size()));
        return m_made;
    }
    const RowScan::Stored stored = row.stored(column);
    if (stored == RowScan::Stored::Null) {
        m_made.truncate(0);
        return m_made;
    }
    // Another form: read once, as the program reads it anywhere else.
    m_made = CsvDateTime(row.value(column)).toUtf8();
    return m_made;
}

const QByteArray& CsvTexts::shortDate(const RowScan& row, int column)
{
    int day = 0, second = 0;
    if (storedForm(row, column, &day, &second))
        return dayText(day);
    const QVariant stored = row.value(column);
    const QDateTime dt = Fmt::fromDbDateTime(stored);
    m_made = (dt.isValid() ? Fmt::shortDate(dt.date()) : stored.toString()).toUtf8();
    return m_made;
}

const QByteArray& CsvTexts::number(const RowScan& row, int column)
{
    if (row.stored(column) == RowScan::Stored::Integer) {
        const qint64 v = row.integer(column);
        if (v >= 0 && v < 64) {
            QByteArray& text = m_smallNumbers[v];
            if (text.isEmpty())
                text = Fmt::number(double(v)).toUtf8();
            return text;
        }
        m_made = Fmt::number(double(v)).toUtf8();
        return m_made;
    }
    m_made = CsvNumber(row.value(column)).toUtf8();
    return m_made;
}

const QByteArray& CsvTexts::currency(Money m)
{
    return Remembered(m_amounts, m.raw(), [&] { return Fmt::currency(m).toUtf8(); });
}

bool WriteCsvFile(const QString& file, const QString& text, QString* why)
{
    return WriteWholeFile(file, text.toUtf8(), why);
}
