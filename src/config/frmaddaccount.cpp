#include "config/frmaddaccount.h"

#include "ui_frmaddaccount.h"

frmAddAccount::frmAddAccount(qint32 id, QWidget* parent) : ConfigEditDialog(id, parent), ui(new Ui::frmAddAccount)
{
    ui->setupUi(this);
    wire(ui->txtName, ui->cmdOK, ui->cmdCancel);
    Form_Load();
}

frmAddAccount::~frmAddAccount()
{
    delete ui;
}

bool frmAddAccount::loadRow()
{
    const std::optional<CommissionAccountRecord> r = CommissionAccountRecord::find(rowId());
    if (!r)
        return false;
    ui->txtName->setText(r->name);
    ui->txtNotes->setPlainText(r->notes);
    return true;
}

QString frmAddAccount::nameMessage() const
{
    return QStringLiteral("Please enter a Commission Account name to continue.");
}

void frmAddAccount::saveRow()
{
    CommissionAccountRecord{rowId(), ui->txtName->text(), ui->txtNotes->toPlainText()}.save();
}
