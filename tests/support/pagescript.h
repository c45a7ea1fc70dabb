#pragma once
// Walks a run of modal pages (a wizard): each step acts, in turn, on the
// modal page open at that moment; a step that leaves its page open hands
// that page to the next step.
#include "support/testsupport.h"

#include <QDialog>
#include <QPushButton>
#include <functional>

using PageAction = std::function<void(QDialog*)>;

// Runs show() under the steps; the object names of the pages they met.
inline QStringList walkPages(const QList<PageAction>& steps, const std::function<void()>& show)
{
    QStringList met;
    int next = 0;
    std::function<void()> arm = [&] {
        if (next < steps.size())
            onNextDialog([&](QWidget* w) {
                met << w->objectName();
                const PageAction act = steps[next++];
                arm();   // the next page opens from within this step's click
                act(qobject_cast<QDialog*>(w));
            });
    };
    arm();
    show();
    return met;
}

inline void click(QDialog* page, const char* button)
{
    control<QPushButton>(page, button)->click();
}

inline PageAction press(const char* button)
{
    return [button](QDialog* page) { click(page, button); };
}
