#include "core/calendarstore.h"

#include "core/db.h"
#include "core/format.h"

#include <QStringList>
#include <algorithm>

namespace {

// The stays of the units shown that touch the days read, one row per booking
// and unit, with the customer where its row still exists. The three tests are
// the overlap rule of the calendar; the range test on the departure index in
// front of them only narrows the search to stays that end on or after the
// first day and begin before the day after the last, which every stay painted
// does. %1 stands for the units' ids.
const char* const kPageSql =
    "SELECT b.id, b.fromdate, b.todate, ba.roomid AS baID, b.customerid AS cID, "
    "c.ID IS NOT NULL AS known, c.firstname, c.lastname "
    "FROM booking AS b "
    "JOIN bookingroom AS ba ON ba.bookingid = b.id "
    "LEFT JOIN customer AS c ON c.ID = b.customerid "
    "WHERE b.id IN (SELECT id FROM booking WHERE todate >= ? AND fromdate <= ?) "
    "AND ba.roomid IN (%1) "
    "AND ((? >= b.fromdate AND ? <= b.todate) OR "
    "(? >= b.fromdate AND ? <= b.todate) OR "
    "(b.fromdate >= ? AND b.todate <= ?)) "
    "ORDER BY b.fromdate, b.todate, b.id, ba.id";

}  // namespace

namespace CalendarStore {

bool isOpen()
{
    return objConn.isOpen();
}

int unitCount()
{
    return objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM room")).toInt();
}

QList<CalendarUnit> units(int skip, int count)
{
    QList<CalendarUnit> list;
    Query q = objConn.query(QStringLiteral("SELECT id, name FROM room ORDER BY id LIMIT ? OFFSET ?"),
                            {std::max(0, count), skip});
    while (q.next())
        list.append({qint32(q.integer(0)), q.text(1)});
    return list;
}

QList<CalendarStay> stays(const QList<qint32>& unitIds, const QDate& first, const QDate& after)
{
    QList<CalendarStay> list;
    if (unitIds.isEmpty())
        return list;
    const QVariant from = dbValue(Fmt::clockDateTime(first, QTime(0, 0)));
    const QVariant to = dbValue(Fmt::clockDateTime(after, QTime(0, 0)));
    QVariantList params{from, to};
    const QString marks = BoundList(unitIds, params);
    params << from << from << to << to << from << to;
    Query q = objConn.query(QString::fromLatin1(kPageSql).arg(marks), params);
    while (q.next()) {
        CalendarStay stay;
        stay.id = qint32(q.integer(0));
        stay.from = q.dateTime(1);
        stay.to = q.dateTime(2);
        stay.unit = q.integer(3);
        stay.known = q.integer(5) != 0;
        stay.firstName = q.text(6);
        stay.lastName = q.text(7);
        list.append(stay);
    }
    return list;
}

}  // namespace CalendarStore
