#include "booking/bookingwizard.h"

#include "booking/confirmpage.h"
#include "booking/customerpage.h"
#include "booking/datespage.h"
#include "booking/paymentpage.h"
#include "booking/unitspage.h"
#include "core/controlarray.h"
#include "core/db.h"
#include "ui_bookingwizard.h"

BookingWizard::BookingWizard(QWidget* parent) : QWidget(parent), ui(new Ui::BookingWizard)
{
    ui->setupUi(this);
    cmdBack = ControlList<QPushButton>(this, QStringLiteral("cmdBack"));
    cmdNext = ControlList<QPushButton>(this, QStringLiteral("cmdNext"));
    lblStep = ControlList<QLabel>(this, QStringLiteral("lblStep"));
}

BookingWizard::~BookingWizard()
{
    delete ui;
}

DatesPage* BookingWizard::dates() const { return ui->picBookingDates; }
UnitsPage* BookingWizard::units() const { return ui->picSelectRooms; }
CustomerPage* BookingWizard::customer() const { return ui->picCustomer; }
PaymentPage* BookingWizard::payment() const { return ui->picPayment; }
ConfirmPage* BookingWizard::confirm() const { return ui->picConfirm; }

void BookingWizard::StartOrResumeBooking()
{
}

void BookingWizard::FindBooking()
{
}

void DoCancel(qint32 bookingId)
{
    Connection::Transaction transaction(objConn);
    objConn.execute(QStringLiteral("DELETE FROM booking WHERE id = ?"), {bookingId});
    objConn.execute(QStringLiteral("DELETE FROM bookingroom WHERE bookingid = ?"), {bookingId});
    transaction.commit();
}
