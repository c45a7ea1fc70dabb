#pragma once
// "Payment Details": one payment to a commission account, new or stored.
#include <QDateTime>
#include <QDialog>

namespace Ui { class frmAddCommissionPayment; }

class frmAddCommissionPayment : public QDialog {
    Q_OBJECT
public:
    // paymentId -1 records a new payment to presetAccountId (-1: the first
    // account); else the payment with that id is edited.
    frmAddCommissionPayment(qint32 paymentId, qint32 presetAccountId, QWidget* parent = nullptr);
    ~frmAddCommissionPayment() override;

    // Shows the dialog modally; true when the payment was saved.
    static bool ask(qint32 paymentId, qint32 presetAccountId, QWidget* parent);

    void cboAccount_Click();
    void txtAmount_LostFocus();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load(qint32 presetAccountId);

    Ui::frmAddCommissionPayment* ui;
    qint32 m_id;
    QDateTime m_submitted;   // the date chosen keeps this time of day
};
