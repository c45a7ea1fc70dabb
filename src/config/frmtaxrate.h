#pragma once
// "Advanced Tax Rates": the tax rates that items and units are charged with.
#include "config/configlist.h"

class frmTaxRate : public ConfigListDialog {
    Q_OBJECT
public:
    explicit frmTaxRate(QWidget* parent = nullptr);
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
