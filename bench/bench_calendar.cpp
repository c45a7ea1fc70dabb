// The occupancy calendar: one full page at 1920x1080
// (every unit column that fits, by every day row that fits), read and painted,
// and one step of the day spinner.
#include "benchsupport.h"
#include "calendar/calendar.h"

#include <QAbstractItemModel>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

void Counters(benchmark::State& state, Calendar& cal)
{
    const QAbstractItemModel* model = cal.findChild<QTableView*>(QStringLiteral("g"))->model();
    state.counters["units"] = model->columnCount() - 1;
    state.counters["days"] = model->rowCount();
    int booked = 0;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 1; c < model->columnCount(); ++c)
            booked += model->index(r, c).data(Qt::BackgroundRole).isValid() ? 1 : 0;
    state.counters["booked"] = booked;
}

// Everything a refresh does, and the grid painted.
void BM_CalendarPage(benchmark::State& state)
{
    Calendar cal;
    ShowCalendarPage(cal);
    for (auto _ : state) {
        cal.Refresh();
        Paint(cal.findChild<QTableView*>(QStringLiteral("g")));
    }
    Counters(state, cal);
}

// One click on the spinner's arrows, alternately later and earlier.
void BM_CalendarScrollDay(benchmark::State& state)
{
    Calendar cal;
    ShowCalendarPage(cal);
    QScrollBar* days = cal.findChild<QScrollBar*>(QStringLiteral("ScrollDate"));
    int step = 1;
    for (auto _ : state) {
        days->setValue(days->value() + step);
        step = -step;
        Paint(cal.findChild<QTableView*>(QStringLiteral("g")));
    }
    Counters(state, cal);
}

}  // namespace

BENCHMARK(BM_CalendarPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalendarScrollDay)->Unit(benchmark::kMillisecond);
