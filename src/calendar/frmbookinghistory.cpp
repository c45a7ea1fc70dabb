#include "calendar/frmbookinghistory.h"

#include "calendar/bookinglist.h"
#include "calendar/frmbookingsummary.h"
#include "core/customerstore.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "widgets/plaintext.h"
#include "ui_frmbookinghistory.h"

#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

namespace {

// A date with the month's short name and the 12-hour clock, "5-Mar-2025 2:00 PM".
QString HistoryDate(const QDateTime& dt)
{
    return QLocale().toString(dt.date(), QStringLiteral("d-MMM-yyyy")) + u' ' + ClockTime(dt.time());
}

}  // namespace

frmBookingHistory::frmBookingHistory(qint32 customerId, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmBookingHistory), m_customerId(customerId)
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    connect(ui->cboSimpleCalSort, &QComboBox::currentIndexChanged, this,
            guarded(this, &frmBookingHistory::cboSimpleCalSort_Click));
    connect(ui->cmdSimpleCalShowSummary, &QPushButton::clicked, this,
            guarded(this, &frmBookingHistory::cmdSimpleCalShowSummary_Click));
    connect(ui->cmdClose, &QPushButton::clicked, this, guarded(this, &frmBookingHistory::cmdClose_Click));
    Form_Load();
}

frmBookingHistory::Answer frmBookingHistory::ask(qint32 customerId, QWidget* parent)
{
    frmBookingHistory dialog(customerId, parent);
    dialog.exec();
    return dialog.answer();
}

frmBookingHistory::~frmBookingHistory()
{
    delete ui;
}

void frmBookingHistory::Form_Load()
{
    if (const std::optional<CustomerRecord> c = CustomerStore::read(m_customerId))
        SetElidedText(ui->Label1_0,
                      QStringLiteral("Booking history for ") + c->firstName + u' ' + c->lastName + u'.');

    QTableWidget* g = ui->gArrivals;
    const Qt::Alignment centreTop = Qt::AlignHCenter | Qt::AlignTop;
    SetGridHeader(g, {{QStringLiteral("Room(s)"), centreTop, 800},
                      {QStringLiteral("Arrival"), centreTop, 2400},
                      {QStringLiteral("Departure"), centreTop, 2400}});
    // The dates as wide as their texts; the units column takes what they
    // leave of the grid, a vertical scroll bar allowed for.
    FitGridColumnToDates(g, 1, HistoryDate);
    FitGridColumnToDates(g, 2, HistoryDate);
    int sum = 0;
    for (int i = 0; i < g->columnCount(); ++i)
        sum += GridColWidth(g, i);
    const int inner = Twips::fromPx(g->width() - 2 * g->frameWidth() - g->verticalScrollBar()->sizeHint().width());
    if (inner - sum > 0)
        SetGridColWidth(g, 0, inner + GridColWidth(g, 0) - sum);

    // Choosing the first order fills the list.
    SetListIndex(ui->cboSimpleCalSort, 0);
}

void frmBookingHistory::ShowArrivals()
{
    QTableWidget* g = ui->gArrivals;
    const QString sort = ui->cboSimpleCalSort->currentText();
    const BookingOrder order = sort == QLatin1String("Time")   ? BookingOrder::Time
                               : sort == QLatin1String("Room") ? BookingOrder::Unit
                                                               : BookingOrder::Stored;
    const QList<BookingListEntry> bookings =
        ReadBookingsOfCustomer(m_customerId, order);

    g->setUpdatesEnabled(false);
    g->setRowCount(0);
    for (const BookingListEntry& b : bookings) {
        const int row = GridAddRow(g, b.id, {b.noUnits ? QStringLiteral("(None)") : b.units, HistoryDate(b.from),
                                             HistoryDate(b.to)});
        g->item(row, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        g->item(row, 1)->setTextAlignment(Qt::AlignCenter);
        g->item(row, 2)->setTextAlignment(Qt::AlignCenter);
    }
    if (g->rowCount() == 0)
        GridAddRow(g, -1, {QStringLiteral("No reservations exist for this date")});
    GridSelectRow(g, 0);
    g->scrollToTop();
    g->setUpdatesEnabled(true);
}

void frmBookingHistory::cboSimpleCalSort_Click()
{
    ShowArrivals();
}

void frmBookingHistory::cmdSimpleCalShowSummary_Click()
{
    const qint32 id = qint32(GridCurrentRowData(ui->gArrivals, -1));
    if (id == -1) {
        MsgBox(QStringLiteral("No reservation has been selected. Select a reservation from the Reservation List and "
                              "try again."),
               vbOKOnly | vbInformation);
        return;
    }
    m_answer = {frmBookingSummary::ask(id, this), id};
    // An edit or a cancel is carried out by whoever opened this list.
    if (m_answer.choice != SummaryChoice::Close)
        accept();
}

void frmBookingHistory::cmdClose_Click()
{
    reject();
}
