#pragma once
// Positions and sizes of the windows are designed in twips (1/1440 inch);
// these convert them with the screen's logical resolution (15 twips a pixel
// at 96 dpi).
namespace Twips {

double perPixel();
int toPx(int twips);
int fromPx(int px);

}  // namespace Twips
