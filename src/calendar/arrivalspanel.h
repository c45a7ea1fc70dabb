#pragma once
// The arrivals panel: a month calendar and the list of the bookings of the
// chosen day.
#include <QDate>
#include <QStringList>
#include <QWidget>

class PagedModel;
namespace Ui { class ArrivalsPanel; }

class ArrivalsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ArrivalsPanel(QWidget* parent = nullptr);
    ~ArrivalsPanel() override;

    // Places the list and the button bar from the panel's size.
    void Form_Resize();
    // The day whose bookings the list shows (the list is not refilled).
    void SetDay(const QDate& day);
    void SetSortOrder(int index);
    // The unit column's caption and the sort choices, for the commodity's name.
    void SetCommodityName(const QString& singular);
    // The list's column widths, as the user left them (the dates as wide as
    // their texts, the name taking what the others leave).
    void LoadLayout();
    void SaveLayout();

    // The header row of gArrivals, set once at start-up.
    void InitArrivalsHeader();
    // The caption of the units column: the user's word for a unit.
    void SetUnitCaption(const QString& caption);
    // Refills gArrivals for the day of dtCalendar in the chosen order.
    void FillArrivals();
    // The booking of the grid's current row; -1 when the row holds none.
    qint32 SelectedBooking() const;

    void cboSimpleCalSort_Click();
    void dtCalendar_DateClick();
    void gArrivals_DblClick();
    void cmdAddReservation_Click();
    void cmdViewDetails_Click();
    void cmdSimpleCalShowSummary_Click();
    void cmdSimpleCalCancel_Click();
    void cmdPrintReceipt_Click();

private:
    Ui::ArrivalsPanel* ui;

    // Tells the user that no booking is selected when the current row holds
    // none; true when one is.
    bool CheckSelected(qint32 id);
    // Sizes the list's columns to the grid's width: the dates to their
    // format, then the units and the name to what they leave.
    void FitColumns();
    void FitNameColumns();

    PagedModel* m_list;   // the day's bookings, written out as they are scrolled
    QStringList m_dayUnits;   // the unit names of every booking of the day
};
