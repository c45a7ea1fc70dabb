#include "reports/reportspanel.h"

#include "core/controlarray.h"
#include "core/guard.h"
#include "core/modmain.h"
#include "core/panellayout.h"
#include "ui_reportspanel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLocale>

ReportsPanel::ReportsPanel(QWidget* parent) : QWidget(parent), ui(new Ui::ReportsPanel)
{
    ui->setupUi(this);
    connect(ui->cboGraphStyle, &QComboBox::currentIndexChanged, this, guarded(this, &ReportsPanel::cboGraphStyle_Click));
    connect(ui->cboGraphType, &QComboBox::currentIndexChanged, this, guarded(this, &ReportsPanel::cboGraphType_Click));
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

void ReportsPanel::Form_Resize()
{
    using namespace PanelLayout;
    QWidget* shape = ui->Shape1_2;
    QWidget* c = ui->c;
    setWidth(shape, widthOf(this) - leftOf(this) - 250);
    setHeight(shape, heightOf(this) - topOf(shape));
    setWidth(c, widthOf(shape) - leftOf(c) - 100);
    setHeight(c, heightOf(shape) - topOf(c) - 100);
    setWidth(ui->Label1_15, widthOf(this));
}

void ReportsPanel::SetWeekdayHeadings()
{
    // From the first day of the locale's week.
    const QLocale locale;
    const QMap<int, QLabel*> weekdays = ControlArray<QLabel>(this, QStringLiteral("lblLabels"));
    for (int i = 0; i < 7; ++i) {
        const int day = (int(locale.firstDayOfWeek()) - 1 + i) % 7 + 1;
        if (QLabel* label = weekdays.value(52 + i))
            label->setText(locale.dayName(day, QLocale::LongFormat));
    }
}

void ReportsPanel::SetFirstChartChoices()
{
    SetListIndex(ui->cboGraphStyle, 0);
    SetListIndex(ui->cboGraphType, 0);
}

void ReportsPanel::SetReportDate(const QDate& day)
{
    ui->dtReport->setDate(day);
}
