// makedb: builds a database file from SQL scripts.
//
//   makedb [--if-absent] OUT.mdb file1.sql [file2.sql ...]
//
// The scripts run in the order given, in one transaction, on a new file
// beside OUT that replaces OUT only once everything succeeded, so a failed
// run leaves no half-made database behind. With --if-absent nothing happens
// when OUT exists: the program's own db.mdb holds the user's bookings and a
// rebuild must never overwrite it.
#include "core/sqliteext.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

void usage()
{
    std::fprintf(stderr, "usage: makedb [--if-absent] OUT.mdb file1.sql [file2.sql ...]\n");
}

bool readFile(const fs::path& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    *text = s.str();
    return !in.bad();
}

int lineAt(const std::string& text, size_t offset)
{
    int line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n')
            ++line;
    return line;
}

// Runs every statement of one script; on failure names the file and the line.
bool runScript(sqlite3* db, const fs::path& path, std::string* error)
{
    std::string sql;
    if (!readFile(path, &sql)) {
        *error = path.string() + ": cannot read the file";
        return false;
    }
    const char* const begin = sql.c_str();
    const char* next = begin;
    while (*next) {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        const char* start = next;
        int rc = sqlite3_prepare_v2(db, start, -1, &stmt, &tail);
        if (rc == SQLITE_OK && stmt) {
            do
                rc = sqlite3_step(stmt);
            while (rc == SQLITE_ROW);
            if (rc == SQLITE_DONE)
                rc = SQLITE_OK;
        }
        if (rc != SQLITE_OK) {
            size_t offset = size_t(start - begin);
            // Skip the blanks and comments in front of the statement so the
            // line named is the one it starts on.
            while (offset < sql.size()) {
                const char c = sql[offset];
                if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                    ++offset;
                } else if (sql.compare(offset, 2, "--") == 0) {
                    const size_t eol = sql.find('\n', offset);
                    offset = eol == std::string::npos ? sql.size() : eol + 1;
                } else {
                    break;
                }
            }
#if SQLITE_VERSION_NUMBER >= 3038000
            const int inStatement = sqlite3_error_offset(db);
            if (inStatement >= 0)
                offset = size_t(start - begin) + size_t(inStatement);
#endif
            *error = path.string() + ":" + std::to_string(lineAt(sql, offset)) + ": " + sqlite3_errmsg(db);
            sqlite3_finalize(stmt);
            return false;
        }
        sqlite3_finalize(stmt);
        if (tail == start)  // nothing consumed: only blanks or comments were left
            break;
        next = tail;
    }
    return true;
}

bool exec(sqlite3* db, const char* sql, std::string* error)
{
    char* msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) == SQLITE_OK)
        return true;
    *error = std::string(sql) + ": " + (msg ? msg : sqlite3_errmsg(db));
    sqlite3_free(msg);
    return false;
}

void removeQuietly(const fs::path& path)
{
    std::error_code ec;
    fs::remove(path, ec);
    fs::remove(fs::path(path.string() + "-journal"), ec);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    bool ifAbsent = false;
    if (!args.empty() && args.front() == "--if-absent") {
        ifAbsent = true;
        args.erase(args.begin());
    }
    if (args.size() < 2 || args.front().rfind("--", 0) == 0) {
        usage();
        return 2;
    }
    const fs::path out = args.front();
    const std::vector<std::string> scripts(args.begin() + 1, args.end());

    std::error_code ec;
    if (ifAbsent && fs::exists(out, ec))
        return 0;

    for (const auto& script : scripts) {
        if (!fs::is_regular_file(script, ec)) {
            std::fprintf(stderr, "makedb: %s: no such file\n", script.c_str());
            return 1;
        }
    }

    fs::path dir = out.parent_path();
    if (!dir.empty() && !fs::exists(dir, ec))
        fs::create_directories(dir, ec);
    const fs::path temp = fs::path(out.string() + ".part" + std::to_string(getpid()));
    removeQuietly(temp);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temp.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        std::fprintf(stderr, "makedb: %s: %s\n", temp.string().c_str(), db ? sqlite3_errmsg(db) : "cannot open");
        sqlite3_close(db);
        removeQuietly(temp);
        return 1;
    }
    std::string error;
    bool ok = sqliteext::registerExtensions(db);
    if (!ok)
        error = "cannot register the text collation and LIKE";
    ok = ok && exec(db, "BEGIN", &error);
    for (size_t i = 0; ok && i < scripts.size(); ++i)
        ok = runScript(db, scripts[i], &error);
    ok = ok && exec(db, "COMMIT", &error);
    if (!ok)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (sqlite3_close(db) != SQLITE_OK && ok) {
        ok = false;
        error = "cannot close " + temp.string();
    }
    if (!ok) {
        std::fprintf(stderr, "makedb: %s\n", error.c_str());
        removeQuietly(temp);
        return 1;
    }

    // rename() replaces an existing file in one step (MoveFileEx on Windows).
    fs::rename(temp, out, ec);
    if (ec) {
        std::fprintf(stderr, "makedb: cannot rename %s to %s: %s\n", temp.string().c_str(),
                     out.string().c_str(), ec.message().c_str());
        removeQuietly(temp);
        return 1;
    }
    return 0;
}
