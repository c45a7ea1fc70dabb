#include "booking/unitspage.h"

#include "core/bookingstore.h"
#include "core/bookingunitstore.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"
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
        // Every unit that no other booking holds in the period.
        for (const OfferedUnit& unit : BookingUnitStore::freeUnits(iBookingID, booking->from, booking->to)) {
            QString text = unit.name;
            if (!unit.notes.isEmpty())
                text += QStringLiteral(" - ") + unit.notes;
            ListAdd(list, text, unit.id);
        }
    }

    int selected = 0;
    for (const qint64 roomId : BookingUnitStore::unitsOf(iBookingID)) {
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
    } else if (selected == 0 && Config::AutoSelectFirstUnit.read()) {
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
    QList<qint64> chosen;
    const QListWidget* list = ui->lstRooms;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            chosen << ListItemData(list, i);
    }
    BookingUnitStore::replace(iBookingID, chosen);
}

void UnitsPage::SetCommodityName(const QString& plural)
{
    SetPlainText(ui->Label1_3, QStringLiteral("Select the ") + plural + QStringLiteral(" for this booking."));
    SetPlainText(ui->Label1_5, plural + QStringLiteral(":"));
}
