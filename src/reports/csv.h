#pragma once
// Comma-separated text as every export of the program writes it: each field
// between double quotes (a quote inside doubled), lines ended by CR LF, the
// whole text built first and then written in one piece.
#include <QDate>
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

// Writes text whole to file (UTF-8, no byte-order mark) through a temporary
// that replaces the file only when all of it is written, so a failure leaves
// the old file as it was. False on failure, with the reason in *why.
bool WriteCsvFile(const QString& file, const QString& text, QString* why = nullptr);
