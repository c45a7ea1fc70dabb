#include "widgets/pagedmodel.h"

#include "core/partialreads.h"
#include "widgets/grid.h"
#include "widgets/guard.h"
#include "widgets/plaintext.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QScopeGuard>
#include <QTableView>
#include <QTimer>

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
    m_placeKey = nullptr;
    m_counter = std::move(counter);
}

void PagedModel::setKeyset(KeyReader reader, CountBefore countBefore, Counter counter)
{
    clear();
    m_keyReader = reader;
    m_countBefore = std::move(countBefore);
    m_placeKey = nullptr;
    m_counter = std::move(counter);
    // Forward pages are the key reader's from the last row's key.
    m_reader = [reader](const PagedRow* after, int, int limit) { return reader(after ? &after->key : nullptr, true, limit); };
}

void PagedModel::setWholeList(KeyReader reader, CountBefore countBefore, Counter counter, PlaceKey placeKey)
{
    setKeyset(std::move(reader), std::move(countBefore), std::move(counter));
    m_placeKey = std::move(placeKey);
}

void PagedModel::setPageSize(int rows)
{
    m_pageSize = std::max(1, rows);
}

void PagedModel::clear()
{
    m_cutShort = false;
    m_told = false;
    reset({}, 0, true);
}

bool PagedModel::read(const std::function<void()>& reading) const
{
    if (m_cutShort)
        return false;
    PartialReads partial;
    try {
        reading();
    } catch (const AppError& e) {
        if (!e.isUnreadableFile())
            throw;
        cutShortBy(e);
        return false;
    }
    if (!partial.failed())
        return true;
    cutShortBy(partial.failure());
    return false;
}

void PagedModel::cutShortBy(const AppError& e) const
{
    m_cutShort = true;
    if (m_told)
        return;
    m_told = true;
    // A row read while the view paints is told once the painting is done.
    if (m_painting)
        QTimer::singleShot(0, const_cast<PagedModel*>(this), [e] { ReportUnreadableFile(e); });
    else
        ReportUnreadableFile(e);
}

void PagedModel::reset(QList<PagedRow> rows, qint64 base, bool atEnd, qint64 count)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_base = base;
    m_atEnd = atEnd;
    m_count = count;
    endResetModel();
}

void PagedModel::refresh()
{
    m_cutShort = false;
    m_told = false;
    if (isWhole()) {
        QList<PagedRow> rows;
        qint64 count = 0;
        read([&] { rows = m_keyReader(nullptr, true, 2 * m_pageSize); });
        // A list cut short is the rows it could read.
        if (!read([&] { count = m_counter(); }))
            count = rows.size();
        reset(std::move(rows), 0, true, count);
        return;
    }
    reset({}, 0, !m_reader);
    if (!m_atEnd)
        readPage();
}

qint64 PagedModel::refreshAt(qint64 place, const QVariantList& key)
{
    if (!m_keyReader || !m_countBefore || key.isEmpty() || place < m_pageSize) {
        refresh();
        fetchRow(int(std::max<qint64>(0, place)));
        const qint64 rows = isWhole() ? m_count : m_rows.size();
        return rows <= 0 ? -1 : std::min<qint64>(place, rows - 1);
    }
    m_cutShort = false;
    m_told = false;
    // The rows before the key, then those from it on: the place of the first
    // of the latter is the count of the former.
    qint64 before = 0;
    if (!read([&] { before = m_countBefore(key); })) {
        reset({}, 0, true, isWhole() ? 0 : -1);
        return -1;
    }
    // At least the row before the key is read back: the rows read on from
    // a key begin after it, and so the key's row comes after that one.
    const int half = std::max(1, m_pageSize / 2);
    const int back = int(std::min<qint64>(before, half + std::max<qint64>(0, before - place)));
    QList<PagedRow> rows;
    if (back > 0)
        read([&] { rows = m_keyReader(&key, false, back); });
    std::reverse(rows.begin(), rows.end());
    const int ahead = int(m_pageSize + std::max<qint64>(0, place - before));
    QList<PagedRow> next;
    read([&] {
        next = m_keyReader(rows.isEmpty() ? (before > 0 ? &key : nullptr) : &rows.constLast().key, true, ahead);
    });
    // Rows read back from the key but not found before it: the list begins there.
    const qint64 base = rows.size() < back ? 0 : before - rows.size();
    const bool atEnd = next.size() < ahead || m_cutShort;
    rows += next;
    if (isWhole()) {
        qint64 count = 0;
        if (!read([&] { count = m_counter(); }))
            count = base + rows.size();
        reset(std::move(rows), base, true, count);
        return count == 0 ? -1 : std::clamp<qint64>(place, 0, count - 1);
    }
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
    m_cutShort = false;
    m_told = false;
    QList<PagedRow> rows;
    read([&] { rows = m_keyReader(nullptr, false, m_pageSize); });
    std::reverse(rows.begin(), rows.end());
    if (isWhole()) {
        // The count gives the place of the last rows.
        qint64 count = 0;
        if (!read([&] { count = m_counter(); }))
            count = rows.size();
        const qint64 base = std::max<qint64>(0, count - rows.size());
        reset(std::move(rows), base, true, count);
        return;
    }
    qint64 base = 0;
    if (!rows.isEmpty() && !read([&] { base = m_countBefore(rows.constFirst().key); }))
        base = 0;
    reset(std::move(rows), base, true);
}

