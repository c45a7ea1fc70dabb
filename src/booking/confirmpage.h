#pragma once
#include "booking/wizardpage.h"

namespace Ui { class ConfirmPage; }

class ConfirmPage : public WizardPage {
    Q_OBJECT
public:
    explicit ConfirmPage(QWidget* parent = nullptr);
    ~ConfirmPage() override;

    Ui::ConfirmPage* ui;
};
