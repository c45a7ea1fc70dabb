#include "booking/datespage.h"

#include "booking/bookingwizard.h"
#include "core/db.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/typeddate.h"
#include "ui_bookingwizard.h"
#include "ui_datespage.h"

#include <QLocale>

DatesPage::DatesPage(QWidget* parent) : WizardPage(parent), ui(new Ui::DatesPage)
{
    ui->setupUi(this);
    // The locale's short date, always with the whole year.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    ui->dtFromDate->setDisplayFormat(format);
    ui->dtToDate->setDisplayFormat(format);
    // Clock values throughout: an hour the clocks skip is still an hour here.
    ReadTypedDateWhole(ui->dtFromDate);
    ReadTypedDateWhole(ui->dtToDate);
    ui->dtFromTime->setTimeSpec(Qt::UTC);
    ui->dtToTime->setTimeSpec(Qt::UTC);
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
    Query q = objConn.query(QStringLiteral("SELECT notes, BookedBy, fromdate, todate FROM booking WHERE id = ?"),
                            {iBookingID});
    if (q.next()) {
        const QDateTime from = q.dateTime(2);
        const QDateTime to = q.dateTime(3);
        ui->dtFromDate->setDateTime(from);
        ui->dtFromTime->setTime(from.time());
        ui->dtToDate->setDateTime(to);
        ui->dtToTime->setTime(to.time());
        ui->txtBookedBy->setText(q.text(1));
        for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
            if (auto* wizard = qobject_cast<BookingWizard*>(w)) {
                wizard->ui->txtBookingNotes->setPlainText(q.text(0));
                break;
            }
        }
    }
    ui->dtFromDate->setFocus();
}

void DatesPage::SavePage()
{
    objConn.execute(QStringLiteral("UPDATE booking SET bookedby = ?, fromdate = ?, todate = ? WHERE id = ?"),
                    {ui->txtBookedBy->text(), dbValue(ArrivalDateTime()), dbValue(DepartureDateTime()), iBookingID});
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
