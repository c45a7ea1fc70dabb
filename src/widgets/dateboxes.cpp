#include "widgets/dateboxes.h"

#include "core/format.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHideEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// The date box's own following of the cursor from part to part.
const char* const kFollowParts = SLOT(_q_editorCursorPositionChanged(int, int));

}  // namespace

template <class Edit>
WholeTextBox<Edit>::WholeTextBox(QWidget* parent) : Edit(parent)
{
    // A date box moves the cursor from part to part of its own form as it
    // moves, and puts the text back in that form when it leaves a part: here
    // the text is free while it is edited, and the cursor stays where the
    // typist puts it (the arrows find the part under it, see
    // stepPartUnderCursor).
    QObject::disconnect(this->lineEdit(), SIGNAL(cursorPositionChanged(int, int)), this, kFollowParts);
}

// The part of the date the arrows step is the one under the cursor: on the
// box's own form, the box is let follow the cursor for this one move.
template <class Edit>
void WholeTextBox<Edit>::stepPartUnderCursor()
{
    const int part = sectionUnderCursor();
    if (part < 0 || part == this->currentSectionIndex())
        return;
    QLineEdit* edit = this->lineEdit();
    QObject::connect(edit, SIGNAL(cursorPositionChanged(int, int)), this, kFollowParts);
    // The box follows a move only: the cursor goes to the end first, which
    // is no part's start.
    edit->setCursorPosition(int(edit->text().size()));
    this->setCurrentSectionIndex(part);
    QObject::disconnect(edit, SIGNAL(cursorPositionChanged(int, int)), this, kFollowParts);
}

// Every text may be typed: one that names no date or time stands, while it
// is edited, for the value the box had when the editing began.
template <class Edit>
QValidator::State WholeTextBox<Edit>::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

// What is typed stays as typed: the box's own reading would mend a part of
// it as it is typed (2/30 to 2/28).
template <class Edit>
void WholeTextBox<Edit>::fixup(QString&) const
{
}

// While it is edited, the text typed is how the box shows the value it
// stands for: a window that sets that value again as it follows the box (a
// date typed in part: 3/2/20, 3/2/200) leaves the typing as it is. Another
// value the window sets shows in the box's own form, and the editing goes
// on from it.
template <class Edit>
QString WholeTextBox<Edit>::textFromDateTime(const QDateTime& dt) const
{
    if (!m_editing)
        return ownText(dt);
    const QString shown = this->lineEdit()->text();
    if (dateTimeFromText(shown) == dt)
        return shown;
    if (dt == this->dateTime())
        m_before = dt;
    return ownText(dt);
}

// The box's own form of a value: 3/2/2003, 2:00 PM.
template <class Edit>
QString WholeTextBox<Edit>::ownText(const QDateTime& dt) const
{
    return Edit::textFromDateTime(dt);
}

template <class Edit>
QDateTime WholeTextBox<Edit>::dateTimeFromText(const QString& text) const
{
    const QDateTime named = read(text.trimmed());
    if (named.isValid())
        return named;
    return m_editing ? m_before : this->dateTime();
}

// The editing begins as the box comes in, or with the first key or input
// method's text that reaches it.
template <class Edit>
void WholeTextBox<Edit>::beginEditing()
{
    if (m_editing)
        return;
    m_editing = true;
    m_before = this->dateTime();
}

template <class Edit>
void WholeTextBox<Edit>::inputMethodEvent(QInputMethodEvent* event)
{
    beginEditing();
    Edit::inputMethodEvent(event);
}

template <class Edit>
void WholeTextBox<Edit>::keyPressEvent(QKeyEvent* event)
{
    beginEditing();
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // The box steps the part under the cursor and shows its own form:
        // the editing ends.
        stepPartUnderCursor();
        Edit::keyPressEvent(event);
        m_before = this->dateTime();
        return;
    case Qt::Key_Escape:
        if (this->lineEdit()->text() != ownText(m_before)) {
            m_editing = false;
            this->setDateTime(m_before);
            this->lineEdit()->selectAll();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        endEditing();
        break;
    default:
        break;
    }
    // Every other key edits the text as in a text box: the date box's own
    // keys would jump from part to part (and out of the box) on a separator
    // typed, or on Ctrl with an arrow.
    QAbstractSpinBox::keyPressEvent(event);
}

// Coming in by Tab, an access key or the window's own choice selects the
// whole text (a date box would select its first part alone), so typing
// replaces it; a click puts the cursor where it falls, and coming back to
// the window keeps the selection there was.
template <class Edit>
void WholeTextBox<Edit>::focusInEvent(QFocusEvent* event)
{
    Edit::focusInEvent(event);
    m_editing = false;
    beginEditing();
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
        break;
    default:
        this->lineEdit()->selectAll();
        break;
    }
}

template <class Edit>
void WholeTextBox<Edit>::focusOutEvent(QFocusEvent* event)
{
    endEditing();
    Edit::focusOutEvent(event);
}

template <class Edit>
void WholeTextBox<Edit>::hideEvent(QHideEvent* event)
{
    endEditing();
    Edit::hideEvent(event);
}

template <class Edit>
bool WholeTextBox<Edit>::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

// The box shows its value in its own form, refusing with a beep a text that
// names none; the next key, or the focus coming back, begins a new editing.
template <class Edit>
void WholeTextBox<Edit>::endEditing()
{
    m_editing = false;
    const QString shown = this->lineEdit()->text();
    if (shown != ownText(this->dateTime())) {
        if (!read(shown.trimmed()).isValid())
            QApplication::beep();
        const QSignalBlocker block(this);
        this->setDateTime(this->dateTime());
    }
}

// The part of the box's own form the cursor is in or just after; the parts
// are the runs of digits and of letters, in the order of the box's format.
// None (-1) when the text is not in the box's own form.
template <class Edit>
int WholeTextBox<Edit>::sectionUnderCursor() const
{
    const QLineEdit* edit = this->lineEdit();
    const QString text = edit->text();
    if (text != ownText(this->dateTime()))
        return -1;
    const int cursor = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const auto kind = [](QChar c) { return c.isDigit() ? 1 : c.isLetterOrNumber() ? 2 : 0; };
    int part = -1;
    int under = -1;
    for (int i = 0; i < text.size(); ++i) {
        const int k = kind(text[i]);
        if (k != 0 && (i == 0 || kind(text[i - 1]) != k))
            ++part;
        if (k != 0 && i <= cursor)
            under = part;
    }
    return part + 1 == this->sectionCount() ? under : -1;
}

template class WholeTextBox<QDateEdit>;
template class WholeTextBox<QTimeEdit>;

DateBox::DateBox(QWidget* parent) : WholeTextBox(parent)
{
    setDisplayFormat(Fmt::shortDateFormat());
    setCalendarPopup(true);
    setTimeSpec(Qt::UTC);
}

QDateTime DateBox::read(const QString& text) const
{
    const QDate d = Fmt::parseDate(text);
    if (!d.isValid() || d < minimumDate() || d > maximumDate())
        return QDateTime();
    return Fmt::clockDateTime(d, time());
}

TimeBox::TimeBox(QWidget* parent) : WholeTextBox(parent)
{
    setDisplayFormat(Fmt::shortTimeFormat());
    setTimeSpec(Qt::UTC);
}

QDateTime TimeBox::read(const QString& text) const
{
    const QTime t = Fmt::parseTime(text);
    if (!t.isValid() || t < minimumTime() || t > maximumTime())
        return QDateTime();
    return Fmt::clockDateTime(date(), t);
}
