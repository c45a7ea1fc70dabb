#include "booking/frmrescustsearch.h"

#include "widgets/customerlists.h"
#include "widgets/waitcursor.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/pagedmodel.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "ui_frmrescustsearch.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QTableView>

frmResCustSearch::frmResCustSearch(QWidget* parent) : QDialog(parent), ui(new Ui::frmResCustSearch)
{
    ui->setupUi(this);
    m_matches = new PagedModel(CustomerSearchColumns(), this);
    SetGridModel(ui->gcust, m_matches);
    WatchScrollUp(ui->gcust, m_matches);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    ui->gcust->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmResCustSearch::cmdOk_Click));
    connect(ui->cmdSelect, &QPushButton::clicked, this, guarded(this, &frmResCustSearch::cmdSelect_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmResCustSearch::cmdCancel_Click));
    connect(ui->gcust, &QTableView::doubleClicked, this, guarded(this, &frmResCustSearch::cmdSelect_Click));

    Form_Load();
}

frmResCustSearch::~frmResCustSearch()
{
    delete ui;
}

std::optional<qint32> frmResCustSearch::ask(const QString& firstName, const QString& lastName, QWidget* parent)
{
    frmResCustSearch picker(parent);
    picker.ui->txtFirstname->setText(firstName);
    picker.ui->txtLastname->setText(lastName);
    picker.RefreshCustomerScreen(1, 0);
    picker.exec();
    return picker.chosen();
}

void frmResCustSearch::Form_Load()
{
    m_chosen.reset();

    QTableView* g = ui->gcust;
    int sum = 0;
    for (int c = 0; c < 4; ++c) {
        SetGridColWidth(g, c, CustomerSearchColumnWidth(c));
        sum += GridColWidth(g, c);
    }
    // Spare width of the grid goes to the address column.
    const int gridWidth = Twips::fromPx(g->width());
    if (gridWidth > sum)
        SetGridColWidth(g, 1, GridColWidth(g, 1) + gridWidth - sum - 100);
    m_matches->clear();
}

int frmResCustSearch::RefreshCustomerScreen(int SelectRow, qint64 SelectCustomerID)
{
    WaitCursor wait;
    QTableView* g = ui->gcust;

    // Both boxes empty list every customer; else either name matches.
    const QList<CustomerStore::Criterion> criteria = {{QStringLiteral("firstname"), ui->txtFirstname->text()},
                                                      {QStringLiteral("lastname"), ui->txtLastname->text()}};
    const QVariantList anchor = m_matches->keyAt(SelectRow - 1);
    SetCustomerList(m_matches, criteria);
    g->scrollToTop();

    // Data row r of the list is the grid's row r - 1; row 0 is the header.
    // The chosen customer's row, or row SelectRow, is read however far down.
    SelectRow = int(RefillAndSelect(g, m_matches, SelectRow, SelectCustomerID, anchor));

    if (m_matches->rowCount() == 0) {
        wait.restore();
        MsgBox(QStringLiteral("No matches found. Please try again or press Close to enter new customer details."),
               vbInformation | vbOKOnly);
    }
    return SelectRow;
}

void frmResCustSearch::cmdOk_Click()
{
    RefreshCustomerScreen(1, 0);
}

void frmResCustSearch::cmdSelect_Click()
{
    const qint64 id = GridCurrentRowData(ui->gcust, 0);
    if (id == 0)
        return;
    m_chosen = qint32(id);
    accept();
}

void frmResCustSearch::cmdCancel_Click()
{
    reject();
}
