#include "reports/reportstatistics.h"

#include "core/apperror.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/money.h"
#include "reports/csv.h"
#include "reports/reportstore.h"

#include <functional>
#include <optional>

namespace {

const QString kNA = QStringLiteral("n/a");

// Where the first read that finds the file damaged or unreadable is kept.
std::optional<AppError>* g_unreadable = nullptr;

QString Figure(const std::function<QString()>& compute)
{
    try {
        return compute();
    } catch (const AppError& e) {
        if (e.isUnreadableFile() && g_unreadable && !*g_unreadable)
            *g_unreadable = e;
        return kNA;
    }
}

QDateTime Start(const QDate& d) { return Fmt::clockDateTime(d, QTime(0, 0)); }
QDateTime End(const QDate& d) { return Fmt::clockDateTime(d, QTime(23, 59)); }

QString DateFigure(const QDateTime& dt)
{
    return dt.isValid() ? Fmt::shortDate(dt.date()) : kNA;
}

QString MonthFigure(int month)
{
    return month == 0 ? kNA : GetMonthName(month);
}

qint64 ArrivalsInMonth(const QDate& d)
{
    return ReportStore::BookingsArriving(Start(QDate(d.year(), d.month(), 1)),
                                         End(QDate(d.year(), d.month(), DaysInMonth(d))));
}

}  // namespace

ReportFigures ComputeReportFigures(const QDateTime& now)
{
    using namespace ReportStore;
    const QDate today = now.date();
    ReportFigures f;
    g_unreadable = &f.unreadable;

    f.capacity = Figure([&] {
        const qint64 units = UnitCount();
        const qint64 arriving = BookedUnitsArriving(Start(today), End(today));
        if (arriving == 0 || units <= 0)
            return kNA;
        // Tenths of a per cent, halves to the even tenth.
        const qint64 tenths = divideHalfEven(__int128(arriving) * 1000, units);
        return Fmt::number(double(tenths) / 10) + u'%';
    });
    f.totalResToday = Figure([&] { return Fmt::integer(BookedUnitsArriving(Start(today), End(today))); });
    // One pass over the arrivals gives four dates, two months and the total;
    // when it fails, so do they.
    std::optional<ArrivalFigures> arrivals;
    const auto arrival = [&](const std::function<QString(const ArrivalFigures&)>& figure) {
        return Figure([&] {
            if (!arrivals)
                arrivals = ArrivalStatistics();
            return figure(*arrivals);
        });
    };
    f.mostResDate = arrival([](const ArrivalFigures& a) { return DateFigure(a.busiest); });
    f.leastResDate = arrival([](const ArrivalFigures& a) { return DateFigure(a.quietest); });
    f.mostPopMonth = arrival([](const ArrivalFigures& a) { return MonthFigure(a.popularMonth); });
    f.leastPopMonth = arrival([](const ArrivalFigures& a) { return MonthFigure(a.quietMonth); });
    f.mostCustsDate = arrival([](const ArrivalFigures& a) { return DateFigure(a.mostAdults); });
    f.leastCustsDate = arrival([](const ArrivalFigures& a) { return DateFigure(a.fewestAdults); });
    f.recCust = Figure([] {
        QString first, last;
        return MostRecurringCustomer(&first, &last) ? first + u' ' + last : kNA;
    });
    f.resThisMonth = Figure([&] { return Fmt::integer(ArrivalsInMonth(today)); });
    f.resThisMonthYTD = Figure([&] { return Fmt::integer(ArrivalsInMonth(today.addYears(-1))); });
    f.totRes = arrival([](const ArrivalFigures& a) { return Fmt::integer(a.bookings); });

    // Monday of this week up to today, then "-" for the days still to come.
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    for (int i = 0; i < 7; ++i) {
        const QDate d = monday.addDays(i);
        f.guestDOW[size_t(i)] =
            d <= today ? Figure([&] { return Fmt::integer(BookingsArriving(Start(d), End(d))); }) : QStringLiteral("-");
    }
    g_unreadable = nullptr;
    return f;
}
