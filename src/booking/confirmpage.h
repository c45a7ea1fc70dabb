#pragma once
// The last page of the booking wizard: the booking as stored, read-only, with
// its figures. Confirming it ends the wizard.
#include "booking/wizardpage.h"

#include <QMap>

class QLabel;
namespace Ui { class ConfirmPage; }

class ConfirmPage : public WizardPage {
    Q_OBJECT
public:
    explicit ConfirmPage(QWidget* parent = nullptr);
    ~ConfirmPage() override;

    Ui::ConfirmPage* ui;
    // The values beside the captions, by index: 0 balance due, 2 sub total,
    // 3 sales tax, 4 total payable, 5 payments, 6 payment method, 7 card type,
    // 8 card number, 9 card expiry, 10 second sales tax, 11 gratuity.
    QMap<int, QLabel*> lblConfirm;

    // Reads the booking in progress again and shows it; its figures are those
    // of CalcTotal, as everywhere else.
    void ShowPage() override;
    // Confirm: the booking was saved page by page, so this only ends the
    // wizard's buttons and brings the arrivals list forward.
    void SavePage() override;

    void cmdConfirmation_Click();
    // Opens a new message to the booking's customer.
    void lblEmail_Click();

    // The address the "Email" link writes to: the customer of the booking shown.
    QString sEmail;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void clearLabels();
};
