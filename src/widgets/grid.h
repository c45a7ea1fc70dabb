#pragma once
// Grids as the program uses them: a header row of captions, columns sized in
// twips, and a number (the row's record id) kept with each data row. A cell
// shows its text on one line; a text wider than its column ends in "..." and
// shows whole in the cell's tip.
#include <QDateTime>
#include <QList>
#include <QString>
#include <Qt>
#include <functional>

class QAbstractItemModel;
class QTableView;
class QTableWidget;

struct GridColumn {
    QString caption;
    Qt::Alignment headerAlignment;
    int widthTwips;
};

// Sets the columns' captions, header alignments and widths.
void SetGridHeader(QTableWidget* g, const QList<GridColumn>& columns);
int GridColWidth(const QTableView* g, int column);            // twips
void SetGridColWidth(QTableView* g, int column, int twips);
// The width the grid has for its cells, in twips: its width less its frame
// and its vertical scroll bar (the list grids always show theirs, so that a
// long list does not push the last column out of sight).
int GridCellsWidth(const QTableView* g);
// Widens column k to take what the other columns leave of the grid's cells
// width, less margin (all in twips); nothing changes when they leave nothing.
void FitGridColumn(QTableView* g, int k, int marginTwips);
// Widens a column to the texts of its header and of the rows in view, never
// narrowing it, and to no more than maxTwips (0: no limit).
void WidenGridColumnToText(QTableView* g, int column, int maxTwips = 0);
// The width, in pixels, of a column of dates and times: the widest text its
// format gives in the locale (any month, morning or afternoon) or its caption,
// whatever its rows happen to hold. FitGridColumnToDates sets it.
int DateColumnWidth(const QTableView* g, int column, const std::function<QString(const QDateTime&)>& format);
void FitGridColumnToDates(QTableView* g, int column, const std::function<QString(const QDateTime&)>& format);

// Adds a row at the bottom and returns its index.
int GridAddRow(QTableWidget* g, qint64 rowData, const QStringList& texts);
void SetGridText(QTableWidget* g, int row, int column, const QString& text,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
void SetGridRowData(QTableWidget* g, int row, qint64 value);

// These read any grid: a QTableWidget, or a QTableView over a model that
// keeps the row data as Qt::UserRole of column 0 (widgets/pagedmodel.h does).
QString GridText(const QTableView* g, int row, int column);
qint64 GridRowData(const QTableView* g, int row);
// Data rows of the grid (those loaded, for a list loaded as it is scrolled).
int GridRowCount(const QTableView* g);
// The row data of the current row; fallback when there is none.
qint64 GridCurrentRowData(const QTableView* g, qint64 fallback = 0);
// Makes row current with the selection across all its columns.
void GridSelectRow(QTableView* g, int row);
// After a list grid is refilled: SelectRow counts the header as row 0, so
// data row r is row r + 1. A row at or past the end becomes the last row (the
// header, 0, when the list is empty); that row is made current and selected
// across its columns, the header selecting nothing. Returns the row chosen.
int GridReselect(QTableView* g, int SelectRow);

// Puts a list model on a grid: whole rows are selected, one at a time, and
// nothing is edited; the columns keep the widths they were given. Ctrl+End
// goes to the last row of the whole list, however much of it is loaded.
void SetGridModel(QTableView* g, QAbstractItemModel* model);
