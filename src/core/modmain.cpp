#include "core/modmain.h"

#include "core/reserved.h"

#include "core/format.h"
#include "core/settingkeys.h"

#include <QCoreApplication>
#include <QLocale>

QString sDBPath;
qint32 iBookingID = 0;
int iBookingStep = 0;
QString WizMailList_Filename;
QString gsCommoditySingular = QStringLiteral("Room");
QString gsCommodityPlural = QStringLiteral("Rooms");
bool WizConfig_ShowWelcome = true;
bool WizOConfig_ShowWelcome = true;
bool WizMailList_ShowWelcome = true;
int WizConfig_Screen = 0;
bool WizConfig_Cancel = false;
int WizOConfig_Screen = 0;
bool WizOConfig_Cancel = false;

namespace {
QString& appPathOverride()
{
    static QString path;
    return path;
}
}  // namespace

QString AppPath()
{
    if (!appPathOverride().isEmpty())
        return appPathOverride();
    return QCoreApplication::applicationDirPath() + u'/';
}

void SetAppPath(const QString& folder)
{
    appPathOverride() = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

// ---- The booking in progress ---------------------------------------------

bool SaveBookingInProgress()
{
    return Options::BookingInProgress.save(QString::number(iBookingID))
           && Options::BookingInProgressStep.save(QString::number(iBookingStep));
}

void RestoreBookingInProgress()
{
    bool idOk = false;
    bool stepOk = false;
    const qint32 id = Options::BookingInProgress.read().trimmed().toInt(&idOk);
    const int step = Options::BookingInProgressStep.read().trimmed().toInt(&stepOk);
    iBookingID = idOk && id > 0 ? id : 0;
    iBookingStep = iBookingID != 0 && stepOk && step >= 0 && step <= 4 ? step : 0;
}

// ---- Dates and texts -----------------------------------------------------

QDateTime CDate(const QVariant& x)
{
    if (!x.isValid() || x.isNull())
        return QDateTime();
    switch (x.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = x.toDateTime();
        return dt.isValid() ? Fmt::clockDateTime(dt.date(), dt.time()) : QDateTime();
    }
    case QMetaType::QDate: return Fmt::clockDateTime(x.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        const QDateTime stored = Fmt::fromDbDateTime(x);
        return stored.isValid() ? stored : Fmt::parseDateTime(x.toString());
    }
    default: return QDateTime();
    }
}

bool IsDate(const QVariant& x)
{
    return CDate(x).isValid();
}

QString MakeIntDate(const QVariant& x)
{
    const QDateTime d = CDate(x);
    if (!d.isValid())
        return QString();
    return QStringLiteral("%1-%2-%3").arg(d.date().year()).arg(d.date().month()).arg(d.date().day());
}

QString MakeUSDate(const QVariant& x)
{
    const QDateTime d = CDate(x);
    if (!d.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3").arg(d.date().month()).arg(d.date().day()).arg(d.date().year());
}

QString Nz(const QVariant& s)
{
    if (!s.isValid() || s.isNull())
        return QString();
    switch (s.typeId()) {
    case QMetaType::Bool: return FlagText(s.toBool());
    case QMetaType::Double:
    case QMetaType::Float: return Fmt::number(s.toDouble());
    case QMetaType::QDateTime: return Fmt::generalDate(s.toDateTime());
    case QMetaType::QDate: return Fmt::shortDate(s.toDate());
    default: break;
    }
    if (s.canConvert<Money>() && s.typeId() == qMetaTypeId<Money>())
        return Fmt::moneyPlain(s.value<Money>());
    return s.toString();
}

QString GetS(const QVariant& sField, const QVariant& sSeperator)
{
    if (Nz(sField).isEmpty())
        return QString();
    return Nz(sField) + Nz(sSeperator);
}

void FindAndReplace(QString& c, const QString& sSearch, const QString& sReplace)
{
    if (sSearch.isEmpty())
        return;
    int p = c.indexOf(sSearch, 0, Qt::CaseSensitive);
    while (p >= 0) {
        c.replace(p, sSearch.size(), sReplace);
        p = c.indexOf(sSearch, p + sReplace.size(), Qt::CaseSensitive);
    }
}

double Val(const QString& text)
{
    // Blanks, tabs and line feeds are skipped wherever they stand.
    QString s;
    s.reserve(text.size());
    for (QChar ch : text)
        if (ch != u' ' && ch != u'\t' && ch != u'\n' && ch != u'\r')
            s += ch;
    int i = 0;
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (base) {
            qint64 n = 0;
            for (i = 2; i < s.size(); ++i) {
                const int digit = s[i].isDigit() ? s[i].digitValue()
                                  : (base == 16 && s[i].toUpper() >= u'A' && s[i].toUpper() <= u'F')
                                      ? s[i].toUpper().unicode() - 'A' + 10
                                      : -1;
                if (digit < 0 || digit >= base)
                    break;
                n = n * base + digit;
            }
            return double(n);
        }
    }
    int start = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    const int digitsStart = i;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128)
        ++i;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && s[digitsStart] == u'.'))
        return 0;
    int end = i;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        int j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        const int expDigits = j;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128)
            ++j;
        if (j > expDigits)
            end = j;
    }
    QString number = s.mid(start, end - start);
    number.replace(u'D', u'E').replace(u'd', u'e');
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok ? v : 0;
}

QString FormatNumberText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("0");
    QString text;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: text = QString::number(v.toDouble(), 'g', 17); break;
    default: text = v.toString(); break;
    }
    return Fmt::number(Val(text));
}

QString GetMonthName(int i)
{
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return i >= 1 && i <= 12 ? QString::fromLatin1(names[i - 1]) : QString();
}

int GetDayOfWeekIndex(const QVariant& sDay)
{
    static const char* const names[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    const QString day = Nz(sDay);
    for (int i = 0; i < 7; ++i)
        if (day == QLatin1String(names[i]))
            return i + 1;
    return 0;
}
