#include "booking/unitspage.h"

#include "ui_unitspage.h"

UnitsPage::UnitsPage(QWidget* parent) : WizardPage(parent), ui(new Ui::UnitsPage)
{
    ui->setupUi(this);
}

UnitsPage::~UnitsPage()
{
    delete ui;
}
