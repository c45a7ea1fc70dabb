#pragma once
// The splash window shown while the main window loads behind it.
#include <QDialog>

class QTimer;
namespace Ui { class frmSplash; }

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

    QTimer* Timer1;   // closes the splash after 1500 ms
    QTimer* Timer2;   // loads the main window every 200 ms (once in effect)
    // The splash being shown at start-up, if any.
    static frmSplash* current();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::frmSplash* ui;
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Frame1_Click();
};
