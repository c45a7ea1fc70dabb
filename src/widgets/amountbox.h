#pragma once
// The boxes that hold an amount of money. A box the program fills shows the
// amount in the currency format and keeps the amount itself: while the box
// shows that text unchanged, it reads as that amount exactly (every decimal
// the record holds, whatever the text reads as in the locale), so opening a
// window and pressing OK never changes a stored amount. Once the user has
// changed the text, the box reads it by the one amount reader (ReadAmount).
#include "core/money.h"
#include "core/numberinput.h"

class QLineEdit;

// How a box shows its amount: in the currency format ("$1,234.50"), or as a
// plain number ("1234.5") where the box keeps the text typed.
enum class AmountForm { Currency, Plain };
// Shows the amount in the box and keeps it.
void ShowAmount(QLineEdit* box, Money m, AmountForm form = AmountForm::Currency);
// The amount the box was last given (0 when none).
Money ShownAmount(const QLineEdit* box);
// Reads the box: the amount shown while its text is unchanged, else the text
// typed (empty counts as 0) under the rule of the box's sign.
Typed ReadAmountBox(const QLineEdit* box, Money* out, Sign sign = Sign::Any);
