#pragma once
// The booking lists of the arrivals panel and of a customer's booking
// history: one entry per booking, with the names of its units.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

struct BookingListEntry {
    qint32 id = 0;
    QString firstName;
    QString lastName;
    QDateTime from;
    QDateTime to;
    QVariant storedFrom;    // fromdate and todate as stored
    QVariant storedTo;
    bool noUnits = false;   // the booking has no unit rows
    QString units;          // its unit names in list order, joined by ", "
    QVariantList key;       // its place in a list read page by page
};

enum class BookingOrder {
    Time,     // arrival, then departure
    Name,     // the customer's first name, then last name
    Unit,     // unit name
    Stored,   // booking id
};

// The bookings of a day (in progress at some time of it) or of a customer,
// each with its customer row. A booking is listed once,
// where its first unit falls in the chosen order, with each of its unit names
// once; bookings without unit rows come after all others, in id order. A
// booking without a customer row is not listed, nor one whose unit rows all
// point to units that no longer exist.
// The day's are read a page at a time: at most limit bookings after the one
// whose key is given (none: from the first), each with its key.
QList<BookingListEntry> ReadBookingsOfDay(const QDate& day, BookingOrder order, const QVariantList* after, int limit);
// The unit names of each booking of the day listed with units, as its row
// writes them, each text once: what the unit column must hold.
QStringList UnitTextsOfDay(const QDate& day);
QList<BookingListEntry> ReadBookingsOfCustomer(qint64 customerId, BookingOrder order);

// A time of day on the 12-hour clock, "9:05 AM".
QString ClockTime(const QTime& t);
