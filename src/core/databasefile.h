#pragma once
// What the start-up reads and changes of the database file itself: its
// format version, its indexes and the conversion of an older format.
#include <QString>
#include <QVariant>

namespace DatabaseFile {

// Whether the file has the table DatabaseVersion.
bool hasVersionTable();
// The stored version; invalid when the table holds no row, Null when its
// value is.
QVariant storedVersion();
// Runs the statements of an index script ("--" lines are comments, ";"
// ends a statement) in one transaction: a failure leaves the indexes as they were.
void applyIndexes(const QString& script);

}  // namespace DatabaseFile

// Brings a version-2 file to version 3 in one transaction: a failure leaves
// the file as it was.
void ConvertDatabaseFrom_2_To_3();
