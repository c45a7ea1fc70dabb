#pragma once
#include "booking/wizardpage.h"

#include <QDateTime>

namespace Ui { class DatesPage; }

// Page 0 of the booking wizard: arrival and departure, and who took the booking.
class DatesPage : public WizardPage {
    Q_OBJECT
public:
    explicit DatesPage(QWidget* parent = nullptr);
    ~DatesPage() override;

    void ShowPage() override;
    void SavePage() override;
    // The departure must come after the arrival.
    bool CheckPreconditions() override;

    // The date-times the page saves: the day of each date field with the
    // time of day of its time field.
    QDateTime ArrivalDateTime() const;
    QDateTime DepartureDateTime() const;

private:
    Ui::DatesPage* ui;
};
