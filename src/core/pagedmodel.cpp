#include "core/pagedmodel.h"

#include "core/grid.h"
#include "core/plaintext.h"

#include <algorithm>

PagedModel::PagedModel(const QList<Column>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns)
{
}

void PagedModel::setQuery(PageReader reader, Counter counter)
{
    clear();
    m_reader = std::move(reader);
    m_counter = std::move(counter);
}

void PagedModel::setPageSize(int rows)
{
    m_pageSize = std::max(1, rows);
}

void PagedModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_atEnd = true;
    m_count = -1;
    endResetModel();
}

void PagedModel::refresh()
{
    beginResetModel();
    m_rows.clear();
    m_atEnd = !m_reader;
    m_count = -1;
    endResetModel();
    if (!m_atEnd)
        readPage();
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
        return m_rows.size();
    if (m_count < 0)
        m_count = m_counter();
    return m_count;
}

int PagedModel::findId(qint64 id) const
{
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows.at(r).id == id)
            return r;
    return -1;
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

void PagedModel::setRowTexts(int row, const QStringList& texts)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row].texts = texts;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
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

int SelectAfterRefill(QTableView* g, PagedModel* model, int SelectRow, qint64 SelectID)
{
    if (SelectID != 0) {
        const int found = model->fetchUntil(SelectID);
        if (found >= 0)
            SelectRow = found + 1;
    }
    if (SelectRow >= 1)
        model->fetchRow(SelectRow - 1);
    return GridReselect(g, SelectRow);
}
