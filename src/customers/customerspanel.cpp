#include "customers/customerspanel.h"

#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "core/customerstore.h"
#include "core/format.h"
#include "core/grid.h"
#include "core/guard.h"
#include "core/mainview.h"
#include "core/modmain.h"
#include "core/pagedmodel.h"
#include "core/panellayout.h"
#include "core/platform.h"
#include "core/waitcursor.h"
#include "customers/customerdeletion.h"
#include "customers/frmcustomer.h"
#include "invoicing/invoicetotals.h"
#include "ui_customerspanel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace {

constexpr int kOwedView = 1;
// Customers whose balances are worked out at a time while the owed list is read.
constexpr int kOwedScanChunk = 200;

PagedRow PanelRow(const CustomerStore::ListRow& c)
{
    const QString address = GetS(c.address1, QStringLiteral(", ")) + GetS(c.address2, QStringLiteral(", "))
                            + GetS(c.city, QStringLiteral(", ")) + GetS(c.state, QStringLiteral(" "))
                            + GetS(c.country, QString());
    const QString phones = QStringLiteral("Hm: ") + GetS(c.homePhone, QStringLiteral(", ")) + QStringLiteral("Wk: ")
                           + GetS(c.phone, QStringLiteral(", ")) + QStringLiteral("C/M: ")
                           + GetS(c.mobile, QStringLiteral(", "));
    return {c.id, {c.firstName + u' ' + c.lastName, address, c.postCode, phones}, {}};
}

QList<PagedRow> AllCustomers(const PagedRow*, int offset, int limit)
{
    QList<PagedRow> rows;
    for (const CustomerStore::ListRow& c : CustomerStore::listPage({}, offset, limit))
        rows << PanelRow(c);
    return rows;
}

// Customers who owe money, in list order. The customers are walked in list
// order a chunk at a time, each chunk's balances from one pass over its
// bookings; a row's key is where the walk goes on after it.
QList<PagedRow> OwingCustomers(const PagedRow* after, int, int limit)
{
    QList<PagedRow> rows;
    int position = after ? after->key.value(0).toInt() : 0;
    for (;;) {
        const QList<CustomerStore::ListRow> chunk = CustomerStore::listPage({}, position, kOwedScanChunk);
        QList<qint32> ids;
        for (const CustomerStore::ListRow& c : chunk)
            ids << qint32(c.id);
        const QHash<qint32, CustomerBalance> balances = CustomerBalances(ids);
        for (const CustomerStore::ListRow& c : chunk) {
            ++position;
            const auto b = balances.constFind(qint32(c.id));
            if (b == balances.constEnd() || !(b->owed() > Money()))
                continue;
            PagedRow row = PanelRow(c);
            row.texts << Fmt::currency(b->owed());
            row.key = {position};
            rows << row;
            if (rows.size() >= limit)
                return rows;
        }
        if (chunk.size() < kOwedScanChunk)
            return rows;
    }
}

}  // namespace

CustomersPanel::CustomersPanel(QWidget* parent) : QWidget(parent), ui(new Ui::CustomersPanel)
{
    ui->setupUi(this);
    connect(ui->cboCustView, &QComboBox::currentIndexChanged, this, guarded(this, &CustomersPanel::cboCustView_Click));
    connect(ui->cmdCreateCustomer, &QPushButton::clicked, this,
            guarded(this, &CustomersPanel::cmdCreateCustomer_Click));
    connect(ui->cmdEditCustomer, &QPushButton::clicked, this, guarded(this, &CustomersPanel::cmdEditCustomer_Click));
    connect(ui->cmdDeleteCustomer, &QPushButton::clicked, this,
            guarded(this, &CustomersPanel::cmdDeleteCustomer_Click));
    connect(ui->cmdViewHistory, &QPushButton::clicked, this, guarded(this, &CustomersPanel::cmdViewHistory_Click));
    connect(ui->gcust, &QTableView::doubleClicked, this, guarded(this, &CustomersPanel::cmdViewHistory_Click));
    connect(ui->gcust->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!m_fitting)
            m_fitAddress = false;
    });
}

CustomersPanel::~CustomersPanel()
{
    delete ui;
}

void CustomersPanel::InitCustomerHeader()
{
    const bool owed = ui->cboCustView->currentIndex() == kOwedView;
    const Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
    QList<PagedModel::Column> columns = {{QStringLiteral("Name")},
                                         {QStringLiteral("Address"), leftCentre},
                                         {QStringLiteral("Postcode"), leftCentre},
                                         {QStringLiteral("Phone")}};
    QList<int> widths = {2400, 1600, 1100, 1600};
    if (owed) {
        columns.append({QStringLiteral("Owed"), Qt::AlignRight | Qt::AlignTop});
        widths << 1600;
    }

    auto* model = new PagedModel(columns, this);
    if (owed)
        model->setQuery(OwingCustomers);
    else
        model->setQuery(AllCustomers);
    QItemSelectionModel* oldSelection = ui->gcust->selectionModel();
    SetGridModel(ui->gcust, model);
    delete oldSelection;
    delete m_model;
    m_model = model;

    m_fitting = true;
    for (int c = 0; c < widths.size(); ++c)
        SetGridColWidth(ui->gcust, c, widths[c]);
    FitGridColumn(ui->gcust, 1, 400);
    m_fitting = false;
    m_fitAddress = true;
}

