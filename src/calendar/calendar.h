#pragma once
// The occupancy calendar control: one column per unit, one row per day,
// booked cells painted and labelled with the guest's name.
#include <QDate>
#include <QString>
#include <QWidget>

class Connection;

class Calendar : public QWidget {
    Q_OBJECT
public:
    explicit Calendar(QWidget* parent = nullptr);

    Connection* objConn = nullptr;   // the host's connection
    QDate dtDate;                    // first day shown
    int iRows = 0;                   // day rows that fit, header included
    int RowHeight = 0;               // twips
    QString CommodityName;           // plural word for the units
    bool bIncludeEndDate = false;    // paint the departure day as booked

    void Setup();
    void InitHeaders();
    void Refresh();
    void SaveCalendarGridLayout();

signals:
    // A double click on a booked cell.
    void CalendarClick(qint32 bookingId);
};
