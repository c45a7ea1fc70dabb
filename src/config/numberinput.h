#pragma once
// Numbers typed into the configuration windows' boxes.
#include <QString>

// Reads a number typed in the locale's number or currency format (symbol and
// group separators allowed); false when the text is neither.
bool ReadTypedNumber(const QString& text, double* out);
