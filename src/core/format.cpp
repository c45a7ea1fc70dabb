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

CurrencyPattern currencyPatternOf(const QLocale& loc)
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

// The same, worked out once for the locale in use: lists show an amount on
// every row.
const CurrencyPattern& currencyPattern(const QLocale& loc)
{
    thread_local QLocale known = loc;
    thread_local CurrencyPattern pattern = currencyPatternOf(loc);
    if (!(loc == known)) {
        known = loc;
        pattern = currencyPatternOf(loc);
    }
    return pattern;
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

// Marks that set the direction of the text around them and show nothing:
// some locales put them before a sign or a currency (fa_IR "\u200e-").
bool isDirectionMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x200e || u == 0x200f || u == 0x061c || (u >= 0x202a && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069);
}

// Text without direction marks, every blank (no-break ones too) a plain
// blank, and decimal digits of any script as "0" to "9".
QString numberForm(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // Some scripts' digits lie beyond the first plane (Chakma, Adlam).
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
            if (QChar::isDigit(code)) {
                out += QChar(u'0' + QChar::digitValue(code));
                ++i;
                continue;
            }
        }
        if (isDirectionMark(c))
            continue;
        if (c.isSpace())
            out += u' ';
        else if (c.isDigit() && c.unicode() > 0x7f)
            out += QChar(u'0' + c.digitValue());
        else
            out += c;
    }
    return out;
}

// The sign a keyboard without the locale's own types for it: a plain
// apostrophe for the right quotation mark (1’234.50), a point for the
// Arabic decimal sign. Null where the sign is typed as it is written, or
// where its look-alike would be read another way: a comma is also written
// for the decimal sign beside the Arabic group sign, so it is no group sign.
QChar asciiLookAlike(const QString& sign)
{
    if (sign.size() != 1)
        return QChar();
    switch (sign.at(0).unicode()) {
    case 0x2019:
        return u'\'';
    case 0x066b:
        return u'.';
    default:
        return QChar();
    }
}

// The text with the look-alike of the locale's sign read as the sign, where
// the look-alike is no sign of the locale itself (nor the look-alike of its
// other sign): then it cannot be read another way.
void readLookAlike(QString& s, const QString& sign, const QString& other)
{
    const QChar alike = asciiLookAlike(sign);
    if (alike.isNull() || other.contains(alike) || asciiLookAlike(other) == alike)
        return;
    s.replace(alike, sign);
}

// Normalises number text written as the locale writes it into plain text
// with "." as the point; empty when it holds anything else. Group separators
// are taken only between groups of three digits before the point (or not at
// all); an exponent is no part of a typed number. Digits of any script, and
// the ASCII look-alikes of the locale's point and group sign, are read too.
QString plainNumberText(const QLocale& loc, const QString& text)
{
    QString s = numberForm(text).trimmed();
    const QString group = numberForm(loc.groupSeparator());
    const QString point = numberForm(loc.decimalPoint());
    readLookAlike(s, group, point);
    readLookAlike(s, point, group);
    const QString minus = numberForm(loc.negativeSign());
    const QString plus = numberForm(loc.positiveSign());
    QString sign;
    for (const QString& m : {minus, QStringLiteral("-"), QStringLiteral("\u2212")}) {
        if (!m.isEmpty() && s.startsWith(m)) {
            sign = QStringLiteral("-");
            s = s.mid(m.size());
            break;
        }
    }
    if (sign.isEmpty()) {
        for (const QString& p : {plus, QStringLiteral("+")}) {
            if (!p.isEmpty() && s.startsWith(p)) {
                s = s.mid(p.size());
                break;
            }
        }
    }
    QString whole = s;
    QString fraction;
    bool hasPoint = false;
    const int at = point.isEmpty() ? -1 : s.indexOf(point);
    if (at >= 0) {
        hasPoint = true;
        whole = s.left(at);
        fraction = s.mid(at + point.size());
    }
    auto digitsOnly = [](const QString& t) {
        for (const QChar c : t)
            if (c < u'0' || c > u'9')
                return false;
        return true;
    };
    if (!digitsOnly(fraction) || (whole.isEmpty() && fraction.isEmpty()))
        return QString();
    if (!digitsOnly(whole)) {
        // Grouped: 1 to 3 digits, then groups of exactly three. A group
        // separator that is a (no-break) space may be typed as a plain blank.
        if (group.isEmpty())
            return QString();
        const bool spaceGroup = group.trimmed().isEmpty();
        QStringList parts;
        QString part;
        for (int i = 0; i < whole.size(); ++i) {
            if (!spaceGroup && whole.mid(i, group.size()) == group) {
                parts << part;
                part.clear();
                i += group.size() - 1;
            } else if (spaceGroup && whole[i] == u' ') {
                parts << part;
                part.clear();
            } else {
                part += whole[i];
            }
        }
        parts << part;
        if (parts.size() < 2 || parts.first().isEmpty() || parts.first().size() > 3)
            return QString();
        for (int i = 0; i < parts.size(); ++i) {
            if (!digitsOnly(parts[i]) || (i > 0 && parts[i].size() != 3))
                return QString();
        }
        whole = parts.join(QString());
    }
    return sign + (whole.isEmpty() ? QStringLiteral("0") : whole) + (hasPoint ? u'.' + fraction : QString());
}

