#pragma once
// The customers panel: all customers, or those who owe money.
#include <QWidget>

namespace Ui { class CustomersPanel; }

class CustomersPanel : public QWidget {
    Q_OBJECT
public:
    explicit CustomersPanel(QWidget* parent = nullptr);
    ~CustomersPanel() override;

    // Places the list and its buttons from the panel's size.
    void Form_Resize();
    // The list's view: 0 all customers, 1 those who owe money.
    void SetView(int index);
    // The list's column widths, as the user left them.
    void LoadLayout();
    void SaveLayout();

    // The header row of gcust for the chosen view.
    void InitCustomerHeader();
    // Refills gcust and selects a row.
    void RefreshCustomerScreen(int SelectRow = 1, qint32 SelectCustomerID = 0);
    void cboCustView_Click();

private:
    Ui::CustomersPanel* ui;
};
