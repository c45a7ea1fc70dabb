#pragma once
// The arrivals panel: a month calendar and the list of the bookings of the
// chosen day.
#include <QWidget>

namespace Ui { class ArrivalsPanel; }

class ArrivalsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ArrivalsPanel(QWidget* parent = nullptr);
    ~ArrivalsPanel() override;

    Ui::ArrivalsPanel* ui;

    // The header row of gArrivals, set once at start-up.
    void InitArrivalsHeader();
    // Refills gArrivals for the day of dtCalendar in the chosen order.
    void FillArrivals();

    void cboSimpleCalSort_Click();
};

// Refills the arrivals list and brings the arrivals panel to the front.
void ShowArrivals();
