#include "widgets/startmove.h"

#include <QWindow>

std::function<void(QWidget*)> StartMoveWatcher;

void StartMove(QWidget* frm)
{
    if (!frm)
        return;
    // The desktop takes the pointer over: whatever holds it lets go first.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (StartMoveWatcher)
        StartMoveWatcher(frm);
    if (QWindow* window = frm->window()->windowHandle())
        window->startSystemMove();
}
