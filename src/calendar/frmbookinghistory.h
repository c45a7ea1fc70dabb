#pragma once
// The bookings of one customer, past and future, from which the user opens a
// booking's summary. An edit or cancel chosen there closes this dialog and
// goes back to its opener, which carries it out.
#include "calendar/frmbookingsummary.h"

#include <QDialog>

namespace Ui { class frmBookingHistory; }

class frmBookingHistory : public QDialog {
    Q_OBJECT
public:
    // Lists the bookings of customer customerId.
    explicit frmBookingHistory(qint32 customerId, QWidget* parent = nullptr);
    ~frmBookingHistory() override;

    // What the user chose in the summary of one of the bookings: Close when
    // the list was closed without an edit or a cancel.
    struct Answer {
        SummaryChoice choice = SummaryChoice::Close;
        qint32 bookingId = 0;   // the booking whose summary was opened last
    };
    static Answer ask(qint32 customerId, QWidget* parent);
    Answer answer() const { return m_answer; }

    // Refills gArrivals in the chosen order.
    void ShowArrivals();

    void cboSimpleCalSort_Click();
    void cmdSimpleCalShowSummary_Click();
    void cmdClose_Click();

private:
    void Form_Load();

    Ui::frmBookingHistory* ui;
    qint32 m_customerId;
    Answer m_answer;
};
