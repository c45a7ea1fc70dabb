#include "widgets/plaintext.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <algorithm>

namespace {

// Keeps a label's whole text and shows as much of it as the label holds.
class ElidedText : public QObject {
public:
    explicit ElidedText(QLabel* label) : QObject(label), m_label(label)
    {
        setObjectName(QString::fromLatin1(kName));
        label->installEventFilter(this);
    }

    static constexpr const char* kName = "elidedText";

    void setText(const QString& text)
    {
        m_text = text;
        // A screen reader reads the whole text, not what the label holds of it.
        m_label->setAccessibleName(text);
        fit();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange))
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        const int width = m_label->contentsRect().width() - 2 * m_label->margin() - std::max(0, m_label->indent());
        const QString shown = m_label->fontMetrics().elidedText(m_text, Qt::ElideRight, std::max(0, width));
        m_label->setText(m_label->buddy() ? NoAccessKey(shown) : shown);
        m_label->setToolTip(shown == m_text ? QString() : PlainTip(m_text));
    }

    QLabel* m_label;
    QString m_text;
};

}  // namespace

void SetPlainText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(label->buddy() ? NoAccessKey(text) : text);
}

QString PlainTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}

QString NoAccessKey(QString text)
{
    return text.replace(u'&', QLatin1String("&&"));
}

void SetElidedText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    auto* elided = static_cast<ElidedText*>(
        label->findChild<QObject*>(QString::fromLatin1(ElidedText::kName), Qt::FindDirectChildrenOnly));
    if (!elided)
        elided = new ElidedText(label);
    elided->setText(text);
}

void ShowLabelsAsPlainText(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setTextFormat(Qt::PlainText);
    for (QLabel* label : w->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

void ShowBoxesFromStart(QWidget* w)
{
    for (QLineEdit* box : w->findChildren<QLineEdit*>())
        box->setCursorPosition(0);
}
