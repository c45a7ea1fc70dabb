#pragma once
// The rows the program changes, followed as it changes them. A watch names
// integer columns of some tables; from its start on, every row the
// program's connection adds, changes or removes in those tables leaves the
// value it had in the column and the value it then has (a row added only
// the latter, a row removed only the former). A row changed and then put
// back, or changed in work that was rolled back, is seen all the same.
//
// What the watch cannot follow makes take() answer false: the file changed
// by another program, the database opened afresh, a value the engine could
// not give, or more rows changed than it keeps (then the one watching works
// everything out again).
//
//   ChangeWatch watch({{"booking", "customerid"}, {"customer", "id"}});
//   ...
//   std::vector<QSet<qint64>> seen;
//   if (watch.take(&seen)) ... seen[0]: customers of bookings changed
#include <QList>
#include <QSet>
#include <QString>
#include <vector>

struct sqlite3;

class ChangeWatch {
public:
    struct Column {
        QString table;
        QString column;
    };
    // Values kept per column before the watch gives up.
    static constexpr int kMostValues = 20000;

    explicit ChangeWatch(const QList<Column>& columns);
    ~ChangeWatch();
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    // The values seen since the start or the last take(), one set per
    // column in the order given, and starts afresh; false (and the sets
    // empty) when the changes could not all be followed.
    bool take(std::vector<QSet<qint64>>* seen);

    // For the connection's hook.
    void rowChanging(sqlite3* db, int op, const char* table);

private:
    void start();

    QList<Column> m_columns;
    std::vector<int> m_index;          // each column's place in its table; -1 none
    std::vector<QSet<qint64>> m_seen;
    QString m_connection;              // the opening of the database watched
    qint64 m_dataVersion = -1;         // the file's change count by other programs
    bool m_lost = false;
};
