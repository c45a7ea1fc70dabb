#include "widgets/windowrules.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QWindow>

#include <algorithm>

namespace {

// The frame a dialog asks for, less the boxes a dialog does not offer.
Qt::WindowFlags DialogFrame(Qt::WindowFlags f)
{
    f &= ~(Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint | Qt::WindowFullscreenButtonHint);
    return f | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

// Rows of lists as tall as their text's ink: the accents of capitals ("É",
// "Å") rise above the font's ascent in some fonts, and a row as tall as the
// font's height would cut their tops. The room is added above and below
// alike, since the row's text stands in its middle.
class FullGlyphRows : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type != CT_ItemViewItem)
            return s;
        const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        if (!item || item->text.isEmpty())
            return s;
        const QFontMetrics metrics(item->font);
        const QRect ink = metrics.boundingRect(item->text);
        const int over = std::max({0, -ink.top() - metrics.ascent(), ink.bottom() + 1 - metrics.descent()});
        s.rheight() += 2 * over;
        return s;
    }
};

class WindowRules : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto* view = qobject_cast<QAbstractItemView*>(watched))
                view->setTabKeyNavigation(false);
        } else if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
                frame(dialog);
        }
        return false;
    }

private:
    // The window is made but not yet on the screen when it is told it shows:
    // its frame changes in place, with no new window made.
    static void frame(QDialog* dialog)
    {
        const Qt::WindowFlags f = dialog->windowFlags();
        if (f.testFlag(Qt::FramelessWindowHint) || (dialog->windowType() != Qt::Dialog && dialog->windowType() != Qt::Sheet))
            return;
        const Qt::WindowFlags want = DialogFrame(f);
        if (want == f)
            return;
        dialog->overrideWindowFlags(want);
        if (QWindow* window = dialog->windowHandle())
            window->setFlags(want);
    }
};

// Watches a window's size for the controls that may lie below its edge.
class InSightFocus : public QObject {
public:
    InSightFocus(QWidget* window, const QList<QWidget*>& controls) : QObject(window), m_window(window)
    {
        for (QWidget* w : controls)
            m_controls.append({w, w->focusPolicy()});
        window->installEventFilter(this);
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
            apply();
        return false;
    }

private:
    void apply()
    {
        for (const auto& [w, policy] : m_controls) {
            if (!w)
                continue;
            const bool inSight = w->mapTo(m_window, QPoint(0, w->height() / 2)).y() < m_window->height();
            w->setFocusPolicy(inSight ? policy : Qt::NoFocus);
        }
    }

    QWidget* m_window;
    QList<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> m_controls;
};

}  // namespace

void FocusOnlyInSight(QWidget* window, const QList<QWidget*>& controls)
{
    new InSightFocus(window, controls);
}

void InstallWindowRules()
{
    qApp->installEventFilter(new WindowRules(qApp));
    if (!qobject_cast<QProxyStyle*>(QApplication::style()))
        QApplication::setStyle(new FullGlyphRows(QStyleFactory::create(QApplication::style()->name())));
}
