// The booking wizard's units page and the booking search.
#include "benchsupport.h"
#include "booking/frmfindbooking.h"
#include "booking/frmrescustsearch.h"
#include "booking/unitspage.h"
#include "core/db.h"
#include "core/modmain.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The units page for a one-week stay a fortnight ahead, when the house is
// busy: the free units among every booking of the file.
void BM_WizardFreeUnits(benchmark::State& state)
{
    // A copy, as the stay is written to the file.
    QTemporaryDir dir;
    if (!OpenBenchDbCopy(dir.filePath(QStringLiteral("db.mdb")))) {
        state.SkipWithError("cannot open a copy of the benchmark database");
        return;
    }
    SilenceMessageBoxes();

    const QDate start = QDate::currentDate().addDays(14);
    iBookingID = qint32(objConn.insert(QStringLiteral("booking"),
                                       {{QStringLiteral("fromdate"), dbValue(QDateTime(start, QTime(14, 0)))},
                                        {QStringLiteral("todate"), dbValue(QDateTime(start.addDays(7), QTime(10, 0)))}}));

    UnitsPage page;
    const QListWidget* list = page.findChild<QListWidget*>(QStringLiteral("lstRooms"));
    for (auto _ : state) {
        page.ShowPage();
        benchmark::DoNotOptimize(list->count());
    }
    state.counters["free_units"] = double(list->count());

    iBookingID = 0;
    objConn.close();
}
BENCHMARK(BM_WizardFreeUnits)->Unit(benchmark::kMillisecond);

// Find Booking with "Arriving on or after:" ticked on the first day of the
// file: every booking matches. Each search until its results are painted,
// and, with toEnd, taken to its last row with Ctrl+End.
void BookingSearch(benchmark::State& state, bool toEnd)
{
    OpenBenchDb();
    SilenceMessageBoxes();
    const QDate first = QDate::fromString(
        objConn.scalar(QStringLiteral("SELECT MIN(fromdate) FROM booking")).toString().left(10), Qt::ISODate);
    frmFindBooking dialog;
    dialog.resize(800, 600);
    dialog.findChild<QDateEdit*>(QStringLiteral("dtArrive"))->setDate(first);
    dialog.findChild<QCheckBox*>(QStringLiteral("chkArrive"))->setChecked(true);
    auto* search = dialog.findChild<QPushButton*>(QStringLiteral("cmdOk"));
    auto* grid = dialog.findChild<QAbstractItemView*>(QStringLiteral("gres"));
    for (auto _ : state) {
        search->click();
        if (toEnd)
            PressCtrlEnd(grid);
        Paint(grid);
    }
    state.counters["rows_loaded"] = grid->model()->rowCount();
}
void BM_BookingSearchFirstScreen(benchmark::State& state) { BookingSearch(state, false); }
void BM_BookingSearchCtrlEnd(benchmark::State& state) { BookingSearch(state, true); }
BENCHMARK(BM_BookingSearchFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BookingSearchCtrlEnd)->Unit(benchmark::kMillisecond);

// The customer picker with both name boxes empty: every customer matches;
// the search until its results are painted.
void BM_CustomerPickerFirstScreen(benchmark::State& state)
{
    OpenBenchDb();
    SilenceMessageBoxes();
    frmResCustSearch picker;
    auto* grid = picker.findChild<QAbstractItemView*>(QStringLiteral("gcust"));
    for (auto _ : state) {
        picker.RefreshCustomerScreen(1, 0);
        Paint(grid);
    }
    state.counters["rows_loaded"] = grid->model()->rowCount();
}
BENCHMARK(BM_CustomerPickerFirstScreen)->Unit(benchmark::kMillisecond);

}  // namespace
