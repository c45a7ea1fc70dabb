#include "booking/bookingtexts.h"

#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"

#include <QLocale>

const char* const kContactColumns =
    "ID, FirstName, LastName, Address1, Address2, City, State, PostCode, Country, Phone, Email, "
    "SubmittedDate, BusinessName, HomePhone, Mobile";

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

QString ContactBlockText(const Query& c)
{
    auto f = [&c](const char* column) { return c.value(QString::fromLatin1(column)); };
    const QString lineBreak = QStringLiteral("\n");
    const QString blank = QStringLiteral(" ");
    const QString comma = QStringLiteral(", ");
    return GetS(f("BusinessName"), blank) + GetS(f("FirstName"), blank) + GetS(f("LastName"), QString())
           + lineBreak
           + GetS(f("Address1"), comma) + GetS(f("Address2"), comma) + GetS(f("City"), comma)
           + GetS(f("State"), blank) + GetS(f("PostCode"), QString())
           + QStringLiteral(". ")
           + GetS(f("Country"), lineBreak)
           + QStringLiteral("Work ph: ") + GetS(f("Phone"), QString()) + blank
           + QStringLiteral("Cell/Mobile: ") + GetS(f("Mobile"), QString()) + blank
           + QStringLiteral("Home Phone: ") + GetS(f("HomePhone"), QString()) + blank
           + Nz(f("Email"));
}
