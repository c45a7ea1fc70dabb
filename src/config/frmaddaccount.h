#pragma once
// "Commission Account Details": the name and notes of one account.
#include "config/configlist.h"

namespace Ui { class frmAddAccount; }

class frmAddAccount : public ConfigEditDialog {
    Q_OBJECT
public:
    // id: the account to edit, or -1 to add one.
    frmAddAccount(qint32 id, QWidget* parent = nullptr);
    ~frmAddAccount() override;

protected:
    bool loadRow() override;
    QString nameMessage() const override;
    void saveRow() override;

private:
    Ui::frmAddAccount* ui;
};
