#pragma once
// Text that a user typed or the database holds is always shown as text: a
// name such as "<b>O'Brien</b>" shows its brackets, never bold, and no markup
// in it can load an image or a file.
#include <QString>

class QLabel;

// Shows text on the label as plain text (the label never guesses rich text).
void SetPlainText(QLabel* label, const QString& text);
// Shows text on the label as plain text on one line; a text wider than the
// label ends in "..." and shows whole in the label's tip. The label fits it
// again whenever its width or its font changes (a step made bold).
void SetElidedText(QLabel* label, const QString& text);
// Makes every label below (and including) w show its text as plain text.
void ShowLabelsAsPlainText(class QWidget* w);
// Text escaped for a rich-text string (a tool tip, an HTML cell): "<", ">",
// "&" and quotes become entities and line breaks become <br>.
QString PlainTextHtml(const QString& text);
