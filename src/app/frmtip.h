#pragma once
// The tip of the day: one line of the tips file beside the program at a time.
#include <QDialog>
#include <QStringList>

namespace Ui { class frmTip; }

class frmTip : public QDialog {
    Q_OBJECT
public:
    explicit frmTip(QWidget* parent = nullptr);
    ~frmTip() override;

    // Reads the tips of sFile and shows the next one; false when there is no
    // such file.
    bool LoadTips(const QString& sFile);
    void DisplayCurrentTip();

    // The tips in file order, and the 1-based number of the one on show.
    QStringList Tips;
    qint32 CurrentTip = 0;

private:
    Ui::frmTip* ui;
    void Form_Load();
    void DoNextTip();
    void cmdNextTip_Click();
    void cmdOK_Click();
    void chkLoadTipsAtStartup_Click();
};
