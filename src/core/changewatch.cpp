#include "core/changewatch.h"

#include "core/db.h"

// The engine declares its hook of changes to come only on request; the
// library the program links carries it.
#define SQLITE_ENABLE_PREUPDATE_HOOK 1
#include <sqlite3.h>

#include <algorithm>

namespace {

std::vector<ChangeWatch*>& Watches()
{
    static std::vector<ChangeWatch*> watches;
    return watches;
}

void RowChanging(void*, sqlite3* db, int op, const char*, const char* table, sqlite3_int64, sqlite3_int64)
{
    for (ChangeWatch* w : Watches())
        w->rowChanging(db, op, table);
}

// The hook on the connection's database as it is now opened, set while a
// watch lives.
void HookConnection(bool on)
{
    if (sqlite3* h = objConn.handle())
        sqlite3_preupdate_hook(h, on ? RowChanging : nullptr, nullptr);
}

qint64 DataVersion()
{
    return objConn.isOpen() ? objConn.scalar(QStringLiteral("PRAGMA data_version")).toLongLong() : -1;
}

}  // namespace

ChangeWatch::ChangeWatch(const QList<Column>& columns) : m_columns(columns)
{
    Watches().push_back(this);
    start();
}

ChangeWatch::~ChangeWatch()
{
    auto& watches = Watches();
    watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
    if (watches.empty())
        HookConnection(false);
}

void ChangeWatch::start()
{
    m_seen.assign(m_columns.size(), {});
    m_index.assign(m_columns.size(), -1);
    m_lost = !objConn.isOpen();
    m_connection = objConn.connectionName();
    m_dataVersion = DataVersion();
    if (m_lost)
        return;
    for (int i = 0; i < m_columns.size(); ++i)
        m_index[i] = objConn.columnIndex(m_columns.at(i).table, m_columns.at(i).column);
    HookConnection(true);
}

bool ChangeWatch::take(std::vector<QSet<qint64>>* seen)
{
    const bool followed =
        !m_lost && objConn.isOpen() && objConn.connectionName() == m_connection && DataVersion() == m_dataVersion;
    *seen = followed ? std::move(m_seen) : std::vector<QSet<qint64>>(m_columns.size());
    if (followed)
        m_seen.assign(m_columns.size(), {});
    else
        start();
    return followed;
}

void ChangeWatch::rowChanging(sqlite3* db, int op, const char* table)
{
    if (m_lost)
        return;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_index[i] < 0 || m_columns.at(i).table.compare(QLatin1String(table), Qt::CaseInsensitive) != 0)
            continue;
        QSet<qint64>& values = m_seen[i];
        // A value the engine does not give is a change not followed.
        bool given = true;
        const auto keep = [&](int rc, sqlite3_value* v) {
            if (rc != SQLITE_OK)
                given = false;
            else if (v && sqlite3_value_type(v) == SQLITE_INTEGER)
                values.insert(sqlite3_value_int64(v));
        };
        if (op != SQLITE_INSERT) {
            sqlite3_value* v = nullptr;
            const int rc = sqlite3_preupdate_old(db, m_index[i], &v);
            keep(rc, v);
        }
        if (op != SQLITE_DELETE) {
            sqlite3_value* v = nullptr;
            const int rc = sqlite3_preupdate_new(db, m_index[i], &v);
            keep(rc, v);
        }
        if (!given || values.size() > kMostValues) {
            m_lost = true;
            m_seen.assign(m_columns.size(), {});
            return;
        }
    }
}
