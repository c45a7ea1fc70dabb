#pragma once
// The program's date and time boxes: every date or time a window shows or
// takes is in one of them (promoted in the windows' designs).
//
// A date box shows the locale's short date with the whole year (3/2/2003), a
// time box the locale's time without seconds (2:00 PM). The text edits as in
// any text box (selection with Shift or the mouse, word moves, cut and paste,
// undo, input methods), and the box's value follows it as soon as it names a
// whole date or time (see Fmt::parseDate and Fmt::parseTime: "3/2/2003",
// "3/2/03", "2003-03-02" or "March 2, 2003" in a date box; "2:00 PM", "14:00"
// or "2 pm" in a time box), so whatever reads the box reads what it shows,
// by whatever key or click the page is left. While the text names none (a
// day the month has not, half a date) the box holds the value it had when
// the editing began, and when the box is left, Enter is pressed or the box
// is hidden, it refuses the text: it shows that value again. Escape while
// editing takes the value back too. Tab leaves the box as it leaves a text
// box, and coming in by Tab (or as the window opens) selects the whole
// text, so typing replaces it.
// Up and Down (and the page keys) step the part of the date or time under
// the cursor, and the calendar works as in any date box. Values are clock
// values (see Fmt::clockDateTime).
#include <QDateEdit>
#include <QTimeEdit>

class QFocusEvent;
class QHideEvent;
class QInputMethodEvent;
class QKeyEvent;

// What the two boxes share: the text read by the box's own reader, and the
// keys of a text box.
template <class Edit>
class WholeTextBox : public Edit {
public:
    explicit WholeTextBox(QWidget* parent = nullptr);

protected:
    // The date or time the text names, within the box's range, on the day or
    // at the time the box holds; invalid when it names none.
    virtual QDateTime read(const QString& text) const = 0;

    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
    QString textFromDateTime(const QDateTime& dt) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QString ownText(const QDateTime& dt) const;
    void beginEditing();
    void endEditing();
    int sectionUnderCursor() const;
    void stepPartUnderCursor();

    // The value when the editing began: the box holds it while its text
    // names none.
    mutable QDateTime m_before;
    bool m_editing = false;
};

class DateBox : public WholeTextBox<QDateEdit> {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

protected:
    QDateTime read(const QString& text) const override;
};

class TimeBox : public WholeTextBox<QTimeEdit> {
    Q_OBJECT
public:
    explicit TimeBox(QWidget* parent = nullptr);

protected:
    QDateTime read(const QString& text) const override;
};
