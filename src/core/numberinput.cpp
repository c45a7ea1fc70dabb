#include "core/numberinput.h"

#include "core/format.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

// Whether the text is a number at all, whatever its size: the locale's number
// format, or its currency format with the symbol and a sign or parentheses.
bool IsNumber(const QString& text)
{
    double v = 0;
    if (Fmt::parseNumber(text, &v))
        return true;
    QString s = text.trimmed();
    if (s.startsWith(u'(') && s.endsWith(u')'))
        s = s.mid(1, s.size() - 2);
    const QString symbol = QLocale().currencySymbol();
    if (!symbol.isEmpty())
        s.remove(symbol);
    s.remove(u'\u00a0');
    s = s.trimmed();
    if (s.endsWith(u'-'))
        s = u'-' + s.chopped(1).trimmed();
    return Fmt::parseNumber(s, &v);
}

}  // namespace

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

Typed ReadAmount(const QString& text, Money* out)
{
    Money m;
    if (Fmt::parseCurrency(text, &m)) {
        *out = m;
        return Typed::Number;
    }
    return IsNumber(text) ? Typed::OutOfRange : Typed::NotNumber;
}

Typed ReadQuantity(const QString& text, qint32* out)
{
    double v = 0;
    if (!ReadTypedNumber(text, &v))
        return IsNumber(text) ? Typed::OutOfRange : Typed::NotNumber;
    if (!std::isfinite(v) || v != std::trunc(v) || v < 1 || v > double(std::numeric_limits<qint32>::max()))
        return Typed::OutOfRange;
    *out = qint32(v);
    return Typed::Number;
}

Typed ReadPercentage(const QString& text, double* out)
{
    double v = 0;
    if (!ReadTypedNumber(text, &v))
        return IsNumber(text) ? Typed::OutOfRange : Typed::NotNumber;
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
