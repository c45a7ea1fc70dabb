#pragma once
// Every date, time, number and money text the user sees or types, following
// the user's locale (QLocale's default). Tests pin the locale they expect.
#include "core/money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace Fmt {

// The locale's short date, always with a four-digit year: 3/28/2025.
QString shortDate(const QDate& d);
// The formats of shortDate and shortTime, for the date and time boxes.
QString shortDateFormat();
QString shortTimeFormat();
// The locale's long date: Friday, March 28, 2025.
QString longDate(const QDate& d);
// The locale's time of day without seconds ("9:00 AM") and with ("9:00:00 AM").
QString shortTime(const QTime& t);
QString longTime(const QTime& t);
// Short date and short time joined by a blank.
QString dateTime(const QDateTime& dt);
// Short date alone when the time is midnight, else short date and long time.
QString generalDate(const QDateTime& dt);
// The locale's short month name, a hyphen and the four-digit year: "Mar-2003".
QString monthYear(const QDate& d);

// Reads a date, a time, or both, typed or shown in the locale's formats;
// every short date and time text written above reads back, in every locale.
// A date: the locale's short date in its order of day, month and year, with
// one or two digits for the day and the month and two or four for the year,
// parted by the format's own marks or by "/", "." or "-" (14.3.2027, 5.3.27);
// an ISO date (2027-03-14); the locale's long date with or without its
// weekday. A year typed with two digits is the one within 80 years before and
// 20 after today's ("00" is 2000). A day the month has not is no date. A
// time: hours, minutes perhaps and seconds, 12 or 24 hours, with the words of
// the locale's time formats and its AM and PM (or the English ones) before or
// after ("2 pm", "2:00PM", "14:00"). Digits of any script are read. An
// invalid result when the text reads as none of them. Date-times are clock
// values (see clockDateTime).
QDate parseDate(const QString& text);
QTime parseTime(const QString& text);
QDateTime parseDateTime(const QString& text);

// Money in the locale's currency format, rounded to cents: "$1,234.50",
// "-$3.00", "1.234,50 €".
QString currency(Money m);
// Money as a plain number in the locale's decimal format, without symbol or
// grouping and without trailing zeros: "1234.5" or "1234,5".
QString moneyPlain(Money m);
// Reads money typed or shown in the locale's formats: with or without the
// currency symbol and group separators, a leading or trailing minus sign or
// parentheses for negative amounts. Where the locale has no currency symbol
// its currency's code stands in ("CHF 120.00"); direction marks and no-break
// blanks the locale writes are taken as they come or typed as plain blanks.
// Digits of any script are read, and the plain keyboard's signs where the
// locale writes its own and they cannot be read another way: "1'234.50" for
// 1’234.50, "12.5" for 12٫5 (a comma is no group sign there: it is
// also written for the decimal sign).
// False when the text is not an amount, or one beyond Money::kMaxUnits.
bool parseCurrency(const QString& text, Money* out);
// Whether the text is written as an amount, whatever its size.
bool isCurrencyText(const QString& text);

// A number in the locale's general format: no grouping, up to 15 significant
// digits, no trailing zeros ("17.5", "17,5", "3").
QString number(double v);
// A whole number with the locale's digits and no grouping.
QString integer(qint64 v);
// Reads a number typed in the locale's format (group separators allowed),
// with the same digits and signs as parseCurrency.
bool parseNumber(const QString& text, double* out);

// A booking's date-time: a day and a time of day on the clock of the house.
// It is held as a plain calendar value (UTC, never converted), so no time
// zone rule can make it invalid or move it: 2:30 on the night the clocks
// skip that hour stays 2:30, and hours are counted as the clock shows them.
QDateTime clockDateTime(const QDate& d, const QTime& t);

// The stored form of a date-time: "YYYY-MM-DD HH:MM:SS".
QString dbDateTime(const QDateTime& dt);
// A stored date-time back as a clock value; an invalid value for Null or
// unreadable text.
QDateTime fromDbDateTime(const QVariant& v);

}  // namespace Fmt
