#include "core/databasefile.h"

#include "core/db.h"

namespace DatabaseFile {

bool hasVersionTable()
{
    return objConn.tableExists(QStringLiteral("DatabaseVersion"));
}

QVariant storedVersion()
{
    Query q = objConn.query(QStringLiteral("SELECT ver FROM DatabaseVersion"));
    return q.next() ? q.value(0) : QVariant();
}

void applyIndexes(const QString& text)
{
    QString script;
    for (const QString& line : text.split(u'\n'))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            script += line + u'\n';
    // All or none: a file never keeps an index dropped and not made again.
    Connection::Transaction transaction(objConn);
    for (const QString& statement : script.split(u';'))
        if (!statement.trimmed().isEmpty())
            objConn.execute(statement);
    transaction.commit();
}

}  // namespace DatabaseFile

void ConvertDatabaseFrom_2_To_3()
{
    Connection::Transaction transaction(objConn);
    objConn.execute(QStringLiteral("ALTER TABLE customer ADD COLUMN Mobile TEXT(50)"));
    objConn.execute(QStringLiteral("ALTER TABLE customer ADD COLUMN HomePhone TEXT(50)"));
    objConn.execute(QStringLiteral("UPDATE DatabaseVersion SET ver=3"));
    transaction.commit();
}
