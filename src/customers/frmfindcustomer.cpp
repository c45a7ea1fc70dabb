#include "customers/frmfindcustomer.h"

#include "booking/bookingwizard.h"
#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "widgets/customerlists.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "widgets/pagedmodel.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "widgets/windowrules.h"
#include "widgets/waitcursor.h"
#include "customers/customerdeletion.h"
#include "customers/frmcustomer.h"
#include "ui_frmfindcustomer.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

namespace {

// Places in twips: left, top, width, height.
struct Place {
    int left, top, width, height;
};

void place(QWidget* w, const Place& p)
{
    w->setGeometry(Twips::toPx(p.left), Twips::toPx(p.top), Twips::toPx(p.width), Twips::toPx(p.height));
}

constexpr int kSepTop = 3990;
constexpr int kSep2Top = 6120;
constexpr int kBoxHeight = 285;
constexpr int kButtonHeight = 375;
// The window's frame as designed, and its frame and title before the window
// is on screen, in twips.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 420;

}  // namespace

frmFindCustomer::frmFindCustomer(QWidget* parent)
    : QDialog(parent), ui(new Ui::frmFindCustomer), m_model(new PagedModel(CustomerSearchColumns(), this))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // The criteria: the two names side by side, the others one under another.
    place(ui->lblLabels_0, {1590, 150, 1935, 240});
    place(ui->lblLabels_1, {3630, 150, 2115, 240});
    place(ui->txtFirstname, {1590, 390, 1935, kBoxHeight});
    place(ui->txtLastname, {3630, 390, 2115, kBoxHeight});
    const std::pair<QWidget*, QWidget*> rows[] = {
        {ui->lblLabels_2, ui->txtBusinessName}, {ui->lblLabels_3, ui->txtAddress1}, {ui->lblLabels_4, ui->txtAddress2},
        {ui->lblLabels_5, ui->txtCity},         {ui->lblLabels_6, ui->txtState},    {ui->lblLabels_7, ui->txtCountry},
        {ui->lblPostCode, ui->txtPostcode},     {ui->lblLabels_9, ui->txtPhone},    {ui->lblLabels_10, ui->txtEmail}};
    int top = 870;
    for (const auto& [label, box] : rows) {
        place(label, {180, top + 30, 1380, 240});
        place(box, {1590, top, 4935, kBoxHeight});
        top += 330;
    }
    place(ui->picSep, {90, kSepTop - 60, 6585, 30});
    place(ui->gcust, {90, kSepTop, 6585, 1665});
    place(ui->lblTotalCaption, {210, 5760, 1900, 240});
    ui->lblTotalCaption->adjustSize();
    place(ui->lblTotalCustomers, {2130, 5760, 1500, 240});
    place(ui->picSep2, {90, kSep2Top, 8745, 30});
    place(ui->picBut, {6840, 60, 1935, 6015});
    const std::pair<QWidget*, int> buttons[] = {{ui->cmdOk, 330},           {ui->cmdCancel, 840},
                                                {ui->cmdCreateCustomer, 3840}, {ui->cmdEditCustomer, 4350},
                                                {ui->cmdViewHistory, 4860},    {ui->cmdDeleteCustomer, 5550}};
    for (const auto& [button, buttonTop] : buttons)
        place(button, {60, buttonTop, 1815, kButtonHeight});
    // Labels wider at the desktop's font than the design allows push the
    // boxes, and the window, to the right.
    int labelWidth = 0;
    for (const auto& [label, box] : rows)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    const int shift = std::max(0, labelWidth - (Twips::toPx(1590 - 180) - 6));
    if (shift > 0) {
        for (QWidget* w : {static_cast<QWidget*>(ui->lblLabels_0), static_cast<QWidget*>(ui->lblLabels_1),
                           static_cast<QWidget*>(ui->txtFirstname), static_cast<QWidget*>(ui->txtLastname)})
            w->move(w->x() + shift, w->y());
        for (const auto& [label, box] : rows) {
            label->resize(label->width() + shift, label->height());
            box->move(box->x() + shift, box->y());
        }
    }
    resize(Twips::toPx(8925) + shift, Twips::toPx(6150));

    SetGridModel(ui->gcust, m_model);
    WatchScrollUp(ui->gcust, m_model);
    // Collapsed, the window hides the results below its edge: Tab passes them by.
    FocusOnlyInSight(this, {ui->gcust, ui->cmdCreateCustomer, ui->cmdEditCustomer, ui->cmdViewHistory,
                            ui->cmdDeleteCustomer});
    ui->gcust->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmFindCustomer::cmdOk_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmFindCustomer::cmdCancel_Click));
    connect(ui->cmdCreateCustomer, &QPushButton::clicked, this,
            guarded(this, &frmFindCustomer::cmdCreateCustomer_Click));
    connect(ui->cmdEditCustomer, &QPushButton::clicked, this,
            guarded(this, &frmFindCustomer::cmdEditCustomer_Click));
    connect(ui->cmdDeleteCustomer, &QPushButton::clicked, this,
            guarded(this, &frmFindCustomer::cmdDeleteCustomer_Click));
    connect(ui->cmdViewHistory, &QPushButton::clicked, this, guarded(this, &frmFindCustomer::cmdViewHistory_Click));
    connect(ui->gcust, &QTableView::doubleClicked, this, guarded(this, &frmFindCustomer::cmdViewHistory_Click));
    Form_Load();
}

