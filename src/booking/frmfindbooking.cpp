#include "booking/frmfindbooking.h"

#include "core/bookingstore.h"
#include "widgets/waitcursor.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/pagedmodel.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "widgets/windowrules.h"
#include "ui_frmfindbooking.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <memory>

namespace {

// Design widths of the name and the two dates, in twips.
const int kColumnTwips[] = {2400, 1600, 1600};

// The day a picker holds, or a null date while its box is not ticked.
QDate PickerDay(const QCheckBox* tick, const QDateEdit* picker)
{
    return tick->isChecked() ? picker->date() : QDate();
}

}  // namespace

frmFindBooking::frmFindBooking(QWidget* parent) : QDialog(parent), ui(new Ui::frmFindBooking)
{
    ui->setupUi(this);
    const Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
    m_results = new PagedModel({{QStringLiteral("Name")},
                                {QStringLiteral("Arriving"), leftCentre},
                                {QStringLiteral("Departing"), leftCentre},
                                {QString()}},
                               this);
    SetGridModel(ui->gres, m_results);
    WatchScrollUp(ui->gres, m_results);
    m_countTimer.setInterval(0);
    connect(&m_countTimer, &QTimer::timeout, this, guarded(this, &frmFindBooking::CountMatches));
    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmFindBooking::cmdOK_Click));
    connect(ui->cmdEditCustomer, &QPushButton::clicked, this, guarded(this, &frmFindBooking::cmdEditCustomer_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmFindBooking::cmdCancel_Click));
    Form_Load();
}

void frmFindBooking::CountMatches()
{
    // About a screen's refresh of work at a time.
    if (!m_counting->countSome(20000, &m_counted)) {
        m_countTimer.stop();
        m_counting.reset();
        ui->lblTotalCustomers->setText(Fmt::integer(m_counted));
    }
}

frmFindBooking::~frmFindBooking()
{
    delete ui;
}

std::optional<qint32> frmFindBooking::ask(QWidget* parent)
{
    frmFindBooking dialog(parent);
    dialog.exec();
    return dialog.chosen();
}

void frmFindBooking::Form_Load()
{
    const QDate today = QDate::currentDate();
    for (QDateEdit* picker : {ui->dtArrive, ui->dtDepart})
        picker->setDate(today);
    ui->chkArrive->setChecked(false);
    ui->chkDepart->setChecked(false);
    // A day chosen in a picker makes it a criterion, as in a picker with its own tick box.
    connect(ui->dtArrive, &QDateEdit::dateChanged, ui->chkArrive, [this] { ui->chkArrive->setChecked(true); });
    connect(ui->dtDepart, &QDateEdit::dateChanged, ui->chkDepart, [this] { ui->chkDepart->setChecked(true); });

    // The fourth column stays empty: it takes no room.
    ui->gres->setColumnHidden(3, true);
    DoResize();
    // Only the criteria and the buttons until the first search; Tab passes
    // the results by while they lie below the window's edge.
    FocusOnlyInSight(this, {ui->gres});
    resize(width(), Twips::toPx(Twips::fromPx(ui->picSep->y()) + 300));
}

void frmFindBooking::DoResize()
{
    QTableView* g = ui->gres;
    g->setUpdatesEnabled(false);
    SetGridColWidth(g, 0, kColumnTwips[0]);
    for (int c = 1; c < 3; ++c) {
        // Dates longer than the column in this locale still show whole.
        if (GridRowCount(g) > 0)
            g->resizeColumnToContents(c);
        SetGridColWidth(g, c, qMax(kColumnTwips[c], GridColWidth(g, c)));
    }
    // The name column takes what the dates leave of the grid, less when the
    // window is made narrow, so that the grid never scrolls sideways.
    SetGridColWidth(g, 0, qMax(kColumnTwips[0] / 4, namesWidth()));
    g->setUpdatesEnabled(true);
}

