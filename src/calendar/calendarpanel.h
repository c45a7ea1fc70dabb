#pragma once
// The calendar panel ("Advanced Calendar"): hosts the calendar control.
#include <QWidget>

class Calendar;
namespace Ui { class CalendarPanel; }

class CalendarPanel : public QWidget {
    Q_OBJECT
public:
    explicit CalendarPanel(QWidget* parent = nullptr);
    ~CalendarPanel() override;

    Ui::CalendarPanel* ui;
    Calendar* MainCalendar() const;
};
