// The availability test and the units page that offers only free units.
#include "support/testsupport.h"

#include "booking/availability.h"
#include "booking/bookingwizard.h"
#include "booking/unitspage.h"
#include "core/bookingunitstore.h"
#include "core/db.h"
#include "app/frmmain.h"
#include "core/modmain.h"
#include "core/settings.h"

#include <QLabel>
#include <QListWidget>

namespace {

QListWidget* lstRooms(frmMain& main)
{
    return control<QListWidget>(main.booking()->units(), "lstRooms");
}

QDateTime at(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

qint64 roomId(const QString& name)
{
    return objConn.scalar(QStringLiteral("SELECT id FROM room WHERE name = ?"), {name}).toLongLong();
}

QStringList listed(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList selected(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            out << list->item(i)->text();
    return out;
}

}  // namespace

class TestAvailability : public DbTest {
    Q_OBJECT

private slots:
    void init() { resetProgramState(); }

    void overlapRule_data();
    void overlapRule();
    void listsFreeUnitsByNameWithNotes();
    void noFreeUnitGivesTheMessage();
    void selectionKeptAndSaved();
    void rowsHoldTheWholeName_data();
    void rowsHoldTheWholeName();
};

// Another booking of Room 1 against the period asked for, answered the same by
// the one-unit test and by the page's list.
void TestAvailability::overlapRule_data()
{
    QTest::addColumn<QString>("otherFrom");
    QTest::addColumn<QString>("otherTo");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("free");
    QTest::addColumn<bool>("otherIsSelf");

    QTest::newRow("the booking itself") << "2030-05-10 14:00:00" << "2030-05-12 10:00:00"
                                        << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << true << true;
    QTest::newRow("other ends when period starts") << "2030-05-10 10:00:00" << "2030-05-10 14:00:00"
                                                   << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false << false;
    QTest::newRow("other ends one second before") << "2030-05-10 10:00:00" << "2030-05-10 13:59:59"
                                                  << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << true << false;
    QTest::newRow("other starts when period ends") << "2030-05-12 10:00:00" << "2030-05-14 10:00:00"
                                                   << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false << false;
    QTest::newRow("other starts one second after") << "2030-05-12 10:00:01" << "2030-05-14 10:00:00"
                                                   << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << true << false;
    QTest::newRow("check-in after check-out same day") << "2030-05-08 09:00:00" << "2030-05-10 14:00:00"
                                                       << "2030-05-10 15:00:00" << "2030-05-11 10:00:00" << true << false;
    QTest::newRow("default times same day") << "2030-05-08 09:00:00" << "2030-05-10 14:00:00"
                                            << "2030-05-10 09:00:00" << "2030-05-11 14:00:00" << false << false;
    QTest::newRow("other inside period") << "2030-05-11 09:00:00" << "2030-05-11 18:00:00"
                                         << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false << false;
    QTest::newRow("other contains period") << "2030-05-01 09:00:00" << "2030-05-30 18:00:00"
                                           << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false << false;
    // A stored booking ending before it starts: its start lies in the period
    // and its end lies before the period's end, so the third test holds.
    QTest::newRow("other began years before, ends years after")
        << "2010-01-01 09:00:00" << "2050-12-31 18:00:00" << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false
        << false;
    // A period asked for that ends before it starts: its start lies in the other.
    QTest::newRow("period ends before it starts") << "2030-05-11 00:00:00" << "2030-05-13 10:00:00"
                                                  << "2030-05-12 10:00:00" << "2030-05-10 14:00:00" << false << false;
    QTest::newRow("stored end before start") << "2030-05-14 09:00:00" << "2030-05-09 10:00:00"
                                             << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false << false;
    QTest::newRow("stored end before start, far from the period")
        << "2040-01-01 09:00:00" << "2001-01-01 10:00:00" << "2030-05-10 14:00:00" << "2030-05-12 10:00:00" << false
        << false;
}

void TestAvailability::overlapRule()
{
    QFETCH(QString, otherFrom);
    QFETCH(QString, otherTo);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, free);
    QFETCH(bool, otherIsSelf);

    frmMain& main = loadMain();
    const qint64 room1 = roomId(QStringLiteral("Room 1"));
    const qint32 other = addBooking(otherFrom, otherTo, {}, {room1});
    const qint32 self = otherIsSelf ? other : addBooking(from, to, {}, {});

    QString status = QStringLiteral("unset");
    QCOMPARE(IsApartmentAvailable_IgnoreSelf(self, room1, at(from), at(to), status), free);
    QCOMPARE(status, free ? QStringLiteral("Available") : QStringLiteral("Booked"));
    if (otherIsSelf)   // ignoring another booking, it blocks
        QVERIFY(!IsApartmentAvailable_IgnoreSelf(self + 1, room1, at(from), at(to), status));

    iBookingID = self;
    main.booking()->units()->ShowPage();
    QCOMPARE(listed(lstRooms(main)).contains(QStringLiteral("Room 1 - Queen bed, garden view.")),
             free);
}

void TestAvailability::listsFreeUnitsByNameWithNotes()
{
    frmMain& main = loadMain();
    objConn.insert(QStringLiteral("room"), {{QStringLiteral("Name"), QStringLiteral("Annex")},
                                            {QStringLiteral("Notes"), dbNull()}});
    objConn.execute(QStringLiteral("UPDATE room SET notes = '' WHERE name = 'Room 2'"));
    addBooking(QStringLiteral("2030-05-09 09:00:00"), QStringLiteral("2030-05-11 14:00:00"), {},
               {roomId(QStringLiteral("Room 3")), roomId(QStringLiteral("Suite"))});
    iBookingID = addBooking(QStringLiteral("2030-05-10 09:00:00"), QStringLiteral("2030-05-12 14:00:00"), {}, {});

    main.booking()->units()->ShowPage();
    QCOMPARE(listed(lstRooms(main)),
             QStringList({"Annex", "Room 1 - Queen bed, garden view.", "Room 2", "Room 4 - Family room, sleeps four."}));
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

void TestAvailability::noFreeUnitGivesTheMessage()
{
    frmMain& main = loadMain();
    QList<qint64> all;
    Query q = objConn.query(QStringLiteral("SELECT id FROM room"));
    while (q.next())
        all << q.integer(0);
    addBooking(QStringLiteral("2030-05-01 09:00:00"), QStringLiteral("2030-05-30 14:00:00"), {}, all);
    iBookingID = addBooking(QStringLiteral("2030-05-10 09:00:00"), QStringLiteral("2030-05-12 14:00:00"), {}, {});

    main.booking()->units()->ShowPage();
    QCOMPARE(lstRooms(main)->count(), 0);
    QCOMPARE(fakes().messageBoxes->shown.size(), 1);
    QCOMPARE(fakes().messageBoxes->lastPrompt(),
             QStringLiteral("No rooms are available for the booking dates entered. Go back to the previous step and "
                            "change the Arrival/Departure dates. To see what dates are available click View Calendar."));
    QCOMPARE(fakes().messageBoxes->shown.last().style, vbInformation | vbOKOnly);
}

// The booking's own units come back selected (its own rows never block them);
// a unit another booking took meanwhile is dropped; saving replaces the rows.
void TestAvailability::selectionKeptAndSaved()
{
    frmMain& main = loadMain();
    UnitsPage* page = main.booking()->units();
    QListWidget* list = lstRooms(main);
    iBookingID = addBooking(QStringLiteral("2030-05-10 09:00:00"), QStringLiteral("2030-05-12 14:00:00"), {}, {});

    page->ShowPage();
    QCOMPARE(selected(list), QStringList({"Room 1 - Queen bed, garden view."}));   // AutoSelectFirstUnit
    SaveConfigFlag(QStringLiteral("AutoSelectFirstUnit"), false);
    page->ShowPage();
    QVERIFY(selected(list).isEmpty());

    list->item(1)->setSelected(true);
    list->item(3)->setSelected(true);
    page->SavePage();
    page->SavePage();
    QCOMPARE(BookingUnitStore::unitsOf(iBookingID), QList<qint64>({roomId("Room 2"), roomId("Room 4")}));
    page->ShowPage();
    QCOMPARE(list->count(), 5);
    QCOMPARE(selected(list), QStringList({"Room 2 - Twin beds.", "Room 4 - Family room, sleeps four."}));

    addBooking(QStringLiteral("2030-05-11 09:00:00"), QStringLiteral("2030-05-11 18:00:00"), {}, {roomId("Room 2")});
    page->ShowPage();
    QCOMPARE(selected(list), QStringList({"Room 4 - Family room, sleeps four."}));
    page->SavePage();
    QCOMPARE(BookingUnitStore::unitsOf(iBookingID), QList<qint64>({roomId("Room 4")}));
}

void TestAvailability::rowsHoldTheWholeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("points");
    for (const char* name : {"Suite \u00c9lys\u00e9e", "\u00c5ngstr\u00f6m \u00c7a\u011fla", "Agence \u00c9vasion jgpqy",
                             "\u1e68\u1ea4\u1ec6 \u01fa"})
        for (int points : {7, 8, 9, 10, 12, 14})
            QTest::addRow("%s %dpt", name, points) << QString::fromUtf8(name) << points;
}

// A row of the list is as tall as the ink of its text, accents above the
// capitals and tails below the line included, its text in the row's middle.
void TestAvailability::rowsHoldTheWholeName()
{
    QFETCH(QString, name);
    QFETCH(int, points);
    frmMain& main = loadMain();
    objConn.execute(QStringLiteral("UPDATE room SET Name = ?, Notes = '' WHERE Name = 'Room 1'"), {name});
    QListWidget* list = lstRooms(main);
    QFont font = list->font();
    font.setPointSize(points);
    list->setFont(font);
    iBookingID = addBooking(QStringLiteral("2030-05-10 09:00:00"), QStringLiteral("2030-05-12 14:00:00"), {}, {});
    main.booking()->units()->ShowPage();
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QRect row = list->visualItemRect(found.first());
    const QFontMetrics metrics(font);
    const QRect ink = metrics.boundingRect(name);
    const int baseline = row.top() + (row.height() - metrics.height()) / 2 + metrics.ascent();
    QVERIFY2(baseline + ink.top() >= row.top() && baseline + ink.bottom() <= row.bottom(),
             qPrintable(QStringLiteral("ink %1..%2 in row %3..%4").arg(baseline + ink.top()).arg(baseline + ink.bottom())
                            .arg(row.top()).arg(row.bottom())));
}

TARLOMY_GUI_TEST_MAIN(TestAvailability)
#include "tst_availability.moc"
