#include "reports/csv.h"

#include "core/filewriter.h"
#include "core/format.h"

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
    m_text += text;
    m_text += QStringLiteral("\r\n");
    spill();
}

void CsvText::record(const QStringList& fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_text += u',';
        AppendQuoted(m_text, fields[i]);
    }
    m_text += QStringLiteral("\r\n");
    spill();
}

void CsvText::put(const QString& text)
{
    m_text += text;
    spill();
}

void CsvText::spill()
{
    // Some 64 kB at a time: few writes, little held.
    if (m_out && m_text.size() >= 32768)
        flush();
}

bool CsvText::flush()
{
    if (!m_out)
        return true;
    const bool ok = m_out->write(m_text);
    m_text.clear();
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
QString Remembered(QHash<Key, QString>& memory, const Key& key, Make make)
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

QString CsvTexts::dateTime(const QVariant& stored)
{
    return Remembered(m_dateTimes, stored.toString(), [&] { return CsvDateTime(stored); });
}

QString CsvTexts::shortDate(const QVariant& stored)
{
    const QString key = stored.toString();
    return Remembered(m_dates, key, [&] {
        const QDateTime dt = Fmt::fromDbDateTime(stored);
        return dt.isValid() ? Fmt::shortDate(dt.date()) : key;
    });
}

QString CsvTexts::currency(Money m)
{
    return Remembered(m_amounts, m.raw(), [&] { return Fmt::currency(m); });
}

bool WriteCsvFile(const QString& file, const QString& text, QString* why)
{
    return WriteWholeFile(file, text.toUtf8(), why);
}
