#pragma once
// One existing booking, read-only, and the user's choice of what to do with
// it. The dialog changes nothing itself: it answers with the choice and the
// opener acts on it (see ActOnSummaryChoice).
#include <QDialog>

class BookingSummaryView;
namespace Ui { class frmBookingSummary; }

enum class SummaryChoice { Close, Edit, Cancel };

class frmBookingSummary : public QDialog {
    Q_OBJECT
public:
    // Shows the booking bookingId.
    explicit frmBookingSummary(qint32 bookingId, QWidget* parent = nullptr);
    ~frmBookingSummary() override;

    // Shows the booking and waits for the user's choice. Cancel is answered
    // only after the user agreed to cancel the booking.
    static SummaryChoice ask(qint32 bookingId, QWidget* parent);
    SummaryChoice choice() const { return m_choice; }
    qint32 bookingId() const { return m_bookingId; }

    void Form_Load();
    void cmdEdit_Click();
    void cmdCancel_Click();
    void cmdClose_Click();
    void lblEmail_Click();

private:
    Ui::frmBookingSummary* ui;
    BookingSummaryView* m_view;
    qint32 m_bookingId;
    SummaryChoice m_choice = SummaryChoice::Close;
};

// What every opener of the summary does with its answer: an edit opens the
// booking in the wizard, a cancel removes it and shows the arrivals list.
void ActOnSummaryChoice(qint32 bookingId, SummaryChoice choice);
