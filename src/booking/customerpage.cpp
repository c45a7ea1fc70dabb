#include "booking/customerpage.h"

#include "ui_customerpage.h"

CustomerPage::CustomerPage(QWidget* parent) : WizardPage(parent), ui(new Ui::CustomerPage)
{
    ui->setupUi(this);
}

CustomerPage::~CustomerPage()
{
    delete ui;
}
