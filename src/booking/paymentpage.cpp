#include "booking/paymentpage.h"

#include "core/db.h"
#include "core/grid.h"
#include "core/modmain.h"
#include "core/twips.h"
#include "ui_paymentpage.h"

PaymentPage::PaymentPage(QWidget* parent) : WizardPage(parent), ui(new Ui::PaymentPage)
{
    ui->setupUi(this);
}

PaymentPage::~PaymentPage()
{
    delete ui;
}

void PaymentPage::InitInvoiceHeader()
{
    QTableWidget* g = ui->gNewInvoice;
    const Qt::Alignment leftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment rightMiddle = Qt::AlignRight | Qt::AlignVCenter;
    SetGridHeader(g, {{QStringLiteral("Qty"), Qt::AlignHCenter | Qt::AlignTop, 400},
                      {QStringLiteral("Name"), leftMiddle, 2400},
                      {QStringLiteral("Sale Price"), rightMiddle, 1040},
                      {QStringLiteral("Tax Rate"), leftMiddle, 1040},
                      {QStringLiteral("Item Total"), rightMiddle, 1200}});
    int sum = 0;
    for (int i = 0; i < g->columnCount(); ++i)
        sum += GridColWidth(g, i);
    const int gridWidth = Twips::fromPx(g->width());
    if (gridWidth - sum > 0)
        SetGridColWidth(g, 1, gridWidth + GridColWidth(g, 1) - sum - 100);
}

void PaymentPage::FillPaymentMethods()
{
    ComboClear(ui->cboPaymentMethod);
    Query q = objConn.query(QStringLiteral("SELECT method FROM PaymentMethod ORDER BY id"));
    while (q.next())
        ComboAdd(ui->cboPaymentMethod, q.text(0));
}
