#pragma once
// Page 2 of the mailing-list wizard: the name of the file to write.
#include "widgets/wizardpages.h"

namespace Ui { class frmWizMailList_File; }

class frmWizMailList_File : public WizPage {
    Q_OBJECT
public:
    // fileName: the wizard's copy, shown in the box and set by Next.
    frmWizMailList_File(WizardRun& run, QString& fileName, QWidget* parent);
    ~frmWizMailList_File() override;

    void cmdBrowse_Click();

protected:
    bool Validate() override;
    void Store() override;

private:
    Ui::frmWizMailList_File* ui;
    QString& m_fileName;
};
