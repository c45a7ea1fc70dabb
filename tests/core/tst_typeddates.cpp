// Dates and times as the user types them and as the program writes them: a
// box holds what it shows, however it is left, and every date and time text
// the program writes reads back, in every locale.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "booking/frmfindbooking.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/dateboxes.h"
#include "widgets/grid.h"
#include "widgets/mainview.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLabel>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

class TestTypedDates : public DbTest {
    Q_OBJECT

private slots:
    void init() { resetInUsEnglish(); }
    void cleanup() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }

    void boxHoldsWhatItShows_data();
    void boxHoldsWhatItShows();
    void boxEditsAsTextBox_data();
    void boxEditsAsTextBox();
    void writtenTextsReadBack_data();
    void writtenTextsReadBack();
};

// ---- The boxes ---------------------------------------------------------------

void TestTypedDates::boxHoldsWhatItShows_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("box");       // a box of the booking wizard's dates step, or Find Booking's
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("way");       // how the box is left
    QTest::addColumn<QString>("stored");    // what the booking stores; empty: the text is refused

    // The departure is 5/5/2027 2:00 PM, the arrival 5/3/2027 9:00 AM.
    QTest::newRow("departure, Alt+N") << "en_US" << "dtToDate" << "5/20/2027" << "Alt+N" << "2027-05-20 14:00:00";
    QTest::newRow("departure, step caption") << "en_US" << "dtToDate" << "5/20/27" << "caption"
                                             << "2027-05-20 14:00:00";
    QTest::newRow("arrival time, Alt+N") << "en_US" << "dtFromTime" << "11:30 AM" << "Alt+N" << "2027-05-03 11:30:00";
    QTest::newRow("departure time, caption") << "en_US" << "dtToTime" << "4 pm" << "caption" << "2027-05-05 16:00:00";
    QTest::newRow("long date, Tab") << "en_US" << "dtToDate" << "May 20, 2027" << "Tab" << "2027-05-20 14:00:00";
    QTest::newRow("long date with weekday, Enter")
        << "en_US" << "dtToDate" << "Thursday, May 20, 2027" << "Enter" << "2027-05-20 14:00:00";
    QTest::newRow("ISO, click elsewhere") << "en_US" << "dtToDate" << "2027-05-20" << "click" << "2027-05-20 14:00:00";
    QTest::newRow("year 00, Alt+N") << "en_US" << "dtFromDate" << "2/29/00" << "Alt+N" << "2000-02-29 09:00:00";
    QTest::newRow("2/30, Tab") << "en_US" << "dtToDate" << "2/30/2027" << "Tab" << "";
    QTest::newRow("4/31, Enter") << "en_US" << "dtToDate" << "4/31/2027" << "Enter" << "";
    QTest::newRow("2/29/2023, Alt+N") << "en_US" << "dtToDate" << "2/29/2023" << "Alt+N" << "";
    QTest::newRow("2/29/2023, caption") << "en_US" << "dtToDate" << "2/29/2023" << "caption" << "";
    QTest::newRow("2/29/2023, click elsewhere") << "en_US" << "dtToDate" << "2/29/2023" << "click" << "";
    QTest::newRow("half a date, Alt+N") << "en_US" << "dtToDate" << "5/20/202" << "Alt+N" << "";
    QTest::newRow("no time, Alt+N") << "en_US" << "dtFromTime" << "11:3" << "Alt+N" << "";
    QTest::newRow("de 14.5.2027, Alt+N") << "de_DE" << "dtToDate" << "14.5.2027" << "Alt+N" << "2027-05-14 14:00:00";
    QTest::newRow("de 5.6.2027, caption") << "de_DE" << "dtToDate" << "5.6.2027" << "caption" << "2027-06-05 14:00:00";
    QTest::newRow("de 16.5.27, Tab") << "de_DE" << "dtToDate" << "16.5.27" << "Tab" << "2027-05-16 14:00:00";
    QTest::newRow("de long, Enter") << "de_DE" << "dtToDate" << "20. Mai 2027" << "Enter" << "2027-05-20 14:00:00";
    QTest::newRow("de 31.6.2027, Alt+N") << "de_DE" << "dtToDate" << "31.6.2027" << "Alt+N" << "";
    // A dialog's button by its access key searches by the day typed.
    QTest::newRow("Find Booking, Alt+S") << "en_US" << "dtArrive" << "5/20/2027" << "Alt+S" << "2027-05-20";
    QTest::newRow("Find Booking de, Alt+S") << "de_DE" << "dtArrive" << "20.5.2027" << "Alt+S" << "2027-05-20";
}

