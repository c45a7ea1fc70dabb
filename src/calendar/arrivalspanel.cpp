#include "calendar/arrivalspanel.h"

#include "booking/bookingwizard.h"
#include "calendar/frmbookingsummary.h"
#include "core/db.h"
#include "core/format.h"
#include "core/frmmain.h"
#include "core/grid.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/twips.h"
#include "invoicing/documents.h"
#include "ui_arrivalspanel.h"
#include "ui_frmmain.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHash>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

namespace {

const char* const kNoneSelected =
    "No reservation has been selected. Select a reservation from the Reservation List and try again.";

// Bookings that overlap the day, one row per booking and unit name; a booking
// without unit rows comes once, with no unit name and nounits set. A booking
// whose customer row is missing is not listed, nor one whose unit rows all
// point to units that no longer exist. The day's bookings are picked from the
// dates index alone, which is much cheaper than reading the whole table.
const char* const kArrivalsSql =
    "SELECT b.id AS bID, r.Name AS name, c.FirstName AS firstname, c.LastName AS lastname, "
    "b.fromdate AS fromdate, b.todate AS todate, MIN(br.id) IS NULL AS nounits "
    "FROM booking AS b "
    "JOIN customer AS c ON c.ID = b.customerid "
    "LEFT JOIN bookingroom AS br ON br.bookingid = b.id "
    "LEFT JOIN room AS r ON r.id = br.roomid "
    "WHERE b.id IN (SELECT id FROM booking WHERE fromdate <= ? AND todate >= ?) "
    "AND (br.id IS NULL OR r.id IS NOT NULL) "
    "GROUP BY b.id, r.Name ";

// The chosen order for the bookings with units; those without come last in
// id order. The booking id keeps bookings that tie apart, so that the rows of
// one booking stay together wherever the order allows it.
QString OrderBy(const QString& sort)
{
    if (sort == QLatin1String("Time"))
        return QStringLiteral("ORDER BY nounits, CASE WHEN nounits THEN NULL ELSE fromdate END, "
                              "CASE WHEN nounits THEN NULL ELSE todate END, bID, name");
    if (sort == QLatin1String("Name"))
        return QStringLiteral("ORDER BY nounits, (CASE WHEN nounits THEN NULL ELSE firstname END) COLLATE NOCASE, "
                              "(CASE WHEN nounits THEN NULL ELSE lastname END) COLLATE NOCASE, bID, name");
    return QStringLiteral("ORDER BY nounits, name, bID");
}

// A time of day on the 12-hour clock, "9:05 AM".
QString ClockTime(const QTime& t)
{
    return QLocale().toString(t, QStringLiteral("h:mm AP"));
}

}  // namespace

ArrivalsPanel::ArrivalsPanel(QWidget* parent) : QWidget(parent), ui(new Ui::ArrivalsPanel)
{
    ui->setupUi(this);
    connect(ui->cboSimpleCalSort, &QComboBox::currentIndexChanged, this, &ArrivalsPanel::cboSimpleCalSort_Click);
    // Only a click on a day refills the list; a date set from code does not.
    connect(ui->dtCalendar, &QCalendarWidget::clicked, this, &ArrivalsPanel::dtCalendar_DateClick);
    connect(ui->gArrivals, &QTableWidget::cellDoubleClicked, this, &ArrivalsPanel::gArrivals_DblClick);
    connect(ui->cmdAddReservation, &QPushButton::clicked, this, &ArrivalsPanel::cmdAddReservation_Click);
    connect(ui->cmdViewDetails, &QPushButton::clicked, this, &ArrivalsPanel::cmdViewDetails_Click);
    connect(ui->cmdSimpleCalShowSummary, &QPushButton::clicked, this, &ArrivalsPanel::cmdSimpleCalShowSummary_Click);
    connect(ui->cmdSimpleCalCancel, &QPushButton::clicked, this, &ArrivalsPanel::cmdSimpleCalCancel_Click);
    connect(ui->cmdPrintReceipt, &QPushButton::clicked, this, &ArrivalsPanel::cmdPrintReceipt_Click);
}

ArrivalsPanel::~ArrivalsPanel()
{
    delete ui;
}

