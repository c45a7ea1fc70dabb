#pragma once
#include <QDialog>

namespace Ui { class frmTip; }

class frmTip : public QDialog {
    Q_OBJECT
public:
    explicit frmTip(QWidget* parent = nullptr);
    ~frmTip() override;

    Ui::frmTip* ui;
};
