#pragma once
#include "config/configwizard.h"

class QComboBox;
class QKeyEvent;
namespace Ui { class frmWizConfig_Charges; }

// Page 4: the default charge and the tax percentages.
class frmWizConfig_Charges : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Charges(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Charges() override;

protected:
    bool Validate() override;
    void Store() override;

private:
    Ui::frmWizConfig_Charges* ui;
    WizConfigCopies& m_copies;
};
