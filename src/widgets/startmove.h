#pragma once
// Moving a window by something other than its title bar.
#include <QWidget>
#include <functional>

// Starts a system move of frm's window with the mouse, as if its title bar
// had been grabbed. Failures are ignored: the window simply stays.
void StartMove(QWidget* frm);

// Called with the window each time a move is asked for (tests watch it: an
// offscreen desktop moves nothing).
extern std::function<void(QWidget*)> StartMoveWatcher;
