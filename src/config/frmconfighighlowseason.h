#pragma once
// "Configure High and Low Seasons": marks each month high or low season. A
// change is written at once.
#include <QDialog>

namespace Ui { class frmConfigHighLowSeason; }

class frmConfigHighLowSeason : public QDialog {
    Q_OBJECT
public:
    explicit frmConfigHighLowSeason(QWidget* parent = nullptr);
    ~frmConfigHighLowSeason() override;
    // Shows the dialog modally until it is closed.
    static void ask(QWidget* parent);

    // Refills the months and selects the entry at a list position.
    void Setup(int SelectID);

    void lstList_Click();
    void lstList_DblClick();
    void cboHighLow_Click();
    void cmdOk_Click();

private:
    Ui::frmConfigHighLowSeason* ui;
};
