#pragma once
// Grids as the program uses them: a header row of captions, columns sized in
// twips, and a number (the row's record id) kept with each data row.
#include <QList>
#include <QString>
#include <Qt>

class QTableWidget;

struct GridColumn {
    QString caption;
    Qt::Alignment headerAlignment;
    int widthTwips;
};

// Sets the columns' captions, header alignments and widths.
void SetGridHeader(QTableWidget* g, const QList<GridColumn>& columns);
int GridColWidth(const QTableWidget* g, int column);            // twips
void SetGridColWidth(QTableWidget* g, int column, int twips);
// The width the grid has for its cells, in twips: its width less its frame
// and its vertical scroll bar (the list grids always show theirs, so that a
// long list does not push the last column out of sight).
int GridCellsWidth(const QTableWidget* g);
// Widens column k to take what the other columns leave of the grid's cells
// width, less margin (all in twips); nothing changes when they leave nothing.
void FitGridColumn(QTableWidget* g, int k, int marginTwips);

// Adds a row at the bottom and returns its index.
int GridAddRow(QTableWidget* g, qint64 rowData, const QStringList& texts);
void SetGridText(QTableWidget* g, int row, int column, const QString& text,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QString GridText(const QTableWidget* g, int row, int column);
void SetGridRowData(QTableWidget* g, int row, qint64 value);
qint64 GridRowData(const QTableWidget* g, int row);
// The row data of the current row; fallback when there is none.
qint64 GridCurrentRowData(const QTableWidget* g, qint64 fallback = 0);
// Makes row current with the selection across all its columns.
void GridSelectRow(QTableWidget* g, int row);
