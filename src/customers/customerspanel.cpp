#include "customers/customerspanel.h"

#include "core/grid.h"
#include "ui_customerspanel.h"

#include <QComboBox>

CustomersPanel::CustomersPanel(QWidget* parent) : QWidget(parent), ui(new Ui::CustomersPanel)
{
    ui->setupUi(this);
    connect(ui->cboCustView, &QComboBox::currentIndexChanged, this, &CustomersPanel::cboCustView_Click);
}

CustomersPanel::~CustomersPanel()
{
    delete ui;
}

void CustomersPanel::InitCustomerHeader()
{
    const Qt::Alignment leftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
    QList<GridColumn> columns = {{QStringLiteral("Name"), leftMiddle, 2400},
                                 {QStringLiteral("Address"), leftMiddle, 1600},
                                 {QStringLiteral("Postcode"), leftMiddle, 1100},
                                 {QStringLiteral("Phone"), leftMiddle, 1600}};
    if (ui->cboCustView->currentIndex() == 1)
        columns.append({QStringLiteral("Owed"), Qt::AlignRight | Qt::AlignVCenter, 1200});
    SetGridHeader(ui->gcust, columns);
}

void CustomersPanel::RefreshCustomerScreen(int, qint32)
{
}

void CustomersPanel::cboCustView_Click()
{
    InitCustomerHeader();
    RefreshCustomerScreen(1, 0);
}
