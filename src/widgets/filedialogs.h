#pragma once
// Unique temporary files and the save-file dialog, as plain texts and numbers.
#include <QString>

class QWidget;

// Makes a unique temporary file in strDestPath (the user's temporary folder
// when empty) whose name starts with the first three characters of
// lpPrefixString and ends in ".tmp". With wUnique 0 a fresh name is chosen and
// the empty file is created; otherwise the name is made from wUnique and no
// file is created. lpTempFilename gets the full name; false when no name
// could be made.
bool GetTempFile(QString strDestPath, const QString& lpPrefixString, int wUnique, QString& lpTempFilename);

// The text before the first NUL character.
QString StripTerminator(const QString& strstring);

// One description-and-pattern pair of a NUL-separated filter list, counting
// from 1: "CSV(*.CSV)" NUL "*.CSV". Empty when there is no such pair.
QString FilterLookup(const QString& sFilters, int iCur);

// The save-file dialog. Filter holds "description|pattern" pairs joined by
// "|"; the dialog opens centred on Owner's window (DlgPos is not used). On a choice: true, FileName the full path, FileTitle the name
// without its folder, FilterIndex the filter chosen and Filter that pair. On
// cancel: false and the outputs cleared. An existing file is replaced only
// after the user agreed to it.
bool VBGetSaveFileName(QString& FileName, QString& FileTitle, bool OverWritePrompt, QString& Filter,
                       int& FilterIndex, const QString& InitDir, const QString& DlgTitle,
                       const QString& DefaultExt, QWidget* Owner, int& flags, int DlgPos);

// True, after telling the user, when file is the program's open database or
// one of its journals, which nothing the program writes may replace: every
// choice of a file to write passes here (the save-file dialog, a name typed
// on a wizard's page).
bool RefusedAsOpenDatabase(const QString& file);