void TestTypedDates::boxHoldsWhatItShows()
{
    QFETCH(QString, locale);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, way);
    QFETCH(QString, stored);
    QLocale::setDefault(QLocale(locale));
    showMain();

    // Types over the box's text and leaves it; the box then shows what it
    // holds: the value typed, or the one it had before.
    const auto typeAndLeave = [&](QWidget* window) {
        auto* edit = control<QDateTimeEdit>(window, box.toLatin1().constData());
        const QDateTime before = edit->dateTime();
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
        if (way == QLatin1String("Tab"))
            QTest::keyClick(edit, Qt::Key_Tab);
        else if (way == QLatin1String("Enter"))
            QTest::keyClick(edit, Qt::Key_Return);
        else if (way.startsWith(QLatin1String("Alt+")))
            QTest::keyClick(edit, way.back().toLatin1(), Qt::AltModifier);
        else if (way == QLatin1String("caption"))
            QTest::mouseClick(control<QLabel>(window, "lblStep_1"), Qt::LeftButton);
        else
            QTest::mouseClick(control<QLineEdit>(window, "txtBookedBy"), Qt::LeftButton);
        // A button pressed by its access key clicks once it has shown itself down.
        if (way == QLatin1String("Alt+N"))
            QTRY_COMPARE(iBookingStep, 1);
        // Left, the box shows its value in its own form; still in it, a text
        // that names the value.
        const bool isDate = qobject_cast<DateBox*>(edit) != nullptr;
        if (edit->hasFocus())
            QVERIFY(isDate ? Fmt::parseDate(edit->text()) == edit->date() : Fmt::parseTime(edit->text()) == edit->time());
        else
            QCOMPARE(edit->text(), isDate ? Fmt::shortDate(edit->date()) : Fmt::shortTime(edit->time()));
        if (stored.isEmpty())
            QCOMPARE(edit->dateTime(), before);
        else if (isDate)
            QCOMPARE(edit->date(), QDate::fromString(stored.left(10), Qt::ISODate));
    };

    if (box == QLatin1String("dtArrive")) {
        // Two stays: the search from the day typed finds the later one alone.
        const qint32 guest = addCustomer({{"FirstName", "Ann"}});
        for (const char* from : {"2027-05-10 09:00:00", "2027-05-25 09:00:00"})
            addBooking(QString::fromLatin1(from), QStringLiteral("2027-05-28 14:00:00"), {{"customerid", guest}});
        int found = -1;
        onNextDialogOf<frmFindBooking>([&](frmFindBooking* find) {
            // Closed whatever the checks found.
            const std::unique_ptr<frmFindBooking, void (*)(frmFindBooking*)> closing(
                find, [](frmFindBooking* d) { d->reject(); });
            typeAndLeave(find);
            QTRY_VERIFY(GridRowCount(control<QTableView>(find, "gres")) > 0);
            found = GridRowCount(control<QTableView>(find, "gres"));
        });
        QVERIFY(!frmFindBooking::ask(main));
        QCOMPARE(found, 1);
    } else {
        mainView().AddReservation();
        control<DateBox>(wizard(), "dtFromDate")->setDate(QDate(2027, 5, 3));
        control<TimeBox>(wizard(), "dtFromTime")->setTime(QTime(9, 0));
        control<DateBox>(wizard(), "dtToDate")->setDate(QDate(2027, 5, 5));
        control<TimeBox>(wizard(), "dtToTime")->setTime(QTime(14, 0));
        typeAndLeave(wizard());
        if (iBookingStep == 0)
            QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
        QCOMPARE(iBookingStep, 1);
        const bool arrival = box.startsWith(QLatin1String("dtFrom"));
        if (stored.isEmpty())
            stored = arrival ? QStringLiteral("2027-05-03 09:00:00") : QStringLiteral("2027-05-05 14:00:00");
        QCOMPARE(objConn
                     .scalar(QStringLiteral("SELECT %1 FROM booking WHERE id = ?")
                                 .arg(QLatin1String(arrival ? "fromdate" : "todate")),
                             {iBookingID})
                     .toString(),
                 stored);
    }
    QCOMPARE(fakes().messageBoxes->shown.size(), 0);
}

