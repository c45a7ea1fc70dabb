#pragma once
// Numbers typed into the boxes of the windows: one reader for each kind of
// value, used by every box of that kind, so that a box takes in one window
// what it takes in the next.
//   amount      the locale's number or currency format (symbol and group
//               separators allowed), at most the largest amount the program
//               holds (Money::kMaxUnits) either side of zero
//   quantity    a whole number of one or more that an invoice line can hold
//   percentage  a number from 0 to 100
// Each tells a text that is no number at all from a number out of range: some
// windows put "0" in place of the first without a word, none takes the second.
#include "core/money.h"

#include <QString>

enum class Typed { Number, NotNumber, OutOfRange };

Typed ReadAmount(const QString& text, Money* out);
Typed ReadQuantity(const QString& text, qint32* out);
Typed ReadPercentage(const QString& text, double* out);

// Reads any number in the locale's number or currency format.
bool ReadTypedNumber(const QString& text, double* out);

// The refusal of a box, in the words the windows use: "The Sales Tax
// Percentage entered is not a percentage from 0 to 100. Please enter a
// percentage from 0 to 100 to continue."
QString PercentageRefusal(const QString& box);
// The amount's refusal names the largest the box takes (by default the
// largest the program holds).
QString AmountRefusal(const QString& box, Money largest = Money::fromUnits(Money::kMaxUnits));
