#include "core/money.h"

#include "core/apperror.h"

#include <QLocale>

#include <cmath>

namespace {

__int128 divideHalfEven128(__int128 n, __int128 d)
{
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0)
        r = -r;
    const __int128 twice = r * 2;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += (n < 0) ? -1 : 1;
    return q;
}

bool fitsRaw(__int128 v)
{
    return v <= std::numeric_limits<qint64>::max() && v >= std::numeric_limits<qint64>::min();
}

}  // namespace

qint64 divideHalfEven(__int128 n, __int128 d)
{
    const __int128 q = divideHalfEven128(n, d);
    if (!fitsRaw(q))
        RaiseError(kErrOverflow, QStringLiteral("Overflow"), HERE);
    return static_cast<qint64>(q);
}

void Money::overflow()
{
    RaiseError(kErrOverflow, QStringLiteral("Overflow"), HERE);
}

namespace {

// A decimal number as mantissa * 10^-scale (scale >= 0).
struct Decimal {
    __int128 mantissa = 0;
    int scale = 0;
};

bool parseDecimal(const QString& text, Decimal* out)
{
    const QString s = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    Decimal d;
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            if (d.mantissa > (__int128(1) << 100))
                return false;
            d.mantissa = d.mantissa * 10 + (c.unicode() - '0');
            if (point)
                ++d.scale;
        } else if (c == u'.' && !point) {
            point = true;
        } else if ((c == u'e' || c == u'E') && digits) {
            bool ok = false;
            const int exp = s.mid(i + 1).toInt(&ok);
            if (!ok || exp > 30 || exp < -30)
                return false;
            d.scale -= exp;
            i = s.size();
            break;
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    while (d.scale < 0) {
        if (d.mantissa > (__int128(1) << 120))
            return false;
        d.mantissa *= 10;
        ++d.scale;
    }
    if (negative)
        d.mantissa = -d.mantissa;
    *out = d;
    return true;
}

__int128 pow10(int n)
{
    __int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A factor whose decimal form cannot be held (infinite, not a number, or
// beyond 10^30) raises "Overflow" rather than counting as 0.
Decimal decimalOf(double v)
{
    // A factor of a few decimals (a quantity, a percentage) is found without
    // its text. Below 10^9 with at most six decimals it has at most 15
    // digits, and two such numbers are never the same double: the fewest
    // decimals that give v back are those of its shortest text.
    if (std::fabs(v) < 1e9) {
        static constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
        for (int k = 0; k < 7; ++k) {
            const double m = std::nearbyint(v * kPow10[k]);
            if (m / kPow10[k] == v)
                return {__int128(qint64(m)), k};
        }
    }
    Decimal d;
    if (!parseDecimal(QString::number(v, 'g', QLocale::FloatingPointShortest), &d) && !(qAbs(v) < 1))
        RaiseError(kErrOverflow, QStringLiteral("Overflow"), HERE);
    // Below 10^-19 a factor leaves no ten-thousandth of any amount.
    if (d.scale > 36)
        d = Decimal();
    return d;
}

// raw * mantissa / 10^scale, rounded; "Overflow" when the product cannot be held.
qint64 scaled(qint64 raw, const Decimal& dec, int scale)
{
    __int128 product = 0;
    if (__builtin_mul_overflow(__int128(raw), dec.mantissa, &product))
        RaiseError(kErrOverflow, QStringLiteral("Overflow"), HERE);
    return divideHalfEven(product, pow10(scale));
}

// mantissa * 10^(4 - scale) as a raw count, "Overflow" when it does not fit.
qint64 rawOf(const Decimal& dec)
{
    if (dec.scale > 4)
        return divideHalfEven(dec.mantissa, pow10(dec.scale - 4));
    const __int128 raw = dec.mantissa * pow10(4 - dec.scale);
    if (!fitsRaw(raw))
        RaiseError(kErrOverflow, QStringLiteral("Overflow"), HERE);
    return static_cast<qint64>(raw);
}

}  // namespace

Money Money::fromDouble(double d)
{
    // value * 10^4 = mantissa * 10^(4 - scale)
    return Money(rawOf(decimalOf(d)));
}

bool Money::fromDecimalText(const QString& text, Money* out)
{
    Decimal dec;
    if (!parseDecimal(text, &dec) || dec.scale > 30)
        return false;
    const __int128 raw = dec.scale <= 4 ? dec.mantissa * pow10(4 - dec.scale)
                                        : divideHalfEven128(dec.mantissa, pow10(dec.scale - 4));
    const __int128 limit = std::numeric_limits<qint64>::max();
    if (raw > limit || raw < -limit)
        return false;
    *out = Money(static_cast<qint64>(raw));
    return true;
}

Money Money::fromDb(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return Money();
    if (v.typeId() == QMetaType::QString) {
        Money m;
        return fromDecimalText(v.toString(), &m) ? m : Money();
    }
    return Money(v.toLongLong());
}

QString Money::toDecimalText() const
{
    const bool negative = m_raw < 0;
    const quint64 a = negative ? quint64(-(m_raw + 1)) + 1 : quint64(m_raw);
    QString text = QString::number(a / kScale);
    quint64 frac = a % kScale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        text += u'.' + f;
    }
    return negative ? u'-' + text : text;
}

Money Money::rounded(int decimals) const
{
    if (decimals >= 4)
        return *this;
    const __int128 unit = pow10(4 - qMax(decimals, 0));
    return Money(divideHalfEven(m_raw, unit)) * qint64(unit);
}

Money Money::times(double factor) const
{
    const Decimal dec = decimalOf(factor);
    return Money(scaled(m_raw, dec, dec.scale));
}

Money Money::percent(double percentage) const
{
    const Decimal dec = decimalOf(percentage);
    return Money(scaled(m_raw, dec, dec.scale + 2));
}
