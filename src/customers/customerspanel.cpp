#include "customers/customerspanel.h"

#include "core/grid.h"
#include "core/guard.h"
#include "core/modmain.h"
#include "core/panellayout.h"
#include "ui_customerspanel.h"

#include <QComboBox>

CustomersPanel::CustomersPanel(QWidget* parent) : QWidget(parent), ui(new Ui::CustomersPanel)
{
    ui->setupUi(this);
    connect(ui->cboCustView, &QComboBox::currentIndexChanged, this, guarded(this, &CustomersPanel::cboCustView_Click));
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
    refreshStep("customers", [this] { RefreshCustomerScreen(1, 0); });
}

void CustomersPanel::SetView(int index)
{
    SetListIndex(ui->cboCustView, index);
}

void CustomersPanel::LoadLayout()
{
    LoadGridLayout(ui->gcust);
}

void CustomersPanel::SaveLayout()
{
    SaveGridLayout(ui->gcust);
}
