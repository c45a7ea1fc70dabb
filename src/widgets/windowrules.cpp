#include "widgets/windowrules.h"

#include "widgets/viewaccessible.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTextDocumentFragment>
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

// The property that marks an accessible name given here, from a label, so
// that it follows the label when the label changes.
constexpr const char* kNameFromLabel = "accessibleNameFromLabel";

// Text without its access-key signs ("&Name" reads "Name", "&&" reads "&").
QString WithoutAccessKeys(const QString& text)
{
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

// What a caption says, as a screen reader is to read it: a label's whole
// text (an elided label keeps it as its own name), a check box's caption.
QString CaptionWords(const QWidget* caption)
{
    if (const auto* box = qobject_cast<const QCheckBox*>(caption))
        return WithoutAccessKeys(box->text()).simplified();
    const auto* label = static_cast<const QLabel*>(caption);
    QString text = label->accessibleName();
    if (text.isEmpty()) {
        text = label->text();
        if (label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
            text = QTextDocumentFragment::fromHtml(text).toPlainText();
        if (label->buddy())
            text = WithoutAccessKeys(text);
    }
    return text.simplified();
}

// Whether caption stands where it can name control: in the same panel, not
// in another one beside it, and a caption of a line or two, not a paragraph.
bool MayName(const QWidget* caption, const QWidget* control)
{
    const QWidget* home = caption->parentWidget();
    if (!home || !(home == control->parentWidget() || home->isAncestorOf(control)))
        return false;
    const QString words = CaptionWords(caption);
    return !words.isEmpty() && words.size() <= 60 && caption->height() <= 2 * caption->fontMetrics().height() + 12;
}

// The caption that names control: the label whose buddy it is, else the
// label (or check box, which switches it) written just before it, to its
// left on its first line or just above it.
const QWidget* CaptionOf(const QWidget* control)
{
    const QWidget* window = control->window();
    const QRect box(control->mapTo(window, QPoint(0, 0)), control->size());
    const int line = qMin(box.height(), 32);
    const QWidget* best = nullptr;
    int bestDistance = 0;
    for (const QWidget* caption : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(caption);
        if (!label && !qobject_cast<const QCheckBox*>(caption))
            continue;
        if (label && (label->buddy() == control || (control->focusProxy() && label->buddy() == control->focusProxy())))
            return label;
        if (caption == control || (label && label->buddy()) || !caption->isVisibleTo(window) || !MayName(caption, control))
            continue;
        const QRect r(caption->mapTo(window, QPoint(0, 0)), caption->size());
        const int middle = r.center().y();
        int distance = -1;
        if (r.right() <= box.left() + 4 && box.left() - r.right() < 80 && middle >= box.top() - 4
            && middle <= box.top() + line + 4)
            distance = box.left() - r.right();
        else if (label && r.bottom() <= box.top() + 4 && box.top() - r.bottom() < 14 && r.left() >= box.left() - 24
                 && r.left() < box.right())
            distance = 100 + box.top() - r.bottom();   // a caption to the left reads first
        if (distance >= 0 && (!best || distance < bestDistance)) {
            best = caption;
            bestDistance = distance;
        }
    }
    return best;
}

// The words that name control for a screen reader: its label's, else those
// of the control it stands for (the days of a calendar), else its tip.
QString NameOf(const QWidget* control)
{
    if (const QWidget* caption = CaptionOf(control))
        return CaptionWords(caption);
    for (const QWidget* outer = control->parentWidget(); outer && !outer->isWindow(); outer = outer->parentWidget())
        if (outer->focusProxy() == control) {
            if (!outer->accessibleName().isEmpty())
                return outer->accessibleName();
            return NameOf(outer);
        }
    const QString tip = control->toolTip();
    return Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText().simplified() : tip.simplified();
}

// A control that takes the focus, has no caption of its own (a button's, a
// link's) and no accessible name given, is named by its label.
void NameFromLabel(QWidget* control)
{
    if (!(control->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(control)
        || qobject_cast<QLabel*>(control))
        return;
    if (!control->accessibleName().isEmpty() && !control->property(kNameFromLabel).toBool())
        return;
    const QString words = NameOf(control);
    if (words.isEmpty() || words == control->accessibleName())
        return;
    control->setAccessibleName(words);
    control->setProperty(kNameFromLabel, true);
}

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
            if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
                for (QWidget* control : window->findChildren<QWidget*>())
                    NameFromLabel(control);
        } else if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            // Named again as it is read, its label's words may have changed.
            NameFromLabel(static_cast<QWidget*>(watched));
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
    InstallItemViewAccessibility();
}
