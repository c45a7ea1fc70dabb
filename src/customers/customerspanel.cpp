#include "customers/customerspanel.h"

#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "widgets/customerlists.h"
#include "core/customerstore.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/pagedmodel.h"
#include "widgets/panellayout.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"
#include "customers/customerdeletion.h"
#include "customers/frmcustomer.h"
#include "core/invoicetotals.h"
#include "ui_customerspanel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <memory>
#include <algorithm>

namespace {

constexpr int kOwedView = 1;

PagedRow PanelRow(const CustomerStore::ListRow& c)
{
    const QString address = GetS(c.address1, QStringLiteral(", ")) + GetS(c.address2, QStringLiteral(", "))
                            + GetS(c.city, QStringLiteral(", ")) + GetS(c.state, QStringLiteral(" "))
                            + GetS(c.country, QString());
    const QString phones = QStringLiteral("Hm: ") + GetS(c.homePhone, QStringLiteral(", ")) + QStringLiteral("Wk: ")
                           + GetS(c.phone, QStringLiteral(", ")) + QStringLiteral("C/M: ")
                           + GetS(c.mobile, QStringLiteral(", "));
    return {c.id, {c.firstName + u' ' + c.lastName, address, c.postCode, phones}, c.key};
}

// Customers who owe money, in list order: what every customer owes comes
// from one pass over all bookings and lines, the customers' order from the
// name index, both read when the list is filled. A row's key is its place
// in that list.
class OwingCustomers {
public:
    OwingCustomers()
    {
        const QHash<qint32, CustomerBalance> balances = AllCustomerBalances();
        for (qint64 id : CustomerStore::idsInListOrder()) {
            const auto b = balances.constFind(qint32(id));
            if (b != balances.constEnd() && b->owed() > Money())
                m_owing.push_back({id, b->owed()});
        }
    }

    QList<PagedRow> page(const QVariantList* key, bool forward, int limit) const
    {
        const qint64 size = qint64(m_owing.size());
        qint64 from = forward ? (key ? key->value(0).toLongLong() + 1 : 0)
                              : std::max<qint64>(0, (key ? key->value(0).toLongLong() : size) - limit);
        qint64 to = forward ? std::min(size, from + limit) : std::min(size, key ? key->value(0).toLongLong() : size);
        from = std::clamp<qint64>(from, 0, size);
        std::vector<qint64> ids;
        for (qint64 i = from; i < to; ++i)
            ids.push_back(m_owing[size_t(i)].first);
        QList<PagedRow> rows;
        qint64 place = from;
        for (const CustomerStore::ListRow& c : CustomerStore::listByIds(ids)) {
            while (place < to && m_owing[size_t(place)].first != c.id)
                ++place;
            PagedRow row = PanelRow(c);
            row.texts << Fmt::currency(m_owing[size_t(place)].second);
            row.key = {place};
            rows << row;
        }
        if (!forward)
            std::reverse(rows.begin(), rows.end());
        return rows;
    }
    qint64 before(const QVariantList& key) const
    {
        return std::clamp<qint64>(key.value(0).toLongLong(), 0, qint64(m_owing.size()));
    }

private:
    std::vector<std::pair<qint64, Money>> m_owing;   // customer id, amount owed
};

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
    m_owed = owed;
    QItemSelectionModel* oldSelection = ui->gcust->selectionModel();
    SetGridModel(ui->gcust, model);
    WatchScrollUp(ui->gcust, model);
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

void CustomersPanel::RefreshCustomerScreen(qint64 SelectRow, qint64 SelectCustomerID)
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
    // The row at SelectRow is found again by the key it had, at any depth.
    const QVariantList anchor = m_model->keyAt(SelectRow - 1);
    if (m_owed) {
        auto owing = std::make_shared<const OwingCustomers>();
        m_model->setKeyset([owing](const QVariantList* key, bool forward,
                                   int limit) { return owing->page(key, forward, limit); },
                           [owing](const QVariantList& key) { return owing->before(key); });
    } else {
        SetCustomerList(m_model, {}, PanelRow);
    }
    RefillAndSelect(g, m_model, SelectRow, SelectCustomerID, anchor);
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

qint64 CustomersPanel::currentRow() const
{
    return CurrentPlace(ui->gcust, m_model);
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
