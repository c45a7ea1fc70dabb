#include "booking/unitspage.h"

#include "booking/availability.h"
#include "core/bookingstore.h"
#include "core/db.h"
#include "core/modmain.h"
#include "core/plaintext.h"
#include "core/platform.h"
#include "core/settings.h"
#include "ui_unitspage.h"

#include <QListWidget>

UnitsPage::UnitsPage(QWidget* parent) : WizardPage(parent), ui(new Ui::UnitsPage)
{
    ui->setupUi(this);
}

UnitsPage::~UnitsPage()
{
    delete ui;
}

void UnitsPage::ShowPage()
{
    QListWidget* list = ui->lstRooms;
    ListClear(list);

    if (const std::optional<BookingRecord> booking = BookingStore::read(iBookingID)) {
        const QDateTime from = booking->from;
        const QDateTime to = booking->to;
        // The free units in one statement: every unit that no other booking
        // holds in the period (the same test as IsApartmentAvailable_IgnoreSelf).
        // CROSS JOIN keeps the bookings outermost: the bookings of the
        // period's neighbourhood, then the unit rows of those that overlap.
        QVariantList params{iBookingID};
        params += OverlapParams(from, to);
        Query units = objConn.query(
            QStringLiteral("SELECT id, name, notes FROM room WHERE id NOT IN "
                           "(SELECT bookingroom.roomid FROM booking CROSS JOIN bookingroom "
                           "WHERE booking.id <> ? AND bookingroom.bookingid = booking.id AND ")
                + OverlapClause() + QStringLiteral(") ORDER BY name, id"),
            params);
        while (units.next()) {
            QString text = units.text(1);
            const QString notes = units.text(2);
            if (!notes.isEmpty())
                text += QStringLiteral(" - ") + notes;
            ListAdd(list, text, units.integer(0));
        }
    }

    int selected = 0;
    Query own = objConn.query(QStringLiteral("SELECT roomid FROM bookingroom WHERE bookingid = ?"), {iBookingID});
    while (own.next()) {
        const qint64 roomId = own.integer(0);
        for (int i = 0; i < list->count(); ++i) {
            if (ListItemData(list, i) == roomId) {
                list->item(i)->setSelected(true);
                ++selected;
            }
        }
    }

    if (list->count() == 0) {
        MsgBox(QStringLiteral("No rooms are available for the booking dates entered. Go back to the previous step "
                              "and change the Arrival/Departure dates. To see what dates are available click View "
                              "Calendar."),
               vbInformation | vbOKOnly);
    } else if (selected == 0 && ConfigFlag(QStringLiteral("AutoSelectFirstUnit"), true)) {
        list->item(0)->setSelected(true);
    }

    // The focus frame on the first chosen unit, without touching the choice.
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected()) {
            list->setCurrentRow(i, QItemSelectionModel::NoUpdate);
            list->scrollToItem(list->item(i));
            break;
        }
    }
    list->setFocus();
}

void UnitsPage::SavePage()
{
    Connection::Transaction transaction(objConn);
    objConn.execute(QStringLiteral("DELETE FROM bookingroom WHERE bookingid = ?"), {iBookingID});
    const QListWidget* list = ui->lstRooms;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            objConn.insert(QStringLiteral("bookingroom"),
                           {{QStringLiteral("bookingid"), iBookingID}, {QStringLiteral("roomid"), ListItemData(list, i)}});
    }
    transaction.commit();
}

void UnitsPage::SetCommodityName(const QString& plural)
{
    SetPlainText(ui->Label1_3, QStringLiteral("Select the ") + plural + QStringLiteral(" for this booking."));
    SetPlainText(ui->Label1_5, plural + QStringLiteral(":"));
}
