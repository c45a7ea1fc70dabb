#pragma once
// "Custom Field": switches the custom booking field on or off, titles it and
// keeps its choices. The two settings are saved by Close alone.
#include "config/configlist.h"

namespace Ui { class frmBookingUDF; }

class frmBookingUDF : public ConfigListDialog {
    Q_OBJECT
public:
    explicit frmBookingUDF(QWidget* parent = nullptr);
    ~frmBookingUDF() override;
    // Shows the dialog modally until it is closed.
    static void ask(QWidget* parent);

    // Saves the switch and the title, then closes.
    void cmdCancel_Click() override;

protected:
    std::vector<NamedRow> entries() override;
    ConfigAnswer openEditor(qint32 id) override;
    QString editSelectionMessage() const override;
    QString removeSelectionMessage() const override;
    QString inUseRefusal(qint32 id) override;
    QString deleteQuestion() const override;
    void deleteRow(qint32 id) override;

private:
    Ui::frmBookingUDF* ui;
};
