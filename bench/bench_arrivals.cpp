// The arrivals list of the busiest day.
#include "benchsupport.h"
#include "calendar/arrivalspanel.h"
#include "core/db.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QSignalBlocker>
#include <QAbstractItemView>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// The day with the most bookings of the coming month: the generator makes the
// months around the day it ran busy.
QDate BusyDay()
{
    QDate best = QDate::currentDate();
    qint64 most = -1;
    for (int i = 0; i < 31; ++i) {
        const QDate d = QDate::currentDate().addDays(i);
        const QString text = d.toString(QStringLiteral("yyyy-MM-dd"));
        const qint64 n = objConn
                             .scalar(QStringLiteral("SELECT COUNT(*) FROM booking WHERE fromdate <= ? AND todate >= ?"),
                                     {text + QStringLiteral(" 23:59:59"), text + QStringLiteral(" 00:00:00")})
                             .toLongLong();
        if (n > most) {
            most = n;
            best = d;
        }
    }
    return best;
}

// The panel's fill is all the work of ShowArrivals but the switch of panels.
// Argument: the entry of the sort box (0 time, 1 name, 2 unit).
void BM_ArrivalsBusiestDay(benchmark::State& state)
{
    OpenBenchDb();
    static const QDate day = BusyDay();

    ArrivalsPanel panel;
    panel.resize(1000, 640);
    panel.InitArrivalsHeader();
    auto* sort = panel.findChild<QComboBox*>(QStringLiteral("cboSimpleCalSort"));
    auto* calendar = panel.findChild<QCalendarWidget*>(QStringLiteral("dtCalendar"));
    auto* grid = panel.findChild<QAbstractItemView*>(QStringLiteral("gArrivals"));
    {
        // Without the main window there is no ShowArrivals to run here.
        const QSignalBlocker block(sort);
        sort->setCurrentIndex(int(state.range(0)));
    }
    calendar->setSelectedDate(day);

    for (auto _ : state) {
        panel.FillArrivals();
        Paint(grid);
    }

    state.counters["rows"] = grid->model()->rowCount();
    state.SetLabel(day.toString(Qt::ISODate).toStdString() + " by " + sort->currentText().toStdString());
}

}  // namespace

BENCHMARK(BM_ArrivalsBusiestDay)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
