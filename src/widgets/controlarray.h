#pragma once
// Controls of one kind that the program addresses by index are named
// "<array>_<index>" in the windows' designs (lblStep_0, cmdBack_1); these
// collect them, wherever they sit under a window.
#include <QMap>
#include <QRegularExpression>
#include <QWidget>

template <class W>
QMap<int, W*> ControlArray(const QWidget* root, const QString& name)
{
    QMap<int, W*> members;
    const QRegularExpression pattern(QStringLiteral("^%1_(\\d+)$").arg(QRegularExpression::escape(name)));
    for (W* w : root->findChildren<W*>()) {
        const QRegularExpressionMatch m = pattern.match(w->objectName());
        if (m.hasMatch())
            members.insert(m.captured(1).toInt(), w);
    }
    return members;
}

// The members in index order, as a list (for arrays numbered from 0 up).
template <class W>
QList<W*> ControlList(const QWidget* root, const QString& name)
{
    return ControlArray<W>(root, name).values();
}
