#pragma once
// The confirmation letter and the receipt of a booking, filled from the
// templates beside the program and opened with the desktop's program for them.
//
// A template is an RTF file holding placeholders in angle brackets and one
// block between "<itemlist>" and "</itemlist>" that is repeated for each
// invoice line. The templates are handled as bytes; everything put into them
// is RTF that shows the value as typed.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The confirmation letter of a booking; nothing happens for booking 0 (none
// in progress).
void PrintBookingConfirmation(qint32 bookingId);
// The receipt of a booking chosen in a list. The booking in progress, if any,
// stays as it is.
void PrintBookingReceipt(qint32 bookingId);

// Replaces the placeholders of template text c for booking bookingId and
// expands its item block. Placeholders match exactly (case counts). What is
// not known (no booking row, no customer) leaves its placeholders as they
// stand; a booking without lines keeps the block once, unfilled.
void FillDocumentTemplate(QByteArray& c, qint32 bookingId);

// value as RTF text: braces and backslashes escaped, letters beyond ASCII as
// \uN with a plain fallback letter, tabs and line breaks as RTF controls, and
// "<" written so that it can never start a placeholder.
QByteArray RtfText(const QString& value);

