#pragma once
// The reports panel: statistics of the bookings beside a chart of bookings or
// revenue around a chosen date.
#include <QDate>
#include <QDateTime>
#include <QWidget>

class ReportChart;
namespace Ui { class ReportsPanel; }

class ReportsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReportsPanel(QWidget* parent = nullptr);
    ~ReportsPanel() override;

    // Start-up: the first chart style and graph type (which draws the chart),
    // then the date of the chart.
    void Form_Load(const QDate& today);
    // Fits the chart to the panel's size.
    void Form_Resize();
    // Fills the statistics as of now. The chart keeps what it last drew.
    void ShowReports();
    void ShowReports(const QDateTime& now);
    // Redraws the chart for graph type 0 to 3; any other number changes nothing.
    void RefreshGraph(int graphNumber);

    ReportChart* chart() const;

    void cboGraphStyle_Click();
    void cboGraphType_Click();
    void cboReportRoom_Click();
    void dtReport_Change();
    void cmdExpand_Click();
    void cmdReportExport_Click();

private:
    qint64 selectedUnit() const;

    Ui::ReportsPanel* ui;
};
