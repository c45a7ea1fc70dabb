#include "reports/quickview.h"

#include "core/configrecords.h"
#include "core/format.h"
#include "core/modmain.h"
#include "reports/csv.h"
#include "reports/reportstore.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace {

// Up to this many cells, the whole range's bookings are read at once and
// kept marked; a larger grid is read unit by unit.
constexpr qint64 kCellsAtOnce = 8'000'000;
// Days written between two looks at the progress.
constexpr int kDaysPerPiece = 8192;

// A name that would split its line's cells is quoted; others stand as they are.
QString UnitCell(const QString& name)
{
    static const QString breaking = QStringLiteral(",\"\r\n");
    for (QChar ch : name)
        if (breaking.contains(ch))
            return q(name);
    return name;
}

// The bounds of each day of the range as stored dates: its start (00:00:00)
// and its end (23:59:00), each worked out once over a range of some
// centuries at most (longer ones work them out as they go).
class DayBounds {
public:
    DayBounds(const QDate& first, int days) : m_first(first)
    {
        if (days <= 100'000) {
            m_starts.resize(size_t(days));
            m_ends.resize(size_t(days));
        }
    }
    const QDate& first() const { return m_first; }
    const QString& start(int day) { return bound(m_starts, day, QTime(0, 0)); }
    const QString& end(int day) { return bound(m_ends, day, QTime(23, 59)); }

private:
    const QString& bound(std::vector<QString>& kept, int day, const QTime& time)
    {
        QString& b = size_t(day) < kept.size() ? kept[size_t(day)] : m_scratch[time.hour() ? 1 : 0];
        if (b.isEmpty() || size_t(day) >= kept.size())
            b = Fmt::dbDateTime(Fmt::clockDateTime(m_first.addDays(day), time));
        return b;
    }

    QDate m_first;
    std::vector<QString> m_starts, m_ends;
    QString m_scratch[2];
};

// The booked days of one unit over the range.
class DayMarks {
public:
    DayMarks(DayBounds* bounds, int days) : m_bounds(bounds), m_marks(size_t(days), 0) {}

    // Marks the days that the stay overlaps by the calendar's test: the
    // day's start (00:00:00) or end (23:59:00) within the stay, or the stay
    // within the day. Only the days of its two ends and those between can be.
    void mark(const QString& from, const QString& to)
    {
        const int days = int(m_marks.size());
        const QDate a = QDate::fromString(from.left(10), Qt::ISODate);
        const QDate b = QDate::fromString(to.left(10), Qt::ISODate);
        const QDate& first = m_bounds->first();
        int lo = 0, hi = days - 1;
        if (a.isValid() && b.isValid()) {
            lo = int(std::max<qint64>(0, first.daysTo(std::min(a, b)) - 1));
            hi = int(std::min<qint64>(days - 1, first.daysTo(std::max(a, b)) + 1));
        }
        for (int i = lo; i <= hi; ++i) {
            if (m_marks[size_t(i)])
                continue;
            const QString& s = m_bounds->start(i);
            const QString& e = m_bounds->end(i);
            if ((s >= from && s <= to) || (e >= from && e <= to) || (from >= s && to <= e))
                m_marks[size_t(i)] = 1;
        }
    }
    bool booked(int day) const { return m_marks[size_t(day)] != 0; }

private:
    DayBounds* m_bounds;
    std::vector<char> m_marks;
};

}  // namespace

bool WriteQuickView(CsvText& csv, const QDate& first, const QDate& last, const ExportSteps& more)
{
    const int days = first <= last ? int(first.daysTo(last)) + 1 : 0;
    csv.line(QStringLiteral("X's indicate a booking for the given date and ") + gsCommoditySingular +
             QStringLiteral("."));
    csv.put(QStringLiteral("Dates: ") + Fmt::shortDate(first) + QStringLiteral(" to ") + Fmt::shortDate(last) +
            QStringLiteral(", "));
    for (int i = 0; i < days; ++i) {
        csv.put(Fmt::shortDate(first.addDays(i)) + QStringLiteral(", "));
        if (i % kDaysPerPiece == kDaysPerPiece - 1 && !more(0))
            return false;
    }
    csv.line(QString());

    const std::vector<NamedRow> units = UnitRecord::inTableOrder();
    const QDateTime start = Fmt::clockDateTime(first, QTime(0, 0));
    const QDateTime end = Fmt::clockDateTime(last, QTime(23, 59));
    // A grid of modest size: the bookings of the whole range in one query.
    DayBounds bounds(first, days);
    QHash<qint64, DayMarks> together;
    const bool atOnce = days > 0 && qint64(units.size()) * days <= kCellsAtOnce;
    if (atOnce) {
        qint64 read = 0;
        for (RowScan r = ReportStore::BookedUnitsOverlapping(start, end); r.next();) {
            auto it = together.find(r.integer(5));
            if (it == together.end())
                it = together.insert(r.integer(5), DayMarks(&bounds, days));
            it->mark(r.text(1), r.text(2));
            if (++read % 1024 == 0 && !more(0))
                return false;
        }
    }

    qint64 done = 0;
    for (const NamedRow& unit : units) {
        csv.put(UnitCell(unit.name) + QStringLiteral(", "));
        if (days > 0) {
            DayMarks marks(&bounds, 0);
            if (atOnce) {
                marks = together.value(unit.id, DayMarks(&bounds, days));
            } else {
                marks = DayMarks(&bounds, days);
                for (Query r = ReportStore::StaysOfUnitOverlapping(unit.id, start, end); r.next();)
                    marks.mark(r.text(0), r.text(1));
            }
            QString piece;
            for (int i = 0; i < days; ++i) {
                piece += marks.booked(i) ? QStringLiteral("X,") : QStringLiteral(",");
                if (i % kDaysPerPiece == kDaysPerPiece - 1) {
                    csv.put(piece);
                    piece.clear();
                    if (!more(done + i))
                        return false;
                }
            }
            csv.put(piece);
        }
        csv.line(QString());
        done += days;
        if (!more(done))
            return false;
    }
    return true;
}

QString ReservationQuickViewText(const QDate& first, const QDate& last)
{
    CsvText csv;
    WriteQuickView(csv, first, last, [](qint64) { return true; });
    return csv.text();
}
