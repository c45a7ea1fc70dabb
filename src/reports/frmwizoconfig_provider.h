#pragma once
// Page 3 of the web-bookings wizard: where the booking form posts to, the
// default form service or a custom address.
#include "widgets/wizardpages.h"
#include "core/websettingsstore.h"

namespace Ui { class frmWizOConfig_Provider; }

class frmWizOConfig_Provider : public WizPage {
    Q_OBJECT
public:
    frmWizOConfig_Provider(WizardRun& run, WebSettings& copies, QWidget* parent);
    ~frmWizOConfig_Provider() override;

    // A key that types or edits the custom address chooses it.
    void txtCustom_KeyDown();

protected:
    bool Validate() override;
    void Store() override;

private:
    Ui::frmWizOConfig_Provider* ui;
    WebSettings& m_copies;
};
