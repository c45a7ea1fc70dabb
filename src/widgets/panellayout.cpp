#include "widgets/panellayout.h"

#include "widgets/guard.h"

#include "core/apperror.h"
#include "core/db.h"
#include "widgets/twips.h"

Q_LOGGING_CATEGORY(lcLayout, "tarlomy.layout")

namespace PanelLayout {

int leftOf(const QWidget* w) { return w ? Twips::fromPx(w->x()) : 0; }
int topOf(const QWidget* w) { return w ? Twips::fromPx(w->y()) : 0; }
int widthOf(const QWidget* w) { return w ? Twips::fromPx(w->width()) : 0; }
int heightOf(const QWidget* w) { return w ? Twips::fromPx(w->height()) : 0; }

void setLeft(QWidget* w, int twips)
{
    if (w)
        w->move(Twips::toPx(twips), w->y());
}

void setTop(QWidget* w, int twips)
{
    if (w)
        w->move(w->x(), Twips::toPx(twips));
}

void setWidth(QWidget* w, int twips)
{
    if (w && twips >= 0)
        w->resize(Twips::toPx(twips), w->height());
}

void setHeight(QWidget* w, int twips)
{
    if (w && twips >= 0)
        w->resize(w->width(), Twips::toPx(twips));
}

void setLineX2(QWidget* line, int twips)
{
    setWidth(line, twips - leftOf(line));
}

void setLineY(QWidget* line, int twips)
{
    if (line)
        line->move(line->x(), Twips::toPx(twips) - line->height() / 2);
}

void refreshStep(const char* what, const std::function<void()>& step)
{
    if (!objConn.isOpen())
        return;
    try {
        step();
    } catch (const AppError& e) {
        // A damaged file is told all the same; the layout goes on.
        if (e.isUnreadableFile())
            ReportUnreadableFile(e);
        qCWarning(lcLayout) << "layout step skipped:" << what << e.description();
    }
}

}  // namespace PanelLayout
