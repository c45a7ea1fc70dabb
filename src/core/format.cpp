#include "core/format.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

QString withFourDigitYear(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString withoutSeconds(QString format)
{
    // "h:mm:ss AP" -> "h:mm AP"; the separator before the seconds goes too.
    static const QRegularExpression seconds(QStringLiteral("[^hHmsaApPt]?s+"));
    format.remove(seconds);
    return format.trimmed();
}

// The currency pattern of the locale: the text around the number in a
// positive and a negative amount, found by formatting a known amount.
struct CurrencyPattern {
    QString posPrefix, posSuffix, negPrefix, negSuffix;
};

CurrencyPattern currencyPattern(const QLocale& loc)
{
    CurrencyPattern p;
    const QString number = loc.toString(1234.5, 'f', 2);
    const QString pos = loc.toCurrencyString(1234.5, loc.currencySymbol(), 2);
    const QString neg = loc.toCurrencyString(-1234.5, loc.currencySymbol(), 2);
    const int pi = pos.indexOf(number);
    const int ni = neg.indexOf(number);
    if (pi >= 0) {
        p.posPrefix = pos.left(pi);
        p.posSuffix = pos.mid(pi + number.size());
    }
    if (ni >= 0) {
        p.negPrefix = neg.left(ni);
        p.negSuffix = neg.mid(ni + number.size());
    } else {
        p.negPrefix = loc.negativeSign() + p.posPrefix;
        p.negSuffix = p.posSuffix;
    }
    return p;
}

// Digits of a non-negative raw amount with the locale's grouping and the
// given number of decimals (the amount is already rounded to them).
QString groupedDigits(const QLocale& loc, quint64 raw, int decimals, bool grouping)
{
    QString whole = QString::number(raw / Money::kScale);
    if (grouping && !(loc.numberOptions() & QLocale::OmitGroupSeparator)) {
        const QString sep = loc.groupSeparator();
        for (int i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, sep);
    }
    if (decimals <= 0)
        return whole;
    QString frac = QString::number(raw % Money::kScale).rightJustified(4, u'0').left(decimals);
    return whole + loc.decimalPoint() + frac;
}

quint64 magnitude(qint64 v)
{
    return v < 0 ? quint64(-(v + 1)) + 1 : quint64(v);
}

// Normalises locale number text into plain text with "." as the point;
// empty when it holds anything else.
QString plainNumberText(const QLocale& loc, QString s)
{
    s = s.trimmed();
    const QString group = loc.groupSeparator();
    const QString point = loc.decimalPoint();
    const QString minus = loc.negativeSign();
    const QString plus = loc.positiveSign();
    if (!group.isEmpty()) {
        s.remove(group);
        // Grouping with a no-break space is often typed as a plain blank.
        if (group.at(0).isSpace())
            s.remove(u' ');
    }
    if (!minus.isEmpty())
        s.replace(minus, QStringLiteral("-"));
    if (!plus.isEmpty())
        s.replace(plus, QStringLiteral("+"));
    if (point != QStringLiteral("."))
        s.replace(point, QStringLiteral("."));
    static const QRegularExpression plain(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    return plain.match(s).hasMatch() ? s : QString();
}

}  // namespace

namespace Fmt {

QString shortDate(const QDate& d)
{
    const QLocale loc;
    return loc.toString(d, withFourDigitYear(loc.dateFormat(QLocale::ShortFormat)));
}

QString longDate(const QDate& d)
{
    return QLocale().toString(d, QLocale::LongFormat);
}

QString shortTime(const QTime& t)
{
    const QLocale loc;
    return loc.toString(t, withoutSeconds(loc.timeFormat(QLocale::ShortFormat)));
}

QString longTime(const QTime& t)
{
    const QLocale loc;
    QString format = loc.timeFormat(QLocale::LongFormat);
    // The long format may carry a time zone, which a time of day has not.
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    format.remove(zone);
    return loc.toString(t, format.trimmed());
}

QString dateTime(const QDateTime& dt)
{
    return shortDate(dt.date()) + u' ' + shortTime(dt.time());
}

QString generalDate(const QDateTime& dt)
{
    if (dt.time() == QTime(0, 0))
        return shortDate(dt.date());
    return shortDate(dt.date()) + u' ' + longTime(dt.time());
}

QString monthYear(const QDate& d)
{
    return QLocale().monthName(d.month(), QLocale::ShortFormat) + u'-' + QString::number(d.year()).rightJustified(4, u'0');
}

QDate parseDate(const QString& text)
{
    const QLocale loc;
    const QString s = text.trimmed();
    for (const QString& f : {withFourDigitYear(loc.dateFormat(QLocale::ShortFormat)),
                             loc.dateFormat(QLocale::ShortFormat), loc.dateFormat(QLocale::LongFormat)}) {
        const QDate d = loc.toDate(s, f);
        if (d.isValid())
            return d;
    }
    return QDate::fromString(s, Qt::ISODate);
}

QTime parseTime(const QString& text)
{
    const QLocale loc;
    const QString s = text.trimmed();
    const QString shortF = loc.timeFormat(QLocale::ShortFormat);
    for (const QString& f : {withoutSeconds(shortF), shortF, loc.timeFormat(QLocale::LongFormat),
                             QStringLiteral("h:mm AP"), QStringLiteral("h:mm:ss AP"), QStringLiteral("h:mm ap"),
                             QStringLiteral("h:mm:ss ap"), QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime t = loc.toTime(s, f);
        if (t.isValid())
            return t;
        const QTime c = QLocale::c().toTime(s, f);
        if (c.isValid())
            return c;
    }
    return QTime();
}

QDateTime parseDateTime(const QString& text)
{
    const QString s = text.trimmed();
    const QDateTime iso = QDateTime::fromString(s, Qt::ISODate);
    if (iso.isValid())
        return iso;
    const QDate whole = parseDate(s);
    if (whole.isValid())
        return QDateTime(whole, QTime(0, 0));
    // Split at each blank: the date before it, the time after it.
    for (int i = s.indexOf(u' '); i > 0; i = s.indexOf(u' ', i + 1)) {
        const QDate d = parseDate(s.left(i));
        const QTime t = parseTime(s.mid(i + 1));
        if (d.isValid() && t.isValid())
            return QDateTime(d, t);
    }
    return QDateTime();
}

QString currency(Money m)
{
    const QLocale loc;
    const CurrencyPattern p = currencyPattern(loc);
    const Money cents = m.rounded(2);
    const QString digits = groupedDigits(loc, magnitude(cents.raw()), 2, true);
    if (cents.raw() < 0)
        return p.negPrefix + digits + p.negSuffix;
    return p.posPrefix + digits + p.posSuffix;
}

QString moneyPlain(Money m)
{
    const QLocale loc;
    QString text = m.toDecimalText();
    if (text.startsWith(u'-'))
        text.replace(0, 1, loc.negativeSign());
    return text.replace(u'.', loc.decimalPoint());
}

bool parseCurrency(const QString& text, Money* out)
{
    const QLocale loc;
    QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    const QString symbol = loc.currencySymbol();
    if (!symbol.isEmpty())
        s.remove(symbol);
    s.remove(u'\u00a0');
    s = s.trimmed();
    // A minus sign may stand before or after the number (or the symbol).
    const QString minus = loc.negativeSign();
    for (const QString& sign : {minus, QStringLiteral("-")}) {
        if (sign.isEmpty())
            continue;
        if (s.startsWith(sign)) {
            negative = !negative;
            s = s.mid(sign.size()).trimmed();
            break;
        }
        if (s.endsWith(sign)) {
            negative = !negative;
            s.chop(sign.size());
            s = s.trimmed();
            break;
        }
    }
    const QString plain = plainNumberText(loc, s);
    if (plain.isEmpty() || plain.startsWith(u'-') || plain.startsWith(u'+'))
        return false;
    Money m;
    if (!Money::fromDecimalText(plain, &m))
        return false;
    *out = negative ? -m : m;
    return true;
}

QString number(double v)
{
    const QLocale loc;
    QString text = QString::number(v, 'g', 15);
    if (text.contains(u'e'))
        return loc.toString(v, 'g', 15);
    if (text.startsWith(u'-'))
        text.replace(0, 1, loc.negativeSign());
    return text.replace(u'.', loc.decimalPoint());
}

QString integer(qint64 v)
{
    QLocale loc;
    loc.setNumberOptions(loc.numberOptions() | QLocale::OmitGroupSeparator);
    return loc.toString(v);
}

bool parseNumber(const QString& text, double* out)
{
    const QString plain = plainNumberText(QLocale(), text);
    if (plain.isEmpty())
        return false;
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (ok)
        *out = v;
    return ok;
}

QString dbDateTime(const QDateTime& dt)
{
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime fromDbDateTime(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return QDateTime();
    const QString s = v.toString().trimmed();
    // The stored form, read digit by digit: lists read thousands of these.
    if (s.size() == 19 && s[4] == u'-' && s[7] == u'-' && s[10] == u' ' && s[13] == u':' && s[16] == u':') {
        auto number = [&s](int from, int length) {
            int n = 0;
            for (int i = from; i < from + length; ++i) {
                const char16_t c = s[i].unicode();
                if (c < u'0' || c > u'9')
                    return -1;
                n = n * 10 + (c - u'0');
            }
            return n;
        };
        const QDate d(number(0, 4), number(5, 2), number(8, 2));
        const QTime t(number(11, 2), number(14, 2), number(17, 2));
        if (d.isValid() && t.isValid())
            return QDateTime(d, t);
    }
    QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s, Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

}  // namespace Fmt
