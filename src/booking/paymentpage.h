#pragma once
// The payment page of the booking wizard: the invoice of the booking in
// progress, its totals, the payment, the card details and the commission.
#include "booking/wizardpage.h"
#include "core/bookingunitstore.h"
#include "core/money.h"
#include "core/reserved.h"

#include <QDateTime>
#include <vector>

class QLineEdit;
namespace Ui { class PaymentPage; }

class PaymentPage : public WizardPage {
    Q_OBJECT
public:
    explicit PaymentPage(QWidget* parent = nullptr);
    ~PaymentPage() override;

    // The header row of the invoice grid, set once at start-up.
    void InitInvoiceHeader();
    // The payment methods, in the order they were entered: filled at start-up
    // and again whenever they were configured. The method chosen stays chosen
    // while it is listed, or while it is the shown booking's.
    void FillPaymentMethods();
    // Places the item buttons and fits the invoice grid to the page's width.
    void Form_Resize();
    // The commission account box, shown only while commissions are enabled.
    void SetCommissionVisible(bool visible);

    // Loads the booking's payment fields; prices the booked units and adds the
    // default items to an invoice that has no lines yet, or, when it has, offers
    // to price the units again from the booking's current dates.
    void ShowPage() override;
    bool ShowStoredPage() override;
    // Writes the payment method, tip, amount paid, commission and card details
    // to the booking. An amount that is not a number keeps its stored value,
    // and the user is told.
    void SavePage() override;
    // The card number (while CreditCardValidation is on) and the amounts.
    bool CheckPreconditions() override;
    bool CheckBeforeSaving() override { return CheckAmounts(); }
    // Whether the tip, amount paid and commission boxes hold amounts (empty
    // counts as 0); false after telling the user which one does not. Leaving
    // the page backwards runs this one without the card check.
    bool CheckAmounts();

    // Refills the invoice grid and the totals from the booking's lines. Row
    // numbers count the header as row 0; SelectRow is replaced by the row of
    // the line SelectID when it is listed.
    void RefreshNewInvoiceItemsList(int SelectRow, qint64 SelectID);

    void cboPaymentMethod_Click();
    // Leaving the box; the refresh reformats it too.
    void txtAmountPayed_Leave();
    void txtAmountPayed_LostFocus();
    void txtBalanceDue_LostFocus();
    void txtCommission_Leave();
    void txtCommission_LostFocus();
    void txtTip_LostFocus();
    void txtTotalPayable_LostFocus();
    void cmdPaidInFull_Click();
    void cmdAddOrderItem_Click();
    void cmdEditOrderItem_Click();
    void cmdDeleteOrderItem_Click();
    void gNewInvoice_DblClick();

private:
    Ui::PaymentPage* ui;
    // Loads the page from the booking; with lines already there, asks
    // whether to reprice them for the booking's dates only when told to.
    void LoadPage(bool askAboutDates);
    // The commission account and percentage of the booked units.
    void takeCommission(const std::vector<PricedUnit>& units);
    void editLine(qint64 lineId);

    // Refuses a box being left whose text is no amount it takes (no number,
    // too large for the program, a tip below zero): says so and shows the
    // box's last amount again. False when refused.
    bool TakesAmount(QLineEdit* box, const QString& caption);
    // The largest tip the total payable can take.
    Money LargestTip() const;

    // The commission of the total as it stands: the percentage the units
    // earn, 0 without an account; a commission typed on the page stays.
    void ShowCommission();
    // The stored method of the booking shown, listed (after the methods) when
    // it is no longer one of them.
    void SelectStoredMethod(const QString& method);

    Money m_tip;     // the tip the totals were made with
    Money m_total;   // the total payable shown, from which the balance is made
    bool m_commissionTyped = false;   // the user typed a commission since the page was shown
    // The booking's commission account (1: none) and the percentage its
    // units earn.
    qint32 lBookingCommissionID = CommissionAccountId::None;
    double dBookingCommissionPercentage = 0;
};

// Whether a card number passes the Luhn (mod 10) check: the text must read as
// a number; its digits, at most 20, are checked and anything else is skipped.
bool IsValidCreditCardNumber(const QString& sCardNo);
