#pragma once
#include "booking/wizardpage.h"

namespace Ui { class UnitsPage; }

// Page 1 of the booking wizard: the units free for the booking's period, the
// booking's own units selected.
class UnitsPage : public WizardPage {
    Q_OBJECT
public:
    explicit UnitsPage(QWidget* parent = nullptr);
    ~UnitsPage() override;

    Ui::UnitsPage* ui;

    void ShowPage() override;
    // Replaces the booking's unit rows by the selected units.
    void SavePage() override;
};
