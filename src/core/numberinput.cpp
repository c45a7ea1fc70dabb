#include "core/numberinput.h"

#include "core/format.h"

#include <cmath>
#include <limits>

bool IsNumberText(const QString& text)
{
    double v = 0;
    return Fmt::parseNumber(text, &v) || Fmt::isCurrencyText(text);
}

bool ReadTypedNumber(const QString& text, double* out)
{
    if (Fmt::parseNumber(text, out))
        return true;
    Money m;
    if (!Fmt::parseCurrency(text, &m))
        return false;
    *out = m.toDouble();
    return true;
}

Typed ReadAmount(const QString& text, Money* out, Sign sign)
{
    Money m;
    if (!Fmt::parseCurrency(text, &m))
        return IsNumberText(text) ? Typed::OutOfRange : Typed::NotNumber;
    if (sign == Sign::NotNegative && m < Money())
        return Typed::Negative;
    *out = m;
    return Typed::Number;
}

Typed ReadQuantity(const QString& text, qint32* out)
{
    double v = 0;
    if (!ReadTypedNumber(text, &v))
        return IsNumberText(text) ? Typed::OutOfRange : Typed::NotNumber;
    if (!std::isfinite(v) || v != std::trunc(v) || v < 1 || v > double(std::numeric_limits<qint32>::max()))
        return Typed::OutOfRange;
    *out = qint32(v);
    return Typed::Number;
}

Typed ReadPercentage(const QString& text, double* out)
{
    double v = 0;
    if (!ReadTypedNumber(text, &v))
        return IsNumberText(text) ? Typed::OutOfRange : Typed::NotNumber;
    if (!(v >= 0 && v <= 100))
        return Typed::OutOfRange;
    *out = v;
    return Typed::Number;
}

QString PercentageRefusal(const QString& box)
{
    return QStringLiteral("The %1 entered is not a percentage from 0 to 100. Please enter a percentage from 0 to 100 "
                          "to continue.")
        .arg(box);
}

QString AmountRefusal(const QString& box, Money largest)
{
    return QStringLiteral("The %1 entered is too large. Please enter an amount up to %2 to continue.")
        .arg(box, Fmt::currency(largest));
}

QString NumberRefusal(const QString& box)
{
    return QStringLiteral("The %1 entered is not a number. Please enter a number to continue.").arg(box);
}

QString NegativeAmountRefusal(const QString& box)
{
    return QStringLiteral("The %1 entered is less than zero. Please enter an amount of zero or more to continue.")
        .arg(box);
}

QString AmountRefusal(const QString& box, Typed read, Money largest)
{
    switch (read) {
    case Typed::NotNumber:
        return NumberRefusal(box);
    case Typed::Negative:
        return NegativeAmountRefusal(box);
    case Typed::Number:
    case Typed::OutOfRange:
        break;
    }
    return AmountRefusal(box, largest);
}
