#pragma once
// Rules every window of the program keeps, enforced in one place for all of
// them, the windows that Qt itself shows (message boxes, the save dialog)
// included:
// - Tab and Shift+Tab move from a list or grid to the next control; the arrow
//   keys move inside it.
// - A dialog's title bar offers its close box (and its help box, where it has
//   one), never a minimise or maximise box.
// - A control that takes the focus is named for a screen reader by its
//   caption, or by its label: the label whose buddy it is, else the label
//   written just before it (to its left, or just above it).
// - An item of a list or grid is told as focused only while its view has the
//   focus.

// Installs the rules on the running application; run once, before any window.
void InstallWindowRules();

#include <QList>

class QWidget;

// A window that opens collapsed, with some of its controls below its lower
// edge until it grows: those controls take no focus, by Tab or otherwise,
// while they lie out of sight, and take it as they did once in sight again.
void FocusOnlyInSight(QWidget* window, const QList<QWidget*>& controls);
