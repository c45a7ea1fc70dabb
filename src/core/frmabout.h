#pragma once
#include <QDialog>

namespace Ui { class frmAbout; }

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    Ui::frmAbout* ui;
};
