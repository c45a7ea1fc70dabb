#pragma once
// Finding, opening and checking the database file at start-up; what is read
// and changed of the file itself, the conversion of a version-2 file
// included, is in core/databasefile.h.
#include "core/databasefile.h"
#include "core/raterepair.h"

#include <QString>

class QTimer;
class QWidget;

// The database folder by the setting DBPath: the program's folder when the
// setting is missing or empty; a folder without a trailing "/" or "\" gets
// "/" appended, and that is saved.
QString DatabaseFolder();

// Opens objConn on "db.mdb" in sDBPath. On failure shows "Unable to open
// database <file>" and returns false.
bool OpenDatabase();

// Checks the file's format version. Returns when the file is accepted (a
// version-2 file only after the user agreed to convert it); every other
// outcome ends the program. The splash screen, when given, stops its timer
// before a message and is closed before ending.
void CheckDatabaseVersion(QTimer* splashTimer = nullptr, QWidget* splash = nullptr);

// Adds the indexes of schema/indexes.sql that the file lacks (a file made
// before one of them existed). Run by the version check once it accepts.
void EnsureIndexes();

// Sets the percentages outside 0 to 100 that an earlier build let into the
// file to the nearest of 0 and 100 (core/raterepair.h) and, when there were
// any, tells the user which, and where each is checked. Run once the unit
// words are read; progress, when given, is told how far the repair has come.
void RepairStoredRates(RepairProgress* progress = nullptr);
