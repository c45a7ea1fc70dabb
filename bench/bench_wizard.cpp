// The booking wizard on the large database.
#include "booking/unitspage.h"
#include "core/db.h"
#include "core/modmain.h"
#include "core/platform.h"

#include <QDate>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentMessageBoxes : public MessageBoxService {
public:
    int show(QWidget*, const QString&, int, const QString&) override { return vbOK; }
};

// Showing the units page for a one-week stay a fortnight ahead, when the
// hotel is busy: the free units of 100 among 50,000 bookings.
void BM_UnitsPage_OneWeek(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("db.mdb"));
    QString why;
    if (!QFile::copy(QString::fromUtf8(LARGE_DB_FILE), file)
        || !QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner) || !objConn.open(file, &why)) {
        state.SkipWithError("cannot open a copy of the large database");
        return;
    }
    platform().setMessageBoxes(std::make_unique<SilentMessageBoxes>());

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
BENCHMARK(BM_UnitsPage_OneWeek)->Unit(benchmark::kMillisecond);

}  // namespace
