#include "booking/confirmpage.h"

#include "ui_confirmpage.h"

ConfirmPage::ConfirmPage(QWidget* parent) : WizardPage(parent), ui(new Ui::ConfirmPage)
{
    ui->setupUi(this);
}

ConfirmPage::~ConfirmPage()
{
    delete ui;
}
