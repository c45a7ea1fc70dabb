#include "reports/reportseries.h"

#include "core/format.h"
#include "reports/csv.h"
#include "reports/reportstore.h"

namespace {

SeriesRow CountRow(const QDate& d, const QString& label, qint64 count)
{
    SeriesRow row;
    row.date = d;
    row.label = label;
    row.dateText = Fmt::shortDate(d);
    row.value = double(count);
    row.valueText = Fmt::integer(count);
    return row;
}

}  // namespace

QList<SeriesRow> GraphSeries(int graphType, const QDate& date, qint64 unitId)
{
    QList<SeriesRow> rows;
    switch (graphType) {
    case ReservationsByMonth:
    case ReservationsByWeek: {
        const QDate first = graphType == ReservationsByMonth ? QDate(date.year(), date.month(), 1) : date;
        const int n = graphType == ReservationsByMonth ? DaysInMonth(date) : 7;
        const QDate last = first.addDays(n - 1);
        const auto days = ReportStore::ArrivalsPerDay(first, last);
        for (QDate d = first; d <= last; d = d.addDays(1))
            rows.append(CountRow(d, Fmt::shortDate(d), days.value(d).inBounds));
        break;
    }
    case ReservationsByYear: {
        const QDate first = QDate(date.year(), date.month(), 1).addMonths(-11);
        const QDate lastMonth(date.year(), date.month(), 1);
        const auto days = ReportStore::ArrivalsPerDay(first, lastMonth.addDays(DaysInMonth(lastMonth) - 1));
        for (QDate m = first; m <= lastMonth; m = m.addMonths(1)) {
            // A month runs from its first day 00:00 to its last day 23:59:00.
            const QDate end = m.addDays(DaysInMonth(m) - 1);
            qint64 count = 0;
            for (auto it = days.lowerBound(m); it != days.end() && it.key() <= end; ++it)
                count += it.key() == end ? it->inBounds : it->all;
            rows.append(CountRow(m, Fmt::monthYear(m), count));
        }
        break;
    }
    case RevenueByWeek: {
        const QDate last = date.addDays(6);
        const auto revenue = ReportStore::RevenuePerDay(date, last, unitId);
        for (QDate d = date; d <= last; d = d.addDays(1)) {
            SeriesRow row;
            const Money total = revenue.value(d);
            row.date = d;
            row.label = row.dateText = Fmt::shortDate(d);
            row.value = total.toDouble();
            row.valueText = Fmt::currency(total);
            rows.append(row);
        }
        break;
    }
    default:
        break;
    }
    return rows;
}

QString GraphCsv(const QList<SeriesRow>& rows)
{
    CsvText csv;
    csv.line(QStringLiteral("Date, Total"));
    for (const SeriesRow& row : rows)
        csv.record({row.dateText, row.valueText});
    return csv.text();
}
