#pragma once
// Rows every database holds from the start, which the program refers to by
// their ids. They are never listed for removal.
#include <QtGlobal>

namespace TaxRateId {
constexpr qint32 None = 1;     // "N/A", 0%
constexpr qint32 First = 2;    // the sales tax of the options
constexpr qint32 Second = 3;   // the second sales tax of the options
}

namespace ItemId {
constexpr qint32 Booking = 1;  // the line of a unit's stay
constexpr qint32 NewItem = 2;  // a free-text line ("New Item...")
}

namespace CommissionAccountId {
constexpr qint32 None = 1;     // "No Commission"
}

namespace BookingUdfId {
constexpr qint32 Default = 1;  // "Not Selected"
}
