#pragma once
// Numbers typed into the boxes of the windows: one reader for each kind of
// value, used by every box of that kind, so that a box takes in one window
// what it takes in the next.
//   amount      the locale's number or currency format (symbol and group
//               separators allowed), at most the largest amount the program
//               holds (Money::kMaxUnits) either side of zero; a price or a
//               tip is never below zero
//   quantity    a whole number of one or more that an invoice line can hold
//   percentage  a number from 0 to 100
// Each tells a text that is no number at all from a number out of range, and
// the window refuses either with the refusal of its kind of box.
#include "core/money.h"

#include <QString>

enum class Typed { Number, NotNumber, OutOfRange, Negative };
// Whether an amount box takes amounts below zero.
enum class Sign { Any, NotNegative };

Typed ReadAmount(const QString& text, Money* out, Sign sign = Sign::Any);
Typed ReadQuantity(const QString& text, qint32* out);
Typed ReadPercentage(const QString& text, double* out);

// Reads any number in the locale's number or currency format.
bool ReadTypedNumber(const QString& text, double* out);
// Whether the text is a number in the locale's number or currency format,
// whatever its size.
bool IsNumberText(const QString& text);

// The refusal of a box, in the words the windows use: "The Sales Tax
// Percentage entered is not a percentage from 0 to 100. Please enter a
// percentage from 0 to 100 to continue."
QString PercentageRefusal(const QString& box);
// An amount box refuses what is no number, a number too large (naming the
// largest the box takes, by default the largest the program holds) and,
// where it takes none, an amount below zero, each in its own words.
QString NumberRefusal(const QString& box);
QString AmountRefusal(const QString& box, Money largest = Money::fromUnits(Money::kMaxUnits));
QString NegativeAmountRefusal(const QString& box);
// The refusal for what ReadAmount found (not Typed::Number).
QString AmountRefusal(const QString& box, Typed read, Money largest = Money::fromUnits(Money::kMaxUnits));
