// Writing the mailing list of every customer of the large database, beside
// its statement alone.
#include "benchsupport.h"

#include "customers/mailinglist.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_WriteMailingList(benchmark::State& state)
{
    OpenBenchDb();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.txt"));
    for (auto _ : state) {
        if (!WriteMailingList(file)) {
            state.SkipWithError("the mailing list could not be written");
            return;
        }
    }
    state.counters["bytes"] = double(QFileInfo(file).size());
}
BENCHMARK(BM_WriteMailingList)->Unit(benchmark::kMillisecond);

// Every row stepped through, nothing read.
void BM_WriteMailingListQuery(benchmark::State& state)
{
    OpenBenchDb();
    qint64 rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (RowScan r = MailingListRows(); r.next();)
            ++rows;
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_WriteMailingListQuery)->Unit(benchmark::kMillisecond);

}  // namespace
