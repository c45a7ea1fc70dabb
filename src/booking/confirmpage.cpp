#include "booking/confirmpage.h"

#include "booking/bookingtexts.h"
#include "booking/bookingwizard.h"
#include "core/mainview.h"
#include "core/controlarray.h"
#include "core/db.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/plaintext.h"
#include "invoicing/documents.h"
#include "invoicing/invoicetotals.h"
#include "ui_bookingwizard.h"
#include "ui_confirmpage.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>

namespace {

BookingWizard* wizardOf(QWidget* page)
{
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget())
        if (auto* wizard = qobject_cast<BookingWizard*>(w))
            return wizard;
    return nullptr;
}

}  // namespace

ConfirmPage::ConfirmPage(QWidget* parent) : WizardPage(parent), ui(new Ui::ConfirmPage)
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    lblConfirm = ControlArray<QLabel>(this, QStringLiteral("lblConfirm"));
    connect(ui->cmdConfirmation, &QPushButton::clicked, this, &ConfirmPage::cmdConfirmation_Click);
    ui->lblEmail->installEventFilter(this);
}

ConfirmPage::~ConfirmPage()
{
    delete ui;
}

bool ConfirmPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lblEmail && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ui->lblEmail->rect().contains(mouse->position().toPoint())) {
            lblEmail_Click();
            return true;
        }
    }
    return WizardPage::eventFilter(watched, event);
}

void ConfirmPage::resizeEvent(QResizeEvent* event)
{
    // The summary takes the page's width, down to the line above the button.
    ui->picConfirmDetails->setGeometry(0, 0, width(), qMax(0, ui->Line4->y() - 4));
    WizardPage::resizeEvent(event);
}

void ConfirmPage::clearLabels()
{
    // Nothing of the booking shown before may stand beside this one.
    for (QLabel* label : lblConfirm)
        label->clear();
    ui->lblConfirmDates->clear();
    ui->lblConfirmAdultsChildren->clear();
    ui->lblConfirmContact->clear();
    sEmail.clear();
}

void ConfirmPage::ShowPage()
{
    clearLabels();
    BookingWizard* wizard = wizardOf(this);

    Query b = objConn.query(QStringLiteral("SELECT notes, customerid, noadults, nokids, FromDate, ToDate, "
                                           "PaymentMethod, Tip, AmountPayed, CreditCardNo, CreditCardExpiry, "
                                           "CreditCardType FROM Booking WHERE ID = ?"),
                            {iBookingID});
    if (b.next()) {
        if (wizard)
            wizard->ui->txtBookingNotes->setPlainText(b.text(0));

        const QDateTime from = b.dateTime(4);
        const QDateTime to = b.dateTime(5);
        iNoOfNights = int(from.date().daysTo(to.date()));

        QString sRoomString;
        Query units = objConn.query(QStringLiteral("SELECT room.name FROM room, bookingroom "
                                                   "WHERE bookingroom.bookingid = ? AND bookingroom.roomid = room.id "
                                                   "ORDER BY bookingroom.id"),
                                    {iBookingID});
        while (units.next()) {
            if (!sRoomString.isEmpty())
                sRoomString += QStringLiteral(", ");
            sRoomString += units.text(0);
        }
        ui->lblConfirmDates->setText(BookingPeriodText(from, to) + u'\n' + gsCommodityPlural + QStringLiteral(": ")
                                     + sRoomString);
        ui->lblConfirmAdultsChildren->setText(AdultsChildrenText(b.value(2), b.value(3)));

        lblConfirm.value(6)->setText(b.text(6));
        lblConfirm.value(7)->setText(b.text(11));
        lblConfirm.value(8)->setText(b.text(9));
        lblConfirm.value(9)->setText(b.text(10));

        const qint64 customerId = b.integer(1);
        if (customerId != 0) {
            Query c = objConn.query(
                QStringLiteral("SELECT %1 FROM Customer WHERE ID = ?").arg(QLatin1String(kContactColumns)),
                {customerId});
            if (c.next()) {
                ui->lblConfirmContact->setText(ContactBlockText(c));
                sEmail = c.text(QStringLiteral("Email"));
            }
        }

        const BookingTotals t = CalcTotal(iBookingID);
        lblConfirm.value(2)->setText(t.cSubTotal);
        lblConfirm.value(3)->setText(t.cSalesTax1);
        lblConfirm.value(10)->setText(t.cSalesTax2);
        lblConfirm.value(11)->setText(t.cTip);
        lblConfirm.value(4)->setText(t.cTotalPayable);
        lblConfirm.value(5)->setText(t.cPayments);
        lblConfirm.value(0)->setText(t.cBalanceDue);
    }

    ui->cmdConfirmation->setFocus();
}

void ConfirmPage::SavePage()
{
    if (BookingWizard* wizard = wizardOf(this)) {
        for (QPushButton* b : wizard->cmdBack)
            b->setEnabled(false);
        for (QPushButton* b : wizard->cmdNext)
            b->setEnabled(false);
    }
    ShowArrivals();
}

void ConfirmPage::cmdConfirmation_Click()
{
    PrintBookingConfirmation();
}

void ConfirmPage::lblEmail_Click()
{
    platform().shell().open(QStringLiteral("mailto:") + sEmail);
}
