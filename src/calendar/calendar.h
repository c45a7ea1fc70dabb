#pragma once
// The occupancy calendar control: one column per unit, one row per day,
// booked cells painted and labelled with the guest's name.
#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>
#include <QWidget>

class CalendarModel;
namespace Ui { class Calendar; }

class Calendar : public QWidget {
    Q_OBJECT
public:
    explicit Calendar(QWidget* parent = nullptr);
    ~Calendar() override;

    // The host hands over its database (objConn) once it has opened it;
    // until then the control reads nothing.
    void ConnectDatabase() { m_connected = true; }
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
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::Calendar* ui;
    bool m_connected = false;
    // Whether the control reads: the database was handed over and is open.
    bool reads() const;
    void ScrollDate_Change(int value);
    void DTPicker1_Change();
    void HScroll_Change();
    void Command1_Click();
    void g_MouseMove(const QPoint& gridPos, int mouseRow, int mouseCol);
    void g_DblClick(int row, int col);

    void SetCaptions();
    // Refills the grid; from the database, or when reread is false from what
    // was read before as far as it covers the page.
    void Redraw(bool reread);
    // The number of units, and the ids and names of those of the columns
    // shown (units V + 1 to V + iMaxCols in the table's order, V the value of
    // HScroll), into m_units.
    int ReadUnits();
    // The stays of the units of m_units from day first to the day before
    // after, into m_stays.
    void ReadStays(const QDate& first, const QDate& after);
    void SetHeaderRow();
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

    bool m_redrawPending = false;    // a redraw waits for the control to be shown
    bool m_rereadPending = false;    // ... and reads the database again

    // What was read last, for a redraw that reuses it.
    struct {
        bool valid = false;
        int first = 0;               // HScroll value: units before the first column
        int columns = 0;             // iMaxCols when read
        int count = 0;               // all units
        QVector<qint32> ids;         // units of the columns, left to right
        QStringList names;
    } m_units;
    struct Stay {
        qint32 id = 0;
        QDate from;                  // arrival day
        QDate to;                    // departure day
        qint64 unit = 0;
        bool known = false;          // the customer row exists
        QString firstName;
        QString lastName;
    };
    struct {
        bool valid = false;
        QDate first;                 // days read: first up to the day before after
        QDate after;
        QVector<qint32> units;       // units read
        QVector<Stay> list;          // in the order they are painted
    } m_stays;
};
