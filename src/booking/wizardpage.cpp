#include "booking/wizardpage.h"

#include "widgets/guard.h"

#include <QFocusEvent>

void WizardPage::OnFocusLeave(QWidget* box, std::function<void()> handler)
{
    m_focusLeave.insert(box, std::move(handler));
    box->installEventFilter(this);
}

bool WizardPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const auto handler = m_focusLeave.constFind(watched);
            if (handler != m_focusLeave.cend())
                RunGuarded(*handler);
        }
    }
    return QWidget::eventFilter(watched, event);
}
