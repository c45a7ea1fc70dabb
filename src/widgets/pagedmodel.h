#pragma once
// A read-only list that loads its rows as they are scrolled into view.
//
// A list of records read by key (a keyset) reads its pages after the last
// row's key, or before the first row's going back, and costs the same
// wherever the page lies. The model then holds a window of the list: the
// rows loaded, which start at some place (base()) of the whole list; the
// view shows that window, and scrolling past either end of it reads the
// next page there (WatchScrollUp for the top). A list refilled deep down
// finds its place with one count of the rows before a key and reads the
// rows around it (refreshAt), as does one shown from its end (loadEnd).
// The key's columns must never be Null (a row value compared with a Null
// matches nothing): a list sorts them as empty text instead.
//
// A keyset list may also stand whole in its view (setWholeList): the view
// has a row for every row of the list, counted at each refill, so that its
// scroll bar covers the list; the model keeps a few pages, and a row
// scrolled to that is not among them is read with the rows around it, after
// the key of the row before them, found by its place (or by paging on from
// the rows kept when it lies next to them). Its places are its rows: base()
// is always 0.
//
// A list read from memory may use a page reader by position instead: called
// with the last row loaded so far (none for the first page), the number of
// rows loaded so far and the number wanted.
//
// A read that fails because the database file is damaged or cannot be read
// cuts the list short: it shows the rows read so far and reads no more until
// the next refill, and the user is told once (widgets/guard.h).
//
// Each row carries its record's id, kept as the row data of column 0
// (Qt::UserRole), as the program's grids keep it; the id 0 is no record.
//
//   auto* model = new PagedModel({{"Name"}, {"Arriving", leftCentre}}, grid);
//   model->setQuery([](const PagedRow* after, int offset, int limit) { ... },
//                   [] { return objConn.scalar(...).toLongLong(); });
//   SetGridModel(grid, model);                 // widgets/grid.h
//   model->refresh();                          // first page, count on demand
//   qint64 id = GridCurrentRowData(grid, 0);
#include "core/apperror.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

struct PagedRow {
    qint64 id = 0;          // the record's id; 0 for a row that names none
    QStringList texts;      // one per column; missing ones are empty
    QVariantList key;       // where the next page starts, for keyset readers
};

class PagedModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        Qt::Alignment cellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        Qt::Alignment headerAlignment = Qt::AlignHCenter | Qt::AlignTop;
    };
    using PageReader = std::function<QList<PagedRow>(const PagedRow* after, int offset, int limit)>;
    using Counter = std::function<qint64()>;
    // At most limit rows after the key (none: from the first), or before it
    // going back, nearest first (none: from the last).
    using KeyReader = std::function<QList<PagedRow>(const QVariantList* key, bool forward, int limit)>;
    // The rows of the list before the key.
    using CountBefore = std::function<qint64(const QVariantList& key)>;
    // The key of the row offset places from the first (fromEnd: back from
    // the last); empty past the end.
    using PlaceKey = std::function<QVariantList(qint64 offset, bool fromEnd)>;

    explicit PagedModel(const QList<Column>& columns, QObject* parent = nullptr);

    // The reader and the counter of the list; the model empties until refresh().
    void setQuery(PageReader reader, Counter counter = nullptr);
    void setKeyset(KeyReader reader, CountBefore countBefore, Counter counter = nullptr);
    void setWholeList(KeyReader reader, CountBefore countBefore, Counter counter, PlaceKey placeKey);
    bool isWhole() const { return bool(m_placeKey); }
    // Rows read per page: the first page should fill a screen.
    void setPageSize(int rows);
    int pageSize() const { return m_pageSize; }

    // Drops what was loaded and reads the first page.
    void refresh();
    // Drops what was loaded and reads the rows around the place (counted
    // from 0) where the row of that key stood, the key's row or the one now
    // after it first; the place is found by counting the rows before the
    // key, so the rows loaded cost the same at any depth. Returns the place
    // reached, the last row's when the list is shorter, -1 when it is empty.
    qint64 refreshAt(qint64 place, const QVariantList& key);
    // Drops what was loaded and reads the last page.
    void loadEnd();
    // The place in the whole list of the first row loaded.
    qint64 base() const { return isWhole() ? 0 : m_base; }
    // The key of the loaded row at a place of the list; empty when not loaded.
    QVariantList keyAt(qint64 place) const;
    // Rows before the first one loaded (read by fetchBefore()).
    bool canFetchBefore() const
    {
        return !isWhole() && m_base > 0 && m_keyReader && !m_rows.isEmpty() && !m_cutShort;
    }
    // Reads the page before the first row loaded; the rows it added.
    int fetchBefore();
    // Empties the list (no reader is called until the next refresh()).
    void clear();

    // Rows of the whole list: the counter's answer (asked once per refresh),
    // or the rows loaded when the list is loaded to its end or has no counter.
    qint64 totalCount() const;
    bool atEnd() const { return isWhole() || m_atEnd; }
    // Whether a read of the file failed since the last refill.
    bool cutShort() const { return m_cutShort; }

    // Reads further pages until the record is loaded or the list ends; its
    // row, or -1. Reads the whole list when the record is not in it.
    int fetchUntil(qint64 id);
    // Reads further pages until the row exists or the list ends; false when
    // the list is shorter.
    bool fetchRow(int row);

    qint64 rowId(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    // Runs a read of the list's readers: false when the file could not be
    // read whole (what was read stands), and then none runs until the next
    // refill.
    bool read(const std::function<void()>& reading) const;
    void cutShortBy(const AppError& e) const;
    void readPage();
    void reset(QList<PagedRow> rows, qint64 base, bool atEnd, qint64 count = -1);
    // The row of the view (of the rows loaded, or at that place of a whole
    // list, read when it is not kept); null when there is none.
    const PagedRow* row(qint64 viewRow) const;
    // Reads the rows of a whole list around the place.
    void readAround(qint64 place) const;

    QList<Column> m_columns;
    PageReader m_reader;
    KeyReader m_keyReader;
    CountBefore m_countBefore;
    Counter m_counter;
    PlaceKey m_placeKey;
    // The rows loaded (of a whole list: kept), from the place m_base.
    mutable QList<PagedRow> m_rows;
    mutable qint64 m_base = 0;
    int m_pageSize = 100;
    bool m_atEnd = true;
    mutable bool m_cutShort = false;   // a read failed since the last refill
    mutable bool m_told = false;       // and the user was told
    mutable bool m_painting = false;   // a row is read for the view to show
    mutable qint64 m_count = -1;   // the counter's answer; -1 until asked (a whole list's at each refill)
};

class QTableView;
// Refills the list on grid g and makes current the record SelectID when it
// is given and in the list (read however far down), otherwise the row at
// place SelectRow (the header counts as row 0, so data rows count from 1;
// a row past the end becomes the last). A keyset list reaches a deep row by
// the key it had there before the refill. Returns the row chosen in the same
// counting.
// anchor: the key of the row that stood at SelectRow (by default the one the
// model holds there now).
qint64 RefillAndSelect(QTableView* g, PagedModel* model, qint64 SelectRow, qint64 SelectID,
                       const QVariantList& anchor = QVariantList());
// The place of grid g's current row in the whole list, counted as above;
// 0 when no row is current.
qint64 CurrentPlace(const QTableView* g, const PagedModel* model);
// Pages of the model read a screenful of grid g and some.
void FitPageToGrid(const QTableView* g, PagedModel* model);
// Scrolling grid g to the top of a window that starts deep down reads the
// rows before it, keeping in view what was there.
void WatchScrollUp(QTableView* g, PagedModel* model);
