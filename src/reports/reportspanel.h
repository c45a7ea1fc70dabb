#pragma once
// The reports panel: statistics of the bookings and a chart.
#include <QDate>
#include <QWidget>

namespace Ui { class ReportsPanel; }

class ReportsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReportsPanel(QWidget* parent = nullptr);
    ~ReportsPanel() override;

    // Fits the chart to the panel's size.
    void Form_Resize();
    // The weekday captions, from the first day of the locale's week.
    void SetWeekdayHeadings();
    // The first chart style and type.
    void SetFirstChartChoices();
    void SetReportDate(const QDate& day);

    // Fills the statistics and the chart for the date of dtReport.
    void ShowReports();
    void cboGraphStyle_Click();
    void cboGraphType_Click();

private:
    Ui::ReportsPanel* ui;
};
