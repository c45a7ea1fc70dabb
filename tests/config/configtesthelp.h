#pragma once
// Shared by the configuration tests: reading a list as the user sees it and
// typing into boxes.
#include "support/testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

inline QStringList entries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

inline QStringList entries(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// The text of the selected entry; empty when none is selected.
inline QString selectedEntry(const QListWidget* list)
{
    const QList<QListWidgetItem*> sel = list->selectedItems();
    return sel.isEmpty() ? QString() : sel.first()->text();
}

inline void selectEntry(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentItem(found.first());
}

inline void setBox(QWidget* dialog, const char* name, const QString& text)
{
    control<QLineEdit>(dialog, name)->setText(text);
}

inline void click(QWidget* dialog, const char* name)
{
    control<QPushButton>(dialog, name)->click();
}

// Fills the named boxes of the next dialog of class T, then presses OK.
template <class T>
void onNextEditor(std::initializer_list<std::pair<const char*, QString>> boxes, const char* button = "cmdOK")
{
    std::vector<std::pair<const char*, QString>> values(boxes);
    onNextDialogOf<T>([values, button](T* d) {
        for (const auto& [name, text] : values)
            setBox(d, name, text);
        click(d, button);
    });
}
