#pragma once
// What the benchmark cases share: the generated database named by the
// environment variable BENCH_DB (by default the large one the build makes),
// opened as the program opens it, in a settings folder of the benchmark's own.
#include <QString>

class Calendar;
class frmMain;
class QWidget;

// The database file the cases run on.
QString BenchDbFile();
// A folder whose "db.mdb" is that database; it is also the program's folder
// (AppPath) and the database folder (DBPath) for the benchmarks.
QString BenchDbFolder();
// Opens objConn on the database (once).
void OpenBenchDb();
// The main window loaded on the database (once).
frmMain& MainOnBenchDb();
// Opens objConn on a writable copy of the database at file (replacing what
// is there); false when that fails.
bool OpenBenchDbCopy(const QString& file);
// The occupancy calendar on the database at 1920x1080, laid out and read as
// the main window first shows it.
void ShowCalendarPage(Calendar& cal);
// Message boxes answer OK at once, without showing.
void SilenceMessageBoxes();
// Paints w as the screen would show it.
void Paint(QWidget* w);
// Presses Ctrl+End in w, as the user does to reach a list's last row.
void PressCtrlEnd(QWidget* w);
