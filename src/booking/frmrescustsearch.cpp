#include "booking/frmrescustsearch.h"

#include "core/db.h"
#include "core/waitcursor.h"
#include "core/grid.h"
#include "core/modmain.h"
#include "core/pagedmodel.h"
#include "core/platform.h"
#include "core/twips.h"
#include "ui_frmrescustsearch.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QTableView>

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

QString AAS(const QString& sFieldname, const QString& text, QVariantList& params)
{
    if (text.isEmpty())
        return QString();
    params << QStringLiteral("%") + likeLiteral(text) + QStringLiteral("%");
    return sFieldname + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

frmResCustSearch::frmResCustSearch(QWidget* parent) : QDialog(parent), ui(new Ui::frmResCustSearch)
{
    ui->setupUi(this);
    const Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
    m_matches = new PagedModel({{QStringLiteral("Name")},
                                {QStringLiteral("Address"), leftCentre},
                                {QStringLiteral("Postcode"), leftCentre},
                                {QStringLiteral("Phone")}},
                               this);
    SetGridModel(ui->gcust, m_matches);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    ui->gcust->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    connect(ui->cmdOk, &QPushButton::clicked, this, &frmResCustSearch::cmdOk_Click);
    connect(ui->cmdSelect, &QPushButton::clicked, this, &frmResCustSearch::cmdSelect_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmResCustSearch::cmdCancel_Click);
    connect(ui->gcust, &QTableView::doubleClicked, this, &frmResCustSearch::cmdSelect_Click);

    Form_Load();
}

frmResCustSearch::~frmResCustSearch()
{
    delete ui;
}

void frmResCustSearch::Form_Load()
{
    giResCustomerSearchID = -1;

    QTableView* g = ui->gcust;
    const int widths[] = {2400, 1600, 1100, 1600};
    int sum = 0;
    for (int c = 0; c < 4; ++c) {
        SetGridColWidth(g, c, widths[c]);
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

    QVariantList params;
    QString sSQL = QStringLiteral("SELECT id, firstname, lastname, address1, address2, postcode, phone "
                                  "FROM customer WHERE ");
    const QString first = AAS(QStringLiteral("firstname"), ui->txtFirstname->text(), params);
    const QString last = AAS(QStringLiteral("lastname"), ui->txtLastname->text(), params);
    sSQL += first;
    if (!last.isEmpty()) {
        if (!first.isEmpty())
            sSQL += QStringLiteral(" OR ");
        sSQL += last;
    }
    if (first.isEmpty() && last.isEmpty())
        sSQL += QStringLiteral(" id = id ");
    // The name index gives this order, so a page is read without sorting the
    // whole table. Names may be Null, so pages follow by their offset.
    sSQL += QStringLiteral(" ORDER BY lastname, firstname, id LIMIT ? OFFSET ?");

    m_matches->setQuery([sSQL, params](const PagedRow*, int offset, int limit) {
        Query q = objConn.query(sSQL, QVariantList(params) << limit << offset);
        QList<PagedRow> rows;
        while (q.next()) {
            QString address = q.text(3);
            if (!q.text(4).isEmpty())
                address += QStringLiteral(", ") + q.text(4);
            rows.append({q.integer(0), {q.text(1) + QStringLiteral(" ") + q.text(2), address, q.text(5), q.text(6)}, {}});
        }
        return rows;
    });
    m_matches->refresh();
    g->scrollToTop();

    // Data row r of the list is the grid's row r - 1; row 0 is the header.
    // The chosen customer's row, or row SelectRow, is read however far down.
    if (SelectCustomerID != 0) {
        const int found = m_matches->fetchUntil(SelectCustomerID);
        if (found >= 0)
            SelectRow = found + 1;
    }
    if (SelectRow >= 1)
        m_matches->fetchRow(SelectRow - 1);
    SelectRow = GridReselect(g, SelectRow);

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
    giResCustomerSearchID = qint32(id);
    accept();
}

void frmResCustSearch::cmdCancel_Click()
{
    reject();
}
