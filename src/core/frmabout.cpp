#include "core/frmabout.h"

#include "ui_frmabout.h"

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), ui(new Ui::frmAbout)
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

frmAbout::~frmAbout()
{
    delete ui;
}
