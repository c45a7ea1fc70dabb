#pragma once
#include "config/configwizard.h"

class QComboBox;
class QKeyEvent;
namespace Ui { class frmWizConfig_Rooms; }

// Page 5: the units. Adding and removing change the copies at once, so they
// survive Back.
class frmWizConfig_Rooms : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Rooms(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Rooms() override;

    void cmdAdd_Click();
    void cmdRemove_Click();

protected:
    bool Validate() override;
    // Enter in the name box adds the unit rather than going on.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Ui::frmWizConfig_Rooms* ui;
    WizConfigCopies& m_copies;
};
