// Writing the mailing list of every customer of the large database.
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

}  // namespace
