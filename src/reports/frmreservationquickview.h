#pragma once
// The occupancy grid export: for a range of days, one line per unit with an
// "X" under each day on which the unit is booked.
#include <QDate>
#include <QDialog>
#include <QString>

#include "reports/quickview.h"

namespace Ui { class frmReservationQuickView; }

class frmReservationQuickView : public QDialog {
    Q_OBJECT
public:
    // The range proposed runs from today's date a month back to today.
    explicit frmReservationQuickView(const QDate& today, QWidget* parent = nullptr);
    ~frmReservationQuickView() override;

    // Shows the dialog modally until the export is written or given up.
    static void ask(QWidget* parent);

private:
    void Form_Load(const QDate& today);
    void cmdOK_Click();
    void cmdCancel_Click();

    Ui::frmReservationQuickView* ui;
};
