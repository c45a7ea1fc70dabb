#include "widgets/grid.h"

#include "widgets/pagedmodel.h"
#include "widgets/plaintext.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace {

// Cells on one line, ending in "..." when the column is too narrow.
void OneLineCells(QTableView* g)
{
    g->setWordWrap(false);
    g->setTextElideMode(Qt::ElideRight);
}

// Ctrl+End on a list loaded as it is scrolled reads its end first, so that
// the key reaches the last row of the list and not of the rows loaded: a
// list read by key reads its last page alone, another every page. Ctrl+Home
// on a list read by key whose rows loaded begin deep down reads its first
// page again.
class ListEndKey : public QObject {
public:
    explicit ListEndKey(QTableView* g) : QObject(g)
    {
        setObjectName(QString::fromLatin1(kName));
        g->installEventFilter(this);
    }

    static constexpr const char* kName = "listEndKey";

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* g = qobject_cast<QTableView*>(watched);
        if (event->type() != QEvent::KeyPress || !g || !g->model())
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ControlModifier))
            return QObject::eventFilter(watched, event);
        QAbstractItemModel* model = g->model();
        auto* paged = qobject_cast<PagedModel*>(model);
        if (key->key() == Qt::Key_End && model->canFetchMore(QModelIndex())) {
            WaitCursor wait;
            if (paged)
                paged->loadEnd();
            while (model->canFetchMore(QModelIndex()))
                model->fetchMore(QModelIndex());
            moveTo(g, model->rowCount() - 1, model->columnCount() - 1);
            g->scrollToBottom();
            return true;
        }
        if (key->key() == Qt::Key_Home && paged && paged->base() > 0) {
            WaitCursor wait;
            paged->refresh();
            moveTo(g, 0, 0);
            g->scrollToTop();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The move is made here, and the view scrolled to its end by its scroll
    // bar, laid out first: until its next layout it does not know where the
    // rows of a list read afresh lie.
    static void moveTo(QTableView* g, int row, int column)
    {
        g->doItemsLayout();
        const QModelIndex target = g->model()->index(row, column);
        if (target.isValid())
            g->setCurrentIndex(target);
    }
};

}  // namespace

void SetGridHeader(QTableWidget* g, const QList<GridColumn>& columns)
{
    OneLineCells(g);
    g->setColumnCount(columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        auto* item = new QTableWidgetItem(columns[i].caption);
        item->setTextAlignment(columns[i].headerAlignment);
        g->setHorizontalHeaderItem(i, item);
        SetGridColWidth(g, i, columns[i].widthTwips);
    }
}

int GridColWidth(const QTableView* g, int column)
{
    return Twips::fromPx(g->columnWidth(column));
}

void SetGridColWidth(QTableView* g, int column, int twips)
{
    g->setColumnWidth(column, Twips::toPx(twips));
}

int GridCellsWidth(const QTableView* g)
{
    int px = g->width() - 2 * g->frameWidth();
    if (g->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        px -= g->verticalScrollBar()->sizeHint().width();
    return Twips::fromPx(px);
}

void FitGridColumn(QTableView* g, int k, int marginTwips)
{
    qint64 others = 0;
    const int columns = g->model() ? g->model()->columnCount() : 0;
    for (int i = 0; i < columns; ++i)
        others += GridColWidth(g, i);
    others -= GridColWidth(g, k);
    const qint64 gridWidth = GridCellsWidth(g);
    if (gridWidth - others > 0 && gridWidth - others - marginTwips > 0)
        SetGridColWidth(g, k, int(gridWidth - others - marginTwips));
}

void WidenGridColumnToText(QTableView* g, int column, int maxTwips)
{
    const int before = g->columnWidth(column);
    g->resizeColumnToContents(column);
    int px = g->columnWidth(column);
    if (maxTwips > 0)
        px = std::min(px, Twips::toPx(maxTwips));
    g->setColumnWidth(column, std::max(before, px));
}

int DateColumnWidth(const QTableView* g, int column, const std::function<QString(const QDateTime&)>& format)
{
    // Measured once for a font and a format as the locale writes it (one
    // date stands for both).
    static QHash<QString, int> measured;
    const int year = QDate::currentDate().year();
    const QString key = g->font().key() + u'|' + format(QDateTime(QDate(year, 12, 28), QTime(22, 58)));
    auto found = measured.constFind(key);
    if (found == measured.constEnd()) {
        const QFontMetrics fm(g->font());
        int widest = 0;
        for (int month = 1; month <= 12; ++month)
            for (int day : {10, 28})
                for (int hour : {0, 10, 12, 22})
                    widest = std::max(widest,
                                      fm.horizontalAdvance(format(QDateTime(QDate(year, month, day), QTime(hour, 58)))));
        found = measured.insert(key, widest);
    }
    const int widest = *found;
    // The cell's margins as the view's delegate lays text out, and its grid line.
    const int margin = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1) + 2;
    return std::max(widest + margin, g->horizontalHeader()->sectionSizeHint(column));
}

void FitGridColumnToDates(QTableView* g, int column, const std::function<QString(const QDateTime&)>& format)
{
    g->setColumnWidth(column, DateColumnWidth(g, column, format));
}

int GridAddRow(QTableWidget* g, qint64 rowData, const QStringList& texts)
{
    const int row = g->rowCount();
    g->insertRow(row);
    for (int c = 0; c < g->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < texts.size() ? texts[c] : QString());
        item->setToolTip(PlainTip(item->text()));
        g->setItem(row, c, item);
    }
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
    item->setToolTip(PlainTip(text));
    item->setTextAlignment(alignment);
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

QString GridText(const QTableView* g, int row, int column)
{
    const QAbstractItemModel* m = g->model();
    return m ? m->index(row, column).data(Qt::DisplayRole).toString() : QString();
}

qint64 GridRowData(const QTableView* g, int row)
{
    const QAbstractItemModel* m = g->model();
    return m ? m->index(row, 0).data(Qt::UserRole).toLongLong() : 0;
}

int GridRowCount(const QTableView* g)
{
    return g->model() ? g->model()->rowCount() : 0;
}

qint64 GridCurrentRowData(const QTableView* g, qint64 fallback)
{
    const int row = g->currentIndex().row();
    return row >= 0 && row < GridRowCount(g) ? GridRowData(g, row) : fallback;
}

void GridSelectRow(QTableView* g, int row)
{
    if (row < 0 || row >= GridRowCount(g))
        return;
    g->setCurrentIndex(g->model()->index(row, 0));
    g->selectRow(row);
}

int GridReselect(QTableView* g, int SelectRow)
{
    const int rows = GridRowCount(g) + 1;
    if (SelectRow >= rows)
        SelectRow = rows - 1;
    if (SelectRow >= 1) {
        GridSelectRow(g, SelectRow - 1);
    } else {
        g->clearSelection();
        g->setCurrentIndex(QModelIndex());
    }
    return SelectRow;
}

void SetGridModel(QTableView* g, QAbstractItemModel* model)
{
    g->setModel(model);
    OneLineCells(g);
    if (!g->findChild<QObject*>(QString::fromLatin1(ListEndKey::kName), Qt::FindDirectChildrenOnly))
        new ListEndKey(g);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
}
