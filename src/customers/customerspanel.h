#pragma once
// The customers panel: all customers, or those who owe money, loaded as the
// list is scrolled, with the commands to add, edit, delete a customer and to
// open their booking history.
#include <QWidget>
#include <memory>

class OwingCustomers;
class PagedModel;
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
    // Gives the list the keyboard focus.
    void FocusList();

    // The columns of gcust for the chosen view, at their first widths.
    void InitCustomerHeader();
    // Refills gcust and selects row SelectRow (1 the first customer, 0 none),
    // or the row of SelectCustomerID when it is listed; a row past the end
    // selects the last. A hidden panel is refilled when it is next refreshed
    // while shown.
    void RefreshCustomerScreen(qint64 SelectRow = 1, qint64 SelectCustomerID = 0);

    void cboCustView_Click();
    void cmdCreateCustomer_Click();
    void cmdEditCustomer_Click();
    void cmdDeleteCustomer_Click();
    void cmdViewHistory_Click();

private:
    Ui::CustomersPanel* ui;

    // The current row counted from 1; 0 when no customer row is current.
    qint64 currentRow() const;
    qint64 currentCustomer() const;

    QList<int> columnWidths() const;   // pixels
    // A change moved balances the change watch does not see (a tax rate, a
    // setting): the list of those who owe is refilled.
    void balancesMoved();

    PagedModel* m_model = nullptr;
    // The owing customers and their balances, kept while the list of those
    // who owe is shown.
    std::shared_ptr<OwingCustomers> m_owing;
    bool m_owed = false;        // the list is of those who owe money
    bool m_fitAddress = true;   // the address column follows the grid's width
    bool m_fitting = false;     // the widths being set are the panel's own
};
