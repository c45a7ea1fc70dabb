// Reports and exports on the generated database: each File-menu export
// (text built and written), a month's occupancy grid, the finance summary,
// the reports panel's statistics and each graph of its chart.
#include "benchsupport.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/modmain.h"
#include "reports/csv.h"
#include "reports/exports.h"
#include "reports/frmfinancesummary.h"
#include "reports/frmreservationquickview.h"
#include "reports/reportchart.h"
#include "reports/reportspanel.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

template <class Build>
void Export(benchmark::State& state, Build build)
{
    OpenBenchDb();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("export.csv"));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QString text = build();
        WriteCsvFile(file, text);
        bytes = text.toUtf8().size();
    }
    state.counters["bytes"] = double(bytes);
}

void BM_ExportReservations(benchmark::State& state) { Export(state, ReservationsCsv); }
void BM_ExportCustomers(benchmark::State& state) { Export(state, CustomersCsv); }
void BM_ExportCommissionAccounts(benchmark::State& state) { Export(state, CommissionAccountsCsv); }
void BM_ExportThisMonth(benchmark::State& state)
{
    Export(state, [] { return ThisMonthCsv(QDate::currentDate()); });
}
void BM_QuickViewMonth(benchmark::State& state)
{
    Export(state, [] { return ReservationQuickViewText(QDate::currentDate().addMonths(-1), QDate::currentDate()); });
}

void BM_FinanceSummary(benchmark::State& state)
{
    OpenBenchDb();
    qint64 lines = 0;
    for (auto _ : state) {
        QStringList l;
        FinanceSummaryLines(&l);
        lines = l.size();
    }
    state.counters["lines"] = double(lines);
}

void BM_ShowReports(benchmark::State& state)
{
    ReportsPanel* panel = MainOnBenchDb().reports();
    for (auto _ : state)
        panel->ShowReports();
}

// Argument: the graph type; 4 is the revenue graph of one unit.
void BM_RefreshGraph(benchmark::State& state)
{
    ReportsPanel* panel = MainOnBenchDb().reports();
    const int type = int(std::min<int64_t>(state.range(0), 3));
    SetListIndex(panel->findChild<QComboBox*>(QStringLiteral("cboGraphType")), type);
    if (type == 3)
        SetListIndex(panel->findChild<QComboBox*>(QStringLiteral("cboReportRoom")), state.range(0) == 4 ? 1 : 0);
    for (auto _ : state) {
        panel->RefreshGraph(type);
        Paint(panel->chart());
    }
    double total = 0;
    for (const ChartPoint& p : panel->chart()->points())
        total += p.value;
    state.counters["total"] = total;
}

}  // namespace

BENCHMARK(BM_ExportReservations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCustomers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCommissionAccounts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportThisMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuickViewMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinanceSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowReports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshGraph)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
