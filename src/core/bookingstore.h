#pragma once
// One booking row as a record, read and written here and nowhere else.
#include "core/customerstore.h"
#include "core/money.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>

struct BookingRecord {
    qint32 id = 0;
    qint64 customerId = 0;                // 0: no customer yet
    bool hasCustomer = false;             // false also when the column is Null
    QDateTime from;                       // arrival
    QDateTime to;                         // departure
    QVariant noAdults;                    // as stored: Null shows as nothing
    QVariant noKids;
    QString bookedBy;
    QString notes;
    QString paymentMethod;
    Money tip;
    Money amountPayed;
    std::optional<qint64> commissionId;   // Null: none stored
    Money commissionAmount;
    QString creditCardNo;
    QString creditCardExpiry;
    QString creditCardType;
    std::optional<qint64> bookingUdfId;   // Null: no choice stored
    Money discount;
};

namespace BookingStore {

// The booking with that id; nothing when there is no such row.
std::optional<BookingRecord> read(qint64 id);
bool exists(qint64 id);

// A new booking for the given stay, its texts empty; returns its id.
qint32 addPlaceholder(const QDateTime& from, const QDateTime& to);

void saveDates(qint64 id, const QString& bookedBy, const QDateTime& from, const QDateTime& to);
void saveNotes(qint64 id, const QString& notes);
void saveGuestCounts(qint64 id, const QVariant& adults, const QVariant& kids);
void saveCustomer(qint64 id, qint64 customerId);
void saveCustomField(qint64 id, qint64 bookingUdfId);

// The payment step's columns; an amount left out keeps what is stored.
struct Payment {
    QString paymentMethod;
    std::optional<Money> tip;
    std::optional<Money> amountPayed;
    std::optional<Money> commissionAmount;
    qint64 commissionId = 0;
    QString creditCardNo;
    QString creditCardExpiry;
    QString creditCardType;
};
void savePayment(qint64 id, const Payment& p);

// The customer step, written all at once: the guest counts; the typed
// customer, changing the booking's customer row, or adding one and making
// it the booking's when it has none (or its row was removed); the choice of
// the custom booking field; and the customer's custom field values (field id
// and value). Returns the customer's id.
struct CustomerStep {
    QVariant adults;
    QVariant kids;
    CustomerRecord customer;   // its id aside
    qint64 bookingUdfId = 0;
    QList<std::pair<qint64, QString>> customValues;
};
qint64 saveCustomerStep(qint64 id, const CustomerStep& step);

// Removes the booking with its units and its invoice lines: a cancelled
// booking was never income. (The customer stays.)
void remove(qint64 id);

// The customers of those bookings (the ones that exist).
QSet<qint64> customersOf(const QSet<qint64>& bookingIds);

}  // namespace BookingStore

// Bookings that have a customer, found by their days: arriving on or after
// the arrival day, departing by the end of the departure day (an invalid
// day sets no condition). Read a page at a time in order of arrival,
// departure and id; keyset paging on that order reads each page from the
// dates index alone; the place of a row counts the rows before it from the
// dates index alone where every booking has its customer.
struct FoundBooking {
    qint32 id = 0;
    QString firstName;
    QString lastName;
    QDateTime from;
    QDateTime to;
    QVariantList key;   // where the next page starts
};

class Query;

class BookingSearch {
public:
    BookingSearch(const QDate& arrive, const QDate& depart);
    ~BookingSearch();
    BookingSearch(const BookingSearch&) = delete;
    BookingSearch& operator=(const BookingSearch&) = delete;

    // At most limit bookings after the key of a booking found before (none:
    // from the first), or before it going back, nearest first (none: from
    // the last).
    QList<FoundBooking> page(const QVariantList* key, bool forward, int limit) const;
    // How many of them come before the key.
    qint64 countBefore(const QVariantList& key) const;

    // Counts the matches a slice at a time, adding at most slice of them to
    // *counted each call; false once every match is counted (the next call
    // counts afresh).
    bool countSome(int slice, qint64* counted);

private:
    // " FROM ... WHERE" the matches, after the key or before it.
    QString matching(const QVariantList* key, bool after, QVariantList& params) const;

    QVariant m_from;        // the earliest arrival; invalid: none
    QString m_where;        // the other criteria, with their values
    QVariantList m_params;
    std::unique_ptr<Query> m_counting;
};
