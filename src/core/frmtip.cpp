#include "core/frmtip.h"

#include "ui_frmtip.h"

frmTip::frmTip(QWidget* parent) : QDialog(parent), ui(new Ui::frmTip)
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

frmTip::~frmTip()
{
    delete ui;
}
