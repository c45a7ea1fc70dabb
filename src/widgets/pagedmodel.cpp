#include "widgets/pagedmodel.h"

#include "widgets/grid.h"
#include "widgets/plaintext.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

PagedModel::PagedModel(const QList<Column>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns)
{
}

void PagedModel::setQuery(PageReader reader, Counter counter)
{
    clear();
    m_reader = std::move(reader);
    m_keyReader = nullptr;
    m_countBefore = nullptr;
    m_counter = std::move(counter);
}

void PagedModel::setKeyset(KeyReader reader, CountBefore countBefore, Counter counter)
{
    clear();
    m_keyReader = reader;
    m_countBefore = std::move(countBefore);
    m_counter = std::move(counter);
    // Forward pages are the key reader's from the last row's key.
    m_reader = [reader](const PagedRow* after, int, int limit) { return reader(after ? &after->key : nullptr, true, limit); };
}

void PagedModel::setPageSize(int rows)
{
    m_pageSize = std::max(1, rows);
}

void PagedModel::clear()
{
    reset({}, 0, true);
}

void PagedModel::reset(QList<PagedRow> rows, qint64 base, bool atEnd)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_base = base;
    m_atEnd = atEnd;
    m_count = -1;
    endResetModel();
}

void PagedModel::refresh()
{
    reset({}, 0, !m_reader);
    if (!m_atEnd)
        readPage();
}

qint64 PagedModel::refreshAt(qint64 place, const QVariantList& key)
{
    if (!m_keyReader || !m_countBefore || key.isEmpty() || place < m_pageSize) {
        refresh();
        fetchRow(int(std::max<qint64>(0, place)));
        return m_rows.isEmpty() ? -1 : std::min<qint64>(place, m_rows.size() - 1);
    }
    // The rows before the key, then those from it on: the place of the first
    // of the latter is the count of the former.
    const qint64 before = m_countBefore(key);
    // At least the row before the key is read back: the rows read on from
    // a key begin after it, and so the key's row comes after that one.
    const int half = std::max(1, m_pageSize / 2);
    const int back = int(std::min<qint64>(before, half + std::max<qint64>(0, before - place)));
    QList<PagedRow> rows = back > 0 ? m_keyReader(&key, false, back) : QList<PagedRow>();
    std::reverse(rows.begin(), rows.end());
    const int ahead = int(m_pageSize + std::max<qint64>(0, place - before));
    const QList<PagedRow> next = m_keyReader(rows.isEmpty() ? (before > 0 ? &key : nullptr) : &rows.constLast().key,
                                             true, ahead);
    // Rows read back from the key but not found before it: the list begins there.
    const qint64 base = rows.size() < back ? 0 : before - rows.size();
    const bool atEnd = next.size() < ahead;
    rows += next;
    reset(std::move(rows), base, atEnd);
    if (m_rows.isEmpty())
        return -1;
    return std::clamp<qint64>(place, m_base, m_base + m_rows.size() - 1);
}

void PagedModel::loadEnd()
{
    if (!m_keyReader || !m_countBefore) {
        refresh();
        while (!m_atEnd)
            readPage();
        return;
    }
    QList<PagedRow> rows = m_keyReader(nullptr, false, m_pageSize);
    std::reverse(rows.begin(), rows.end());
    const qint64 base = rows.isEmpty() ? 0 : m_countBefore(rows.constFirst().key);
    reset(std::move(rows), base, true);
}

QVariantList PagedModel::keyAt(qint64 place) const
{
    const qint64 r = place - m_base;
    return r >= 0 && r < m_rows.size() ? m_rows.at(int(r)).key : QVariantList();
}

int PagedModel::fetchBefore()
{
    if (!canFetchBefore())
        return 0;
    QList<PagedRow> page = m_keyReader(&m_rows.constFirst().key, false, m_pageSize);
    std::reverse(page.begin(), page.end());
    // A list that has lost rows before the window begins earlier than thought.
    const qint64 base = page.size() < m_pageSize ? 0 : std::max<qint64>(0, m_base - page.size());
    if (page.isEmpty()) {
        m_base = 0;
        return 0;
    }
    beginInsertRows(QModelIndex(), 0, int(page.size()) - 1);
    m_rows = page + m_rows;
    m_base = base;
    endInsertRows();
    return int(page.size());
}

