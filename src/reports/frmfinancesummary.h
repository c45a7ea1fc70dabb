#pragma once
// The finance summary: the money of the whole database by kind, one line each.
#include <QDialog>
#include <QStringList>

namespace Ui { class frmFinanceSummary; }

// Appends the summary's lines to *lines in their order; a database failure
// leaves the lines made before it and passes the error on.
void FinanceSummaryLines(QStringList* lines);

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
