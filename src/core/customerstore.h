#pragma once
// One customer row as a record, read and written here and nowhere else,
// the searches over customers, and a customer's removal with their bookings.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>
#include <vector>

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

// Adds the customer and makes them the booking's customer (booking 0, or no
// such booking: only the customer is added), all at once; returns the new id.
qint64 addForBooking(const CustomerRecord& c, qint64 bookingId);

// Bookings of the customer not over before today began: arriving or
// departing today or later, and stays in progress.
int futureBookingCount(qint64 id, const QDate& today);
// Bookings of the customer that ended before today.
int pastBookingCount(qint64 id, const QDate& today);
// Removes the customer with their bookings and the bookings' unit rows, all
// or nothing. Invoice lines and custom field values stay.
void removeWithBookings(qint64 id);

// A customer as the lists show one (Null columns read as empty text).
struct ListRow {
    qint64 id = 0;
    QString firstName, lastName, address1, address2, city, state, postCode, country;
    QString phone, homePhone, mobile;
    QVariantList key;   // its place in list order, for listPage and countBefore
};

// One criterion of a search: the text, as typed, anywhere in the column.
struct Criterion {
    QString column;   // a text column of the customer table
    QString text;     // empty: left out
};

// Customers in list order: last name, then first name (letters folded, no
// name as empty text), then id; those matching any filled criterion, or
// every customer when none is filled. At most count of them: after the key
// of a row read before (none: from the first), or, going back, the ones
// before it, nearest first (none: from the last).
QList<ListRow> listPage(const QList<Criterion>& criteria, const QVariantList* key, bool forward, int count);
// How many of them come before the key.
qint64 countBefore(const QList<Criterion>& criteria, const QVariantList& key);
// The key of the one offset places from the first (fromEnd: back from the
// last), counted through the list index; empty past the end.
QVariantList keyAt(const QList<Criterion>& criteria, qint64 offset, bool fromEnd);
// A customer's place in list order, as the database compares it: the names
// as UTF-8 (no name as empty text), then the id.
struct ListKey {
    qint64 id = 0;
    QByteArray lastName, firstName;
};
ListKey listKeyOf(const QVariantList& key);
// Whether a comes before b in list order.
bool listKeyBefore(const ListKey& a, const ListKey& b);
// The keys of the customers for whom wanted(id) holds, in list order (from
// the list index alone).
std::vector<ListKey> keysInListOrder(const std::function<bool(qint64 id)>& wanted);
// The keys of the customers with those ids (a missing one left out).
std::vector<ListKey> listKeysOf(const QSet<qint64>& ids);
// The customers with those ids, in the order given (a missing one left out).
QList<ListRow> listByIds(const std::vector<qint64>& ids);
// How many customers listPage lists for the criteria.
int matchCount(const QList<Criterion>& criteria);

}  // namespace CustomerStore

// The search condition of one box: empty when the box is empty; otherwise
// "<column> LIKE ?", matching the text as typed (its %, _ and \ stand for
// themselves), with the pattern appended to params.
QString AAS(const QString& sFieldname, const QString& text, QVariantList& params);
