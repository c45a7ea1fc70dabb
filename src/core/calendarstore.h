#pragma once
// What the occupancy calendar reads: the units of its columns and the stays
// of a page of days.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

struct CalendarUnit {
    qint32 id = 0;
    QString name;
};

// One booking of one unit: a booking of several units comes once for each.
struct CalendarStay {
    qint32 id = 0;
    QDateTime from;          // as stored; invalid when the column holds no date
    QDateTime to;
    qint64 unit = 0;
    bool known = false;      // the booking's customer row exists
    QString firstName;
    QString lastName;
};

namespace CalendarStore {

// Whether the database is open, so that there is anything to read.
bool isOpen();
int unitCount();
// The units in table order after the first `skip` of them, at most count.
QList<CalendarUnit> units(int skip, int count);
// The stays of the units that touch the days from first up to the day
// before after, in the order they are painted: by arrival, departure,
// booking and unit row. A stay touches the days when the first day lies
// within it, when the day after the last lies within it, or when it lies
// within them.
QList<CalendarStay> stays(const QList<qint32>& unitIds, const QDate& first, const QDate& after);

}  // namespace CalendarStore
