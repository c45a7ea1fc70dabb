#pragma once
// The booking panel: the five-page wizard through which a booking is entered
// or changed.
#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class DatesPage;
class UnitsPage;
class CustomerPage;
class PaymentPage;
class ConfirmPage;
namespace Ui { class BookingWizard; }

class BookingWizard : public QWidget {
    Q_OBJECT
public:
    explicit BookingWizard(QWidget* parent = nullptr);
    ~BookingWizard() override;

    Ui::BookingWizard* ui;
    QList<QPushButton*> cmdBack;   // 0: button bar, 1: progress box
    QList<QPushButton*> cmdNext;
    QList<QLabel*> lblStep;

    DatesPage* dates() const;
    UnitsPage* units() const;
    CustomerPage* customer() const;
    PaymentPage* payment() const;
    ConfirmPage* confirm() const;

    // Add Booking, once the booking panel is in front: starts a new booking
    // when none is in progress, else resumes it at its step.
    void StartOrResumeBooking();
    // Find Booking: the booking search, then the chosen booking on its last page.
    void FindBooking();
};

// Deletes a booking and its unit rows; its invoice lines stay.
void DoCancel(qint32 bookingId);
