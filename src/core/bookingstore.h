#pragma once
// One booking row as a record, read and written here and nowhere else.
#include "core/db.h"
#include "core/money.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

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

// Removes the booking and its units (its invoice lines stay, as before).
void remove(qint64 id);

// The booking search: bookings that have a customer row, arriving on or
// after `from` and departing on or before `to` (an invalid bound is no
// criterion), in order of arrival, then departure, then id.
struct Found {
    qint32 id = 0;
    QString firstName, lastName;
    QVariant from, to;   // as stored
};
// At most limit of them, from the first or, given the last row read, from
// the one after it (its fromdate, todate and id).
QList<Found> findPage(const QVariant& from, const QVariant& to, const Found* after, int limit);
// One row per match, in no particular order, for counting them as they come.
Query findMatches(const QVariant& from, const QVariant& to);

}  // namespace BookingStore
