#include "core/numberinput.h"

#include "core/format.h"

#include <cmath>

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

bool ReadTypedMoney(const QString& text, Money* out)
{
    Money m;
    if (Fmt::parseCurrency(text, &m)) {
        if (!m.inRange())
            return false;
        *out = m;
        return true;
    }
    double v = 0;
    if (!Fmt::parseNumber(text, &v) || !std::isfinite(v) || std::fabs(v) > double(Money::kMaxUnits))
        return false;
    *out = Money::fromDouble(v);
    return true;
}
