#pragma once
// Functions registered on every connection to a database file, by the program
// and by the tools that build or fill one, so that all of them compare text alike.
struct sqlite3;

namespace sqliteext {

// Replaces NOCASE with a collation that folds the case of every letter
// (SQLite's own folds ASCII only) and sorts accented letters with their base
// letter, and LIKE with a matcher that folds case the same way, so that
// "Élodie" finds "élodie". The same collation is also named FOLD. Returns false when SQLite refused a registration.
bool registerExtensions(sqlite3* db);

}  // namespace sqliteext
