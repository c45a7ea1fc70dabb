#include "booking/datespage.h"

#include "core/bookingstore.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/platform.h"
#include "ui_datespage.h"

DatesPage::DatesPage(QWidget* parent) : WizardPage(parent), ui(new Ui::DatesPage)
{
    ui->setupUi(this);
}

DatesPage::~DatesPage()
{
    delete ui;
}

QDateTime DatesPage::ArrivalDateTime() const
{
    return Fmt::clockDateTime(ui->dtFromDate->date(), ui->dtFromTime->time());
}

QDateTime DatesPage::DepartureDateTime() const
{
    return Fmt::clockDateTime(ui->dtToDate->date(), ui->dtToTime->time());
}

void DatesPage::ShowPage()
{
    if (const std::optional<BookingRecord> b = BookingStore::read(iBookingID)) {
        const QDateTime from = b->from;
        const QDateTime to = b->to;
        ui->dtFromDate->setDateTime(from);
        ui->dtFromTime->setTime(from.time());
        ui->dtToDate->setDateTime(to);
        ui->dtToTime->setTime(to.time());
        ui->txtBookedBy->setText(b->bookedBy);
        emit notesRead(b->notes);
    }
    ui->dtFromDate->setFocus();
}

void DatesPage::SavePage()
{
    BookingStore::saveDates(iBookingID, ui->txtBookedBy->text(), ArrivalDateTime(), DepartureDateTime());
}

bool DatesPage::CheckPreconditions()
{
    // Compares what will be saved, times of day included.
    if (ArrivalDateTime() >= DepartureDateTime()) {
        MsgBox(QStringLiteral("Departure date must be after the Arrival date. Please change the Departure date and "
                              "try again."),
               vbExclamation | vbOKOnly);
        return false;
    }
    return true;
}
