#include "reports/csv.h"

#include "core/filewriter.h"
#include "core/format.h"

QString q(const QString& value)
{
    QString doubled = value;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

int DaysInMonth(const QDate& d)
{
    return d.daysInMonth();
}

void CsvText::line(const QString& text)
{
    m_text += text;
    m_text += QStringLiteral("\r\n");
}

void CsvText::record(const QStringList& fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_text += u',';
        m_text += q(fields[i]);
    }
    m_text += QStringLiteral("\r\n");
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

bool WriteCsvFile(const QString& file, const QString& text, QString* why)
{
    return WriteWholeFile(file, text.toUtf8(), why);
}
