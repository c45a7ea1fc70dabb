#pragma once
// The customers panel: all customers, or those who owe money.
#include <QWidget>

namespace Ui { class CustomersPanel; }

class CustomersPanel : public QWidget {
    Q_OBJECT
public:
    explicit CustomersPanel(QWidget* parent = nullptr);
    ~CustomersPanel() override;

    Ui::CustomersPanel* ui;

    // The header row of gcust for the chosen view.
    void InitCustomerHeader();
    // Refills gcust and selects a row.
    void RefreshCustomerScreen(int SelectRow = 1, qint32 SelectCustomerID = 0);
    void cboCustView_Click();
};
