#include "calendar/arrivalspanel.h"

#include "booking/bookingwizard.h"
#include "calendar/bookinglist.h"
#include "calendar/frmbookingsummary.h"
#include "core/format.h"
#include "core/partialreads.h"
#include "widgets/mainview.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/panellayout.h"
#include "widgets/pagedmodel.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "invoicing/documents.h"
#include "ui_arrivalspanel.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <algorithm>

namespace {

const char* const kNoneSelected =
    "No reservation has been selected. Select a reservation from the Reservation List and try again.";

// An arrival or departure as the list shows it.
QString StayTime(const QDateTime& dt)
{
    return Fmt::shortDate(dt.date()) + u' ' + ClockTime(dt.time());
}

// The row of one booking in the list of day.
PagedRow ArrivalsRow(const BookingListEntry& b, const QDate& day)
{
    QString name = b.firstName + u' ' + b.lastName;
    if (name == QLatin1String(" "))
        name = QStringLiteral("No name entered");
    if (b.from.date() == day)
        name += QStringLiteral(" (Arriving)");
    if (b.to.date() == day)
        name += QStringLiteral(" (Departing)");
    // Bookings without units show the times alone.
    const QString arrival = b.noUnits ? ClockTime(b.from.time()) : StayTime(b.from);
    const QString departure = b.noUnits ? ClockTime(b.to.time()) : StayTime(b.to);
    return {b.id, {name, b.noUnits ? QStringLiteral("(None)") : b.units, arrival, departure}, b.key};
}

}  // namespace

ArrivalsPanel::ArrivalsPanel(QWidget* parent) : QWidget(parent), ui(new Ui::ArrivalsPanel)
{
    ui->setupUi(this);
    connect(ui->cboSimpleCalSort, &QComboBox::currentIndexChanged, this,
            guarded(this, &ArrivalsPanel::cboSimpleCalSort_Click));
    // Only a click on a day refills the list; a date set from code does not.
    connect(ui->dtCalendar, &QCalendarWidget::clicked, this, guarded(this, &ArrivalsPanel::dtCalendar_DateClick));
    const Qt::Alignment centred = Qt::AlignCenter;
    m_list = new PagedModel({{QStringLiteral("Name")},
                             {QStringLiteral("Room(s)")},
                             {QStringLiteral("Arrival"), centred},
                             {QStringLiteral("Departure"), centred}},
                            this);
    SetGridModel(ui->gArrivals, m_list);
    connect(ui->gArrivals, &QTableView::doubleClicked, this, guarded(this, &ArrivalsPanel::gArrivals_DblClick));
    connect(ui->cmdAddReservation, &QPushButton::clicked, this,
            guarded(this, &ArrivalsPanel::cmdAddReservation_Click));
    connect(ui->cmdViewDetails, &QPushButton::clicked, this, guarded(this, &ArrivalsPanel::cmdViewDetails_Click));
    connect(ui->cmdSimpleCalShowSummary, &QPushButton::clicked, this,
            guarded(this, &ArrivalsPanel::cmdSimpleCalShowSummary_Click));
    connect(ui->cmdSimpleCalCancel, &QPushButton::clicked, this,
            guarded(this, &ArrivalsPanel::cmdSimpleCalCancel_Click));
    connect(ui->cmdPrintReceipt, &QPushButton::clicked, this, guarded(this, &ArrivalsPanel::cmdPrintReceipt_Click));
}

ArrivalsPanel::~ArrivalsPanel()
{
    delete ui;
}

void ArrivalsPanel::Form_Resize()
{
    using namespace PanelLayout;
    QWidget* shape = ui->Shape1_1;
    QWidget* butBar = ui->picSimpleCalButBar;
    QTableView* gArrivals = ui->gArrivals;
    setWidth(ui->Label1_8, widthOf(this));
    setWidth(shape, widthOf(this) - leftOf(this) - 250);
    setHeight(shape, heightOf(this) - topOf(shape) - 100);
    setLeft(butBar, leftOf(shape) + 10);
    setWidth(butBar, widthOf(shape) - 20);
    setTop(butBar, topOf(shape) + heightOf(shape) - heightOf(butBar) - 10);
    setHeight(gArrivals, topOf(butBar) - topOf(gArrivals));
    setWidth(gArrivals, leftOf(shape) + widthOf(shape) - leftOf(gArrivals) - 200);
    FitNameColumns();
}

void ArrivalsPanel::FitColumns()
{
    QTableView* g = ui->gArrivals;
    // The arrival and departure show whole, on one line, in the locale's
    // format; the units and the name share what they leave.
    FitGridColumnToDates(g, 2, StayTime);
    FitGridColumnToDates(g, 3, StayTime);
    FitNameColumns();
}

void ArrivalsPanel::FitNameColumns()
{
    QTableView* g = ui->gArrivals;
    // The units widen to their names in view, up to half of what the dates
    // leave; the name takes the rest.
    const int rest = Twips::toPx(GridCellsWidth(g)) - g->columnWidth(2) - g->columnWidth(3);
    const int before = g->columnWidth(1);
    g->resizeColumnToContents(1);
    // The rows read so far are a page of the day: the names further down
    // count as well.
    const QFontMetrics metrics(g->font());
    const int margin = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1) + 1;
    int wanted = g->columnWidth(1);
    for (const QString& units : m_dayUnits)
        wanted = std::max(wanted, metrics.horizontalAdvance(units) + margin);
    g->setColumnWidth(1, std::max(before, std::min(wanted, rest / 2)));
    FitGridColumn(g, 0, 100);
}

