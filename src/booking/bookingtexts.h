#pragma once
// Texts that describe a booking the same way wherever it is summed up: on the
// wizard's confirmation page and in the booking summary.
#include <QDateTime>
#include <QString>
#include <QVariant>

struct CustomerRecord;

// "Booking from 3/3/2025 9:00 AM to 3/5/2025 2:00 PM": the locale's short
// date, and the time on the 12-hour clock.
QString BookingPeriodText(const QDateTime& from, const QDateTime& to);

// "2 Adults and 0 Children"; a count that is not stored shows as nothing.
QString AdultsChildrenText(const QVariant& adults, const QVariant& kids);

// The customer's name, address, phones and e-mail address. Empty parts
// vanish with their separators; the phone captions always stand.
QString ContactBlockText(const CustomerRecord& customer);
