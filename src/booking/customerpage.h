#pragma once
#include "booking/wizardpage.h"

namespace Ui { class CustomerPage; }

class CustomerPage : public WizardPage {
    Q_OBJECT
public:
    explicit CustomerPage(QWidget* parent = nullptr);
    ~CustomerPage() override;

    Ui::CustomerPage* ui;
};
