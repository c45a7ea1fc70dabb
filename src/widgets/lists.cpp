#include "widgets/lists.h"

#include "core/format.h"
#include "core/modmain.h"
#include "core/settingkeys.h"
#include "widgets/platform.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableView>

// ---- Settings saved in passing ---------------------------------------------

void RememberBookingInProgress()
{
    if (!SaveBookingInProgress())
        ReportUnsavedSettings();
}

void ReportUnsavedSettings()
{
    if (LastSettingsFailure().inARow == 1)
        MsgBox(SettingsFailureMessage(), vbCritical | vbOKOnly);
}

// ---- Lists ---------------------------------------------------------------

void ComboClear(QComboBox* c)
{
    const QSignalBlocker block(c);
    c->clear();
}

void ComboAdd(QComboBox* c, const QString& text, qint64 itemData)
{
    const QSignalBlocker block(c);
    const int before = c->currentIndex();
    c->addItem(text, QVariant::fromValue<qlonglong>(itemData));
    // Adding entries chooses none (Qt would choose the first).
    if (before < 0)
        c->setCurrentIndex(-1);
}

qint64 ComboItemData(const QComboBox* c, int index)
{
    return c->itemData(index).toLongLong();
}

void SetListIndex(QComboBox* c, int index)
{
    if (c->currentIndex() == index)
        emit c->currentIndexChanged(index);
    else
        c->setCurrentIndex(index);
}

void ListClear(QListWidget* l)
{
    const QSignalBlocker block(l);
    l->clear();
}

void ListAdd(QListWidget* l, const QString& text, qint64 itemData)
{
    const QSignalBlocker block(l);
    auto* item = new QListWidgetItem(text, l);
    item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(itemData));
}

qint64 ListItemData(const QListWidget* l, int row)
{
    const QListWidgetItem* item = l->item(row);
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void SetListIndex(QListWidget* l, int row)
{
    if (l->currentRow() == row)
        emit l->currentRowChanged(row);
    else
        l->setCurrentRow(row);
}

void SelectCombo(QComboBox* c, const QString& s)
{
    for (int i = 0; i < c->count(); ++i) {
        if (c->itemText(i) == s) {
            SetListIndex(c, i);
            return;
        }
    }
}

namespace {

// Chooses the first entry whose item data is the number s, when s is one.
template <class List, class ItemData>
void SelectItemData(List* c, const QString& s, ItemData itemData)
{
    double n = 0;
    if (!Fmt::parseNumber(s, &n))
        return;
    const qint64 id = qint64(n);
    if (double(id) != n)
        return;
    for (int i = 0; i < c->count(); ++i) {
        if (itemData(c, i) == id) {
            SetListIndex(c, i);
            return;
        }
    }
}

}  // namespace

void SelectCombo_ItemData(QComboBox* c, const QString& s)
{
    SelectItemData(c, s, ComboItemData);
}

void SelectListBox_ItemData(QListWidget* c, const QString& s)
{
    SelectItemData(c, s, ListItemData);
}

// ---- Grid layouts --------------------------------------------------------

void SaveGridLayout(QTableView* g)
{
    const int cols = g->model() ? g->model()->columnCount() : 0;
    std::vector<std::pair<QString, QString>> widths;
    for (int i = 0; i < cols; ++i)
        widths.push_back(Config::GridColumnWidth(g->objectName(), i)(Twips::fromPx(g->columnWidth(i))));
    if (!SaveConfigTexts(widths))
        ReportUnsavedSettings();
}

void LoadGridLayout(QTableView* g)
{
    const int cols = g->model() ? g->model()->columnCount() : 0;
    for (int i = 0; i < cols; ++i) {
        const qint32 w = Config::GridColumnWidth(g->objectName(), i).read();
        if (w > 0)
            g->setColumnWidth(i, Twips::toPx(w));
    }
}
