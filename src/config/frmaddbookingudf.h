#pragma once
// "Choice Details": the name of one choice of the custom booking field.
#include "config/configlist.h"

namespace Ui { class frmAddBookingUDF; }

class frmAddBookingUDF : public ConfigEditDialog {
    Q_OBJECT
public:
    // id: the choice to edit (1 renames the default), or -1 to add one.
    frmAddBookingUDF(qint32 id, QWidget* parent = nullptr);
    ~frmAddBookingUDF() override;

protected:
    bool loadRow() override;
    QString nameMessage() const override;
    void saveRow() override;

private:
    Ui::frmAddBookingUDF* ui;
};
