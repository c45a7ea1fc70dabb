#pragma once
// One page of the booking wizard. Showing a page loads it from the booking in
// progress (iBookingID); saving writes it back. Neither changes the step.
#include <QHash>
#include <QWidget>
#include <functional>

class WizardPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void ShowPage() {}
    // Shows what is stored for the booking, asking nothing, where showing
    // the page may ask a question first; false when it would ask none.
    virtual bool ShowStoredPage() { return false; }
    virtual void SavePage() {}
    // Whether the page may be left by Next or a step label; false after it
    // has told the user why.
    virtual bool CheckPreconditions() { return true; }
    // Whether what the page holds can be saved when it is left backwards
    // (Back tests no preconditions); false after telling the user why.
    virtual bool CheckBeforeSaving() { return true; }

signals:
    // What the page asks of its wizard: the booking's notes, read with the
    // page, shown beside it; the booking confirmed, so that neither Back nor
    // Next may be pressed again.
    void notesRead(const QString& notes);
    void bookingConfirmed();

protected:
    // Runs handler when the focus leaves box for another control of the
    // window; a message box, a popup or another window taking the focus
    // does not count.
    void OnFocusLeave(QWidget* box, std::function<void()> handler);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, std::function<void()>> m_focusLeave;
};
