#include "booking/bookingtexts.h"

#include "core/customerstore.h"
#include "core/format.h"
#include "core/modmain.h"

#include <QLocale>

namespace {

QString clockTime(const QTime& t)
{
    return QLocale().toString(t, QStringLiteral("h:mm AP"));
}

QString count(const QVariant& v)
{
    return v.isNull() ? QString() : Fmt::integer(v.toLongLong());
}

}  // namespace

QString BookingPeriodText(const QDateTime& from, const QDateTime& to)
{
    return QStringLiteral("Booking from ") + Fmt::shortDate(from.date()) + u' ' + clockTime(from.time())
           + QStringLiteral(" to ") + Fmt::shortDate(to.date()) + u' ' + clockTime(to.time());
}

QString AdultsChildrenText(const QVariant& adults, const QVariant& kids)
{
    return count(adults) + QStringLiteral(" Adults and ") + count(kids) + QStringLiteral(" Children");
}

QString ContactBlockText(const CustomerRecord& c)
{
    const QString lineBreak = QStringLiteral("\n");
    const QString blank = QStringLiteral(" ");
    const QString comma = QStringLiteral(", ");
    const QString address = GetS(c.address1, comma) + GetS(c.address2, comma) + GetS(c.city, comma)
                            + GetS(c.state, blank) + GetS(c.postCode, QString());
    // The address ends with its full stop; no address, no stop.
    return GetS(c.businessName, blank) + GetS(c.firstName, blank) + GetS(c.lastName, QString())
           + lineBreak
           + (address.isEmpty() ? QString() : address + QStringLiteral(". "))
           + GetS(c.country, lineBreak)
           + QStringLiteral("Work ph: ") + GetS(c.phone, QString()) + blank
           + QStringLiteral("Cell/Mobile: ") + GetS(c.mobile, QString()) + blank
           + QStringLiteral("Home Phone: ") + GetS(c.homePhone, QString()) + blank
           + Nz(c.email);
}
