#pragma once
#include <QDialog>

namespace Ui { class frmFindBooking; }

class frmFindBooking : public QDialog {
    Q_OBJECT
public:
    explicit frmFindBooking(QWidget* parent = nullptr);
    ~frmFindBooking() override;

    Ui::frmFindBooking* ui;
};