void ArrivalsPanel::SetDay(const QDate& day)
{
    ui->dtCalendar->setSelectedDate(day);
}

void ArrivalsPanel::SetSortOrder(int index)
{
    // The list is filled when it is shown, not on this choice.
    const QSignalBlocker quiet(ui->cboSimpleCalSort);
    SetListIndex(ui->cboSimpleCalSort, index);
}

void ArrivalsPanel::SetCommodityName(const QString& singular)
{
    SetUnitCaption(singular);
    QComboBox* sort = ui->cboSimpleCalSort;
    // The list is refilled by whoever renames the units, once.
    const QSignalBlocker quiet(sort);
    ComboClear(sort);
    ComboAdd(sort, QStringLiteral("Time"));
    ComboAdd(sort, QStringLiteral("Name"));
    ComboAdd(sort, singular);
    SetListIndex(sort, 0);
}

void ArrivalsPanel::LoadLayout()
{
    LoadGridLayout(ui->gArrivals);
    FitColumns();
}

void ArrivalsPanel::SaveLayout()
{
    SaveGridLayout(ui->gArrivals);
}

void ArrivalsPanel::InitArrivalsHeader()
{
    QTableView* g = ui->gArrivals;
    const int widths[] = {800, 2000, 1760, 1760};
    const QStringList captions{QStringLiteral("Name"), QStringLiteral("Room(s)"), QStringLiteral("Arrival"),
                               QStringLiteral("Departure")};
    int sum = 0;
    for (int i = 0; i < 4; ++i) {
        m_list->setHeaderData(i, Qt::Horizontal, captions[i]);
        SetGridColWidth(g, i, widths[i]);
        sum += GridColWidth(g, i);
    }
    // The name column takes what the others leave of the grid's width.
    const int gridWidth = GridCellsWidth(g);
    if (gridWidth - sum > 0)
        SetGridColWidth(g, 0, gridWidth + GridColWidth(g, 0) - sum);
}

void ArrivalsPanel::SetUnitCaption(const QString& caption)
{
    m_list->setHeaderData(1, Qt::Horizontal, caption);
}

void ArrivalsPanel::FillArrivals()
{
    QTableView* g = ui->gArrivals;
    const QDate day = ui->dtCalendar->selectedDate();
    const QString sort = ui->cboSimpleCalSort->currentText();
    const BookingOrder order = sort == QLatin1String("Time")   ? BookingOrder::Time
                               : sort == QLatin1String("Name") ? BookingOrder::Name
                                                               : BookingOrder::Unit;
    // The day's bookings are read a page at a time, as the list is scrolled.
    m_list->setQuery([day, order](const PagedRow* after, int, int limit) {
        QList<PagedRow> rows;
        if (after && after->key.isEmpty())
            return rows;   // the row saying there are none
        for (const BookingListEntry& b : ReadBookingsOfDay(day, order, after ? &after->key : nullptr, limit))
            rows.append(ArrivalsRow(b, day));
        // A day whose bookings could not be read is not said to have none.
        if (rows.isEmpty() && !after && !PartialReads::failedSoFar())
            rows.append({-1, {QStringLiteral("No reservations exist for this date")}, {}});
        return rows;
    });

    m_dayUnits = UnitTextsOfDay(day);
    g->setUpdatesEnabled(false);
    FitPageToGrid(g, m_list);
    m_list->refresh();
    GridSelectRow(g, 0);
    g->scrollToTop();
    FitColumns();
    g->setUpdatesEnabled(true);
}

qint32 ArrivalsPanel::SelectedBooking() const
{
    return qint32(GridCurrentRowData(ui->gArrivals, -1));
}

bool ArrivalsPanel::CheckSelected(qint32 id)
{
    if (id != -1)
        return true;
    MsgBox(QString::fromLatin1(kNoneSelected), vbOKOnly | vbInformation);
    return false;
}

void ArrivalsPanel::cboSimpleCalSort_Click()
{
    ShowArrivals();
}

void ArrivalsPanel::dtCalendar_DateClick()
{
    ShowArrivals();
    ui->gArrivals->setFocus();
}

void ArrivalsPanel::gArrivals_DblClick()
{
    cmdSimpleCalShowSummary_Click();
}

void ArrivalsPanel::cmdAddReservation_Click()
{
    mainView().AddReservation();
}

void ArrivalsPanel::cmdViewDetails_Click()
{
    const qint32 id = SelectedBooking();
    if (!CheckSelected(id))
        return;
    mainView().DoEditBooking(id);
}

void ArrivalsPanel::cmdSimpleCalShowSummary_Click()
{
    const qint32 id = SelectedBooking();
    if (!CheckSelected(id))
        return;
    ActOnSummaryChoice(id, frmBookingSummary::ask(id, window()));
}

void ArrivalsPanel::cmdSimpleCalCancel_Click()
{
    const qint32 id = SelectedBooking();
    if (!CheckSelected(id))
        return;
    if (MsgBox(QStringLiteral("Are you sure you want to cancel this booking?"), vbYesNo | vbQuestion) != vbYes)
        return;
    DoCancel(id);
    ShowArrivals();
}

void ArrivalsPanel::cmdPrintReceipt_Click()
{
    const qint32 id = SelectedBooking();
    if (!CheckSelected(id))
        return;
    PrintBookingReceipt(id);
}