// Edited by the keys of any text box and an input method, a box's text is
// what a plain line edit shows from the same text and the same keys, and its
// value is the one the text names (or, while it names none, the one before).
void TestTypedDates::boxEditsAsTextBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("committed");   // by an input method, after the keys
    QTest::addColumn<QString>("shown");       // what the box shows, left by Tab

    // The departure is 5/5/2027, the arrival time 9:00 AM; the box is
    // entered by Tab, which selects its whole text. The keys are named as in
    // a shortcut ("Ctrl+Shift+Right"), typed text in quotes.
    const auto keys = [](const QString& script) {
        QTestEventList list;
        static const QRegularExpression token(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
        for (auto it = token.globalMatch(script); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.hasCaptured(1)) {
                list.addKeyClicks(m.captured(1));
            } else {
                const QKeyCombination press = QKeySequence::fromString(m.captured(2))[0];
                list.addKeyClick(press.key(), press.keyboardModifiers());
            }
        }
        return list;
    };
    struct Edit {
        const char* name;
        const char* date[4];   // the keys, the clipboard, the text committed, what the box shows when left
        const char* time[4];
    };
    // Each but the first starts a change and goes on with the keys of a
    // text box in the middle of it.
    const Edit edits[] = {
        {"Tab in, Shift+arrows", {"End Shift+Left Shift+Left \"29\"", "", "", "5/5/2029"},
         {"End Shift+Left Shift+Left \"PM\"", "", "", "9:00 PM"}},
        {"Shift+arrows", {"End Backspace \"8\" Shift+Left Shift+Left \"29\"", "", "", "5/5/2029"},
         {"End Backspace \"M\" Shift+Left Shift+Left \"PM\"", "", "", "9:00 PM"}},
        {"Shift+Home", {"End Backspace Shift+Home \"5/6/2027\"", "", "", "5/6/2027"},
         {"End Backspace Shift+Home \"10:30 AM\"", "", "", "10:30 AM"}},
        {"word moves", {"End Backspace \"8\" Ctrl+Left Ctrl+Shift+Right \"2029\"", "", "", "5/5/2029"},
         {"End Backspace \"M\" Ctrl+Left Ctrl+Shift+Right \"PM\"", "", "", "9:00 PM"}},
        {"paste", {"Backspace Ctrl+V", "May 20, 2027", "", "5/20/2027"}, {"Backspace Ctrl+V", "4 pm", "", "4:00 PM"}},
        {"undo", {"End Backspace Ctrl+Z", "", "", "5/5/2027"}, {"End Backspace Ctrl+Z", "", "", "9:00 AM"}},
        {"undo and redo", {"\"5/5/29\" Ctrl+Z Ctrl+Shift+Z", "", "", "5/5/2029"},
         {"\"9 pm\" Ctrl+Z Ctrl+Shift+Z", "", "", "9:00 PM"}},
        {"input method", {"End Backspace Backspace", "", "29", "5/5/2029"},
         {"End Backspace Backspace", "", "PM", "9:00 PM"}},
        {"input method, no date", {"End", "", "/3", "5/5/2027"}, {"End", "", ":5", "9:00 AM"}},
        // Up and Down step the part under the cursor, once the text is a
        // date or time again: no line edit has them.
        {"arrows step", {"End Backspace \"8\" Home Up", "", "", "6/5/2028"},
         {"End Backspace \"M\" Home Up", "", "", "10:00 AM"}},
        // Escape takes back what was typed, and leaves the window open.
        {"Escape", {"End Backspace \"8\" Escape", "", "", "5/5/2027"},
         {"Backspace \"4 pm\" Escape", "", "", "9:00 AM"}},
    };
    for (const Edit& e : edits) {
        for (const bool date : {true, false}) {
            const char* const* row = date ? e.date : e.time;
            QTest::newRow(qPrintable(QLatin1String(date ? "date, " : "time, ") + QLatin1String(e.name)))
                << QString::fromLatin1(date ? "dtToDate" : "dtFromTime") << keys(QString::fromUtf8(row[0]))
                << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]) << QString::fromUtf8(row[3]);
        }
    }
}

