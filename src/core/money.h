#pragma once
// Money: a signed 64-bit count of ten-thousandths. Every rounding is to the
// nearest representable value with halves going to the even neighbour.
#include <QString>
#include <QVariant>
#include <QtGlobal>

class Money {
public:
    static constexpr qint64 kScale = 10000;
    // The largest amount, in whole units, that the program takes in or
    // shows as a total, in any currency.
    static constexpr qint64 kMaxUnits = 100'000'000'000;

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
    // Within plus or minus kMaxUnits.
    constexpr bool inRange() const { return m_raw >= -kMaxUnits * kScale && m_raw <= kMaxUnits * kScale; }

    // Arithmetic on the 64-bit count never wraps: a result that does not fit
    // raises the run-time error "Overflow".
    friend constexpr Money operator+(Money a, Money b)
    {
        qint64 r = 0;
        const bool over = __builtin_add_overflow(a.m_raw, b.m_raw, &r);
        return Money(checked(over, r));
    }
    friend constexpr Money operator-(Money a, Money b)
    {
        qint64 r = 0;
        const bool over = __builtin_sub_overflow(a.m_raw, b.m_raw, &r);
        return Money(checked(over, r));
    }
    friend constexpr Money operator-(Money a) { return Money(0) - a; }
    friend constexpr Money operator*(Money a, qint64 n)
    {
        qint64 r = 0;
        const bool over = __builtin_mul_overflow(a.m_raw, n, &r);
        return Money(checked(over, r));
    }
    Money& operator+=(Money b) { return *this = *this + b; }
    Money& operator-=(Money b) { return *this = *this - b; }
    friend constexpr bool operator==(Money a, Money b) { return a.m_raw == b.m_raw; }
    friend constexpr bool operator!=(Money a, Money b) { return a.m_raw != b.m_raw; }
    friend constexpr bool operator<(Money a, Money b) { return a.m_raw < b.m_raw; }
    friend constexpr bool operator>(Money a, Money b) { return a.m_raw > b.m_raw; }
    friend constexpr bool operator<=(Money a, Money b) { return a.m_raw <= b.m_raw; }
    friend constexpr bool operator>=(Money a, Money b) { return a.m_raw >= b.m_raw; }

private:
    constexpr explicit Money(qint64 raw) : m_raw(raw) {}
    static constexpr qint64 checked(bool overflowed, qint64 raw)
    {
        if (overflowed)
            overflow();
        return raw;
    }
    [[noreturn]] static void overflow();
    qint64 m_raw = 0;
};

// Divides n by d (d > 0) rounding halves to even; a quotient beyond 64 bits
// raises "Overflow".
qint64 divideHalfEven(__int128 n, __int128 d);

// The run-time error number of a result that does not fit.
constexpr long kErrOverflow = 6;

Q_DECLARE_METATYPE(Money)
