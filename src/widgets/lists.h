#pragma once
// The small routines every window uses for its lists and grids, and the
// settings they save in passing.
#include <QString>

class QComboBox;
class QListWidget;
class QTableView;

// The booking in progress and its step saved (core/modmain.h), the user told
// when they could not be.
void RememberBookingInProgress();
// Tells the user that a setting saved in passing (a column width, the booking
// in progress) could not be written: once, until a save succeeds again.
void ReportUnsavedSettings();

// ---- Lists ---------------------------------------------------------------
// A combo box or list entry carries a text and an item data number (a row id).
// Choosing an entry from code runs the change handler just as a user's choice
// does, even when that entry was already chosen; filling a list runs none and
// leaves no entry chosen.

void ComboClear(QComboBox* c);
void ComboAdd(QComboBox* c, const QString& text, qint64 itemData = 0);
qint64 ComboItemData(const QComboBox* c, int index);
void SetListIndex(QComboBox* c, int index);
void ListClear(QListWidget* l);
void ListAdd(QListWidget* l, const QString& text, qint64 itemData = 0);
qint64 ListItemData(const QListWidget* l, int row);
void SetListIndex(QListWidget* l, int row);

void SelectCombo(QComboBox* c, const QString& s);
void SelectCombo_ItemData(QComboBox* c, const QString& s);
void SelectListBox_ItemData(QListWidget* c, const QString& s);

// ---- Grid layouts --------------------------------------------------------
// Column widths in twips under "<grid name>ColWidth<index>" of section "Config".
void SaveGridLayout(QTableView* g);
void LoadGridLayout(QTableView* g);
