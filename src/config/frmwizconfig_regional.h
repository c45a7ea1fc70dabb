#pragma once
#include "config/configwizard.h"

class QComboBox;
class QKeyEvent;
namespace Ui { class frmWizConfig_Regional; }

// Page 3: post-code word and tax names.
class frmWizConfig_Regional : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Regional(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Regional() override;

protected:
    void Store() override;

private:
    Ui::frmWizConfig_Regional* ui;
    WizConfigCopies& m_copies;
};
