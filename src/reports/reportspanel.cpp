#include "reports/reportspanel.h"

#include "ui_reportspanel.h"

#include <QComboBox>

ReportsPanel::ReportsPanel(QWidget* parent) : QWidget(parent), ui(new Ui::ReportsPanel)
{
    ui->setupUi(this);
    connect(ui->cboGraphStyle, &QComboBox::currentIndexChanged, this, &ReportsPanel::cboGraphStyle_Click);
    connect(ui->cboGraphType, &QComboBox::currentIndexChanged, this, &ReportsPanel::cboGraphType_Click);
}

ReportsPanel::~ReportsPanel()
{
    delete ui;
}

void ReportsPanel::ShowReports()
{
}

void ReportsPanel::cboGraphStyle_Click()
{
}

void ReportsPanel::cboGraphType_Click()
{
}
