#include "booking/bookingwizard.h"

#include "booking/confirmpage.h"
#include "booking/customerpage.h"
#include "booking/datespage.h"
#include "booking/frmfindbooking.h"
#include "booking/paymentpage.h"
#include "booking/unitspage.h"
#include "widgets/guard.h"
#include "widgets/mainview.h"
#include "widgets/controlarray.h"
#include "core/bookingstore.h"
#include "core/format.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/panellayout.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"
#include "ui_bookingwizard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScopeGuard>

BookingWizard::BookingWizard(QWidget* parent) : QWidget(parent), ui(new Ui::BookingWizard)
{
    ui->setupUi(this);
    cmdBack = ControlList<QPushButton>(this, QStringLiteral("cmdBack"));
    cmdNext = ControlList<QPushButton>(this, QStringLiteral("cmdNext"));
    lblStep = ControlList<QLabel>(this, QStringLiteral("lblStep"));

    for (int i = 0; i < cmdNext.size(); ++i)
        connect(cmdNext[i], &QPushButton::clicked, this, guarded([this, i] { cmdNext_Click(i); }));
    for (int i = 0; i < cmdBack.size(); ++i)
        connect(cmdBack[i], &QPushButton::clicked, this, guarded([this, i] { cmdBack_Click(i); }));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &BookingWizard::cmdCancel_Click));
    for (QLabel* label : lblStep) {
        label->installEventFilter(this);
        // A step too long for the progress box, once bold, ends in "...".
        SetElidedText(label, label->text());
    }
    ui->txtBookingNotes->installEventFilter(this);
    // One page shows at a time, from the first showing of the panel on.
    for (int i = 1; i <= 4; ++i)
        page(i)->hide();
    for (int i = 0; i <= 4; ++i) {
        connect(page(i), &WizardPage::notesRead, this, &BookingWizard::SetBookingNotes);
        connect(page(i), &WizardPage::bookingConfirmed, this, [this] {
            for (QPushButton* b : cmdBack)
                b->setEnabled(false);
            for (QPushButton* b : cmdNext)
                b->setEnabled(false);
        });
    }
}

BookingWizard::~BookingWizard()
{
    // No notes are saved while the window is taken down.
    ui->txtBookingNotes->removeEventFilter(this);
    delete ui;
}

DatesPage* BookingWizard::dates() const { return ui->picBookingDates; }
UnitsPage* BookingWizard::units() const { return ui->picSelectRooms; }
CustomerPage* BookingWizard::customer() const { return ui->picCustomer; }
PaymentPage* BookingWizard::payment() const { return ui->picPayment; }
ConfirmPage* BookingWizard::confirm() const { return ui->picConfirm; }

WizardPage* BookingWizard::page(int i) const
{
    switch (i) {
    case 0: return dates();
    case 1: return units();
    case 2: return customer();
    case 3: return payment();
    case 4: return confirm();
    default: return nullptr;
    }
}

bool BookingWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const int index = lblStep.indexOf(qobject_cast<QLabel*>(watched));
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (index >= 0 && mouse->button() == Qt::LeftButton
            && lblStep[index]->rect().contains(mouse->position().toPoint())) {
            RunGuarded([this, index] { lblStep_Click(index); });
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == ui->txtBookingNotes) {
        RunGuarded([this] { txtBookingNotes_LostFocus(); });
    }
    return QWidget::eventFilter(watched, event);
}

// ---- The booking in progress ---------------------------------------------

void BookingWizard::StartOrResumeBooking()
{
    // A booking in progress that another view has deleted since: start
    // afresh rather than write to a row that is gone.
    if (iBookingID != 0 && !BookingStore::exists(iBookingID))
        iBookingID = 0;

    if (iBookingID == 0) {
        iBookingStep = 0;
        const QTime checkin = Config::CheckinTime.read();
        const QTime checkout = Config::CheckoutTime.read();
        const QDate today = QDate::currentDate();
        iBookingID = BookingStore::addPlaceholder(Fmt::clockDateTime(today, checkin),
                                                  Fmt::clockDateTime(today.addDays(1), checkout));
    }

    // A booking resumed stands on its own page, with what is stored for it,
    // before the page asks anything over it.
    m_resuming = true;
    const auto resumed = qScopeGuard([this] { m_resuming = false; });
    ShowBookingStep(iBookingStep);
}

void BookingWizard::FindBooking()
{
    if (const std::optional<qint32> found = frmFindBooking::ask(window())) {
        iBookingID = *found;
        iBookingStep = 4;
        mainView().AddReservation();
    }
}

// ---- Steps ---------------------------------------------------------------

bool BookingWizard::CheckPerformBookingStep_Preconditions()
{
    WizardPage* current = page(iBookingStep);
    return !current || current->CheckPreconditions();
}

void BookingWizard::PerformBookingStep(int& i)
{
    if (WizardPage* p = page(i))
        p->SavePage();
}