void PagedModel::readPage()
{
    if (m_atEnd || !m_reader)
        return;
    QList<PagedRow> page = m_reader(m_rows.isEmpty() ? nullptr : &m_rows.constLast(), int(m_rows.size()),
                                    m_pageSize);
    if (page.size() > m_pageSize)
        page.resize(m_pageSize);
    m_atEnd = page.size() < m_pageSize;
    if (page.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(page.size()) - 1);
    m_rows += page;
    endInsertRows();
}

qint64 PagedModel::totalCount() const
{
    // A list loaded to its end is its own count.
    if (m_atEnd || !m_counter)
        return m_base + m_rows.size();
    if (m_count < 0)
        m_count = m_counter();
    return m_count;
}

int PagedModel::fetchUntil(qint64 id)
{
    if (id == 0)
        return -1;
    int from = 0;
    for (;;) {
        for (int r = from; r < m_rows.size(); ++r)
            if (m_rows.at(r).id == id)
                return r;
        if (m_atEnd)
            return -1;
        from = int(m_rows.size());
        readPage();
    }
}

bool PagedModel::fetchRow(int row)
{
    while (row >= m_rows.size() && !m_atEnd)
        readPage();
    return row >= 0 && row < m_rows.size();
}

qint64 PagedModel::rowId(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).id : 0;
}

int PagedModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PagedModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant PagedModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_columns.size())
        return QVariant();
    const PagedRow& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < row.texts.size() ? row.texts.at(index.column()) : QString();
    case Qt::ToolTipRole:
        return index.column() < row.texts.size() ? PlainTip(row.texts.at(index.column())) : QString();
    case Qt::TextAlignmentRole:
        return int(m_columns.at(index.column()).cellAlignment);
    case Qt::UserRole:
        return index.column() == 0 ? QVariant::fromValue<qlonglong>(row.id) : QVariant();
    default:
        return QVariant();
    }
}

QVariant PagedModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_columns.at(section).caption;
    case Qt::TextAlignmentRole:
        return int(m_columns.at(section).headerAlignment);
    default:
        return QVariant();
    }
}

bool PagedModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return false;
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        m_columns[section].caption = value.toString();
    else if (role == Qt::TextAlignmentRole)
        m_columns[section].headerAlignment = Qt::Alignment(value.toInt());
    else
        return false;
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool PagedModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd && m_reader;
}

void PagedModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        readPage();
}

qint64 RefillAndSelect(QTableView* g, PagedModel* model, qint64 SelectRow, qint64 SelectID, const QVariantList& anchor)
{
    const QVariantList key = anchor.isEmpty() ? model->keyAt(SelectRow - 1) : anchor;
    if (SelectRow > 1 && !key.isEmpty()) {
        const qint64 place = model->refreshAt(SelectRow - 1, key);
        SelectRow = place < 0 ? 0 : place + 1;
    } else {
        model->refresh();
    }
    if (SelectID != 0) {
        const int found = model->fetchUntil(SelectID);
        if (found >= 0)
            SelectRow = model->base() + found + 1;
    }
    if (SelectRow >= 1)
        model->fetchRow(int(std::max<qint64>(0, SelectRow - 1 - model->base())));
    const int row = GridReselect(g, int(SelectRow - model->base()));
    return row + model->base();
}

qint64 CurrentPlace(const QTableView* g, const PagedModel* model)
{
    const QModelIndex current = g->currentIndex();
    return current.isValid() ? model->base() + current.row() + 1 : 0;
}

void FitPageToGrid(const QTableView* g, PagedModel* model)
{
    model->setPageSize(std::max(50, g->height() / std::max(1, g->verticalHeader()->defaultSectionSize()) + 10));
}

void WatchScrollUp(QTableView* g, PagedModel* model)
{
    QScrollBar* bar = g->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::valueChanged, model, [g, model, bar](int value) {
        if (value != bar->minimum() || !model->canFetchBefore() || g->model() != model)
            return;
        const int added = model->fetchBefore();
        // What was in view stays there, the new rows above it.
        if (added > 0)
            bar->setValue(bar->value() + added);
    });
}
