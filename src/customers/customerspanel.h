#pragma once
// The customers panel: all customers, or those who owe money, loaded as the
// list is scrolled, with the commands to add, edit, delete a customer and to
// open their booking history.
#include <QWidget>

class PagedModel;
namespace Ui { class CustomersPanel; }

class CustomersPanel : public QWidget {
    Q_OBJECT
public:
    explicit CustomersPanel(QWidget* parent = nullptr);
    ~CustomersPanel() override;

    Ui::CustomersPanel* ui;

    // The columns of gcust for the chosen view, at their first widths.
    void InitCustomerHeader();
    // Refills gcust and selects row SelectRow (1 the first customer, 0 none),
    // or the row of SelectCustomerID when it is listed; a row past the end
    // selects the last. A hidden panel is refilled when it is next refreshed
    // while shown.
    void RefreshCustomerScreen(int SelectRow = 1, qint64 SelectCustomerID = 0);

    void cboCustView_Click();
    void cmdCreateCustomer_Click();
    void cmdEditCustomer_Click();
    void cmdDeleteCustomer_Click();
    void cmdViewHistory_Click();

private:
    // The current row counted from 1; 0 when no customer row is current.
    int currentRow() const;
    qint64 currentCustomer() const;

    PagedModel* m_model = nullptr;
};
