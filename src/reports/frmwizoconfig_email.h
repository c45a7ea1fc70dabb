#pragma once
// Page 2 of the web-bookings wizard: the address that receives the bookings.
#include "widgets/wizardpages.h"
#include "core/websettingsstore.h"

namespace Ui { class frmWizOConfig_Email; }

class frmWizOConfig_Email : public WizPage {
    Q_OBJECT
public:
    frmWizOConfig_Email(WizardRun& run, WebSettings& copies, QWidget* parent);
    ~frmWizOConfig_Email() override;

protected:
    bool Validate() override;
    void Store() override;

private:
    Ui::frmWizOConfig_Email* ui;
    WebSettings& m_copies;
};
