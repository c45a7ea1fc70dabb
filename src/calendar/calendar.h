#pragma once
// The occupancy calendar control: one column per unit, one row per day,
// booked cells painted and labelled with the guest's name.
#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>
#include <QWidget>

class Connection;
class CalendarModel;
namespace Ui { class Calendar; }

class Calendar : public QWidget {
    Q_OBJECT
public:
    explicit Calendar(QWidget* parent = nullptr);
    ~Calendar() override;

    Connection* objConn = nullptr;   // the host's connection; none: nothing is read
    QDate dtDate;                    // first day shown
    int iRows = 0;                   // day rows that fit, header included
    int RowHeight = 0;               // twips
    QString CommodityName;           // plural word for the units
    bool bIncludeEndDate = false;    // paint the departure day as booked

    void Setup();
    void InitHeaders();
    void Refresh();
    void SaveCalendarGridLayout();

    // The layout of the child controls for the control's size; ends with a
    // Refresh.
    void UserControl_Resize();

    // Colour of a booked cell: red and green full, no blue.
    static constexpr unsigned kBookedColour = 65535;

signals:
    // A double click on a day cell: the booking painted there, 0 when free.
    void CalendarClick(qint32 iSelectedBookingID);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::Calendar* ui;
    void ScrollDate_Change(int value);
    void DTPicker1_Change();
    void HScroll_Change();
    void Command1_Click();
    void g_MouseMove(const QPoint& gridPos, int mouseRow, int mouseCol);
    void g_DblClick(int row, int col);

    void SetCaptions();
    // Unit ids and names in the table's order.
    void ReadUnits(QVector<qint32>& ids, QStringList& names);
    void SetHeaderRow(const QVector<qint32>& ids, const QStringList& names);
    void ShowTooltip(const QString& caption, int leftTwips, int topTwips);

    CalendarModel* m_model;
    int iLastScrollPos = 0;          // last value of the day spinner
    int iMaxCols = 10;               // unit columns that fit
    // Booking painted in each cell by grid row and column (row 0 the header
    // row, column 0 the dates); 0 = free.
    QVector<QVector<qint32>> aBookingID;
    struct Guest {
        bool known = false;          // the booking's customer row exists
        QString firstName;
        QString lastName;
    };
    QHash<qint32, Guest> m_guests;   // customers of the bookings painted
};