void TestTypedDates::boxEditsAsTextBox()
{
    QFETCH(QString, box);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, clipboard);
    QFETCH(QString, committed);
    QFETCH(QString, shown);
    showMain();
    mainView().AddReservation();
    auto* edit = control<QDateTimeEdit>(wizard(), box.toLatin1().constData());
    control<DateBox>(wizard(), "dtToDate")->setDate(QDate(2027, 5, 5));
    control<TimeBox>(wizard(), "dtFromTime")->setTime(QTime(9, 0));
    const QDateTime before = edit->dateTime();
    QLineEdit plain;
    plain.setText(edit->text());
    plain.selectAll();
    if (!clipboard.isEmpty())
        QGuiApplication::clipboard()->setText(clipboard);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    keys.simulate(edit);
    keys.simulate(&plain);
    if (!committed.isEmpty()) {
        for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(&plain)}) {
            QInputMethodEvent composing;
            composing.setCommitString(committed);
            QApplication::sendEvent(w, &composing);
        }
    }
    // The arrows and Escape of a date box are no line edit's: their rows
    // check what the box shows alone.
    const QByteArray tag = QTest::currentDataTag();
    if (tag.endsWith("arrows step") || tag.endsWith("Escape")) {
        QVERIFY(wizard()->isVisible());
        if (tag.endsWith("Escape"))
            QCOMPARE(edit->dateTime(), before);
    } else {
        QCOMPARE(edit->text(), plain.text());
        QCOMPARE(edit->findChild<QLineEdit*>()->cursorPosition(), plain.cursorPosition());
        if (qobject_cast<DateBox*>(edit)) {
            const QDate named = Fmt::parseDate(plain.text());
            QCOMPARE(edit->date(), named.isValid() ? named : before.date());
        } else {
            const QTime named = Fmt::parseTime(plain.text());
            QCOMPARE(edit->time(), named.isValid() ? named : before.time());
        }
    }
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
    QCOMPARE(edit->text(), shown);
}

// ---- The texts the program writes ----------------------------------------------

void TestTypedDates::writtenTextsReadBack_data()
{
    QTest::addColumn<QLocale>("locale");
    for (const QLocale& l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        QTest::newRow(qPrintable(l.name())) << l;
}

void TestTypedDates::writtenTextsReadBack()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    // A leap day, days of one and two digits, the ends of the century's
    // reading of two-digit years; hours around noon and midnight.
    for (const QDate d : {QDate(2000, 2, 29), QDate(2027, 3, 14), QDate(2003, 11, 2), QDate(1946, 12, 31),
                          QDate(2047, 1, 1)}) {
        QVERIFY2(Fmt::parseDate(Fmt::shortDate(d)) == d, qPrintable(Fmt::shortDate(d)));
        for (const QTime t : {QTime(0, 0), QTime(9, 5), QTime(12, 0), QTime(12, 30), QTime(13, 7), QTime(23, 59)}) {
            QVERIFY2(Fmt::parseTime(Fmt::shortTime(t)) == t, qPrintable(Fmt::shortTime(t)));
            QVERIFY2(Fmt::parseTime(Fmt::longTime(t)) == t, qPrintable(Fmt::longTime(t)));
            const QDateTime dt = Fmt::clockDateTime(d, t);
            QVERIFY2(Fmt::parseDateTime(Fmt::dateTime(dt)) == dt, qPrintable(Fmt::dateTime(dt)));
            QVERIFY2(Fmt::parseDateTime(Fmt::generalDate(dt)) == dt, qPrintable(Fmt::generalDate(dt)));
        }
    }
}

TARLOMY_GUI_TEST_MAIN(TestTypedDates)
#include "tst_typeddates.moc"
