#pragma once
// The about box: the product, its version and maker, a link to the maker's
// web site and the desktop's system-information tool.
#include <QDialog>

namespace Ui { class frmAbout; }

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    // Starts the system-information tool, or says that there is none.
    void StartSysInfo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::frmAbout* ui;
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label2_Click();
    void Picture4_Click();
};
