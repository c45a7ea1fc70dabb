// Reports and exports on the generated database: each File-menu export
// (streamed to its file) beside its statements alone, the occupancy grid of a month and of fifty years,
// the finance summary, the reports panel's statistics and each graph of its
// chart.
#include "benchsupport.h"

#include "app/frmmain.h"
#include "core/db.h"
#include "core/format.h"
#include "core/rowscan.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "reports/csv.h"
#include "reports/exports.h"
#include "reports/financesummary.h"
#include "reports/quickview.h"
#include "reports/reportchart.h"
#include "reports/reportspanel.h"
#include "reports/reportstore.h"

#include <QComboBox>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void Export(benchmark::State& state, const ExportWriter& write)
{
    OpenBenchDb();
    SilenceMessageBoxes();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("export.csv"));
    for (auto _ : state)
        RunExport(nullptr, file, [] { return qint64(0); }, write, QString());
    state.counters["bytes"] = double(QFileInfo(file).size());
}

void BM_ExportReservations(benchmark::State& state) { Export(state, WriteReservations); }
void BM_ExportCustomers(benchmark::State& state) { Export(state, WriteCustomers); }
void BM_ExportCommissionAccounts(benchmark::State& state) { Export(state, WriteCommissionAccounts); }
void BM_ExportThisMonth(benchmark::State& state)
{
    Export(state, [](CsvText& csv, const ExportSteps& more) { return WriteThisMonth(csv, QDate::currentDate(), more); });
}
// An export's statements alone: every row stepped through, nothing read.
template <class... Makes>
void QueryAlone(benchmark::State& state, Makes... makes)
{
    OpenBenchDb();
    qint64 rows = 0;
    auto steps = [](auto make) {
        qint64 n = 0;
        for (RowScan r = make(); r.next();)
            ++n;
        return n;
    };
    for (auto _ : state)
        rows = (steps(makes) + ...);
    state.counters["rows"] = double(rows);
}

void BM_ExportReservationsQuery(benchmark::State& state) { QueryAlone(state, ReportStore::ReservationsForExport); }
void BM_ExportCustomersQuery(benchmark::State& state) { QueryAlone(state, ReportStore::CustomersForExport); }
void BM_ExportCommissionAccountsQuery(benchmark::State& state)
{
    QueryAlone(state, ReportStore::CommissionAccounts, ReportStore::CommissionDues, ReportStore::CommissionPaymentsMade);
}
void BM_ExportThisMonthQuery(benchmark::State& state)
{
    const QDate today = QDate::currentDate();
    const QDateTime start = Fmt::clockDateTime(QDate(today.year(), today.month(), 1), QTime(0, 0));
    const QDateTime end = Fmt::clockDateTime(QDate(today.year(), today.month(), today.daysInMonth()), QTime(23, 59));
    QueryAlone(state, [&] { return ReportStore::BookedUnitsOverlapping(start, end); });
}

// Argument: the years of the range, ending today; 0 is the month the dialog proposes.
void BM_QuickView(benchmark::State& state)
{
    const QDate last = QDate::currentDate();
    const QDate first = state.range(0) == 0 ? last.addMonths(-1) : last.addYears(-int(state.range(0)));
    Export(state, [&](CsvText& csv, const ExportSteps& more) { return WriteQuickView(csv, first, last, more); });
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
BENCHMARK(BM_ExportReservationsQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCustomersQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCommissionAccountsQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportThisMonthQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuickView)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinanceSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowReports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshGraph)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
