#pragma once
// Text that a user typed or the database holds is always shown as text: a
// name such as "<b>O'Brien</b>" shows its brackets, never bold, and no markup
// in it can load an image or a file.
#include <QString>

class QLabel;

// Shows text on the label as plain text (the label never guesses rich text).
// A label that names a control for its access key would take an "&" in the
// text for the key's marker: there the "&" is doubled, so it shows.
void SetPlainText(QLabel* label, const QString& text);
// A user's or a stored word for a caption that keeps its own access key (a
// button, a check box, a menu item): every "&" doubled, so none is taken for
// the marker.
QString NoAccessKey(QString text);
// Shows text on the label as plain text on one line; a text wider than the
// label ends in "..." and shows whole in the label's tip. The label fits it
// again whenever its width or its font changes (a step made bold).
void SetElidedText(QLabel* label, const QString& text);
// A tip showing text as it is: a tip takes text that looks like markup for
// rich text, so such text goes in escaped.
QString PlainTip(const QString& text);
// Makes every label below (and including) w show its text as plain text.
void ShowLabelsAsPlainText(class QWidget* w);
// Every text box below w shows its text from the beginning: a loaded name
// longer than its box shows how it starts, not how it ends.
void ShowBoxesFromStart(class QWidget* w);
