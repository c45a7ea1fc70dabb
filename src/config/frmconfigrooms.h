#pragma once
// "Configure <units>": the lettable units, opened from the Configure menu.
// Unlike the other lists it selects nothing by itself, keeps the unit just
// edited selected and removes an unbooked unit without asking.
#include "config/configlist.h"

class frmConfigRooms : public ConfigListDialog {
    Q_OBJECT
public:
    explicit frmConfigRooms(QWidget* parent = nullptr);
    // Shows the list, nothing selected, modally until Close.
    static void ask(QWidget* parent);

    // Refills the list and selects the unit SelectID (-1: none).
    void Setup(qint32 SelectID);
    void Setup() override { Setup(-1); }

protected:
    std::vector<NamedRow> entries() override;
    ConfigAnswer openEditor(qint32 id) override;
    QString editSelectionMessage() const override;
    QString removeSelectionMessage() const override;
    QString inUseRefusal(qint32 id) override;
    QString deleteQuestion() const override;
    void deleteRow(qint32 id) override;
    void refresh(qint32 handledId) override;
};
