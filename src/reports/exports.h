#pragma once
// The comma-separated exports of the File menu. Each asks for a file name
// and writes the file as the rows are read, under the hourglass; one that
// runs past a second shows its progress and can be cancelled. A cancelled
// dialog touches nothing; a cancelled export, a failing query or a failing
// write ends only that export and leaves the old file as it was.
#include <QDate>
#include <QString>

#include <functional>

class CsvText;
class QWidget;

// Called after each row with the rows done; false stops the export.
using ExportSteps = std::function<bool(qint64 done)>;
// Writes a whole export into csv; false when stopped.
using ExportWriter = std::function<bool(CsvText& csv, const ExportSteps& more)>;

void ExportCommissionAccounts(QWidget* owner);
void ExportCustomers(QWidget* owner);
void ExportReservations(QWidget* owner);
// The bookings of units that overlap the month that holds `month`.
void ExportThisMonth(QWidget* owner, const QDate& month);

bool WriteCommissionAccounts(CsvText& csv, const ExportSteps& more);
bool WriteCustomers(CsvText& csv, const ExportSteps& more);
bool WriteReservations(CsvText& csv, const ExportSteps& more);
bool WriteThisMonth(CsvText& csv, const QDate& month, const ExportSteps& more);
// The rows WriteThisMonth() writes for the month that holds `month`.
qint64 ThisMonthRows(const QDate& month);
// Writes an export to file (the quick view's too), with its progress shown
// against the rows expected (an estimate will do, counted once the export
// runs); messages as the menu's exports.
// False when it was cancelled or failed.
bool RunExport(QWidget* owner, const QString& file, const std::function<qint64()>& rows, const ExportWriter& write,
               const QString& writeFailure);

// The save dialog of the exports (no title, no default extension, asking
// before an existing file is replaced); empty when the user cancels.
QString AskExportFileName(QWidget* owner);
