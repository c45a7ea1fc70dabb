#pragma once
// Laying out a panel of the main window in twips. The main window hands each
// panel the area it works in; the panel places its own controls in it.
//
// A size below zero is refused: that step is skipped and the control keeps
// what it had, as is a step on a control that is not there.
#include <QLoggingCategory>
#include <QWidget>
#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcLayout)

// The main window's inner area, in twips: W x H under the menu bar with the
// toolbar (T high) at its top. The panels' constants are made for it.
struct PanelArea {
    int W = 0;
    int H = 0;
    int T = 0;
};

namespace PanelLayout {

int leftOf(const QWidget* w);
int topOf(const QWidget* w);
int widthOf(const QWidget* w);
int heightOf(const QWidget* w);
void setLeft(QWidget* w, int twips);
void setTop(QWidget* w, int twips);
void setWidth(QWidget* w, int twips);
void setHeight(QWidget* w, int twips);
// A horizontal rule line: X1 is its left end, X2 its right end, and Y1 = Y2
// the middle of its thickness. A right end left of X1 is refused.
void setLineX2(QWidget* line, int twips);
void setLineY(QWidget* line, int twips);

// A step of the layout that re-reads data: skipped while no database is
// open, and one that fails is skipped too (and logged), like every step; a
// damaged or unreadable file is told.
void refreshStep(const char* what, const std::function<void()>& step);

}  // namespace PanelLayout
