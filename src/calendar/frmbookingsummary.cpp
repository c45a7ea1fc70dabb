#include "calendar/frmbookingsummary.h"

#include "ui_frmbookingsummary.h"

frmBookingSummary::frmBookingSummary(QWidget* parent) : QDialog(parent), ui(new Ui::frmBookingSummary)
{
    ui->setupUi(this);
}

frmBookingSummary::~frmBookingSummary()
{
    delete ui;
}
