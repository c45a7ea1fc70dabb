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

    void ShowPage() override;
    // Replaces the booking's unit rows by the selected units.
    void SavePage() override;
    // The heading and the list's caption, for the commodity's name (plural).
    void SetCommodityName(const QString& plural);

private:
    Ui::UnitsPage* ui;
};
