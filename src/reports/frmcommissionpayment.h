#pragma once
// "Commission Payments": the payments made to commission accounts, all of
// them or one account's, with Add, Edit and Remove.
#include "config/configlist.h"

namespace Ui { class frmCommissionPayment; }

class frmCommissionPayment : public ConfigListDialog {
    Q_OBJECT
public:
    explicit frmCommissionPayment(QWidget* parent = nullptr);
    ~frmCommissionPayment() override;
    // Shows the list modally until Close.
    static void ask(QWidget* parent);

    // The grid's header and the account filter, whose first choice fills the grid.
    void InitGrid();
    void Setup() override;
    // Refills the grid for the filter's account; selects the payment
    // SelectID when listed, else row SelectRow (the header being row 0).
    void RefreshPaymentList(int SelectRow = 1, qint64 SelectID = 0);

    void cboAccount_Click();
    void cmdAdd_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

    std::vector<NamedRow> entries() override { return {}; }
    ConfigAnswer openEditor(qint32 id) override;
    QString editSelectionMessage() const override;
    QString removeSelectionMessage() const override;
    QString deleteQuestion() const override;
    void deleteRow(qint32 id) override;
    std::optional<qint32> selectedId() const override;
    void refresh(qint32 handledId) override;

private:
    qint32 filterAccount() const;

    Ui::frmCommissionPayment* ui;
};
