#pragma once
// "Commission Accounts": the agents to whom a share of some bookings is owed.
#include "config/configlist.h"

class frmAccount : public ConfigListDialog {
    Q_OBJECT
public:
    explicit frmAccount(QWidget* parent = nullptr);
    // Shows the list modally until Close.
    static void ask(QWidget* parent);

protected:
    std::vector<NamedRow> entries() override;
    ConfigAnswer openEditor(qint32 id) override;
    QString editSelectionMessage() const override;
    QString removeSelectionMessage() const override;
    QString inUseRefusal(qint32 id) override;
    QString deleteQuestion() const override;
    void deleteRow(qint32 id) override;
};
