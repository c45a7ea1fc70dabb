#pragma once
// The custom customer fields: their definitions and choices, supplied with
// the database and only read, and each customer's values, written by the
// booking wizard.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct CustomFieldDefinition {
    qint64 id = 0;
    QString name;
    QString type;   // "checkbox", "combobox", anything else a text box
};

namespace CustomFieldStore {

// The fields in the order the page shows them (pos, then id).
QList<CustomFieldDefinition> definitions();
// The choices of a combo box field, in text order.
QStringList options(qint64 fieldId);
// The customer's value of the field: nothing when none is stored (the first
// stored one when several are).
std::optional<QString> value(qint64 customerId, qint64 fieldId);
// Stores the customer's value of the field, replacing the first stored one.
void save(qint64 customerId, qint64 fieldId, const QString& data);

}  // namespace CustomFieldStore