void BookingWizard::ShowBookingStep(int& i)
{
    WizardPage* shown = page(i);
    if (!shown)
        return;
    RememberBookingInProgress();
    QWidget* focus = QApplication::focusWidget();
    bool focusOnPageLeft = false;
    for (int k = 0; k <= 4; ++k)
        if (k != i && focus && page(k)->isAncestorOf(focus))
            focusOnPageLeft = true;
    // Loaded before it is shown: a question asked while loading stands over
    // the page being left, not over what this page held for another booking.
    // With no page to leave (a booking resumed), the page shows what is
    // stored first, and the question stands over that.
    if (m_resuming && shown->ShowStoredPage())
        PresentStep(i);
    shown->ShowPage();
    PresentStep(i);
    // Focus on the page left (Next by its shortcut, a step label) goes to the
    // page shown, unless the page chose its own, not to the Cancel Booking
    // button that follows in the window.
    if (focusOnPageLeft && !shown->isAncestorOf(QApplication::focusWidget())) {
        for (QWidget* w = shown->nextInFocusChain(); w && w != shown; w = w->nextInFocusChain()) {
            if (shown->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
}

void BookingWizard::PresentStep(int i)
{
    WizardPage* shown = page(i);
    for (int k = 0; k <= 4; ++k)
        if (k != i)
            page(k)->hide();
    shown->show();
    shown->raise();
    const bool last = i == 4;
    for (QPushButton* b : cmdBack)
        b->setEnabled(i != 0);
    for (QPushButton* b : cmdNext)
        b->setEnabled(true);
    if (cmdNext.size() > 1) {
        cmdNext[0]->setText(last ? QStringLiteral("&Confirm") : QStringLiteral("&Next"));
        cmdNext[1]->setText(last ? QStringLiteral("Confirm") : QStringLiteral("Next"));
    }
    HighlightBookingStep(i);
}

void BookingWizard::HighlightBookingStep(int i)
{
    for (int k = 0; k < lblStep.size(); ++k) {
        QFont font = lblStep[k]->font();
        font.setBold(k == i);
        lblStep[k]->setFont(font);
    }
}

// ---- Handlers ------------------------------------------------------------

void BookingWizard::cmdNext_Click(int /*Index*/)
{
    if (!CheckPerformBookingStep_Preconditions())
        return;
    PerformBookingStep(iBookingStep);
    if (iBookingStep >= 4) {
        // Confirmed: saving the last page has already brought the arrivals list forward.
        iBookingStep = 0;
        iBookingID = 0;
        RememberBookingInProgress();
    } else {
        ++iBookingStep;
        ShowBookingStep(iBookingStep);
    }
}

void BookingWizard::cmdBack_Click(int /*Index*/)
{
    if (iBookingStep <= 0)
        return;
    // Going back from the confirmation page must not confirm the booking.
    if (iBookingStep != 4) {
        if (!page(iBookingStep)->CheckBeforeSaving())
            return;
        PerformBookingStep(iBookingStep);
    }
    --iBookingStep;
    ShowBookingStep(iBookingStep);
}

void BookingWizard::lblStep_Click(int Index)
{
    if (!CheckPerformBookingStep_Preconditions())
        return;
    if (iBookingStep != 4)
        PerformBookingStep(iBookingStep);
    iBookingStep = Index;
    ShowBookingStep(iBookingStep);
}

void BookingWizard::cmdCancel_Click()
{
    if (MsgBox(QStringLiteral("Are you sure you want to cancel (delete) this reservation?"), vbYesNo | vbQuestion)
        != vbYes)
        return;
    if (iBookingID != 0) {
        DoCancel(iBookingID);
        iBookingID = 0;
    }
    iBookingStep = 0;
    RememberBookingInProgress();
    ShowArrivals();
}

void BookingWizard::txtBookingNotes_LostFocus()
{
    if (iBookingID != 0)
        BookingStore::saveNotes(iBookingID, ui->txtBookingNotes->toPlainText());
}

void BookingWizard::Form_Resize(const PanelArea& area)
{
    using namespace PanelLayout;
    const int W = area.W;
    const int H = area.H;
    const int T = area.T;
    QWidget* picBookingDates = ui->picBookingDates;
    setWidth(ui->Frame1, W + 2000);
    setTop(ui->Frame1, H - heightOf(ui->Frame1) - 1700);
    setLeft(ui->picWizButts, W - widthOf(ui->picWizButts));
    setWidth(picBookingDates, W - leftOf(picBookingDates) - 250);
    setHeight(picBookingDates, H - topOf(picBookingDates) - T - 1000 - 450);
    setWidth(ui->Label1_14, widthOf(this));
    setHeight(ui->txtBookingNotes, H - topOf(ui->txtBookingNotes) - T - 1550);
    for (QWidget* page : {static_cast<QWidget*>(units()), static_cast<QWidget*>(confirm()),
                          static_cast<QWidget*>(payment()), static_cast<QWidget*>(customer())}) {
        setWidth(page, widthOf(picBookingDates));
        setHeight(page, heightOf(picBookingDates));
    }
    confirm()->Form_Resize();
    payment()->Form_Resize();
}

void BookingWizard::SetCommodityName(const QString& plural)
{
    if (QLabel* step = lblStep.value(1))
        SetElidedText(step, QStringLiteral("Step 2 - Select ") + plural);
    units()->SetCommodityName(plural);
}

void BookingWizard::SetBookingNotes(const QString& notes)
{
    ui->txtBookingNotes->setPlainText(notes);
}

void DoCancel(qint32 bookingId)
{
    BookingStore::remove(bookingId);
}
