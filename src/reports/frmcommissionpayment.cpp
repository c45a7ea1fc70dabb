#include "reports/frmcommissionpayment.h"

#include "ui_frmcommissionpayment.h"

#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"
#include "reports/commissionpayments.h"
#include "reports/frmaddcommissionpayment.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>

frmCommissionPayment::frmCommissionPayment(QWidget* parent) : ConfigListDialog(parent), ui(new Ui::frmCommissionPayment)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    connect(ui->cboAccount, &QComboBox::currentIndexChanged, this, guarded(this, &frmCommissionPayment::cboAccount_Click));
    wire(nullptr, ui->cmdAdd, ui->cmdEdit, ui->cmdRemove, ui->cmdCancel);
    // Add first makes sure there is an account to pay.
    disconnect(ui->cmdAdd, nullptr, this, nullptr);
    connect(ui->cmdAdd, &QPushButton::clicked, this, guarded(this, &frmCommissionPayment::cmdAdd_Click));
    connect(ui->gPayments, &QTableWidget::cellDoubleClicked, this, guarded(this, &ConfigListDialog::lstItems_DblClick));
    Setup();
}

frmCommissionPayment::~frmCommissionPayment()
{
    delete ui;
}

void frmCommissionPayment::ask(QWidget* parent)
{
    frmCommissionPayment d(parent);
    d.exec();
}

void frmCommissionPayment::Setup()
{
    InitGrid();
}

void frmCommissionPayment::InitGrid()
{
    const Qt::Alignment head = Qt::AlignHCenter | Qt::AlignTop;
    SetGridHeader(ui->gPayments, {{QStringLiteral("Account Name"), head, 600},
                                  {QStringLiteral("Payment"), head, 1600},
                                  {QStringLiteral("Date"), head, 2000}});
    FitGridColumn(ui->gPayments, 0, 400);

    ComboClear(ui->cboAccount);
    ComboAdd(ui->cboAccount, QStringLiteral("All Payments"), -1);
    for (const NamedRow& account : CommissionAccountRecord::listed())
        ComboAdd(ui->cboAccount, account.name, account.id);
    SetListIndex(ui->cboAccount, 0);
}

void frmCommissionPayment::resizeEvent(QResizeEvent* event)
{
    ConfigListDialog::resizeEvent(event);
    SetGridColWidth(ui->gPayments, 0, 600);
    FitGridColumn(ui->gPayments, 0, 400);
}

qint32 frmCommissionPayment::filterAccount() const
{
    const int i = ui->cboAccount->currentIndex();
    return i < 0 ? -1 : qint32(ComboItemData(ui->cboAccount, i));
}

void frmCommissionPayment::RefreshPaymentList(int SelectRow, qint64 SelectID)
{
    WaitCursor hourglass;
    QTableWidget* g = ui->gPayments;
    g->setUpdatesEnabled(false);
    g->setRowCount(0);
    int n = 1;
    for (const CommissionPaymentRecord::Listed& p : CommissionPaymentRecord::listed(filterAccount())) {
        const int row = GridAddRow(g, p.id, {});
        SetGridText(g, row, 0, p.accountName, Qt::AlignLeft | Qt::AlignVCenter);
        SetGridText(g, row, 1, Fmt::currency(p.amount), Qt::AlignRight | Qt::AlignVCenter);
        SetGridText(g, row, 2, p.submittedDate.isValid() ? Fmt::shortDate(p.submittedDate.date()) : QString(),
                    Qt::AlignRight | Qt::AlignVCenter);
        if (p.id == SelectID)
            SelectRow = n;
        ++n;
    }
    GridReselect(g, SelectRow);
    g->setUpdatesEnabled(true);
}

void frmCommissionPayment::cboAccount_Click()
{
    RefreshPaymentList(1, 0);
}

void frmCommissionPayment::cmdAdd_Click()
{
    if (ui->cboAccount->count() <= 1) {
        MsgBox(QStringLiteral("No Commission Accounts exist to add a payment to. Please create a Commission Account "
                              "(close this dialog and select Commission/View Accounts) and try again."),
               vbOKOnly | vbCritical);
        return;
    }
    ConfigListDialog::cmdAdd_Click();
}

ConfigAnswer frmCommissionPayment::openEditor(qint32 id)
{
    return frmAddCommissionPayment::ask(id, filterAccount(), this) ? ConfigAnswer::Saved : ConfigAnswer::Cancelled;
}

std::optional<qint32> frmCommissionPayment::selectedId() const
{
    const qint64 id = GridCurrentRowData(ui->gPayments, 0);
    if (id == 0)
        return std::nullopt;
    return qint32(id);
}

void frmCommissionPayment::refresh(qint32 handledId)
{
    RefreshPaymentList(1, handledId == -1 ? 0 : handledId);
}

QString frmCommissionPayment::editSelectionMessage() const
{
    return QStringLiteral("No Payment has been selected to edit. Please select a Payment and try again.");
}

QString frmCommissionPayment::removeSelectionMessage() const
{
    return QStringLiteral("Please select a Payment to remove.");
}

QString frmCommissionPayment::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to delete this Payment?");
}

void frmCommissionPayment::deleteRow(qint32 id)
{
    CommissionPaymentRecord::remove(id);
}
