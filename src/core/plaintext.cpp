#include "core/plaintext.h"

#include <QLabel>

void SetPlainText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(label->buddy() ? NoAccessKey(text) : text);
}

QString NoAccessKey(QString text)
{
    return text.replace(u'&', QLatin1String("&&"));
}

void ShowLabelsAsPlainText(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setTextFormat(Qt::PlainText);
    for (QLabel* label : w->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

QString PlainTextHtml(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    escaped.replace(u'\n', QLatin1String("<br>"));
    return escaped;
}
