#pragma once
#include "booking/wizardpage.h"

namespace Ui { class PaymentPage; }

class PaymentPage : public WizardPage {
    Q_OBJECT
public:
    explicit PaymentPage(QWidget* parent = nullptr);
    ~PaymentPage() override;

    Ui::PaymentPage* ui;

    // The header row of the invoice grid, set once at start-up.
    void InitInvoiceHeader();
    // The payment methods, in the order they were entered; filled once at start-up.
    void FillPaymentMethods();
};
