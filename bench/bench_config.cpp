// Configuration on the large database: closing the units list (its refill,
// then the calendar rebuilt and painted at 1920x1080) and the in-use checks
// that Remove runs before it asks.
#include "benchsupport.h"
#include "calendar/calendar.h"
#include "config/frmconfigrooms.h"
#include "core/configrecords.h"
#include "core/db.h"

#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

qint32 busiest(const char* sql)
{
    OpenBenchDb();
    return qint32(objConn.scalar(QString::fromLatin1(sql)).toLongLong());
}

void BM_UnitsListClose(benchmark::State& state)
{
    Calendar cal;
    ShowCalendarPage(cal);
    frmConfigRooms list;
    for (auto _ : state) {
        list.Setup(-1);
        cal.SaveCalendarGridLayout();
        cal.InitHeaders();
        cal.Refresh();
        Paint(cal.findChild<QTableView*>(QStringLiteral("g")));
    }
    state.counters["units"] = double(cal.findChild<QTableView*>(QStringLiteral("g"))->model()->columnCount() - 1);
}

void BM_UnitInUseCheck(benchmark::State& state)
{
    const qint32 unit = busiest("SELECT roomid FROM bookingroom GROUP BY roomid ORDER BY COUNT(*) DESC LIMIT 1");
    state.counters["bookings"] =
        double(objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM bookingroom WHERE roomid = ?"), {unit}).toLongLong());
    for (auto _ : state)
        benchmark::DoNotOptimize(UnitRecord::isBooked(unit));
}

void BM_ItemInUseCheck(benchmark::State& state)
{
    const qint32 item =
        busiest("SELECT itemid FROM invoiceline WHERE itemid > 2 GROUP BY itemid ORDER BY COUNT(*) DESC LIMIT 1");
    state.counters["lines"] = double(objConn.scalar(QStringLiteral("SELECT COUNT(*) FROM invoiceline")).toLongLong());
    for (auto _ : state)
        benchmark::DoNotOptimize(ChargeableItemRecord::namedByInvoiceLines(item));
}

// An item no line names: the check reads every line.
void BM_ItemNotInUseCheck(benchmark::State& state)
{
    OpenBenchDb();
    for (auto _ : state)
        benchmark::DoNotOptimize(ChargeableItemRecord::namedByInvoiceLines(-5));
}

void BM_CustomFieldChoiceInUseCheck(benchmark::State& state)
{
    const qint32 choice = busiest("SELECT BookingUDFID FROM booking WHERE BookingUDFID > 1 GROUP BY BookingUDFID "
                                  "ORDER BY COUNT(*) DESC LIMIT 1");
    for (auto _ : state)
        benchmark::DoNotOptimize(BookingChoiceRecord::usedByBookings(choice));
}

}  // namespace

BENCHMARK(BM_UnitsListClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnitInUseCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemInUseCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemNotInUseCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomFieldChoiceInUseCheck)->Unit(benchmark::kMillisecond);

