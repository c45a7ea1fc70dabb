#pragma once
#include "booking/wizardpage.h"

namespace Ui { class DatesPage; }

class DatesPage : public WizardPage {
    Q_OBJECT
public:
    explicit DatesPage(QWidget* parent = nullptr);
    ~DatesPage() override;

    Ui::DatesPage* ui;
};
