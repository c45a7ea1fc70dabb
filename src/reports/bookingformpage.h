#pragma once
// The booking form for the business's own web site: one HTML page whose form
// posts a visitor's dates, name, address and comments to a form-to-mail
// service, which mails them to the booking address of the web settings.
#include "core/websettingsstore.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class QWidget;

// The form-to-mail service the page posts to unless a custom address is set.
// It is a placeholder: a page posting to it sends nothing.
extern const char* const kDefaultFormService;

// Shown after a page was written whose form has no service to send to.
extern const char* const kNoFormServiceMessage;

// Whether the page of these settings posts to a service address the user
// gave (the custom one); the default service is a placeholder.
bool FormHasServiceAddress(const WebSettings& settings);

// Shown when the database holds no web settings row.
extern const char* const kNoWebSettingsMessage;

// Text for a double-quoted HTML attribute: markup characters become entities,
// and everything outside printable ASCII a numeric character reference, so
// the page is pure ASCII whatever a value holds.
QString HtmlAttributeText(const QString& text);

// The page for the settings, its date lists starting at today's year with
// today selected: lines ended by CR LF, ASCII only.
QByteArray BookingFormPage(const WebSettings& settings, const QDate& today);

// The "Create Web Bookings Page" command: asks for a file, then writes the
// page for the stored settings into it. A cancel, a missing settings row or
// a failed write leaves an existing file as it was. A page written without a
// service address of the user's is followed by a warning that its form will
// not send.
void CreateBookingFormPage(QWidget* owner, const QDate& today = QDate::currentDate());
