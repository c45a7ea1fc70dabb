#pragma once
#include "config/configwizard.h"

class QComboBox;
class QKeyEvent;
namespace Ui { class frmWizConfig_Commodity; }

// Page 2: the naming convention.
class frmWizConfig_Commodity : public WizPage {
    Q_OBJECT
public:
    frmWizConfig_Commodity(WizardRun& run, WizConfigCopies& copies, QWidget* parent);
    ~frmWizConfig_Commodity() override;
    // Lists the plural of every unit word offered, in table order, with its
    // row id as item data; bSelect chooses the first entry.
    static void PopulateCombo(QComboBox* c, bool bSelect);

protected:
    bool Validate() override;
    void Store() override;

private:
    void cboList_Click();
    bool custom() const;
    Ui::frmWizConfig_Commodity* ui;
    WizConfigCopies& m_copies;
};
