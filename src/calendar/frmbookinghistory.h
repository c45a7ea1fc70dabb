#pragma once
// The bookings of one customer, past and future, from which the user opens a
// booking's summary. An edit or cancel chosen there closes this dialog and
// goes back to its opener, which carries it out.
#include <QDialog>

namespace Ui { class frmBookingHistory; }

class frmBookingHistory : public QDialog {
    Q_OBJECT
public:
    // Lists the bookings of customer giCustomerHistoryID.
    explicit frmBookingHistory(QWidget* parent = nullptr);
    ~frmBookingHistory() override;

    Ui::frmBookingHistory* ui;

    // Refills gArrivals in the chosen order.
    void ShowArrivals();

    void cboSimpleCalSort_Click();
    void cmdSimpleCalShowSummary_Click();
    void cmdClose_Click();

private:
    void Form_Load();
};
