#pragma once
// What a screen reader is told of the lists and grids: their rows, cells and
// headers as Qt tells them, with the focus on an item only while its list or
// grid has the focus (Qt 6.4 tells the current item as focused wherever the
// focus is, so a reader would hear a list's last item over a button).

// Makes the program's lists and grids tell their items this way; run once.
void InstallItemViewAccessibility();
