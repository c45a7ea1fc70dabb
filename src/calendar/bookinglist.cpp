#include "calendar/bookinglist.h"

#include "core/db.h"
#include "core/format.h"

#include <QHash>
#include <QLocale>

namespace {

// The rows of the bookings the filter %1 picks, each with its customer row
// and its unit rows; unit rows of units that no longer exist are left out,
// and a booking whose unit rows all are, or without a customer row, too.
const char* const kBookingRows =
    "FROM booking AS b "
    "JOIN customer AS c ON c.ID = b.customerid "
    "LEFT JOIN bookingroom AS br ON br.bookingid = b.id "
    "LEFT JOIN room AS r ON r.id = br.roomid "
    "WHERE (%1) "
    "AND (br.id IS NULL OR r.id IS NOT NULL) ";

// One row per booking and unit name; a booking without unit rows comes once,
// with no unit name and nounits set.
QString BookingListSql(const QString& filter)
{
    return QStringLiteral("SELECT b.id AS bID, r.Name AS name, c.FirstName AS firstname, c.LastName AS lastname, "
                          "b.fromdate AS fromdate, b.todate AS todate, MIN(br.id) IS NULL AS nounits ")
           + QString::fromLatin1(kBookingRows).arg(filter) + QStringLiteral("GROUP BY b.id, r.Name COLLATE FOLD ");
}

// Each booking listed once, with what places it in a list: whether it has
// no units, its arrival and departure, its customer's names, and the first
// of its unit names (nameless units count before every name).
QString BookingPlaceSql(const QString& filter)
{
    return QStringLiteral("SELECT b.id AS bID, MIN(br.id) IS NULL AS nounits, b.fromdate AS fromdate, "
                          "b.todate AS todate, c.FirstName AS firstname, c.LastName AS lastname, "
                          "count(*) - count(r.Name) AS unnamed, min(r.Name COLLATE FOLD) AS firstunit ")
           + QString::fromLatin1(kBookingRows).arg(filter) + QStringLiteral("GROUP BY b.id");
}

// The day's bookings are picked from the departures index alone: the stays
// that end on or after the day, of which those that begin by its end. Days
// are mostly looked at near today, where that is the stays booked ahead,
// however long the history.
const char* const kDayFilter = "b.id IN (SELECT id FROM booking WHERE todate >= ? AND +fromdate <= ?)";

// The unit names of the booking p.bID as a list writes them: each name once,
// in the order of the names (a nameless unit first, as empty text).
const char* const kUnitNames =
    "(SELECT group_concat(n, ', ') FROM (SELECT ifnull(r.Name, '') AS n "
    "FROM bookingroom AS br JOIN room AS r ON r.id = br.roomid WHERE br.bookingid = p.bID "
    "GROUP BY r.Name COLLATE FOLD ORDER BY r.Name COLLATE FOLD))";

// A booking's place in the order, after nounits and before its id, as four
// values without a Null, so that a row value compares places: where the
// order sorts a Null first, a flag 0 stands before the empty text.
QStringList KeyColumns(BookingOrder order)
{
    const auto named = [](const char* column) {
        const QString none = QStringLiteral("nounits OR %1 IS NULL").arg(QLatin1String(column));
        return QStringList{QStringLiteral("CASE WHEN %1 THEN 0 ELSE 1 END").arg(none),
                           QStringLiteral("(CASE WHEN %1 THEN '' ELSE %2 END) COLLATE FOLD").arg(none, QLatin1String(column))};
    };
    switch (order) {
    case BookingOrder::Time:
        return {QStringLiteral("CASE WHEN nounits THEN '' ELSE fromdate END"),
                QStringLiteral("CASE WHEN nounits THEN '' ELSE todate END"), QStringLiteral("''"), QStringLiteral("''")};
    case BookingOrder::Name:
        return named("firstname") + named("lastname");
    case BookingOrder::Unit:
        return {QStringLiteral("CASE WHEN nounits OR unnamed > 0 THEN 0 ELSE 1 END"),
                QStringLiteral("(CASE WHEN nounits OR unnamed > 0 THEN '' ELSE firstunit END) COLLATE FOLD"),
                QStringLiteral("''"), QStringLiteral("''")};
    case BookingOrder::Stored:
        break;
    }
    return {QStringLiteral("''"), QStringLiteral("''"), QStringLiteral("''"), QStringLiteral("''")};
}

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

QList<BookingListEntry> ReadBookingList(const QString& filter, const QVariantList& params, BookingOrder order)
{
    Query q = objConn.query(BookingListSql(filter) + OrderBy(order), params);

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
        e.from = Fmt::fromDbDateTime(e.storedFrom);
        e.to = Fmt::fromDbDateTime(e.storedTo);
        e.noUnits = q.integer(6) != 0;
        if (!e.noUnits)
            e.units = q.text(1);
        entryOf.insert(id, list.size());
        list.append(e);
    }
    return list;
}

}  // namespace

