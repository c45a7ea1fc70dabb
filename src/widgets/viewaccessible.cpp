#include "widgets/viewaccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

namespace {

// A grid's children are numbered as Qt numbers them in its focus events: the
// corner, the column headers, then each row's header followed by its cells.
// A list's children are its rows.
class ViewInterface;

class ItemInterface : public QAccessibleInterface, public QAccessibleTableCellInterface, public QAccessibleActionInterface {
public:
    enum Kind { Item, ColumnHeader, RowHeader, Corner };

    ItemInterface(QAbstractItemView* view, Kind kind, const QModelIndex& index, int section)
        : m_view(view), m_kind(kind), m_index(index), m_section(section)
    {
    }

    bool isValid() const override { return m_view && (m_kind != Item || m_index.isValid()); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        if (m_kind == Item) {
            if (t == QAccessible::Name) {
                const QString told = m_index.data(Qt::AccessibleTextRole).toString();
                return told.isEmpty() ? m_index.data(Qt::DisplayRole).toString() : told;
            }
            if (t == QAccessible::Description) {
                const QString told = m_index.data(Qt::AccessibleDescriptionRole).toString();
                return told.isEmpty() ? m_index.data(Qt::ToolTipRole).toString() : told;
            }
            return QString();
        }
        if (m_kind == Corner || t != QAccessible::Name || !m_view->model())
            return QString();
        return m_view->model()->headerData(m_section, m_kind == ColumnHeader ? Qt::Horizontal : Qt::Vertical).toString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        if (m_kind == Item) {
            const QRect r = m_view->visualRect(m_index);
            return QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
        }
        auto* table = qobject_cast<QTableView*>(m_view.data());
        if (!table || m_kind == Corner)
            return QRect();
        QHeaderView* header = m_kind == ColumnHeader ? table->horizontalHeader() : table->verticalHeader();
        const int at = header->sectionViewportPosition(m_section);
        const int size = header->sectionSize(m_section);
        const QRect r = m_kind == ColumnHeader ? QRect(at, 0, size, header->height()) : QRect(0, at, header->width(), size);
        return QRect(header->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override
    {
        switch (m_kind) {
        case ColumnHeader: return QAccessible::ColumnHeader;
        case RowHeader: return QAccessible::RowHeader;
        case Corner: return QAccessible::Pane;
        case Item: break;
        }
        return qobject_cast<QTableView*>(m_view.data()) ? QAccessible::Cell : QAccessible::ListItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!isValid()) {
            st.invalid = true;
            return st;
        }
        const QRect inView = m_kind == Item ? m_view->visualRect(m_index) : QRect();
        if (m_kind == Item && !inView.intersects(m_view->viewport()->rect()))
            st.invisible = true;
        if (m_kind != Item)
            return st;
        st.focusable = true;
        if (m_view->selectionMode() != QAbstractItemView::NoSelection)
            st.selectable = true;
        QItemSelectionModel* selection = m_view->selectionModel();
        if (selection && selection->isSelected(m_index))
            st.selected = true;
        // The item is the focus only while its view is.
        if (selection && m_view->hasFocus() && selection->currentIndex() == QModelIndex(m_index))
            st.focused = true;
        const Qt::ItemFlags flags = m_index.flags();
        if (flags & Qt::ItemIsUserCheckable) {
            st.checkable = true;
            st.checked = m_index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        }
        if (!(flags & Qt::ItemIsEnabled))
            st.disabled = true;
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface && m_kind == Item)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (t == QAccessible::ActionInterface && m_kind == Item)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // As a cell of its table.
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return m_index.column(); }
    int rowIndex() const override { return m_index.row(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Its one action: to become the view's current item, as a click makes it.
    QStringList actionNames() const override { return {setFocusAction()}; }
    void doAction(const QString& action) override
    {
        if (action != setFocusAction() || !isValid() || !m_view->selectionModel())
            return;
        m_view->setFocus(Qt::OtherFocusReason);
        m_view->selectionModel()->setCurrentIndex(m_index, QItemSelectionModel::ClearAndSelect
                                                                | (m_view->selectionBehavior() == QAbstractItemView::SelectRows
                                                                       ? QItemSelectionModel::Rows
                                                                       : QItemSelectionModel::NoUpdate));
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    Kind kind() const { return m_kind; }
    const QPersistentModelIndex& index() const { return m_index; }
    int section() const { return m_section; }

private:
    QPointer<QAbstractItemView> m_view;
    Kind m_kind;
    QPersistentModelIndex m_index;
    int m_section;
};

class ViewInterface : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ViewInterface(QAbstractItemView* view)
        : QAccessibleWidget(view, qobject_cast<QTableView*>(view) ? QAccessible::Table : QAccessible::List)
    {
    }
    ~ViewInterface() override
    {
        clear();
        delete m_watch;
    }

    QAbstractItemView* view() const { return static_cast<QAbstractItemView*>(widget()); }
    QTableView* grid() const { return qobject_cast<QTableView*>(widget()); }

    QAccessibleInterface* focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        if (!view()->hasFocus() || !current.isValid())
            return nullptr;
        return item(current);
    }

    int childCount() const override
    {
        if (!model())
            return 0;
        return grid() ? (rowCount() + 1) * (columnCount() + 1) : rowCount();
    }

    QAccessibleInterface* child(int i) const override
    {
        if (!model() || i < 0 || i >= childCount())
            return nullptr;
        if (!grid())
            return item(model()->index(i, listColumn(), view()->rootIndex()));
        const int across = columnCount() + 1;
        const int row = i / across - 1;
        const int column = i % across - 1;
        if (row < 0 && column < 0)
            return kept(ItemInterface::Corner, -1, -1, QModelIndex());
        if (row < 0)
            return kept(ItemInterface::ColumnHeader, -1, column, QModelIndex());
        if (column < 0)
            return kept(ItemInterface::RowHeader, row, -1, QModelIndex());
        return item(model()->index(row, column, view()->rootIndex()));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* item = dynamic_cast<const ItemInterface*>(child);
        if (!item || !item->isValid() || item->parent() != this)
            return -1;
        const int across = columnCount() + 1;
        switch (item->kind()) {
        case ItemInterface::Corner: return 0;
        case ItemInterface::ColumnHeader: return item->section() + 1;
        case ItemInterface::RowHeader: return (item->section() + 1) * across;
        case ItemInterface::Item: break;
        }
        if (!grid())
            return item->index().row();
        return (item->index().row() + 1) * across + item->index().column() + 1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint at = view()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = view()->indexAt(at);
        return index.isValid() ? item(index) : nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        const auto mode = view()->selectionMode();
        if (mode == QAbstractItemView::MultiSelection || mode == QAbstractItemView::ExtendedSelection)
            st.multiSelectable = true;
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // As a table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (!model() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        return item(model()->index(row, grid() ? column : listColumn(), view()->rootIndex()));
    }
    int selectedCellCount() const override { return selected().size(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const QModelIndex& index : selected())
            cells << item(index);
        return cells;
    }
    QString columnDescription(int column) const override
    {
        return model() && grid() ? model()->headerData(column, Qt::Horizontal).toString() : QString();
    }
    QString rowDescription(int row) const override
    {
        return model() && grid() ? model()->headerData(row, Qt::Vertical).toString() : QString();
    }
    int selectedColumnCount() const override { return selectedColumns().size(); }
    int selectedRowCount() const override { return selectedRows().size(); }
    int columnCount() const override
    {
        return model() ? (grid() ? model()->columnCount(view()->rootIndex()) : 1) : 0;
    }
    int rowCount() const override { return model() ? model()->rowCount(view()->rootIndex()) : 0; }
    QList<int> selectedColumns() const override
    {
        QList<int> columns;
        if (QItemSelectionModel* s = view()->selectionModel())
            for (const QModelIndex& index : s->selectedColumns())
                columns << index.column();
        return columns;
    }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (QItemSelectionModel* s = view()->selectionModel())
            for (const QModelIndex& index : s->selectedRows(grid() ? 0 : listColumn()))
                rows << index.row();
        return rows;
    }
    bool isColumnSelected(int column) const override
    {
        QItemSelectionModel* s = view()->selectionModel();
        return s && s->isColumnSelected(column, view()->rootIndex());
    }
    bool isRowSelected(int row) const override
    {
        QItemSelectionModel* s = view()->selectionModel();
        return s && s->isRowSelected(row, view()->rootIndex());
    }
    bool selectRow(int row) override { return select(row, -1, QItemSelectionModel::Select | QItemSelectionModel::Rows); }
    bool selectColumn(int column) override
    {
        return select(-1, column, QItemSelectionModel::Select | QItemSelectionModel::Columns);
    }
    bool unselectRow(int row) override
    {
        return select(row, -1, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
    bool unselectColumn(int column) override
    {
        return select(-1, column, QItemSelectionModel::Deselect | QItemSelectionModel::Columns);
    }
    void modelChange(QAccessibleTableModelChangeEvent*) override { clear(); }

private:
    QAbstractItemModel* model() const
    {
        QAbstractItemModel* now = view()->model();
        if (now != m_model) {
            // Another model, or the first: the items told of the last go.
            clear();
            m_model = now;
            delete m_watch;
            m_watch = new QObject;
            if (now) {
                auto drop = [this] { clear(); };
                QObject::connect(now, &QAbstractItemModel::modelReset, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::layoutChanged, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::rowsInserted, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::rowsRemoved, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::rowsMoved, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::columnsInserted, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::columnsRemoved, m_watch, drop);
                QObject::connect(now, &QAbstractItemModel::columnsMoved, m_watch, drop);
                QObject::connect(now, &QObject::destroyed, m_watch, [this] {
                    clear();
                    m_model = nullptr;
                });
            }
        }
        return m_model;
    }

    int listColumn() const
    {
        const auto* list = qobject_cast<const QListView*>(view());
        return list ? list->modelColumn() : 0;
    }

    QAccessibleInterface* item(const QModelIndex& index) const
    {
        if (!index.isValid())
            return nullptr;
        return kept(ItemInterface::Item, index.row(), index.column(), index);
    }

    // The interface told for a child, made once and kept while the model's
    // rows and columns stand.
    QAccessibleInterface* kept(ItemInterface::Kind kind, int row, int column, const QModelIndex& index) const
    {
        model();
        const quint64 key = (quint64(kind) << 62) | (quint64(quint32(row + 1)) << 31) | quint64(quint32(column + 1));
        if (const auto found = m_items.constFind(key); found != m_items.constEnd())
            if (QAccessibleInterface* iface = QAccessible::accessibleInterface(*found))
                return iface;
        const int section = kind == ItemInterface::ColumnHeader ? column : row;
        auto* iface = new ItemInterface(view(), kind, index, section);
        m_items.insert(key, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }

    void clear() const
    {
        const QHash<quint64, QAccessible::Id> items = std::exchange(m_items, {});
        for (const QAccessible::Id id : items)
            if (QAccessible::accessibleInterface(id))
                QAccessible::deleteAccessibleInterface(id);
    }

    QModelIndexList selected() const
    {
        QItemSelectionModel* s = view()->selectionModel();
        return s ? s->selectedIndexes() : QModelIndexList();
    }

    bool select(int row, int column, QItemSelectionModel::SelectionFlags how)
    {
        QItemSelectionModel* s = view()->selectionModel();
        if (!model() || !s || view()->selectionMode() == QAbstractItemView::NoSelection)
            return false;
        const QModelIndex index = model()->index(qMax(row, 0), qMax(column, grid() ? 0 : listColumn()), view()->rootIndex());
        if (!index.isValid())
            return false;
        if (view()->selectionMode() == QAbstractItemView::SingleSelection && (how & QItemSelectionModel::Select))
            how |= QItemSelectionModel::Clear;
        s->select(index, how);
        return true;
    }

    mutable QPointer<QAbstractItemModel> m_model;
    mutable QObject* m_watch = nullptr;
    mutable QHash<quint64, QAccessible::Id> m_items;
};

QList<QAccessibleInterface*> ItemInterface::columnHeaderCells() const
{
    auto* table = qobject_cast<QTableView*>(m_view.data());
    QAccessibleInterface* view = parent();
    if (!table || !view || !isValid())
        return {};
    QAccessibleInterface* header = view->child(m_index.column() + 1);
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> ItemInterface::rowHeaderCells() const
{
    auto* table = qobject_cast<QTableView*>(m_view.data());
    QAccessibleInterface* view = parent();
    if (!table || !view || !isValid() || !table->model())
        return {};
    QAccessibleInterface* header = view->child((m_index.row() + 1) * (table->model()->columnCount(table->rootIndex()) + 1));
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* ViewFactory(const QString& className, QObject* object)
{
    // Asked first for the most derived class, before Qt's own are.
    if (!object || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (qobject_cast<QTableView*>(object) || qobject_cast<QListView*>(object))
        return new ViewInterface(static_cast<QAbstractItemView*>(object));
    return nullptr;
}

}  // namespace

void InstallItemViewAccessibility()
{
    QAccessible::installFactory(ViewFactory);
}
