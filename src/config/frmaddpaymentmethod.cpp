#include "config/frmaddpaymentmethod.h"

#include "ui_frmaddpaymentmethod.h"

frmAddPaymentMethod::frmAddPaymentMethod(qint32 id, QWidget* parent)
    : ConfigEditDialog(id, parent), ui(new Ui::frmAddPaymentMethod)
{
    ui->setupUi(this);
    wire(ui->txtName, ui->cmdOK, ui->cmdCancel);
    Form_Load();
}

frmAddPaymentMethod::~frmAddPaymentMethod()
{
    delete ui;
}

bool frmAddPaymentMethod::loadRow()
{
    const std::optional<PaymentMethodRecord> r = PaymentMethodRecord::find(rowId());
    if (!r)
        return false;
    ui->txtName->setText(r->method);
    return true;
}

QString frmAddPaymentMethod::nameMessage() const
{
    return QStringLiteral("Please enter a Payment Method name to continue.");
}

void frmAddPaymentMethod::saveRow()
{
    PaymentMethodRecord{rowId(), ui->txtName->text()}.save();
}
