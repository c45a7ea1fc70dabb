#pragma once
// Date boxes that read a typed date whole. A QDateEdit edits its sections one
// at a time, so "3/10/2027" typed over "12/15/2026" would keep the month 12;
// a box set up here shows what is typed as it is typed and, when the box is
// left or Enter is pressed, reads the whole text as the locale writes a date.
// Text that is no date is refused: the box shows its last date again. The
// box's own arrows, keys and calendar work as before. Its value is a clock
// value (see Fmt::clockDateTime).
class QDateTimeEdit;

void ReadTypedDateWhole(QDateTimeEdit* box);
