#pragma once
// The statistics of the reports panel, worked out for a given moment.
#include <QDateTime>
#include <QString>
#include <array>

struct ReportFigures {
    QString capacity, totalResToday, mostResDate, leastResDate, mostPopMonth, leastPopMonth, mostCustsDate,
        leastCustsDate, recCust, resThisMonth, resThisMonthYTD, totRes;
    std::array<QString, 7> guestDOW;   // Monday first; "-" for the days after today
};

// Each figure on its own: one whose statement fails shows "n/a".
ReportFigures ComputeReportFigures(const QDateTime& now);
