#pragma once
#include <QDialog>

namespace Ui { class frmBookingSummary; }

class frmBookingSummary : public QDialog {
    Q_OBJECT
public:
    explicit frmBookingSummary(QWidget* parent = nullptr);
    ~frmBookingSummary() override;

    Ui::frmBookingSummary* ui;
};
