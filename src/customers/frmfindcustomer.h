#pragma once
// Finds customers by any part of their name, address, phone or e-mail and,
// from the matches, adds, edits or deletes a customer or opens their booking
// history. Opens collapsed to the criteria; the first search expands it.
#include "core/customerstore.h"

#include <QDialog>
#include <optional>

class PagedModel;
namespace Ui { class frmFindCustomer; }

class frmFindCustomer : public QDialog {
    Q_OBJECT
public:
    explicit frmFindCustomer(QWidget* parent = nullptr);
    ~frmFindCustomer() override;

    // Shows the dialog modally; the booking the user chose to edit in a
    // customer's history, or none.
    static std::optional<qint64> ask(QWidget* parent);

    // Runs the search of the boxes and refills the list and its count (a
    // long list's count as soon as its first screen is shown);
    // selects row SelectRow (1 the first match), or the row of
    // SelectCustomerID when it is listed, or the last row. False, with the
    // list left as it was, when no box is filled.
    bool RefreshCustomerScreen(qint64 SelectRow = 1, qint64 SelectCustomerID = 0);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void DoResize();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdCreateCustomer_Click();
    void cmdEditCustomer_Click();
    void cmdDeleteCustomer_Click();
    void cmdViewHistory_Click();

    QList<CustomerStore::Criterion> criteria() const;
    // The window's outer size (frame and title included), in twips. The
    // width counts the frame as designed, whatever the desktop draws, so
    // the buttons keep their place when the window is first shown.
    int outerWidth() const;
    int outerHeight() const;
    void selectFirstRow();
    qint64 currentRow() const;

    Ui::frmFindCustomer* ui;
    PagedModel* m_model;
    std::optional<qint64> m_editBooking;
    int m_searches = 0;
};
