#include "widgets/dateboxes.h"

#include "core/format.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QValidator>
#include <functional>

namespace {

// Keeps what is typed into a box as text, shown as it is typed; the box's
// value follows it: take() sets the value the text names, or refuses a text
// that names none, and the box then holds the value it had before the typing
// began. Whatever reads the box thus reads what was typed as soon as it is a
// whole date or time, however the focus moves on (an access key, a click on a
// caption, a shortcut), and never a value made up from a part of it. Leaving
// the box, Enter, or the box hidden ends the typing: the box shows its value,
// the last one typed whole or, for a text that names none, the one before.
class WholeTyping : public QObject {
public:
    WholeTyping(QDateTimeEdit* box, std::function<bool(const QString&)> take)
        : QObject(box), m_box(box), m_take(std::move(take))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool typed = !text.isEmpty() && text.at(0).isPrint()
                               && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            if (typed) {
                type(text);
                return true;
            }
            if (typing() && key->key() == Qt::Key_Backspace) {
                if (m_cursor > 0)
                    m_text.remove(--m_cursor, 1);
                follow();
                return true;
            }
            if (typing() && key->key() == Qt::Key_Delete) {
                m_text.remove(m_cursor, 1);
                follow();
                return true;
            }
            if (isModifier(key->key()))
                return false;
            if (typing() && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right
                             || key->key() == Qt::Key_Home || key->key() == Qt::Key_End)) {
                if (key->key() == Qt::Key_Left)
                    m_cursor = qMax(0, m_cursor - 1);
                else if (key->key() == Qt::Key_Right)
                    m_cursor = qMin(int(m_text.size()), m_cursor + 1);
                else
                    m_cursor = key->key() == Qt::Key_Home ? 0 : int(m_text.size());
                show();
                return true;
            }
            if (typing() && key->key() == Qt::Key_Escape) {
                m_text.clear();
                follow();
                end(false);
                return true;
            }
            commit();
            return false;
        }
        case QEvent::FocusOut:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            commit();
            return false;
        default:
            return false;
        }
    }

private:
    static bool isModifier(int key)
    {
        switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_Dead_Grave:
        case Qt::Key_Dead_Acute:
        case Qt::Key_Dead_Circumflex:
        case Qt::Key_Dead_Tilde:
        case Qt::Key_Dead_Diaeresis:
            return true;
        default:
            return false;
        }
    }

    QLineEdit* edit() const { return m_box->findChild<QLineEdit*>(); }

    // Typing goes on while the box shows the typed text: a value the program
    // sets in between (a page shown again) ends it.
    bool typing()
    {
        if (m_typing && edit()->text() != m_text)
            end(false);
        return m_typing;
    }

    void type(const QString& text)
    {
        if (!typing()) {
            QLineEdit* e = edit();
            m_typing = true;
            m_before = m_box->dateTime();
            m_text = e->text();
            m_cursor = e->cursorPosition();
            if (e->hasSelectedText() && e->selectionStart() == 0) {
                // The box selects its first part (or all) as the focus comes
                // in: typing then starts a new value.
                m_text.clear();
                m_cursor = 0;
            } else if (e->hasSelectedText()) {
                m_cursor = e->selectionStart();
                m_text.remove(m_cursor, e->selectedText().size());
            }
            // The box's own reading of its text would mend a part of it as
            // it is typed (2/30 to 2/28): what is typed stays as typed.
            m_validator = e->validator();
            e->setValidator(nullptr);
        }
        m_text.insert(m_cursor, text);
        m_cursor += text.size();
        follow();
    }

    // The value the text names, or the one before the typing.
    void follow()
    {
        if (!m_take(m_text.trimmed()) && m_box->dateTime() != m_before)
            m_box->setDateTime(m_before);
        // Setting the value shows it: the typed text again.
        show();
    }

    void show()
    {
        QLineEdit* e = edit();
        const QSignalBlocker block(e);
        e->setText(m_text);
        e->setCursorPosition(m_cursor);
    }

    // Ends the typing; the box shows its value (refused: with a beep).
    void end(bool refused)
    {
        m_typing = false;
        QLineEdit* e = edit();
        if (e->validator() == nullptr && m_validator)
            e->setValidator(m_validator);
        if (refused)
            QApplication::beep();
        // Setting the value again has the box show it as its own.
        const QSignalBlocker block(m_box);
        m_box->setDateTime(m_box->dateTime());
    }

    void commit()
    {
        if (typing())
            end(!m_take(m_text.trimmed()));
    }

    QDateTimeEdit* m_box;
    std::function<bool(const QString&)> m_take;
    QPointer<const QValidator> m_validator;
    QDateTime m_before;
    QString m_text;
    int m_cursor = 0;
    bool m_typing = false;
};

}  // namespace

DateBox::DateBox(QWidget* parent) : WholeTextBox(parent)
{
    setDisplayFormat(Fmt::shortDateFormat());
    setCalendarPopup(true);
    setTimeSpec(Qt::UTC);
    new WholeTyping(this, [this](const QString& text) {
        const QDate d = Fmt::parseDate(text);
        if (!d.isValid() || d < minimumDate() || d > maximumDate())
            return false;
        setDate(d);
        return true;
    });
}

TimeBox::TimeBox(QWidget* parent) : WholeTextBox(parent)
{
    setDisplayFormat(Fmt::shortTimeFormat());
    setTimeSpec(Qt::UTC);
    new WholeTyping(this, [this](const QString& text) {
        const QTime t = Fmt::parseTime(text);
        if (!t.isValid() || t < minimumTime() || t > maximumTime())
            return false;
        setTime(t);
        return true;
    });
}
