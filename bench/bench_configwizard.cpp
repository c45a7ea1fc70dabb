// The configuration wizard's Finish on a copy of the benchmark database: the
// busiest unit removed with every booking that holds it.
#include "benchsupport.h"
#include "config/configwizard.h"
#include "core/db.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

void BM_WizardFinishRemovesBusiestUnit(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("db.mdb"));
    double bookings = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!OpenBenchDbCopy(file)) {
            state.SkipWithError("cannot open a copy of the benchmark database");
            return;
        }
        // The copy on disk first, so that Finish's commit does not pay for it.
        QFile copy(file);
        if (copy.open(QIODevice::ReadWrite))
            ::fsync(copy.handle());
        const qint32 unit = qint32(objConn.scalar(QStringLiteral(
            "SELECT roomid FROM bookingroom GROUP BY roomid ORDER BY COUNT(*) DESC LIMIT 1")).toLongLong());
        bookings = objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM bookingroom WHERE roomid = ?"), {unit}).toDouble();
        WizConfigCopies copies = ConfigWizard::Load(QStringLiteral("Post Code"), QStringLiteral("Sales Tax"));
        for (WizConfig_Room& room : copies.Rooms)
            room.Deleted = room.ID == unit;
        state.ResumeTiming();

        ConfigWizard::Finish(copies);

        state.PauseTiming();
        objConn.close();
        state.ResumeTiming();
    }
    state.counters["bookings"] = bookings;
}
BENCHMARK(BM_WizardFinishRemovesBusiestUnit)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
