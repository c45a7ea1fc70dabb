#pragma once
// "Payment Method Details": the name of one payment method.
#include "config/configlist.h"

namespace Ui { class frmAddPaymentMethod; }

class frmAddPaymentMethod : public ConfigEditDialog {
    Q_OBJECT
public:
    // id: the method to edit, or -1 to add one.
    frmAddPaymentMethod(qint32 id, QWidget* parent = nullptr);
    ~frmAddPaymentMethod() override;

protected:
    bool loadRow() override;
    QString nameMessage() const override;
    void saveRow() override;

private:
    Ui::frmAddPaymentMethod* ui;
};