QVariantList PagedModel::keyAt(qint64 place) const
{
    if (isWhole()) {
        const PagedRow* r = row(place);
        return r ? r->key : QVariantList();
    }
    const qint64 r = place - m_base;
    return r >= 0 && r < m_rows.size() ? m_rows.at(int(r)).key : QVariantList();
}

const PagedRow* PagedModel::row(qint64 viewRow) const
{
    if (!isWhole())
        return viewRow >= 0 && viewRow < m_rows.size() ? &m_rows.at(int(viewRow)) : nullptr;
    if (viewRow < 0 || viewRow >= m_count)
        return nullptr;
    if (viewRow < m_base || viewRow >= m_base + m_rows.size())
        RunGuarded([&] {
            m_painting = true;
            const auto done = qScopeGuard([this] { m_painting = false; });
            readAround(viewRow);
        });
    const qint64 r = viewRow - m_base;
    return r >= 0 && r < m_rows.size() ? &m_rows.at(int(r)) : nullptr;
}

void PagedModel::readAround(qint64 place) const
{
    const int page = m_pageSize;
    const int kept = 8 * page;
    const qint64 end = m_base + m_rows.size();
    // Next to the rows kept: the page after or before them.
    if (!m_rows.isEmpty() && place >= end && place < end + page) {
        QList<PagedRow> after;
        read([&] { after = m_keyReader(&m_rows.constLast().key, true, page); });
        m_rows += after;
        if (m_rows.size() > kept) {
            const qsizetype drop = m_rows.size() - kept;
            m_rows.remove(0, drop);
            m_base += drop;
        }
        return;
    }
    if (!m_rows.isEmpty() && place < m_base && place >= m_base - page) {
        QList<PagedRow> before;
        read([&] { before = m_keyReader(&m_rows.constFirst().key, false, page); });
        std::reverse(before.begin(), before.end());
        m_base = std::max<qint64>(0, m_base - before.size());
        m_rows = before + m_rows;
        if (m_rows.size() > kept)
            m_rows.resize(kept);
        return;
    }
    // Far from them: two pages from a little above the place, read from
    // either end of the list or after the key of the row before them, found
    // by its place counted from the nearer end.
    const qint64 start = std::clamp<qint64>(place - page / 2, 0, std::max<qint64>(0, m_count - 2 * page));
    QList<PagedRow> rows;
    qint64 base = start;
    if (start == 0) {
        read([&] { rows = m_keyReader(nullptr, true, 2 * page); });
    } else if (start + 2 * page >= m_count) {
        read([&] { rows = m_keyReader(nullptr, false, int(m_count - start)); });
        std::reverse(rows.begin(), rows.end());
        base = std::max<qint64>(0, m_count - rows.size());
    } else {
        const qint64 before = start - 1;
        const bool fromEnd = before >= m_count / 2;
        QVariantList key;
        read([&] { key = m_placeKey(fromEnd ? m_count - 1 - before : before, fromEnd); });
        if (!key.isEmpty())
            read([&] { rows = m_keyReader(&key, true, 2 * page); });
    }
    m_rows = std::move(rows);
    m_base = base;
}

int PagedModel::fetchBefore()
{
    if (!canFetchBefore())
        return 0;
    QList<PagedRow> page;
    read([&] { page = m_keyReader(&m_rows.constFirst().key, false, m_pageSize); });
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
    if (m_atEnd || !m_reader || isWhole())
        return;
    QList<PagedRow> page;
    const bool whole = read([&] {
        page = m_reader(m_rows.isEmpty() ? nullptr : &m_rows.constLast(), int(m_rows.size()), m_pageSize);
    });
    if (page.size() > m_pageSize)
        page.resize(m_pageSize);
    // A list cut short ends at the rows it could read.
    m_atEnd = !whole || page.size() < m_pageSize;
    if (page.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(page.size()) - 1);
    m_rows += page;
    endInsertRows();
}

qint64 PagedModel::totalCount() const
{
    if (isWhole())
        return std::max<qint64>(0, m_count);
    // A list loaded to its end is its own count.
    if (m_atEnd || !m_counter)
        return m_base + m_rows.size();
    if (m_count < 0 && !read([this] { m_count = m_counter(); }))
        m_count = m_base + m_rows.size();
    return m_count;
}

int PagedModel::fetchUntil(qint64 id)
{
    if (id == 0)
        return -1;
    if (isWhole()) {
        for (qint64 place = 0; place < m_count; ++place) {
            const PagedRow* r = row(place);
            if (r && r->id == id)
                return int(place);
        }
        return -1;
    }
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
    if (isWhole())
        return row >= 0 && row < m_count;
    while (row >= m_rows.size() && !m_atEnd)
        readPage();
    return row >= 0 && row < m_rows.size();
}

qint64 PagedModel::rowId(int viewRow) const
{
    const PagedRow* r = row(viewRow);
    return r ? r->id : 0;
}

int PagedModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return isWhole() ? int(std::max<qint64>(0, m_count)) : int(m_rows.size());
}

int PagedModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant PagedModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return QVariant();
    const PagedRow* found = this->row(index.row());
    if (!found)
        return QVariant();
    const PagedRow& row = *found;
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
    return !parent.isValid() && !m_atEnd && m_reader && !isWhole();
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
