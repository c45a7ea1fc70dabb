#include "reports/reportstatistics.h"

#include "core/apperror.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/money.h"
#include "reports/csv.h"
#include "reports/reportstore.h"

#include <functional>

namespace {

const QString kNA = QStringLiteral("n/a");

QString Figure(const std::function<QString()>& compute)
{
    try {
        return compute();
    } catch (const AppError&) {
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
    f.mostResDate = Figure([] { return DateFigure(BusiestArrival(true)); });
    f.leastResDate = Figure([] { return DateFigure(BusiestArrival(false)); });
    f.mostPopMonth = Figure([] { return MonthFigure(PopularMonth(true)); });
    f.leastPopMonth = Figure([] { return MonthFigure(PopularMonth(false)); });
    f.mostCustsDate = Figure([] { return DateFigure(ArrivalByAdults(true)); });
    f.leastCustsDate = Figure([] { return DateFigure(ArrivalByAdults(false)); });
    f.recCust = Figure([] {
        QString first, last;
        return MostRecurringCustomer(&first, &last) ? first + u' ' + last : kNA;
    });
    f.resThisMonth = Figure([&] { return Fmt::integer(ArrivalsInMonth(today)); });
    f.resThisMonthYTD = Figure([&] { return Fmt::integer(ArrivalsInMonth(today.addYears(-1))); });
    f.totRes = Figure([] { return Fmt::integer(BookingCount()); });

    // Monday of this week up to today, then "-" for the days still to come.
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    for (int i = 0; i < 7; ++i) {
        const QDate d = monday.addDays(i);
        f.guestDOW[size_t(i)] =
            d <= today ? Figure([&] { return Fmt::integer(BookingsArriving(Start(d), End(d))); }) : QStringLiteral("-");
    }
    return f;
}
