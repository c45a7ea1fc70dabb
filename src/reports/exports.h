#pragma once
// The comma-separated exports of the File menu. Each asks for a file name,
// builds the whole text from the database and writes it in one piece under
// the hourglass. A cancelled dialog touches nothing; a failing query or write
// shows a message, ends only that export and leaves the old file as it was.
#include <QDate>
#include <QString>

class QWidget;

void ExportCommissionAccounts(QWidget* owner);
void ExportCustomers(QWidget* owner);
void ExportReservations(QWidget* owner);
// The bookings of units that overlap the month that holds `month`.
void ExportThisMonth(QWidget* owner, const QDate& month);

// The files' texts.
QString CommissionAccountsCsv();
QString CustomersCsv();
QString ReservationsCsv();
QString ThisMonthCsv(const QDate& month);

// The save dialog of the exports (no title, no default extension, asking
// before an existing file is replaced); empty when the user cancels.
QString AskExportFileName(QWidget* owner);
