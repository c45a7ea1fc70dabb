// Start-up: opening the database with the version check, and the main
// window's whole load handler.
#include "app/frmmain.h"
#include "benchsupport.h"
#include "widgets/database.h"
#include "core/db.h"

#include <benchmark/benchmark.h>

static void BM_OpenWithVersionCheck(benchmark::State& state)
{
    const QString file = BenchDbFolder() + QStringLiteral("db.mdb");
    for (auto _ : state) {
        objConn.open(file);
        CheckDatabaseVersion(nullptr);
        objConn.close();
    }
}
BENCHMARK(BM_OpenWithVersionCheck)->Unit(benchmark::kMillisecond);

static void BM_MainWindowLoad(benchmark::State& state)
{
    BenchDbFolder();
    for (auto _ : state) {
        DestroyMainForm();
        objConn.close();
        MainForm();
    }
}
BENCHMARK(BM_MainWindowLoad)->Unit(benchmark::kMillisecond);

// The main window loaded, shown and painted as the start-up shows it, with
// the arrivals of today in front: start to the main window on screen, but
// for the splash's own delays.
static void BM_MainWindowShown(benchmark::State& state)
{
    BenchDbFolder();
    for (auto _ : state) {
        DestroyMainForm();
        objConn.close();
        frmMain& main = MainForm();
        main.show();
        Paint(&main);
    }
    DestroyMainForm();
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond);
