#include "reports/csv.h"

#include "core/filewriter.h"
#include "core/format.h"
#include "core/rowscan.h"

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

void CsvText::line(const QString& text)
{
    m_bytes += text.toStdString();
    m_bytes += "\r\n";
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
    m_bytes += text.toStdString();
    spill();
}

void CsvText::put(const QString& text)
{
    m_bytes += text.toStdString();
    spill();
}

void CsvText::startField()
{
    if (m_inRecord)
        m_bytes += ',';
    m_inRecord = true;
}

// The bytes between double quotes, each double quote inside doubled.
void CsvText::quoted(const char* utf8, qsizetype size)
{
    m_bytes += '"';
    const char* rest = utf8;
    const char* end = utf8 + size;
    while (const char* quote = static_cast<const char*>(std::memchr(rest, '"', size_t(end - rest)))) {
        m_bytes.append(rest, size_t(quote - rest) + 1);
        m_bytes += '"';
        rest = quote + 1;
    }
    m_bytes.append(rest, size_t(end - rest));
    m_bytes += '"';
}

void CsvText::field(const RowScan& row, int column)
{
    startField();
    int size = 0;
    if (const char* p = row.plainText(column, &size)) {
        quoted(p, size);
    } else {
        const QByteArray text = row.value(column).toString().toUtf8();
        quoted(text.constData(), text.size());
    }
}

void CsvText::field(const QByteArray& utf8)
{
    startField();
    quoted(utf8.constData(), utf8.size());
}

void CsvText::emptyField()
{
    startField();
    m_bytes += "\"\"";
}

void CsvText::endRecord()
{
    m_bytes += "\r\n";
    m_inRecord = false;
    spill();
}

void CsvText::spill()
{
    // Some 64 kB at a time: few writes, little held.
    if (m_out && m_bytes.size() >= 65536)
        flush();
}

bool CsvText::flush()
{
    if (!m_out)
        return true;
    const bool ok = m_out->write(QByteArray::fromRawData(m_bytes.data(), qsizetype(m_bytes.size())));
    m_bytes.clear();
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

// The same keyed by a column's stored text, looked up without a copy.
template <class Make>
const QByteArray& RememberedText(QHash<QByteArray, QByteArray>& memory, const RowScan& row, int column, Make make)
{
    int size = 0;
    const char* p = row.bytes(column, &size);
    auto it = memory.constFind(QByteArray::fromRawData(p, size));
    if (it == memory.constEnd()) {
        if (memory.size() >= CsvTexts::kKept)
            memory.clear();
        it = memory.insert(QByteArray(p, size), make());
    }
    return *it;
}

}  // namespace

bool CsvTexts::storedForm(const RowScan& row, int column, int* day, int* second)
{
    if (row.stored(column) != RowScan::Stored::Text)
        return false;
    int size = 0;
    const char* s = row.bytes(column, &size);
    if (size != 19 || s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' || s[16] != ':')
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

const QByteArray& CsvTexts::dayText(int day)
{
    auto it = m_days.constFind(day);
    if (it == m_days.constEnd())
        it = m_days.insert(day, Fmt::shortDate(QDate(day / 10000, day / 100 % 100, day % 100)).toUtf8());
    return *it;
}

const QByteArray& CsvTexts::dateTime(const RowScan& row, int column)
{
    int day = 0, second = 0;
    if (storedForm(row, column, &day, &second)) {
        // The general date: the day alone at midnight, else the day and the
        // long time.
        if (second == 0)
            return dayText(day);
        auto time = m_times.constFind(second);
        if (time == m_times.constEnd())
            time = m_times.insert(second, Fmt::longTime(QTime(0, 0).addSecs(second)).toUtf8());
        m_made.truncate(0);
        m_made += dayText(day);
        m_made += ' ';
        m_made += *time;
        return m_made;
    }
    const RowScan::Stored stored = row.stored(column);
    if (stored == RowScan::Stored::Null) {
        m_made.truncate(0);
        return m_made;
    }
    if (stored != RowScan::Stored::Text) {
        m_made = CsvDateTime(row.value(column)).toUtf8();
        return m_made;
    }
    return RememberedText(m_dateTimes, row, column, [&] { return CsvDateTime(row.value(column)).toUtf8(); });
}

const QByteArray& CsvTexts::shortDate(const RowScan& row, int column)
{
    int day = 0, second = 0;
    if (storedForm(row, column, &day, &second))
        return dayText(day);
    const QVariant stored = row.value(column);
    auto make = [&] {
        const QDateTime dt = Fmt::fromDbDateTime(stored);
        return (dt.isValid() ? Fmt::shortDate(dt.date()) : stored.toString()).toUtf8();
    };
    if (row.stored(column) != RowScan::Stored::Text) {
        m_made = make();
        return m_made;
    }
    return RememberedText(m_dates, row, column, make);
}

const QByteArray& CsvTexts::number(const RowScan& row, int column)
{
    if (row.stored(column) == RowScan::Stored::Integer) {
        const qint64 v = row.integer(column);
        return Remembered(m_numbers, v, [&] { return Fmt::number(double(v)).toUtf8(); });
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
