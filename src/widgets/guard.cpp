#include "widgets/guard.h"

#include "widgets/platform.h"

#include <QStringList>

#include <new>

void ReportFatalError(const AppError& e)
{
    MsgBox(e.reportText(), vbCritical | vbOKOnly);
    platform().endProgram(1);
}

void ReportUnreadableFile(const AppError& e)
{
    static bool telling = false;
    if (telling)
        return;
    telling = true;
    MsgBox(e.reportText(), vbCritical | vbOKOnly);
    telling = false;
}

void ReportError(const AppError& e)
{
    if (e.number() == kErrOverflow)
        ReportRefusedOverflow();
    else if (e.isUnreadableFile())
        ReportUnreadableFile(e);
    else
        ReportFatalError(e);
}

void ReportRefusedOverflow()
{
    MsgBox(QStringLiteral("The amounts are too large for the program to hold, so this was not done. Please check "
                          "the prices, quantities and percentages involved and try again."),
           vbCritical | vbOKOnly);
}

QString HandlerName(const char* handlerText)
{
    const QString text = QString::fromUtf8(handlerText ? handlerText : "").trimmed();
    auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    const int body = text.indexOf(u'{');
    if (body < 0) {
        // "this, &frmX::cmdAdd_Click" or "showCount": the last name written.
        int end = text.size();
        while (end > 0 && !isNameChar(text[end - 1]))
            --end;
        int start = end;
        while (start > 0 && isNameChar(text[start - 1]))
            --start;
        return text.mid(start, end - start);
    }
    // A lambda: the first routine its body calls.
    static const QStringList keywords{QStringLiteral("if"), QStringLiteral("for"), QStringLiteral("while"),
                                      QStringLiteral("switch"), QStringLiteral("return"), QStringLiteral("sizeof")};
    for (int i = body + 1; i < text.size(); ++i) {
        if (!isNameChar(text[i]) || (i > 0 && isNameChar(text[i - 1])))
            continue;
        int end = i;
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        int next = end;
        while (next < text.size() && text[next].isSpace())
            ++next;
        const QString name = text.mid(i, end - i);
        if (next < text.size() && text[next] == u'(' && !keywords.contains(name) && !name[0].isDigit())
            return name;
        i = end - 1;
    }
    return QString();
}

void ReportHandlerError(const std::exception* e, const Where& where, const char* handlerText)
{
    QString routine = handlerText ? HandlerName(handlerText) : QString();
    if (routine.isEmpty())
        routine = QString::fromUtf8(where.routine);
    const QByteArray name = routine.toUtf8();
    const Where from{where.file, name.constData(), where.line};
    // Error numbers as the program's run time gives them: 7 for memory, 51
    // (internal error) for anything else.
    if (dynamic_cast<const std::bad_alloc*>(e))
        ReportFatalError(AppError(7, QStringLiteral("Out of memory"), from));
    ReportFatalError(AppError(51, e ? QString::fromLocal8Bit(e->what()) : QStringLiteral("Internal error"), from));
}
