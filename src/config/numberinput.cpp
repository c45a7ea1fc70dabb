#include "config/numberinput.h"

#include "core/format.h"

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
