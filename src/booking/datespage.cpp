#include "booking/datespage.h"

#include "ui_datespage.h"

DatesPage::DatesPage(QWidget* parent) : WizardPage(parent), ui(new Ui::DatesPage)
{
    ui->setupUi(this);
}

DatesPage::~DatesPage()
{
    delete ui;
}
