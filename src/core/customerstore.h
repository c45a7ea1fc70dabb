#pragma once
// One customer row as a record, read and written here and nowhere else.
#include <QString>
#include <optional>

struct CustomerRecord {
    qint64 id = 0;
    QString firstName;
    QString lastName;
    QString businessName;
    QString address1;
    QString address2;
    QString city;
    QString state;
    QString postCode;
    QString country;
    QString phone;        // work phone
    QString fax;
    QString email;
    QString submittedDate;  // kept as stored; the program never writes it
    QString mobile;
    QString homePhone;
};

namespace CustomerStore {

// The customer with that id; nothing when there is no such row.
std::optional<CustomerRecord> read(qint64 id);
bool exists(qint64 id);
// Adds the customer (its id aside) and returns the new id.
qint64 add(const CustomerRecord& c);
// Writes every column the program edits (all but SubmittedDate) of the row c.id.
void update(const CustomerRecord& c);

}  // namespace CustomerStore