int frmFindBooking::namesWidth() const
{
    const QTableView* g = ui->gres;
    // The grid's inner width, a vertical scroll bar allowed for.
    const int inner = Twips::fromPx(g->width() - 2 * g->frameWidth() - g->verticalScrollBar()->sizeHint().width());
    return inner - GridColWidth(g, 1) - GridColWidth(g, 2);
}

void frmFindBooking::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmFindBooking::Form_Resize()
{
    const int margin = Twips::toPx(100);
    QTableView* g = ui->gres;
    ui->picBut->move(width() - ui->picBut->width() - margin, ui->picBut->y());
    const int gridWidth = width() - g->x() - ui->picBut->width() - margin;
    const int gridHeight = height() - g->y() - Twips::toPx(600);
    // Too small a window leaves the grid as it was, out of sight.
    if (gridWidth >= 0)
        g->resize(gridWidth, g->height());
    if (gridHeight >= 0)
        g->resize(g->width(), gridHeight);
    // The columns follow the grid's new width.
    DoResize();
    const int countTop = g->y() + g->height() + Twips::toPx(10);
    ui->lblTotalMatches->move(ui->lblTotalMatches->x(), countTop);
    ui->lblTotalCustomers->move(ui->lblTotalCustomers->x(), countTop);
    GridSelectRow(g, 0);
}

void frmFindBooking::cmdOK_Click()
{
    const QDate arrive = PickerDay(ui->chkArrive, ui->dtArrive);
    const QDate depart = PickerDay(ui->chkDepart, ui->dtDepart);
    if (!arrive.isValid() && !depart.isValid()) {
        MsgBox(QStringLiteral("No criteria to search by has been entered. Please enter some details and try again."),
               vbCritical | vbOKOnly);
        return;
    }

    QTableView* g = ui->gres;
    {
        WaitCursor hourglass;
        g->setUpdatesEnabled(false);
        // The first page at once, the rest as the list is scrolled.
        auto found = std::make_shared<BookingSearch>(arrive, depart);
        m_results->setKeyset(
            [found](const QVariantList* key, bool forward, int limit) {
                QList<PagedRow> rows;
                for (const FoundBooking& b : found->page(key, forward, limit))
                    rows.append({b.id,
                                 {b.firstName + u' ' + b.lastName, Fmt::generalDate(b.from), Fmt::generalDate(b.to)},
                                 b.key});
                return rows;
            },
            [found](const QVariantList& key) { return found->countBefore(key); });
        m_results->refresh();
        // A list read to its end is its own count; a longer one is counted
        // after its first screen, between the events of the window.
        m_counting.reset();
        m_countTimer.stop();
        if (m_results->atEnd()) {
            ui->lblTotalCustomers->setText(Fmt::integer(m_results->rowCount()));
        } else {
            ui->lblTotalCustomers->clear();
            m_counting = found;
            m_counted = 0;
            m_countTimer.start();
        }
        g->scrollToTop();
        g->setUpdatesEnabled(true);
    }

    // The results come into view. The window system may resize the window
    // later; the columns are fitted now all the same.
    resize(width(), Twips::toPx(Twips::fromPx(ui->picSep2->y()) + 300));
    DoResize();
    // Dates wider in this locale than designed widen the window, not the grid.
    const int lacking = kColumnTwips[0] - namesWidth();
    if (lacking > 0)
        resize(width() + Twips::toPx(lacking), height());
    GridSelectRow(g, 0);
}

void frmFindBooking::cmdEditCustomer_Click()
{
    const qint32 id = qint32(GridCurrentRowData(ui->gres, 0));
    if (id == 0) {
        MsgBox(QStringLiteral("No reservation has been selected. Select a reservation to to view or edit and try again."),
               vbCritical | vbOKOnly);
        return;
    }
    m_chosen = id;
    accept();
}

void frmFindBooking::cmdCancel_Click()
{
    reject();
}
