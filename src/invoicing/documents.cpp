#include "invoicing/documents.h"

void PrintBookingConfirmation()
{
}

void PrintBookingReceipt(qint32)
{
}
