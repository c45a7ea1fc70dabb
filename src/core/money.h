#pragma once
// Money: a signed 64-bit count of ten-thousandths. Every rounding is to the
// nearest representable value with halves going to the even neighbour.
#include <QString>
#include <QVariant>
#include <QtGlobal>

class Money {
public:
    static constexpr qint64 kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 tenThousandths) { return Money(tenThousandths); }
    static constexpr Money fromUnits(qint64 whole) { return Money(whole * kScale); }
    // The nearest value to d (its shortest decimal text is taken as exact).
    static Money fromDouble(double d);
    // Reads plain decimal text with "." as the point ("-12.5", "3", "0.12345"
    // rounds to "0.1234"). False, and *out untouched, when it is not a number.
    static bool fromDecimalText(const QString& text, Money* out);
    // A database value: Null and empty give 0.
    static Money fromDb(const QVariant& v);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / kScale; }
    // Exact plain decimal text with "." and without trailing zeros: "12.5".
    QString toDecimalText() const;
    QVariant toDb() const { return QVariant::fromValue<qlonglong>(m_raw); }

    // Rounded to a number of decimals (0 to 4).
    Money rounded(int decimals) const;
    // Multiplied by a factor or a percentage, rounded to ten-thousandths. The
    // factor is taken as the decimal number its shortest text shows (17.5, not
    // 17.499999...), so results match hand calculation.
    Money times(double factor) const;
    Money percent(double percentage) const;

    constexpr bool isZero() const { return m_raw == 0; }

    friend constexpr Money operator+(Money a, Money b) { return Money(a.m_raw + b.m_raw); }
    friend constexpr Money operator-(Money a, Money b) { return Money(a.m_raw - b.m_raw); }
    friend constexpr Money operator-(Money a) { return Money(-a.m_raw); }
    friend constexpr Money operator*(Money a, qint64 n) { return Money(a.m_raw * n); }
    Money& operator+=(Money b) { m_raw += b.m_raw; return *this; }
    Money& operator-=(Money b) { m_raw -= b.m_raw; return *this; }
    friend constexpr bool operator==(Money a, Money b) { return a.m_raw == b.m_raw; }
    friend constexpr bool operator!=(Money a, Money b) { return a.m_raw != b.m_raw; }
    friend constexpr bool operator<(Money a, Money b) { return a.m_raw < b.m_raw; }
    friend constexpr bool operator>(Money a, Money b) { return a.m_raw > b.m_raw; }
    friend constexpr bool operator<=(Money a, Money b) { return a.m_raw <= b.m_raw; }
    friend constexpr bool operator>=(Money a, Money b) { return a.m_raw >= b.m_raw; }

private:
    constexpr explicit Money(qint64 raw) : m_raw(raw) {}
    qint64 m_raw = 0;
};

// Divides n by d (d > 0) rounding halves to even.
qint64 divideHalfEven(__int128 n, __int128 d);

Q_DECLARE_METATYPE(Money)
