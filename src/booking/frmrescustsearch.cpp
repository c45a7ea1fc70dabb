#include "booking/frmrescustsearch.h"

#include "core/db.h"
#include "core/waitcursor.h"
#include "core/grid.h"
#include "core/guard.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/twips.h"
#include "ui_frmrescustsearch.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QTableWidget>

namespace {


// LIKE matches the typed text itself: its wildcard and escape characters
// stand for themselves.
QString likeLiteral(const QString& text)
{
    QString s = text;
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u'%', QStringLiteral("\\%"));
    s.replace(u'_', QStringLiteral("\\_"));
    return s;
}

}  // namespace

QString ContainsClause(const QString& sFieldname, const QString& text, QVariantList& params)
{
    if (text.isEmpty())
        return QString();
    params << QStringLiteral("%") + likeLiteral(text) + QStringLiteral("%");
    return sFieldname + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

frmResCustSearch::frmResCustSearch(QWidget* parent) : QDialog(parent), ui(new Ui::frmResCustSearch)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    ui->gcust->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmResCustSearch::cmdOk_Click));
    connect(ui->cmdSelect, &QPushButton::clicked, this, guarded(this, &frmResCustSearch::cmdSelect_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmResCustSearch::cmdCancel_Click));
    connect(ui->gcust, &QTableWidget::cellDoubleClicked, this, guarded(this, &frmResCustSearch::cmdSelect_Click));

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

    QTableWidget* g = ui->gcust;
    g->setUpdatesEnabled(false);
    const Qt::Alignment centreTop = Qt::AlignHCenter | Qt::AlignTop;
    SetGridHeader(g, {{QStringLiteral("Name"), centreTop, 2400},
                      {QStringLiteral("Address"), centreTop, 1600},
                      {QStringLiteral("Postcode"), centreTop, 1100},
                      {QStringLiteral("Phone"), centreTop, 1600}});
    // Spare width of the grid goes to the address column.
    int sum = 0;
    for (int c = 0; c < g->columnCount(); ++c)
        sum += GridColWidth(g, c);
    const int gridWidth = Twips::fromPx(g->width());
    if (gridWidth > sum)
        SetGridColWidth(g, 1, GridColWidth(g, 1) + gridWidth - sum - 100);
    g->setRowCount(0);
    g->setUpdatesEnabled(true);
}

int frmResCustSearch::RefreshCustomerScreen(int SelectRow, qint64 SelectCustomerID)
{
    WaitCursor wait;
    QTableWidget* g = ui->gcust;
    g->setUpdatesEnabled(false);

    QVariantList params;
    QString sSQL = QStringLiteral("SELECT id, firstname, lastname, address1, address2, postcode, phone "
                                  "FROM customer WHERE ");
    const QString first = ContainsClause(QStringLiteral("firstname"), ui->txtFirstname->text(), params);
    const QString last = ContainsClause(QStringLiteral("lastname"), ui->txtLastname->text(), params);
    sSQL += first;
    if (!last.isEmpty()) {
        if (!first.isEmpty())
            sSQL += QStringLiteral(" OR ");
        sSQL += last;
    }
    if (first.isEmpty() && last.isEmpty())
        sSQL += QStringLiteral(" id = id ");
    sSQL += QStringLiteral(" ORDER BY lastname, firstname, id");

    Query q = objConn.query(sSQL, params);
    g->setRowCount(0);
    int n = 1;
    while (q.next()) {
        QString address = q.text(3);
        if (!q.text(4).isEmpty())
            address += QStringLiteral(", ") + q.text(4);
        const int row = GridAddRow(g, q.integer(0),
                                   {q.text(1) + QStringLiteral(" ") + q.text(2), QString(), QString(), q.text(6)});
        SetGridText(g, row, 1, address, Qt::AlignLeft | Qt::AlignVCenter);
        SetGridText(g, row, 2, q.text(5), Qt::AlignLeft | Qt::AlignVCenter);
        if (q.integer(0) == SelectCustomerID)
            SelectRow = n;
        ++n;
    }
    // Data row r of the list is the grid's row r - 1; row 0 is the header.
    const int rowCount = g->rowCount() + 1;
    if (SelectRow >= rowCount)
        SelectRow = rowCount - 1;
    g->setUpdatesEnabled(true);

    if (g->rowCount() == 0) {
        wait.restore();
        MsgBox(QStringLiteral("No matches found. Please try again or press Close to enter new customer details."),
               vbInformation | vbOKOnly);
    } else if (SelectRow >= 1) {
        GridSelectRow(g, SelectRow - 1);
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
