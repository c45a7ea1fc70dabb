#include "booking/confirmpage.h"

#include "booking/bookingsummaryview.h"
#include "widgets/mainview.h"
#include "core/bookingunitstore.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/panellayout.h"
#include "widgets/plaintext.h"
#include "widgets/twips.h"
#include "invoicing/documents.h"
#include "ui_confirmpage.h"

#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

ConfirmPage::ConfirmPage(QWidget* parent) : WizardPage(parent), ui(new Ui::ConfirmPage)
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    m_view = new BookingSummaryView(this);
    connect(ui->cmdConfirmation, &QPushButton::clicked, this, guarded(this, &ConfirmPage::cmdConfirmation_Click));
}

ConfirmPage::~ConfirmPage()
{
    delete ui;
}

void ConfirmPage::resizeEvent(QResizeEvent* event)
{
    // The summary takes the page's width, down to the line above the button.
    ui->picConfirmDetails->setGeometry(0, 0, width(), qMax(0, ui->Line4->y() - 4));
    WizardPage::resizeEvent(event);
}

void ConfirmPage::Form_Resize()
{
    using namespace PanelLayout;
    setLineX2(ui->Line4, widthOf(this) - leftOf(ui->Line4));
    QWidget* cmdConfirmation = ui->cmdConfirmation;
    // Under the rule below the figures, as drawn; on a page too short for
    // that, at its foot.
    const int underLine = Twips::fromPx(ui->Line4->geometry().bottom() + 1 + 13);
    setTop(cmdConfirmation, std::min(underLine, heightOf(this) - heightOf(cmdConfirmation) - 100));
    setLeft(cmdConfirmation, widthOf(this) - widthOf(cmdConfirmation) - 200);
}

QString ConfirmPage::sEmail() const
{
    return m_view->email();
}

void ConfirmPage::ShowPage()
{
    // Nothing of the booking shown before may stand beside this one.
    if (const std::optional<BookingRecord> b = m_view->show(iBookingID)) {
        emit notesRead(b->notes);

        const QString sRoomString = BookingUnitStore::unitNamesOf(iBookingID).join(QStringLiteral(", "));
        m_view->dates->setText(m_view->dates->text() + u'\n' + gsCommodityPlural + QStringLiteral(": ")
                               + sRoomString);
    }

    ui->cmdConfirmation->setFocus();
}

void ConfirmPage::SavePage()
{
    emit bookingConfirmed();
    ShowArrivals();
}

void ConfirmPage::cmdConfirmation_Click()
{
    PrintBookingConfirmation(iBookingID);
}

void ConfirmPage::lblEmail_Click()
{
    m_view->openEmail();
}