// Money text as plain decimal text ("-1234.5"), whatever its size: the
// locale's currency format as currency() writes it (its symbol, or its
// currency's code where it has none, before or after the number, with the
// locale's sign, blanks and direction marks), the same typed without the
// symbol or with a plain blank for a no-break one, a minus sign on either
// side, or parentheses for a negative amount. Empty when it is no amount.
QString plainCurrencyText(const QLocale& loc, const QString& text)
{
    QString s = numberForm(text).trimmed();
    if (s.isEmpty())
        return QString();
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    // The symbol, or the code, once, at either end; a sign may stand outside
    // it ("-$3.00") or inside ("$-3.00").
    bool marked = false;
    const auto stripMark = [&] {
        for (const QString& mark : {loc.currencySymbol(), loc.currencySymbol(QLocale::CurrencyIsoCode)}) {
            const QString m = numberForm(mark).trimmed();
            if (marked || m.isEmpty())
                continue;
            if (s.startsWith(m))
                s = s.mid(m.size()).trimmed();
            else if (s.endsWith(m))
                s = s.chopped(m.size()).trimmed();
            else
                continue;
            marked = true;
        }
    };
    stripMark();
    const QString minus = numberForm(loc.negativeSign());
    for (const QString& sign : {minus, QStringLiteral("-"), QStringLiteral("\u2212")}) {
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
    stripMark();
    const QString plain = plainNumberText(loc, s);
    if (plain.isEmpty() || plain.startsWith(u'-'))
        return QString();
    return negative ? u'-' + plain : plain;
}

}  // namespace

