#pragma once
// Comma-separated text as every export of the program writes it: each field
// between double quotes (a quote inside doubled), lines ended by CR LF.
#include "core/money.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <unordered_map>

// A field between double quotes; a double quote inside is doubled and an
// empty or Null value gives "".
QString q(const QString& value);

// The number of days of the month that holds d (28 to 31).
int DaysInMonth(const QDate& d);

// A file's text, line by line, held as UTF-8. Given a writer, the text goes
// on to it in pieces as it grows (an export never holds its whole file);
// else it stays in text().
class FileWriter;
class RowScan;
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
    // A record made field by field, in place: each field quoted and put after
    // a comma when one came before it on the line; endRecord() ends the line.
    // A column read is written as Query::text() gives it, without a copy.
    void field(const RowScan& row, int column);
    void field(const QByteArray& utf8);
    void emptyField();
    void endRecord();
    QString text() const { return QString::fromUtf8(m_bytes.get(), m_size); }
    // Hands what is held to the writer; false once a write has failed.
    bool flush();
    bool failed() const;

private:
    // Room for n more bytes at the end of what is held.
    char* room(qsizetype n)
    {
        if (m_size + n > m_capacity)
            grow(m_size + n);
        return m_bytes.get() + m_size;
    }
    void grow(qsizetype needed);
    void append(const char* bytes, qsizetype n);
    // A comma when a field came before on the line, then the field quoted.
    void quotedField(const char* utf8, qsizetype size);
    void spill();

    FileWriter* m_out = nullptr;
    // What is held, unwritten; the room stays from one piece to the next.
    std::unique_ptr<char[]> m_bytes;
    qsizetype m_size = 0, m_capacity = 0;
    bool m_inRecord = false;
};

// Stored values as the exports show them: a date-time in the locale's general
// date (unreadable text as it stands, Null as empty text) and a number in the
// locale's plain decimal form (Null as empty text).
QString CsvDateTime(const QVariant& stored);
QString CsvNumber(const QVariant& stored);

// The same texts for many rows, in UTF-8: a date-time of the stored form
// from its day and its time of day, each made once, small whole numbers and
// amounts made once each; any other value made for its row. The texts stay
// valid until the next call.
class CsvTexts {
public:
    // At most this many amounts are remembered; past that the memory starts
    // afresh, so a long export holds little. Days and times of day are few
    // enough to keep.
    static constexpr int kKept = 20000;
    const QByteArray& dateTime(const RowScan& row, int column);
    const QByteArray& shortDate(const RowScan& row, int column);   // the date alone
    const QByteArray& number(const RowScan& row, int column);
    const QByteArray& currency(Money m);

private:
    // The stored form "YYYY-MM-DD HH:MM:SS" read as day (yyyymmdd) and
    // second of the day; false for anything else, or a day or time that is none.
    static bool storedForm(const RowScan& row, int column, int* day, int* second);
    const QByteArray& dayText(int day);
    const QByteArray& timeText(int second);

    // Every day and time of day met, by its number.
    std::unordered_map<int, QByteArray> m_days, m_times;
    QByteArray m_smallNumbers[64];
    QHash<qint64, QByteArray> m_amounts;
    QByteArray m_made;   // a text made for one value and not kept
};

// Writes text whole to file (UTF-8, no byte-order mark) through a temporary
// that replaces the file only when all of it is written, so a failure leaves
// the old file as it was. False on failure, with the reason in *why.
bool WriteCsvFile(const QString& file, const QString& text, QString* why = nullptr);
