#include "calendar/frmbookingsummary.h"

#include "booking/bookingsummaryview.h"
#include "booking/bookingwizard.h"
#include "core/configrecords.h"
#include "widgets/guard.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settingkeys.h"
#include "widgets/plaintext.h"
#include "ui_frmbookingsummary.h"

#include <QLabel>
#include <QPushButton>

frmBookingSummary::frmBookingSummary(qint32 bookingId, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmBookingSummary), m_bookingId(bookingId)
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    m_view = new BookingSummaryView(this);
    connect(ui->cmdEdit, &QPushButton::clicked, this, guarded(this, &frmBookingSummary::cmdEdit_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmBookingSummary::cmdCancel_Click));
    connect(ui->cmdClose, &QPushButton::clicked, this, guarded(this, &frmBookingSummary::cmdClose_Click));
    Form_Load();
    // Enter closes the dialog rather than going into the notes.
    ui->cmdClose->setFocus();
}

frmBookingSummary::~frmBookingSummary()
{
    delete ui;
}

SummaryChoice frmBookingSummary::ask(qint32 bookingId, QWidget* parent)
{
    frmBookingSummary summary(bookingId, parent);
    summary.exec();
    return summary.choice();
}

void frmBookingSummary::Form_Load()
{
    ui->lblSalesTaxName_1->setText(SalesTaxName(TaxRateId::First));
    const bool tax2 = Config::EnabledSalesTax2.read();
    ui->lblSalesTaxName2_1->setVisible(tax2);
    m_view->salesTax2->setVisible(tax2);
    if (tax2)
        ui->lblSalesTaxName2_1->setText(SalesTaxName(TaxRateId::Second));

    const std::optional<BookingRecord> b = m_view->show(m_bookingId);
    if (!b)
        return;
    ui->txtBookingNotes->setPlainText(b->notes);
    if (b->customerId == 0)
        m_view->contact->setText(QStringLiteral("No customer information entered."));
}

void frmBookingSummary::cmdEdit_Click()
{
    m_choice = SummaryChoice::Edit;
    accept();
}

void frmBookingSummary::cmdCancel_Click()
{
    if (MsgBox(QStringLiteral("Are you sure you want to cancel this booking?"), vbYesNo | vbQuestion) != vbYes)
        return;
    m_choice = SummaryChoice::Cancel;
    accept();
}

void frmBookingSummary::cmdClose_Click()
{
    m_choice = SummaryChoice::Close;
    reject();
}

void frmBookingSummary::lblEmail_Click()
{
    m_view->openEmail();
}

void ActOnSummaryChoice(qint32 bookingId, SummaryChoice choice)
{
    switch (choice) {
    case SummaryChoice::Edit:
        mainView().DoEditBooking(bookingId);
        break;
    case SummaryChoice::Cancel:
        DoCancel(bookingId);
        ShowArrivals();
        break;
    case SummaryChoice::Close:
        break;
    }
}
