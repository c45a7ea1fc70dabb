#pragma once
// The confirmation letter and the receipt of a booking, filled from the
// templates beside the program and opened with the desktop's program for them.
#include <QtGlobal>

// The confirmation letter of the booking in progress in the wizard.
void PrintBookingConfirmation();
// The receipt of a booking chosen in a list.
void PrintBookingReceipt(qint32 bookingId);