QList<BookingListEntry> ReadBookingsOfDay(const QDate& day, BookingOrder order, const QVariantList* after, int limit)
{
    const QString dayText = day.toString(QStringLiteral("yyyy-MM-dd"));
    QVariantList params = {dayText + QStringLiteral(" 00:00:00"), dayText + QStringLiteral(" 23:59:59")};
    // The bookings of the page, in order, from their places alone; then, for
    // those only, their unit names, each once, in the order the whole list
    // gives a booking's units (a nameless unit first, as empty text).
    const QStringList key = KeyColumns(order);
    QString page = QStringLiteral("SELECT bID, nounits, %1 AS k0, %2 AS k1, %3 AS k2, %4 AS k3, fromdate, todate, "
                                  "firstname, lastname FROM (")
                       .arg(key[0], key[1], key[2], key[3])
                   + BookingPlaceSql(QLatin1String(kDayFilter)) + u')';
    if (after && after->size() == 6) {
        page += QStringLiteral(" WHERE (nounits, %1, %2, %3, %4, bID) > (?, ?, ?, ?, ?, ?)").arg(key[0], key[1], key[2],
                                                                                              key[3]);
        params += *after;
    }
    page += QStringLiteral(" ORDER BY nounits, %1, %2, %3, %4, bID LIMIT ?").arg(key[0], key[1], key[2], key[3]);
    params << limit;
    const QString sql =
        QStringLiteral("SELECT p.bID, p.nounits, p.k0, p.k1, p.k2, p.k3, p.fromdate, p.todate, p.firstname, "
                       "p.lastname, %1 AS units FROM (").arg(QLatin1String(kUnitNames))
        + page + QStringLiteral(") AS p ORDER BY p.nounits, p.k0, p.k1, p.k2, p.k3, p.bID");

    QList<BookingListEntry> list;
    for (Query q = objConn.query(sql, params); q.next();) {
        BookingListEntry e;
        e.id = qint32(q.integer(0));
        e.noUnits = q.integer(1) != 0;
        e.key = {q.value(1), q.value(2), q.value(3), q.value(4), q.value(5), q.value(0)};
        e.storedFrom = q.value(6);
        e.storedTo = q.value(7);
        e.from = Fmt::fromDbDateTime(e.storedFrom);
        e.to = Fmt::fromDbDateTime(e.storedTo);
        e.firstName = q.text(8);
        e.lastName = q.text(9);
        if (!e.noUnits)
            e.units = q.text(10);
        list << e;
    }
    return list;
}

QStringList UnitTextsOfDay(const QDate& day)
{
    const QString dayText = day.toString(QStringLiteral("yyyy-MM-dd"));
    const QString sql = QStringLiteral("SELECT DISTINCT %1 FROM (").arg(QLatin1String(kUnitNames))
                        + BookingPlaceSql(QLatin1String(kDayFilter)) + QStringLiteral(") AS p WHERE NOT p.nounits");
    QStringList texts;
    for (Query q = objConn.query(sql, {dayText + QStringLiteral(" 00:00:00"), dayText + QStringLiteral(" 23:59:59")});
         q.next();)
        texts << q.text(0);
    return texts;
}

QList<BookingListEntry> ReadBookingsOfCustomer(qint64 customerId, BookingOrder order)
{
    return ReadBookingList(QStringLiteral("b.customerid = ?"), {customerId}, order);
}

QString ClockTime(const QTime& t)
{
    return QLocale().toString(t, QStringLiteral("h:mm AP"));
}
