#pragma once
// The booking panel: the five-page wizard through which a booking is entered
// or changed. It works on the booking in progress (iBookingID, whose row
// exists from the start) and saves a page when the user leaves it.
#include <QList>
#include <QWidget>

struct PanelArea;
class QLabel;
class QPushButton;
class DatesPage;
class UnitsPage;
class CustomerPage;
class PaymentPage;
class ConfirmPage;
class WizardPage;
namespace Ui { class BookingWizard; }

class BookingWizard : public QWidget {
    Q_OBJECT
public:
    explicit BookingWizard(QWidget* parent = nullptr);
    ~BookingWizard() override;

    QList<QPushButton*> cmdBack;   // 0: button bar, 1: progress box
    QList<QPushButton*> cmdNext;
    QList<QLabel*> lblStep;

    DatesPage* dates() const;
    UnitsPage* units() const;
    CustomerPage* customer() const;
    PaymentPage* payment() const;
    ConfirmPage* confirm() const;
    // The page of step i (0 to 4); null for any other number.
    WizardPage* page(int i) const;

    // Add Booking, once the booking panel is in front: starts a new booking
    // when none is in progress, else resumes it at its step.
    void StartOrResumeBooking();
    // Find Booking: the booking search, then the chosen booking on its last page.
    void FindBooking();

    // Whether the current page may be left; false after telling the user why.
    bool CheckPerformBookingStep_Preconditions();
    // Saves page i; any other number does nothing.
    void PerformBookingStep(int& i);
    // Loads page i from the database and makes it the one page shown.
    void ShowBookingStep(int& i);
    // Bold caption for step i, normal for the others.
    void HighlightBookingStep(int i);

    void cmdNext_Click(int Index);
    void cmdBack_Click(int Index);
    void lblStep_Click(int Index);
    void cmdCancel_Click();
    void txtBookingNotes_LostFocus();
    // Lays out the panel and its pages in the main window's area.
    void Form_Resize(const PanelArea& area);
    // The captions that name the commodity (plural), on the panel and its pages.
    void SetCommodityName(const QString& plural);
    // Shows the notes of the booking in progress beside every page.
    void SetBookingNotes(const QString& notes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::BookingWizard* ui;
    // Makes page i the one page shown, with the buttons and the step caption it wants.
    void PresentStep(int i);
    bool m_resuming = false;   // showing the step of a booking resumed
};

// Deletes a booking with its unit rows and its invoice lines.
void DoCancel(qint32 bookingId);
