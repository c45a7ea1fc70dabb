#pragma once
// The last page of the booking wizard: the booking as stored, read-only, with
// its figures. Confirming it ends the wizard.
#include "booking/wizardpage.h"

class BookingSummaryView;
namespace Ui { class ConfirmPage; }

class ConfirmPage : public WizardPage {
    Q_OBJECT
public:
    explicit ConfirmPage(QWidget* parent = nullptr);
    ~ConfirmPage() override;

    // Reads the booking in progress again and shows it; its figures are those
    // of CalcTotal, as everywhere else.
    void ShowPage() override;
    // Confirm: the booking was saved page by page, so this only ends the
    // wizard's buttons and brings the arrivals list forward.
    void SavePage() override;

    // Places the button and the line above it from the page's size.
    void Form_Resize();

    void cmdConfirmation_Click();
    // Opens a new message to the booking's customer.
    void lblEmail_Click();

    // The address the "Email" link writes to: the customer of the booking shown.
    QString sEmail() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Ui::ConfirmPage* ui;
    BookingSummaryView* m_view;
};
