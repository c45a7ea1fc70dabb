#include "widgets/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

double perPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int toPx(int twips)
{
    return int(std::lround(twips / perPixel()));
}

int fromPx(int px)
{
    return int(std::lround(px * perPixel()));
}

}  // namespace Twips
