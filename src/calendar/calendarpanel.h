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

    Calendar* MainCalendar() const;
    // Fits the calendar to the panel's size and draws it again.
    void Form_Resize();

    // A double click on a calendar cell: shows the booking's summary and
    // edits or cancels the booking as the user chooses there.
    void MainCalendar_CalendarClick(qint32 iSelectedBookingID);

private:
    Ui::CalendarPanel* ui;
};