namespace Fmt {

QString shortDate(const QDate& d)
{
    const QLocale loc;
    return loc.toString(d, withFourDigitYear(loc.dateFormat(QLocale::ShortFormat)));
}

QString shortDateFormat()
{
    return withFourDigitYear(QLocale().dateFormat(QLocale::ShortFormat));
}

QString shortTimeFormat()
{
    return withoutSeconds(QLocale().timeFormat(QLocale::ShortFormat));
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
    // The long format may carry a time zone, which a time of day has not,
    // and the brackets some locales put around it.
    static const QRegularExpression zone(QStringLiteral("\\s*[(\\[]?t+[)\\]]?"));
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

}  // namespace Fmt

// ---- Reading dates and times -------------------------------------------------

namespace {

bool isBidiMark(char32_t c)
{
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The text with every decimal digit of any script (those outside the first
// plane too, which Qt's own readers miss) as an ASCII digit, and without the
// marks that set the direction of writing.
QString plainDigits(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (isBidiMark(c))
            continue;
        if (QChar::isDigit(c))
            out += QChar(u'0' + QChar::digitValue(c));
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out;
}

// The text apart from blanks and direction marks.
QString squeezed(const QString& text)
{
    QString out;
    for (const QChar c : plainDigits(text))
        if (!c.isSpace())
            out += c;
    return out;
}

// A date or time format split into its fields (runs of one field letter)
// and the literal text around them.
struct FieldFormat {
    QList<QString> fields;     // "d", "MM", "yyyy", "h", "mm", ...
    QList<QString> literals;   // before, between and after the fields
};

FieldFormat splitFormat(const QString& format, const QString& fieldLetters)
{
    FieldFormat f;
    QString literal;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            // Quoted text; '' is an apostrophe.
            int j = i + 1;
            while (j < format.size()) {
                if (format[j] == u'\'') {
                    if (j + 1 < format.size() && format[j + 1] == u'\'') {
                        literal += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += format[j++];
            }
            if (j == i + 1)
                literal += u'\'';
            i = j + 1;
        } else if (fieldLetters.contains(c)) {
            int j = i;
            while (j < format.size() && format[j] == c)
                ++j;
            f.literals << literal;
            literal.clear();
            f.fields << format.mid(i, j - i);
            i = j;
        } else {
            literal += c;
            ++i;
        }
    }
    f.literals << literal;
    return f;
}

// A text split into its runs of digits and the text before, between and
// after them.
struct DigitRuns {
    QStringList numbers;
    QStringList between;   // one more than numbers
};

DigitRuns digitRuns(const QString& plain)
{
    DigitRuns r;
    QString other, digits;
    for (const QChar c : plain) {
        if (c >= u'0' && c <= u'9') {
            digits += c;
        } else {
            if (!digits.isEmpty()) {
                r.between << other;
                r.numbers << digits;
                other.clear();
                digits.clear();
            }
            other += c;
        }
    }
    if (!digits.isEmpty()) {
        r.between << other;
        r.numbers << digits;
        other.clear();
    }
    r.between << other;
    return r;
}

// A year typed with two digits: the one within 80 years before and 20 after
// this one.
int nearestCenturyYear(int twoDigits)
{
    const int thisYear = QDate::currentDate().year();
    int year = thisYear - thisYear % 100 + twoDigits;
    if (year > thisYear + 20)
        year -= 100;
    else if (year <= thisYear - 80)
        year += 100;
    return year;
}

// Day, month and year as digits in the order of a numeric date format (the
// locale's short date, or ISO's year-month-day), one or two digits for the
// day and the month and two or four for the year, parted by the format's own
// text or by "/", "." or "-". An invalid date for any other text, and for a
// day the month has not.
QDate readNumericDate(const QString& plain, const FieldFormat& format, bool iso)
{
    if (format.fields.size() != 3)
        return QDate();
    const DigitRuns runs = digitRuns(plain);
    if (runs.numbers.size() != 3)
        return QDate();
    for (int i = 0; i <= 3; ++i) {
        const QString given = squeezed(runs.between[i]);
        const QString own = squeezed(format.literals[i]);
        const bool inner = i > 0 && i < 3;
        bool fits = given == own || (!inner && given.isEmpty());
        if (iso)
            fits = inner ? given == QLatin1String("-") : given.isEmpty();
        else if (!fits)
            fits = inner ? (given == QLatin1String("/") || given == QLatin1String(".") || given == QLatin1String("-"))
                         : (i == 3 && given == QLatin1String("."));
        if (!fits)
            return QDate();
    }
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QString& n = runs.numbers[i];
        const QChar field = format.fields[i].at(0);
        if (field == u'y') {
            if (n.size() == 4)
                year = n.toInt();
            else if (n.size() == 2 && !iso)
                year = nearestCenturyYear(n.toInt());
            else
                return QDate();
        } else {
            if (n.size() > 2 || format.fields[i].size() > 2)
                return QDate();
            (field == u'd' ? day : month) = n.toInt();
        }
    }
    return QDate(year, month, day);
}

// The locale's long date without its weekday: "MMMM d, yyyy" of
// "dddd, MMMM d, yyyy".
QString withoutWeekday(const QString& format)
{
    static const QRegularExpression first(QStringLiteral("^dddd[\\s,.;\u060c\u3001]*"));
    static const QRegularExpression later(QStringLiteral("[\\s,.;\u060c\u3001]*dddd"));
    QString f = format;
    if (f.startsWith(QLatin1String("dddd")))
        f.remove(first);
    else
        f.remove(later);
    return f.trimmed();
}

// The words of a time text, apart from its digits and the marks that part
// hours, minutes and seconds; in lower case.
QStringList timeWords(const QString& text)
{
    QString spaced;
    for (const QChar c : plainDigits(text))
        spaced += (c.isDigit() || c.isSpace() || c == u':' || c == u'.' || c == u',') ? QChar(u' ') : c.toLower();
    return spaced.split(u' ', Qt::SkipEmptyParts);
}

}  // namespace

namespace Fmt {

QDate parseDate(const QString& text)
{
    const QLocale loc;
    const QString s = text.trimmed();
    const QString plain = plainDigits(s).trimmed();
    const QString shortF = loc.dateFormat(QLocale::ShortFormat);
    const FieldFormat own = splitFormat(shortF, QStringLiteral("dMy"));
    QDate d = readNumericDate(plain, own, false);
    if (!d.isValid())
        d = readNumericDate(plain, splitFormat(QStringLiteral("yyyy-MM-dd"), QStringLiteral("dMy")), true);
    if (d.isValid())
        return d;
    // The long date with or without its weekday (month names), and a short
    // date that names its month.
    const QString longF = loc.dateFormat(QLocale::LongFormat);
    for (const QString& f : {longF, withoutWeekday(longF), withFourDigitYear(shortF)}) {
        if (!f.contains(QLatin1String("yyyy")))
            continue;
        for (const QString& t : {s, plain}) {
            d = loc.toDate(t, f);
            // A whole year has four digits: "March 2, 03" is not the year 3.
            if (d.isValid() && d.year() >= 100)
                return d;
        }
    }
    return QDate();
}

QTime parseTime(const QString& text)
{
    // Hours, minutes and seconds perhaps, as digits; around them the
    // locale's own words of its time formats ("Kl.", "h"), and AM or PM (the
    // locale's words or the English ones, in any case, before or after the
    // digits, with or without a blank).
    const QLocale loc;
    const QString plain = plainDigits(text).trimmed();
    const DigitRuns runs = digitRuns(plain);
    if (runs.numbers.isEmpty() || runs.numbers.size() > 3)
        return QTime();
    const QStringList formats = {loc.timeFormat(QLocale::ShortFormat), loc.timeFormat(QLocale::LongFormat)};
    // Minutes or seconds of one digit where a format of the locale writes them so.
    auto oneDigit = [&formats](const char* two) {
        return !formats[0].contains(QLatin1String(two)) || !formats[1].contains(QLatin1String(two));
    };
    const QString& h = runs.numbers[0];
    const QString m = runs.numbers.value(1, QStringLiteral("00"));
    const QString sec = runs.numbers.value(2, QStringLiteral("00"));
    if (h.size() > 2 || m.size() > 2 || sec.size() > 2 || (m.size() < 2 && !oneDigit("mm"))
        || (sec.size() < 2 && !oneDigit("ss")))
        return QTime();
    QStringList words = timeWords(runs.between.join(u' '));
    for (const QString& format : formats)
        for (const QString& literal : timeWords(splitFormat(format, QStringLiteral("hHmsaApPtz")).literals.join(u' ')))
            words.removeAll(literal);
    const QString half = words.join(QString());
    int hour = h.toInt();
    if (!half.isEmpty()) {
        auto is = [&half](const QString& word) { return !word.isEmpty() && timeWords(word).join(QString()) == half; };
        const bool am = is(loc.amText()) || is(QStringLiteral("am")) || is(QStringLiteral("a"));
        const bool pm = is(loc.pmText()) || is(QStringLiteral("pm")) || is(QStringLiteral("p"));
        if (am == pm || hour < 1 || hour > 12)
            return QTime();
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return QTime(hour, m.toInt(), sec.toInt());
}

QDateTime parseDateTime(const QString& text)
{
    const QString s = text.trimmed();
    const QDateTime iso = fromDbDateTime(s);
    if (iso.isValid())
        return iso;
    const QDate whole = parseDate(s);
    if (whole.isValid())
        return clockDateTime(whole, QTime(0, 0));
    // Split at each blank: the date before it, the time after it.
    for (int i = s.indexOf(u' '); i > 0; i = s.indexOf(u' ', i + 1)) {
        const QDate d = parseDate(s.left(i));
        const QTime t = parseTime(s.mid(i + 1));
        if (d.isValid() && t.isValid())
            return clockDateTime(d, t);
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
    const QString plain = plainCurrencyText(QLocale(), text);
    Money m;
    if (plain.isEmpty() || !Money::fromDecimalText(plain, &m) || !m.inRange())
        return false;
    *out = m;
    return true;
}

bool isCurrencyText(const QString& text)
{
    return !plainCurrencyText(QLocale(), text).isEmpty();
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

QDateTime clockDateTime(const QDate& d, const QTime& t)
{
    return QDateTime(d, t, Qt::UTC);
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
            return clockDateTime(d, t);
    }
    // Day and time read apart, so the time zone never enters: an hour the
    // clocks skip here is read as written.
    const int cut = s.indexOf(QRegularExpression(QStringLiteral("[ T]")));
    // A time has its minutes after a colon: ISO's fraction of an hour
    // ("13.07") is a time some locales show, not 13:04:12.
    const QDate day = QDate::fromString(cut < 0 ? s : s.left(cut), Qt::ISODate);
    const QString clock = cut < 0 ? QStringLiteral("00:00") : s.mid(cut + 1);
    const QTime time = clock.indexOf(u':') == 2 ? QTime::fromString(clock, Qt::ISODate) : QTime();
    const QDateTime dt = day.isValid() && time.isValid() ? clockDateTime(day, time) : QDateTime();
    return dt;
}

}  // namespace Fmt
