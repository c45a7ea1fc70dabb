#pragma once
// Functions registered on every connection to a database file, by the program
// and by the tools that build or fill one, so that all of them compare text alike.
class QString;
struct sqlite3;

namespace sqliteext {

// Registers FOLD, a collation that folds the case of every letter (SQLite's
// NOCASE folds ASCII only) and sorts accented letters with their base
// letter, and replaces LIKE with a matcher that folds case the same way, so
// that "Élodie" finds "élodie". Queries that sort or compare names say
// COLLATE FOLD, and the name indexes are built with it; SQLite's own NOCASE
// is left as it is, so that any other SQLite program reads the file alike
// and refuses, rather than damages, an index it cannot order. Returns false
// when SQLite refused a registration.
bool registerExtensions(sqlite3* db);

// FOLD's order of two UTF-8 texts: below 0, 0 or above 0. Most texts are
// compared a character at a time, without copying them; the others (a
// character outside the basic plane, a mark that keeps its place among
// others, bytes that are no UTF-8) by compareFoldedWhole.
int compareFolded(const char* a, int na, const char* b, int nb);
// The same order from the whole texts: both case-folded, compared by their
// base letters (decomposed, without non-spacing marks), then as folded.
int compareFoldedWhole(const char* a, int na, const char* b, int nb);

// Files made by earlier builds had their name indexes ordered by NOCASE
// redefined as FOLD; every index with a key compared by NOCASE is built
// again, compared by FOLD, in one transaction. Nothing happens to a file
// without such an index. On failure the file is as it was and *error says why.
bool convertNameIndexes(sqlite3* db, QString* error);

}  // namespace sqliteext
