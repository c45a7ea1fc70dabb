#include "calendar/arrivalspanel.h"

#include "core/frmmain.h"
#include "core/grid.h"
#include "core/twips.h"
#include "ui_arrivalspanel.h"
#include "ui_frmmain.h"

#include <QComboBox>

ArrivalsPanel::ArrivalsPanel(QWidget* parent) : QWidget(parent), ui(new Ui::ArrivalsPanel)
{
    ui->setupUi(this);
    connect(ui->cboSimpleCalSort, &QComboBox::currentIndexChanged, this, &ArrivalsPanel::cboSimpleCalSort_Click);
}

ArrivalsPanel::~ArrivalsPanel()
{
    delete ui;
}

void ArrivalsPanel::InitArrivalsHeader()
{
    QTableWidget* g = ui->gArrivals;
    const Qt::Alignment centreTop = Qt::AlignHCenter | Qt::AlignTop;
    SetGridHeader(g, {{QStringLiteral("Name"), centreTop, 800},
                      {QStringLiteral("Room(s)"), centreTop, 2000},
                      {QStringLiteral("Arrival"), centreTop, 1760},
                      {QStringLiteral("Departure"), centreTop, 1760}});
    // The name column takes what the others leave of the grid's width.
    int sum = 0;
    for (int i = 0; i < g->columnCount(); ++i)
        sum += GridColWidth(g, i);
    const int gridWidth = Twips::fromPx(g->width());
    if (gridWidth - sum > 0)
        SetGridColWidth(g, 0, gridWidth + GridColWidth(g, 0) - sum);
}

void ArrivalsPanel::FillArrivals()
{
}

void ArrivalsPanel::cboSimpleCalSort_Click()
{
    ShowArrivals();
}

void ShowArrivals()
{
    frmMain& main = MainForm();
    main.arrivals()->FillArrivals();
    main.ShowView(main.ui->picArrivals, {main.ui->picCalendar, main.ui->picBooking});
}
