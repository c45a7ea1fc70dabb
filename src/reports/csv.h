#pragma once
// Comma-separated text as every export of the program writes it: each field
// between double quotes (a quote inside doubled), lines ended by CR LF.
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

// A file's text, line by line. Given a writer, the text goes on to it in
// pieces as it grows (an export never holds its whole file); else it stays
// in text().
class FileWriter;
class CsvText {
public:
    CsvText() = default;
    explicit CsvText(FileWriter* out) : m_out(out) {}
    // A line as it stands (a header), then CR LF.
    void line(const QString& text);
    // Each field quoted, joined by commas, then CR LF.
    void record(const QStringList& fields);
    // Text as it stands, no line end (a long line written in pieces).
    void put(const QString& text);
    const QString& text() const { return m_text; }
    // Hands what is held to the writer; false once a write has failed.
    bool flush();
    bool failed() const;

private:
    void spill();

    FileWriter* m_out = nullptr;
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
    // At most this many texts of each kind are remembered; past that the
    // memory starts afresh, so a long export holds little.
    static constexpr int kKept = 20000;
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
