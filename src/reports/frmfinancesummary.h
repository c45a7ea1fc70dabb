#pragma once
// The finance summary: the money of the whole database by kind, one line each.
#include <QDialog>

namespace Ui { class frmFinanceSummary; }

class frmFinanceSummary : public QDialog {
    Q_OBJECT
public:
    explicit frmFinanceSummary(QWidget* parent = nullptr);
    ~frmFinanceSummary() override;

    static void ask(QWidget* parent);

private:
    void Form_Load();

    Ui::frmFinanceSummary* ui;
};