frmFindCustomer::~frmFindCustomer()
{
    delete ui;
}

std::optional<qint64> frmFindCustomer::ask(QWidget* parent)
{
    frmFindCustomer dlg(parent);
    dlg.exec();
    return dlg.m_editBooking;
}

// ---- Size ---------------------------------------------------------------

int frmFindCustomer::outerWidth() const
{
    return Twips::fromPx(width()) + kFrameWidth;
}

int frmFindCustomer::outerHeight() const
{
    const int frame = frameGeometry().height() - height();
    return Twips::fromPx(height()) + (frame > 0 ? Twips::fromPx(frame) : kFrameHeight);
}

void frmFindCustomer::Form_Load()
{
    DoResize();
    // Collapsed, the window ends where the rule above the results and the
    // buttons for them begin: the last criterion keeps a margin below it.
    resize(width(), std::min(ui->picSep->y(), ui->picBut->y() + ui->cmdCreateCustomer->y()));
}

void frmFindCustomer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmFindCustomer::Form_Resize()
{
    DoResize();
    // Each step that would give a place or size below nothing is left out.
    const int W = outerWidth();
    const int H = outerHeight();
    const int butWidth = Twips::fromPx(ui->picBut->width());
    if (W - butWidth - 100 >= 0)
        ui->picBut->move(Twips::toPx(W - butWidth - 100), ui->picBut->y());
    const int gridLeft = Twips::fromPx(ui->gcust->x());
    const int gridTop = Twips::fromPx(ui->gcust->y());
    const int gridWidth = W - gridLeft - butWidth - 100;
    // A desktop whose title bar is taller than the design's must not push
    // the count under the window's edge.
    const int countHeight = Twips::fromPx(ui->lblTotalCaption->height());
    const int gridHeight = std::min(H - gridTop - 600, Twips::fromPx(height()) - gridTop - 10 - countHeight - 120);
    if (gridWidth > 0 && gridHeight > 0) {
        ui->gcust->resize(Twips::toPx(gridWidth), Twips::toPx(gridHeight));
        const int labelTop = Twips::toPx(gridTop + gridHeight + 10);
        ui->lblTotalCaption->move(ui->lblTotalCaption->x(), labelTop);
        ui->lblTotalCustomers->move(std::max(Twips::toPx(2130), ui->lblTotalCaption->x()
                                                                   + ui->lblTotalCaption->sizeHint().width() + 6),
                                    labelTop);
    }
    selectFirstRow();
}

void frmFindCustomer::DoResize()
{
    QTableView* g = ui->gcust;
    int sum = 0;
    for (int c = 0; c < 4; ++c) {
        SetGridColWidth(g, c, CustomerSearchColumnWidth(c));
        sum += GridColWidth(g, c);
    }
    // The address takes what the grid has to spare, less 100 twips.
    const int spare = GridCellsWidth(g) - sum;
    if (spare > 0)
        SetGridColWidth(g, 1, GridColWidth(g, 1) + spare - 100);
}

// ---- Search ---------------------------------------------------------------

