#include "core/grid.h"

#include "core/twips.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

void SetGridHeader(QTableWidget* g, const QList<GridColumn>& columns)
{
    g->setColumnCount(columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        auto* item = new QTableWidgetItem(columns[i].caption);
        item->setTextAlignment(columns[i].headerAlignment);
        g->setHorizontalHeaderItem(i, item);
        SetGridColWidth(g, i, columns[i].widthTwips);
    }
}

int GridColWidth(const QTableWidget* g, int column)
{
    return Twips::fromPx(g->columnWidth(column));
}

void SetGridColWidth(QTableWidget* g, int column, int twips)
{
    g->setColumnWidth(column, Twips::toPx(twips));
}

int GridCellsWidth(const QTableWidget* g)
{
    int px = g->width() - 2 * g->frameWidth();
    if (g->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        px -= g->verticalScrollBar()->sizeHint().width();
    return Twips::fromPx(px);
}

void FitGridColumn(QTableWidget* g, int k, int marginTwips)
{
    qint64 others = 0;
    for (int i = 0; i < g->columnCount(); ++i)
        others += GridColWidth(g, i);
    others -= GridColWidth(g, k);
    const qint64 gridWidth = GridCellsWidth(g);
    if (gridWidth - others > 0 && gridWidth - others - marginTwips > 0)
        SetGridColWidth(g, k, int(gridWidth - others - marginTwips));
}

int GridAddRow(QTableWidget* g, qint64 rowData, const QStringList& texts)
{
    const int row = g->rowCount();
    g->insertRow(row);
    for (int c = 0; c < g->columnCount(); ++c)
        g->setItem(row, c, new QTableWidgetItem(c < texts.size() ? texts[c] : QString()));
    SetGridRowData(g, row, rowData);
    return row;
}

void SetGridText(QTableWidget* g, int row, int column, const QString& text, Qt::Alignment alignment)
{
    QTableWidgetItem* item = g->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        g->setItem(row, column, item);
    }
    item->setText(text);
    item->setTextAlignment(alignment);
}

QString GridText(const QTableWidget* g, int row, int column)
{
    const QTableWidgetItem* item = g->item(row, column);
    return item ? item->text() : QString();
}

void SetGridRowData(QTableWidget* g, int row, qint64 value)
{
    QTableWidgetItem* item = g->item(row, 0);
    if (!item) {
        item = new QTableWidgetItem;
        g->setItem(row, 0, item);
    }
    item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(value));
}

qint64 GridRowData(const QTableWidget* g, int row)
{
    const QTableWidgetItem* item = g->item(row, 0);
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

qint64 GridCurrentRowData(const QTableWidget* g, qint64 fallback)
{
    const int row = g->currentRow();
    return row >= 0 && row < g->rowCount() ? GridRowData(g, row) : fallback;
}

void GridSelectRow(QTableWidget* g, int row)
{
    if (row < 0 || row >= g->rowCount())
        return;
    g->setCurrentCell(row, 0);
    g->selectRow(row);
}
