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

    // How long the splash stands, and how soon (and how often) it loads the
    // main window behind it, in milliseconds. Tests make them short.
    static inline int ShowTimeMs = 1500;
    static inline int LoadDelayMs = 200;

    QTimer* Timer1;   // closes the splash after ShowTimeMs
    QTimer* Timer2;   // loads the main window every LoadDelayMs (once in effect)
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