QList<int> CustomersPanel::columnWidths() const
{
    QList<int> widths;
    for (int c = 0; c < ui->gcust->model()->columnCount(); ++c)
        widths << ui->gcust->columnWidth(c);
    return widths;
}

void CustomersPanel::RefreshCustomerScreen(int SelectRow, qint64 SelectCustomerID)
{
    if (!m_model)
        InitCustomerHeader();
    // A hidden list costs nothing: the view command refills it when it shows it.
    if (isHidden()) {
        m_model->clear();
        return;
    }
    WaitCursor wait;
    QTableView* g = ui->gcust;
    g->setUpdatesEnabled(false);
    m_model->setPageSize(std::max(50, g->height() / std::max(1, g->verticalHeader()->defaultSectionSize()) + 10));
    m_model->refresh();
    SelectAfterRefill(g, m_model, SelectRow, SelectCustomerID);
    // Until the user sets the widths, the phones show whole as far as the
    // address keeps its own width; the address takes the rest.
    if (m_fitAddress) {
        m_fitting = true;
        int others = 0;
        for (int c = 0; c < m_model->columnCount(); ++c)
            if (c != 1 && c != 3)
                others += GridColWidth(g, c);
        WidenGridColumnToText(g, 3, std::max(1, GridCellsWidth(g) - others - 1600 - 400));
        FitGridColumn(g, 1, 400);
        m_fitting = false;
    }
    g->setUpdatesEnabled(true);
}

int CustomersPanel::currentRow() const
{
    const QModelIndex current = ui->gcust->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

qint64 CustomersPanel::currentCustomer() const
{
    return GridCurrentRowData(ui->gcust, 0);
}

void CustomersPanel::cboCustView_Click()
{
    InitCustomerHeader();
    RefreshCustomerScreen(1, 0);
}

void CustomersPanel::cmdCreateCustomer_Click()
{
    frmCustomer::ask(-1, iBookingID, window());
    RefreshCustomerScreen(1, 0);
}

void CustomersPanel::cmdEditCustomer_Click()
{
    const qint64 id = currentCustomer();
    if (id != 0 && id != -1)
        frmCustomer::ask(id, iBookingID, window());
    RefreshCustomerScreen(currentRow(), 0);
}

void CustomersPanel::cmdDeleteCustomer_Click()
{
    DeleteCustomer(currentCustomer(),
                   QStringLiteral("This customer has future reservations and can not be deleted. To delete this "
                                  "customer first delete all reservations in the future."),
                   [this] { RefreshCustomerScreen(currentRow(), 0); });
}

void CustomersPanel::cmdViewHistory_Click()
{
    const qint64 id = currentCustomer();
    if (id != 0 && id != -1) {
        const frmBookingHistory::Answer answer = frmBookingHistory::ask(qint32(id), window());
        if (answer.choice == SummaryChoice::Edit && answer.bookingId == -1)
            MsgBox(QStringLiteral("No reservation has been selected. Select a reservation from the Reservation List "
                                  "and try again."),
                   vbInformation | vbOKOnly);
        else
            ActOnSummaryChoice(answer.bookingId, answer.choice);
    }
    RefreshCustomerScreen(currentRow(), 0);
}

void CustomersPanel::FocusList()
{
    ui->gcust->setFocus();
}

void CustomersPanel::Form_Resize()
{
    using namespace PanelLayout;
    QWidget* picCustBot = ui->picCustBot;
    QWidget* shape = ui->Shape1_3;
    setWidth(shape, widthOf(this) - leftOf(this) - 250);
    setHeight(shape, heightOf(this) - topOf(shape));
    setWidth(ui->Label1_17, widthOf(this));
    setLeft(picCustBot, widthOf(this) - widthOf(picCustBot) - 250);
    setTop(picCustBot, heightOf(this) - heightOf(picCustBot) - 250);
    setWidth(ui->gcust, widthOf(shape) - leftOf(shape) - 200);
    setHeight(ui->gcust, heightOf(shape) - topOf(shape) - heightOf(picCustBot) - 100);
    setLineX2(ui->Line6, leftOf(picCustBot) + widthOf(picCustBot));
    setLineY(ui->Line6, topOf(picCustBot) - 80);
    // Until the user sets the widths, the address takes what the others leave.
    if (m_fitAddress && ui->gcust->model()) {
        m_fitting = true;
        FitGridColumn(ui->gcust, 1, 400);
        m_fitting = false;
    }
    refreshStep("customers", [this] { RefreshCustomerScreen(1, 0); });
}

void CustomersPanel::SetView(int index)
{
    SetListIndex(ui->cboCustView, index);
}

void CustomersPanel::LoadLayout()
{
    const QList<int> before = columnWidths();
    m_fitting = true;
    LoadGridLayout(ui->gcust);
    m_fitting = false;
    if (columnWidths() != before)
        m_fitAddress = false;
}

void CustomersPanel::SaveLayout()
{
    SaveGridLayout(ui->gcust);
}
