#pragma once
// The occupancy grid: for a range of days, one line per unit with an "X"
// under each day on which the unit is booked. The file is written a piece
// at a time, so any range fits: a long one unit by unit.
#include "reports/exports.h"

#include <QDate>
#include <QString>

// Writes the grid for the days from first to last (none when first is after
// last) into csv; false when stopped.
bool WriteQuickView(CsvText& csv, const QDate& first, const QDate& last, const ExportSteps& more);
// The same grid as one text.
QString ReservationQuickViewText(const QDate& first, const QDate& last);
