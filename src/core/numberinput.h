#pragma once
// Numbers and amounts typed into boxes of the windows.
#include "core/money.h"

#include <QString>

// Reads a number typed in the locale's number or currency format (symbol and
// group separators allowed); false when the text is neither.
bool ReadTypedNumber(const QString& text, double* out);
// Reads an amount the same way; false also when it is beyond the amounts the
// program takes (Money::kMaxUnits).
bool ReadTypedMoney(const QString& text, Money* out);
