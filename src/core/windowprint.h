#pragma once
// Printing the main window as it stands on the screen, and the page setup.
void DoPrint();
void DoPageSetup();
