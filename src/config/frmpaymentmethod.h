#pragma once
// "Configure Payment Methods": the methods the booking wizard offers.
#include "config/configlist.h"

class frmPaymentMethod : public ConfigListDialog {
    Q_OBJECT
public:
    explicit frmPaymentMethod(QWidget* parent = nullptr);
    // Shows the list modally until Close.
    static void ask(QWidget* parent);

protected:
    std::vector<NamedRow> entries() override;
    ConfigAnswer openEditor(qint32 id) override;
    QString editSelectionMessage() const override;
    QString removeSelectionMessage() const override;
    QString deleteQuestion() const override;
    void deleteRow(qint32 id) override;
};
