#pragma once
// Shows the splash window while the main window loads, then the main window,
// the tip of the day and the first-run questions; returns to the event loop.
void Main();
