#include "core/customfieldstore.h"

#include "core/db.h"

namespace CustomFieldStore {

namespace {

const char* const kFirstValue =
    "SELECT id, data FROM CustomerUDFData WHERE customerid = ? AND CustomerUDFID = ? ORDER BY id LIMIT 1";

}  // namespace

QList<CustomFieldDefinition> definitions()
{
    QList<CustomFieldDefinition> fields;
    Query q = objConn.query(QStringLiteral("SELECT id, name, type FROM CustomerUDF ORDER BY pos, id"));
    while (q.next())
        fields.append({q.integer(0), q.text(1), q.text(2)});
    return fields;
}

QStringList options(qint64 fieldId)
{
    QStringList choices;
    Query q = objConn.query(
        QStringLiteral("SELECT option FROM CustomerUDFOption WHERE itemCustomFieldID = ? ORDER BY option COLLATE FOLD, id"),
        {fieldId});
    while (q.next())
        choices << q.text(0);
    return choices;
}

std::optional<QString> value(qint64 customerId, qint64 fieldId)
{
    Query q = objConn.query(QString::fromLatin1(kFirstValue), {customerId, fieldId});
    if (!q.next())
        return std::nullopt;
    return q.text(1);
}

void save(qint64 customerId, qint64 fieldId, const QString& data)
{
    std::optional<qint64> stored;
    {
        Query q = objConn.query(QString::fromLatin1(kFirstValue), {customerId, fieldId});
        if (q.next())
            stored = q.integer(0);
    }
    if (stored)
        objConn.execute(QStringLiteral("UPDATE CustomerUDFData SET data = ? WHERE id = ?"), {data, *stored});
    else
        objConn.insert(QStringLiteral("CustomerUDFData"), {{QStringLiteral("CustomerID"), customerId},
                                                           {QStringLiteral("Data"), data},
                                                           {QStringLiteral("CustomerUDFID"), fieldId}});
}

}  // namespace CustomFieldStore
