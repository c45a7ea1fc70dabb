#include "booking/frmfindbooking.h"

#include "ui_frmfindbooking.h"

frmFindBooking::frmFindBooking(QWidget* parent) : QDialog(parent), ui(new Ui::frmFindBooking)
{
    ui->setupUi(this);
}

frmFindBooking::~frmFindBooking()
{
    delete ui;
}