void ArrivalsPanel::InitArrivalsHeader()
{
    QTableWidget* g = ui->gArrivals;
    const Qt::Alignment centreTop = Qt::AlignHCenter | Qt::AlignTop;
    SetGridHeader(g, {{QStringLiteral("Name"), centreTop, 800},
                      {QStringLiteral("Room(s)"), centreTop, 2000},
                      {QStringLiteral("Arrival"), centreTop, 1760},
                      {QStringLiteral("Departure"), centreTop, 1760}});
    // The name column takes what the others leave of the grid's width.
    int sum = 0;
    for (int i = 0; i < g->columnCount(); ++i)
        sum += GridColWidth(g, i);
    const int gridWidth = Twips::fromPx(g->width());
    if (gridWidth - sum > 0)
        SetGridColWidth(g, 0, gridWidth + GridColWidth(g, 0) - sum);
}

void ArrivalsPanel::FillArrivals()
{
    QTableWidget* g = ui->gArrivals;
    const QDate day = ui->dtCalendar->selectedDate();
    const QString dayText = day.toString(QStringLiteral("yyyy-MM-dd"));

    Query q = objConn.query(QLatin1String(kArrivalsSql) + OrderBy(ui->cboSimpleCalSort->currentText()),
                            {dayText + QStringLiteral(" 23:59:59"), dayText + QStringLiteral(" 00:00:00")});

    g->setUpdatesEnabled(false);
    g->setRowCount(0);
    // Grid row of each booking listed so far: a booking whose units are not
    // next to one another in the chosen order still gets one row.
    QHash<qint32, int> rowOf;
    const Qt::Alignment centred = Qt::AlignCenter;
    while (q.next()) {
        const qint32 id = qint32(q.integer(0));
        const QString unit = q.text(1);
        const auto listed = rowOf.constFind(id);
        if (listed != rowOf.constEnd()) {
            QTableWidgetItem* units = g->item(*listed, 1);
            units->setText(units->text() + QStringLiteral(", ") + unit);
            continue;
        }

        const bool noUnits = q.integer(6) != 0;
        const QDateTime from = q.dateTime(4);
        const QDateTime to = q.dateTime(5);
        QString name = q.text(2) + u' ' + q.text(3);
        if (name == QLatin1String(" "))
            name = QStringLiteral("No name entered");
        if (from.date() == day)
            name += QStringLiteral(" (Arriving)");
        if (to.date() == day)
            name += QStringLiteral(" (Departing)");
        // Bookings without units show the times alone.
        const QString arrival = noUnits ? ClockTime(from.time())
                                        : Fmt::shortDate(from.date()) + u' ' + ClockTime(from.time());
        const QString departure = noUnits ? ClockTime(to.time())
                                          : Fmt::shortDate(to.date()) + u' ' + ClockTime(to.time());

        const int row = GridAddRow(g, id, {name, noUnits ? QStringLiteral("(None)") : unit, arrival, departure});
        g->item(row, 2)->setTextAlignment(centred);
        g->item(row, 3)->setTextAlignment(centred);
        rowOf.insert(id, row);
    }

    if (g->rowCount() == 0)
        GridAddRow(g, -1, {QStringLiteral("No reservations exist for this date")});
    GridSelectRow(g, 0);
    g->scrollToTop();
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
    MainForm().mnuReservationAdd_Click();
}

void ArrivalsPanel::cmdViewDetails_Click()
{
    const qint32 id = SelectedBooking();
    if (!CheckSelected(id))
        return;
    MainForm().DoEditBooking(id);
}

void ArrivalsPanel::cmdSimpleCalShowSummary_Click()
{
    const qint32 id = SelectedBooking();
    if (!CheckSelected(id))
        return;
    giSummaryReservationID = id;
    giSummaryReturnCode = -1;
    {
        frmBookingSummary summary(window());
        summary.exec();
    }
    // The summary has asked before returning 2.
    if (giSummaryReturnCode == 1) {
        cmdViewDetails_Click();
    } else if (giSummaryReturnCode == 2) {
        DoCancel(SelectedBooking());
        ShowArrivals();
    }
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

void ShowArrivals()
{
    frmMain& main = MainForm();
    main.arrivals()->FillArrivals();
    main.ShowView(main.ui->picArrivals, {main.ui->picCalendar, main.ui->picBooking});
}
