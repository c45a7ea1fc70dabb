#pragma once
// The statistics of the reports panel, worked out for a given moment.
#include "core/apperror.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

struct ReportFigures {
    QString capacity, totalResToday, mostResDate, leastResDate, mostPopMonth, leastPopMonth, mostCustsDate,
        leastCustsDate, recCust, resThisMonth, resThisMonthYTD, totRes;
    std::array<QString, 7> guestDOW;   // Monday first; "-" for the days after today
    // The first read that found the database file damaged or unreadable.
    std::optional<AppError> unreadable;
};

// Each figure on its own: one whose statement fails shows "n/a", and the
// first failure of a damaged or unreadable file is kept for the caller to tell.
ReportFigures ComputeReportFigures(const QDateTime& now);
