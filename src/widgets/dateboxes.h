#pragma once
// The program's date and time boxes: every date or time a window shows or
// takes is in one of them (promoted in the windows' designs).
//
// A date box shows the locale's short date with the whole year (3/2/2003), a
// time box the locale's time without seconds (2:00 PM). What is typed shows
// as it is typed, and the box's value follows it as soon as it names a whole
// date or time (see Fmt::parseDate and Fmt::parseTime: "3/2/2003", "3/2/03",
// "2003-03-02" or "March 2, 2003" in a date box; "2:00 PM", "14:00" or
// "2 pm" in a time box), so whatever reads the box reads what it shows, by
// whatever key or click the page is left. A text that names none (a day the
// month has not, half a date) is refused when the box is left, Enter is
// pressed or the box is hidden: the box holds and shows its last value again.
// Tab leaves the box as it leaves a text box, and coming in by Tab selects
// the whole text, so typing replaces it. The arrows, the keys and the
// calendar work as in any date box. Values are clock values (see
// Fmt::clockDateTime).
#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimeEdit>

// What the two boxes share: Tab leaves the box, and coming in by Tab (or an
// access key) selects the whole text.
template <class Edit>
class WholeTextBox : public Edit {
public:
    using Edit::Edit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        Edit::focusInEvent(event);
        switch (event->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            this->lineEdit()->selectAll();
            break;
        default:
            break;
        }
    }
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

class DateBox : public WholeTextBox<QDateEdit> {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);
};

class TimeBox : public WholeTextBox<QTimeEdit> {
    Q_OBJECT
public:
    explicit TimeBox(QWidget* parent = nullptr);
};
