#pragma once
// "Chargeable Item Details": name, sale price, tax rate and default flag of one item.
#include "config/configlist.h"

namespace Ui { class frmChargeableItemAdd; }

class frmChargeableItemAdd : public ConfigEditDialog {
    Q_OBJECT
public:
    // id: the item to edit, or -1 to add one.
    frmChargeableItemAdd(qint32 id, QWidget* parent = nullptr);
    ~frmChargeableItemAdd() override;

    void txtName_GotFocus();
    void txtSalePrice_GotFocus();
    void txtSalePrice_LostFocus();

protected:
    void setDefaults() override;
    bool loadRow() override;
    QString nameMessage() const override;
    bool correctNumbers() override;
    void saveRow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::frmChargeableItemAdd* ui;
    qint32 m_storedTaxRate = 1;   // kept when the item's rate is no longer listed
    Money m_price;
};
