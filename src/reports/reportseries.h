#pragma once
// The series of the reports panel's four graphs, computed once for the chart
// and for its export, so the two always agree.
#include "core/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The graph types, in the order of the graph list.
enum GraphType { ReservationsByMonth = 0, ReservationsByYear, ReservationsByWeek, RevenueByWeek };

struct SeriesRow {
    QDate date;          // the row's day (the first day of its month by year)
    QString label;       // the chart's row label
    QString dateText;    // the date as the export writes it
    double value = 0;    // what the chart plots
    QString valueText;   // the value as the export writes it
};

// The rows of a graph for the reference date; unitId limits the revenue graph
// to the bookings that hold that unit (-1: all units). No rows for a type
// outside 0 to 3.
QList<SeriesRow> GraphSeries(int graphType, const QDate& date, qint64 unitId = -1);

// The export's text of a series: the header, then date and value per row.
QString GraphCsv(const QList<SeriesRow>& rows);
