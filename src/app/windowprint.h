#pragma once
// Printing the main window as it stands on the screen, and the page setup.
#include <QtGlobal>

class QPrinter;
class QWidget;

// Margins in thousandths of an inch.
struct RECT {
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;
};

// The printer all printing of the program goes to. It starts as the
// desktop's default printer; the print dialog and the page setup change it.
QPrinter& CurrentPrinter();

void DoPrint();
void DoPageSetup();

// Runs the page-setup dialog on the current printer; true when the user
// confirmed it, with the chosen margins in rtMargin.
bool PageSetup(QWidget* hWndOwner, RECT& rtMargin);
