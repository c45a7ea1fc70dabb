#pragma once
#include "booking/wizardpage.h"

namespace Ui { class UnitsPage; }

class UnitsPage : public WizardPage {
    Q_OBJECT
public:
    explicit UnitsPage(QWidget* parent = nullptr);
    ~UnitsPage() override;

    Ui::UnitsPage* ui;
};
