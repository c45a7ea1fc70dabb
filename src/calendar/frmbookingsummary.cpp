#include "calendar/frmbookingsummary.h"

#include "booking/bookingtexts.h"
#include "core/controlarray.h"
#include "core/db.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/settings.h"
#include "core/plaintext.h"
#include "invoicing/invoicetotals.h"
#include "ui_frmbookingsummary.h"

#include <QMouseEvent>
#include <QPushButton>

frmBookingSummary::frmBookingSummary(QWidget* parent) : QDialog(parent), ui(new Ui::frmBookingSummary)
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    lblConfirm = ControlArray<QLabel>(this, QStringLiteral("lblConfirm"));
    connect(ui->cmdEdit, &QPushButton::clicked, this, &frmBookingSummary::cmdEdit_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmBookingSummary::cmdCancel_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmBookingSummary::cmdClose_Click);
    ui->lblEmail->installEventFilter(this);
    Form_Load();
    // Enter closes the dialog rather than going into the notes.
    ui->cmdClose->setFocus();
}

frmBookingSummary::~frmBookingSummary()
{
    delete ui;
}

bool frmBookingSummary::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lblEmail && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ui->lblEmail->rect().contains(mouse->position().toPoint())) {
            lblEmail_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmBookingSummary::Form_Load()
{
    const qint32 b = giSummaryReservationID;

    ui->lblSalesTaxName_1->setText(ConfigText(QStringLiteral("SalesTaxName"), QStringLiteral("Sales Tax")));
    const bool tax2 = ConfigFlag(QStringLiteral("EnabledSalesTax2"), false);
    ui->lblSalesTaxName2_1->setVisible(tax2);
    lblConfirm.value(10)->setVisible(tax2);
    if (tax2) {
        Query q = objConn.query(QStringLiteral("SELECT name, percentage FROM taxrate WHERE id = 3"));
        if (q.next())
            ui->lblSalesTaxName2_1->setText(q.text(0));
    }

    const BookingTotals t = CalcTotal(b);

    Query q = objConn.query(QStringLiteral("SELECT notes, customerid, noadults, nokids, FromDate, ToDate, "
                                           "PaymentMethod, CreditCardNo, CreditCardExpiry, CreditCardType "
                                           "FROM Booking WHERE ID = ?"),
                            {b});
    if (!q.next())
        return;

    ui->txtBookingNotes->setPlainText(q.text(0));
    ui->lblConfirmDates->setText(BookingPeriodText(q.dateTime(4), q.dateTime(5)));
    ui->lblConfirmAdultsChildren->setText(AdultsChildrenText(q.value(2), q.value(3)));

    lblConfirm.value(2)->setText(t.cSubTotal);
    lblConfirm.value(3)->setText(t.cSalesTax1);
    lblConfirm.value(10)->setText(t.cSalesTax2);
    lblConfirm.value(4)->setText(t.cTotalPayable);
    lblConfirm.value(11)->setText(t.cTip);
    lblConfirm.value(5)->setText(t.cPayments);
    lblConfirm.value(6)->setText(q.text(6));
    lblConfirm.value(7)->setText(q.text(9));
    lblConfirm.value(8)->setText(q.text(7));
    lblConfirm.value(9)->setText(q.text(8));

    const qint64 customerId = q.integer(1);
    if (customerId != 0) {
        Query c = objConn.query(QStringLiteral("SELECT %1 FROM Customer WHERE ID = ?").arg(QLatin1String(kContactColumns)),
                                {customerId});
        if (c.next()) {
            ui->lblConfirmContact->setText(ContactBlockText(c));
            sEmail = c.text(QStringLiteral("Email"));
        }
    } else {
        ui->lblConfirmContact->setText(QStringLiteral("No customer information entered."));
        sEmail.clear();
    }
}

void frmBookingSummary::cmdEdit_Click()
{
    giSummaryReturnCode = 1;
    accept();
}

void frmBookingSummary::cmdCancel_Click()
{
    if (MsgBox(QStringLiteral("Are you sure you want to cancel this booking?"), vbYesNo | vbQuestion) != vbYes)
        return;
    giSummaryReturnCode = 2;
    accept();
}

void frmBookingSummary::cmdClose_Click()
{
    giSummaryReturnCode = -1;
    reject();
}

void frmBookingSummary::lblEmail_Click()
{
    platform().shell().open(QStringLiteral("mailto:") + sEmail);
}
