#pragma once
// "Tax Rate Details": the name and percentage of one tax rate.
#include "config/configlist.h"

namespace Ui { class frmAddTaxRate; }

class frmAddTaxRate : public ConfigEditDialog {
    Q_OBJECT
public:
    // id: the rate to edit, or -1 to add one.
    frmAddTaxRate(qint32 id, QWidget* parent = nullptr);
    ~frmAddTaxRate() override;

protected:
    void setDefaults() override;
    bool loadRow() override;
    QString nameMessage() const override;
    bool correctNumbers() override;
    void saveRow() override;

private:
    Ui::frmAddTaxRate* ui;
    double m_percentage = 0;
};
