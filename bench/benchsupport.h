#pragma once
// What the benchmark cases share: the large generated database, opened as
// the program opens it, in a settings folder of the benchmark's own.
#include <QString>

class frmMain;

// A folder whose "db.mdb" is the large database; it is also the program's
// folder (AppPath) and the database folder (DBPath) for the benchmarks.
QString LargeDbFolder();
// Opens objConn on the large database (once).
void OpenLargeDb();
// The main window loaded on the large database (once).
frmMain& MainOnLargeDb();