QList<CustomerStore::Criterion> frmFindCustomer::criteria() const
{
    return {{QStringLiteral("firstname"), ui->txtFirstname->text()},
            {QStringLiteral("lastname"), ui->txtLastname->text()},
            {QStringLiteral("BusinessName"), ui->txtBusinessName->text()},
            {QStringLiteral("address1"), ui->txtAddress1->text()},
            {QStringLiteral("address2"), ui->txtAddress2->text()},
            {QStringLiteral("city"), ui->txtCity->text()},
            {QStringLiteral("state"), ui->txtState->text()},
            {QStringLiteral("country"), ui->txtCountry->text()},
            {QStringLiteral("postcode"), ui->txtPostcode->text()},
            {QStringLiteral("phone"), ui->txtPhone->text()},
            {QStringLiteral("email"), ui->txtEmail->text()}};
}

bool frmFindCustomer::RefreshCustomerScreen(qint64 SelectRow, qint64 SelectCustomerID)
{
    const QList<CustomerStore::Criterion> c = criteria();
    if (std::all_of(c.begin(), c.end(), [](const CustomerStore::Criterion& k) { return k.text.isEmpty(); })) {
        MsgBox(QStringLiteral("No criteria to search by has been entered. Please enter some details and try again."),
               vbCritical | vbOKOnly);
        return false;
    }

    WaitCursor wait;
    QTableView* g = ui->gcust;
    FitPageToGrid(g, m_model);
    // The row at SelectRow is found again by its key, at any depth.
    const QVariantList anchor = m_model->keyAt(SelectRow - 1);
    SetCustomerList(m_model, c, CustomerSearchRow, true);
    RefillAndSelect(g, m_model, SelectRow, SelectCustomerID, anchor);
    // A list shorter than a page is its own count. Otherwise counting every
    // match waits until the first matches are on the screen.
    const int search = ++m_searches;
    ui->lblTotalCustomers->clear();
    const auto showCount = [this, search] {
        if (search == m_searches)
            SetPlainText(ui->lblTotalCustomers, Fmt::integer(m_model->totalCount()));
    };
    if (m_model->atEnd())
        showCount();
    else
        QTimer::singleShot(0, this, guarded(showCount));
    return true;
}

void frmFindCustomer::selectFirstRow()
{
    if (m_model->rowCount() > 0)
        GridSelectRow(ui->gcust, 0);
}

qint64 frmFindCustomer::currentRow() const
{
    return CurrentPlace(ui->gcust, m_model);
}

// ---- Handlers ---------------------------------------------------------------

void frmFindCustomer::cmdOk_Click()
{
    RefreshCustomerScreen(1, 0);
    // Expanded, it ends at the lower rule, a margin under the last button.
    resize(width(), Twips::toPx(kSep2Top));
    selectFirstRow();
}

void frmFindCustomer::cmdCancel_Click()
{
    reject();
}

void frmFindCustomer::cmdCreateCustomer_Click()
{
    frmCustomer::ask(-1, iBookingID, this);
    RefreshCustomerScreen(1, 0);
}

void frmFindCustomer::cmdEditCustomer_Click()
{
    const qint64 id = GridCurrentRowData(ui->gcust, 0);
    if (id != 0 && id != -1)
        frmCustomer::ask(id, iBookingID, this);
    RefreshCustomerScreen(1, 0);
}

void frmFindCustomer::cmdDeleteCustomer_Click()
{
    DeleteCustomer(GridCurrentRowData(ui->gcust, 0),
                   QStringLiteral("This customer has future reservations and can not be deleted. To delete this "
                                  "customer first delete all their future reservations."),
                   [this] { RefreshCustomerScreen(currentRow(), 0); });
}

void frmFindCustomer::cmdViewHistory_Click()
{
    frmBookingHistory::Answer answer;
    const qint64 id = GridCurrentRowData(ui->gcust, 0);
    if (id != 0 && id != -1)
        answer = frmBookingHistory::ask(qint32(id), this);
    if (answer.choice == SummaryChoice::Edit) {
        m_editBooking = answer.bookingId;
        accept();
        return;
    }
    if (answer.choice == SummaryChoice::Cancel) {
        DoCancel(answer.bookingId);
        // The day list must not go on showing the booking.
        ShowArrivals();
    }
    cmdOk_Click();
}
