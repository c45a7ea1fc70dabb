#pragma once
// A stored booking summed up in labels: its stay, guests, customer, payment
// details and figures. The wizard's confirmation page and the booking summary
// both show a booking through this, each with labels of its own design.
#include "core/bookingstore.h"

#include <QObject>
#include <QString>
#include <optional>

class QLabel;
class QWidget;

class BookingSummaryView : public QObject {
    Q_OBJECT
public:
    // Binds the labels of host by their names; a label the host lacks (the
    // summary has no balance due) stays null and is skipped.
    explicit BookingSummaryView(QWidget* host);

    // Empties every value, so nothing of the booking shown before remains.
    void clear();
    // Reads the booking and shows it with its figures (those of CalcTotal, as
    // everywhere else). Nothing is shown, and nothing returned, when the
    // booking is gone. The stay is shown in dates; the caller may add to it.
    std::optional<BookingRecord> show(qint32 bookingId);

    // Opens a new message to the customer of the booking shown (what the
    // "Email" link does), or tells why the mail program could not open.
    void openEmail() const;
    // The address the "Email" link writes to.
    const QString& email() const { return m_email; }

    QLabel* dates = nullptr;            // lblConfirmDates
    QLabel* adultsChildren = nullptr;   // lblConfirmAdultsChildren
    QLabel* contact = nullptr;          // lblConfirmContact
    QLabel* emailLink = nullptr;        // lblEmail
    QLabel* balanceDue = nullptr;       // lblConfirm_0
    QLabel* subTotal = nullptr;         // lblConfirm_2
    QLabel* salesTax = nullptr;         // lblConfirm_3
    QLabel* totalPayable = nullptr;     // lblConfirm_4
    QLabel* payments = nullptr;         // lblConfirm_5
    QLabel* paymentMethod = nullptr;    // lblConfirm_6
    QLabel* cardType = nullptr;         // lblConfirm_7
    QLabel* cardNo = nullptr;           // lblConfirm_8
    QLabel* cardExpiry = nullptr;       // lblConfirm_9
    QLabel* salesTax2 = nullptr;        // lblConfirm_10
    QLabel* tip = nullptr;              // lblConfirm_11

private:
    QList<QLabel*> values() const;
    QString m_email;
};
