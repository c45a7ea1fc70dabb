#pragma once
// The reports panel: statistics of the bookings and a chart.
#include <QWidget>

namespace Ui { class ReportsPanel; }

class ReportsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReportsPanel(QWidget* parent = nullptr);
    ~ReportsPanel() override;

    Ui::ReportsPanel* ui;

    // Fills the statistics and the chart for the date of dtReport.
    void ShowReports();
    void cboGraphStyle_Click();
    void cboGraphType_Click();
};
