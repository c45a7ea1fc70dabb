#pragma once
// A read-only list that loads its rows as they are scrolled into view.
//
// The rows come from a page reader, called with the last row loaded so far
// (none for the first page), the number of rows loaded so far and the number
// wanted; it returns at most that many rows, fewer only at the end of the
// list. A reader may continue after the last row's key (keyset paging, which
// costs the same wherever the page lies) or skip the rows loaded (offset
// paging). Keyset paging needs an order on columns that are never Null (a
// row value compared with a Null matches nothing, which would end the list
// early); a list ordered by columns that may be Null pages by offset. An
// optional counter gives the length of the whole list without reading it.
//
// Each row carries its record's id, kept as the row data of column 0
// (Qt::UserRole), as the program's grids keep it; the id 0 is no record.
//
//   auto* model = new PagedModel({{"Name"}, {"Arriving", leftCentre}}, grid);
//   model->setQuery([](const PagedRow* after, int offset, int limit) { ... },
//                   [] { return objConn.scalar(...).toLongLong(); });
//   SetGridModel(grid, model);                 // core/grid.h
//   model->refresh();                          // first page, count on demand
//   qint64 id = GridCurrentRowData(grid, 0);
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

    explicit PagedModel(const QList<Column>& columns, QObject* parent = nullptr);

    // The reader and the counter of the list; the model empties until refresh().
    void setQuery(PageReader reader, Counter counter = nullptr);
    // Rows read per page: the first page should fill a screen.
    void setPageSize(int rows);
    int pageSize() const { return m_pageSize; }

    // Drops what was loaded and reads the first page.
    void refresh();
    // Empties the list (no reader is called until the next refresh()).
    void clear();

    // Rows of the whole list: the counter's answer (asked once per refresh),
    // or the rows loaded when the list is loaded to its end or has no counter.
    qint64 totalCount() const;
    bool atEnd() const { return m_atEnd; }

    // The row of a loaded record, -1 when none of the rows loaded holds it.
    int findId(qint64 id) const;
    // Reads further pages until the record is loaded or the list ends; its
    // row, or -1. Reads the whole list when the record is not in it.
    int fetchUntil(qint64 id);
    // Reads further pages until the row exists or the list ends; false when
    // the list is shorter.
    bool fetchRow(int row);

    qint64 rowId(int row) const;
    const PagedRow& rowAt(int row) const { return m_rows.at(row); }
    // Changes the texts of a loaded row (a list may dress rows after reading them).
    void setRowTexts(int row, const QStringList& texts);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    void readPage();

    QList<Column> m_columns;
    PageReader m_reader;
    Counter m_counter;
    QList<PagedRow> m_rows;
    int m_pageSize = 100;
    bool m_atEnd = true;
    mutable qint64 m_count = -1;   // the counter's answer; -1 until asked
};

class QTableView;
// After a list on grid g is refilled: makes current the record SelectID when
// it is given and in the list (read however far down), otherwise data row
// SelectRow - 1 (SelectRow counts the header as row 0; a row past the end
// becomes the last). Returns the row chosen in the same counting.
int SelectAfterRefill(QTableView* g, PagedModel* model, int SelectRow, qint64 SelectID);
