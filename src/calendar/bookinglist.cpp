#include "calendar/bookinglist.h"

#include "core/db.h"
#include "core/format.h"

#include <QHash>
#include <QLocale>

namespace {

// One row per booking and unit name; a booking without unit rows comes once,
// with no unit name and nounits set.
const char* const kBookingListSql =
    "SELECT b.id AS bID, r.Name AS name, c.FirstName AS firstname, c.LastName AS lastname, "
    "b.fromdate AS fromdate, b.todate AS todate, MIN(br.id) IS NULL AS nounits "
    "FROM booking AS b "
    "JOIN customer AS c ON c.ID = b.customerid "
    "LEFT JOIN bookingroom AS br ON br.bookingid = b.id "
    "LEFT JOIN room AS r ON r.id = br.roomid "
    "WHERE (%1) "
    "AND (br.id IS NULL OR r.id IS NOT NULL) "
    "GROUP BY b.id, r.Name COLLATE FOLD ";

// Bookings without units last. The booking id keeps bookings that tie apart,
// so that the rows of one booking stay together wherever the order allows it.
QString OrderBy(BookingOrder order)
{
    switch (order) {
    case BookingOrder::Time:
        return QStringLiteral("ORDER BY nounits, CASE WHEN nounits THEN NULL ELSE fromdate END, "
                              "CASE WHEN nounits THEN NULL ELSE todate END, bID, name COLLATE FOLD");
    case BookingOrder::Name:
        return QStringLiteral("ORDER BY nounits, (CASE WHEN nounits THEN NULL ELSE firstname END) COLLATE FOLD, "
                              "(CASE WHEN nounits THEN NULL ELSE lastname END) COLLATE FOLD, bID, name COLLATE FOLD");
    case BookingOrder::Unit:
        return QStringLiteral("ORDER BY nounits, name COLLATE FOLD, bID");
    case BookingOrder::Stored:
        break;
    }
    return QStringLiteral("ORDER BY nounits, bID, name COLLATE FOLD");
}

QList<BookingListEntry> ReadBookingList(const QString& filter, const QVariantList& params, BookingOrder order,
                                        bool readDates)
{
    Query q = objConn.query(QString::fromLatin1(kBookingListSql).arg(filter) + OrderBy(order), params);

    QList<BookingListEntry> list;
    // Entry of each booking listed so far: a booking whose units are not next
    // to one another in the chosen order still gets one entry.
    QHash<qint32, qsizetype> entryOf;
    while (q.next()) {
        const qint32 id = qint32(q.integer(0));
        const auto listed = entryOf.constFind(id);
        if (listed != entryOf.constEnd()) {
            QString& units = list[*listed].units;
            units += QStringLiteral(", ") + q.text(1);
            continue;
        }
        BookingListEntry e;
        e.id = id;
        e.firstName = q.text(2);
        e.lastName = q.text(3);
        e.storedFrom = q.value(4);
        e.storedTo = q.value(5);
        if (readDates) {
            e.from = Fmt::fromDbDateTime(e.storedFrom);
            e.to = Fmt::fromDbDateTime(e.storedTo);
        }
        e.noUnits = q.integer(6) != 0;
        if (!e.noUnits)
            e.units = q.text(1);
        entryOf.insert(id, list.size());
        list.append(e);
    }
    return list;
}

// The day's bookings are picked from the departures index alone: the stays
// that end on or after the day, of which those that begin by its end. Days
// are mostly looked at near today, where that is the stays booked ahead,
// however long the history.
const char* const kDayFilter = "b.id IN (SELECT id FROM booking WHERE todate >= ? AND +fromdate <= ?)";

}  // namespace

QList<BookingListEntry> ReadBookingsOfDay(const QDate& day, BookingOrder order, bool readDates)
{
    const QString dayText = day.toString(QStringLiteral("yyyy-MM-dd"));
    return ReadBookingList(QLatin1String(kDayFilter),
                           {dayText + QStringLiteral(" 00:00:00"), dayText + QStringLiteral(" 23:59:59")}, order,
                           readDates);
}

QList<BookingListEntry> ReadBookingsOfCustomer(qint64 customerId, BookingOrder order)
{
    return ReadBookingList(QStringLiteral("b.customerid = ?"), {customerId}, order, true);
}

QString ClockTime(const QTime& t)
{
    return QLocale().toString(t, QStringLiteral("h:mm AP"));
}
