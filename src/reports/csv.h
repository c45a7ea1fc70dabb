#pragma once
// Comma-separated text as every export of the program writes it: each field
// between double quotes (a quote inside doubled), lines ended by CR LF, the
// whole text built first and then written in one piece.
#include "core/money.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

// A field between double quotes; a double quote inside is doubled and an
// empty or Null value gives "".
QString q(const QString& value);

// The number of days of the month that holds d (28 to 31).
int DaysInMonth(const QDate& d);

// A file's text, line by line.
class CsvText {
public:
    // A line as it stands (a header), then CR LF.
    void line(const QString& text);
    // Each field quoted, joined by commas, then CR LF.
    void record(const QStringList& fields);
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Stored values as the exports show them: a date-time in the locale's general
// date (unreadable text as it stands, Null as empty text) and a number in the
// locale's plain decimal form (Null as empty text).
QString CsvDateTime(const QVariant& stored);
QString CsvNumber(const QVariant& stored);

// The same texts for many rows, each distinct value worked out once (many
// bookings share their dates, many lines their amounts).
class CsvTexts {
public:
    QString dateTime(const QVariant& stored);
    QString shortDate(const QVariant& stored);   // the date alone
    QString currency(Money m);

private:
    QHash<QString, QString> m_dateTimes, m_dates;
    QHash<qint64, QString> m_amounts;
};

// Writes text whole to file (UTF-8, no byte-order mark) through a temporary
// that replaces the file only when all of it is written, so a failure leaves
// the old file as it was. False on failure, with the reason in *why.
bool WriteCsvFile(const QString& file, const QString& text, QString* why = nullptr);
