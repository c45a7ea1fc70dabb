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
#include "customers/owingcustomers.h"
#include "core/balancenotice.h"
#include "ui_customerspanel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <memory>

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
    connect(BalanceNotice::instance(), &BalanceNotice::balancesMoved, this,
            guarded(this, &CustomersPanel::balancesMoved));
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
    m_owing.reset();
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
        m_owing.reset();
        return;
    }
    WaitCursor wait;
    QTableView* g = ui->gcust;
    g->setUpdatesEnabled(false);
    FitPageToGrid(g, m_model);
    // A column fitted to its text measures the rows about the screen, not
    // the whole list.
    g->horizontalHeader()->setResizeContentsPrecision(m_model->pageSize());
    // The row at SelectRow is found again by the key it had, at any depth.
    const QVariantList anchor = m_model->keyAt(SelectRow - 1);
    if (m_owed) {
        // The balances worked out are kept from one refill to the next.
        if (!m_owing)
            m_owing = std::make_shared<OwingCustomers>();
        const std::shared_ptr<OwingCustomers> owing = m_owing;
        m_model->setKeyset(
            [owing](const QVariantList* key, bool forward, int limit) {
                QList<PagedRow> rows;
                for (const OwingCustomers::Row& r : owing->page(key, forward, limit)) {
                    PagedRow row = PanelRow(r.customer);
                    row.texts << Fmt::currency(r.owed);
                    rows << row;
                }
                return rows;
            },
            [owing](const QVariantList& key) { return owing->countBefore(key); });
    } else {
        SetWholeCustomerList(m_model, {}, PanelRow);
    }
    RefillAndSelect(g, m_model, SelectRow, SelectCustomerID, anchor);
    // Balances worked out around a failed read are not kept.
    if (m_model->cutShort())
        m_owing.reset();
    // Until the user sets the widths, the phones show whole as far as the
    // address keeps its own width; the address takes the rest.
    if (m_fitAddress) {
        // The rows measured are those scrolled to.
        g->doItemsLayout();
        g->scrollTo(g->currentIndex());
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

void CustomersPanel::balancesMoved()
{
    // The balances shown are worked out again; the same customer stays current.
    if (m_owed && m_model)
        RefreshCustomerScreen(currentRow(), currentCustomer());
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
