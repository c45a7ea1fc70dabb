#include "reports/reportspanel.h"

#include "ui_reportspanel.h"

#include "core/apperror.h"
#include "core/configrecords.h"
#include "widgets/controlarray.h"
#include "widgets/filedialogs.h"
#include "core/filewriter.h"
#include "widgets/guard.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/panellayout.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"
#include "reports/csv.h"
#include "reports/reportchart.h"
#include "reports/reportseries.h"
#include "reports/reportstatistics.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

namespace {

const QString kExpand = QStringLiteral("<< Expand");
// The unit filter's caption is never narrower than in the design.
constexpr int kRoomLabelWidth = 80;

void SetLeftTwips(QWidget* w, int twips)
{
    w->move(Twips::toPx(twips), w->y());
}

void SetWidthTwips(QWidget* w, int twips)
{
    w->resize(Twips::toPx(twips), w->height());
}

}  // namespace

ReportsPanel::ReportsPanel(QWidget* parent) : QWidget(parent), ui(new Ui::ReportsPanel)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    for (const char* type : {"Reservations by month", "Reservations by year", "Reservations by week", "Revenue by week"})
        ComboAdd(ui->cboGraphType, QString::fromLatin1(type));
    for (const char* style : {"3D Bar", "2D Bar", "3D Line", "2D Line", "3D Area", "2D Area", "3D Step", "2D Step"})
        ComboAdd(ui->cboGraphStyle, QString::fromLatin1(style));
    ui->picReportRoom->hide();

    // The week's headings: the locale's day names, Monday first, as the figures.
    const QLocale locale;
    const QMap<int, QLabel*> headings = ControlArray<QLabel>(this, QStringLiteral("lblLabels"));
    for (int i = 0; i < 7; ++i)
        if (QLabel* label = headings.value(52 + i))
            label->setText(locale.dayName(i + 1, QLocale::LongFormat) + u':');

    connect(ui->cboGraphStyle, &QComboBox::currentIndexChanged, this, guarded(this, &ReportsPanel::cboGraphStyle_Click));
    connect(ui->cboGraphType, &QComboBox::currentIndexChanged, this, guarded(this, &ReportsPanel::cboGraphType_Click));
    connect(ui->cboReportRoom, &QComboBox::currentIndexChanged, this, guarded(this, &ReportsPanel::cboReportRoom_Click));
    connect(ui->dtReport, &QDateEdit::dateChanged, this, guarded(this, &ReportsPanel::dtReport_Change));
    connect(ui->cmdExpand, &QPushButton::clicked, this, guarded(this, &ReportsPanel::cmdExpand_Click));
    connect(ui->cmdReportExport, &QPushButton::clicked, this, guarded(this, &ReportsPanel::cmdReportExport_Click));
}

ReportsPanel::~ReportsPanel()
{
    delete ui;
}

ReportChart* ReportsPanel::chart() const
{
    return ui->c;
}

void ReportsPanel::Form_Load(const QDate& today)
{
    // The chart is drawn when the panel is shown, from the figures of then.
    const QSignalBlocker quietStyle(ui->cboGraphStyle);
    const QSignalBlocker quietType(ui->cboGraphType);
    const QSignalBlocker quietDate(ui->dtReport);
    SetListIndex(ui->cboGraphStyle, 0);
    SetListIndex(ui->cboGraphType, 0);
    ui->dtReport->setDate(today);
}

void ReportsPanel::ShowReports()
{
    ShowReports(QDateTime::currentDateTime());
}

void ReportsPanel::ShowReports(const QDateTime& now)
{
    WaitCursor hourglass;
    const ReportFigures f = ComputeReportFigures(now);
    const std::pair<QLabel*, const QString*> figures[] = {
        {ui->lblCapacity, &f.capacity},         {ui->lblTotalResToday, &f.totalResToday},
        {ui->lblMostResDate, &f.mostResDate},   {ui->lblLeastResDate, &f.leastResDate},
        {ui->lblMostPopMonth, &f.mostPopMonth}, {ui->lblLeastPopMonth, &f.leastPopMonth},
        {ui->lblMostCustsDate, &f.mostCustsDate}, {ui->lblLeastCustsDate, &f.leastCustsDate},
        {ui->lblRecCust, &f.recCust},           {ui->lblResThisMonth, &f.resThisMonth},
        {ui->lblResThisMonthYTD, &f.resThisMonthYTD}, {ui->lblTotRes, &f.totRes}};
    // A figure wider than its place (a long name) ends in "...".
    for (const auto& [label, text] : figures)
        SetElidedText(label, *text);
    const QMap<int, QLabel*> week = ControlArray<QLabel>(this, QStringLiteral("lblGuestDOW"));
    for (int i = 0; i < 7; ++i)
        if (QLabel* label = week.value(i))
            SetPlainText(label, f.guestDOW[size_t(i)]);
    // The chart beside the figures shows the same bookings. A damaged file
    // is told once for both.
    std::optional<AppError> unreadable = f.unreadable;
    try {
        RefreshGraph(ui->cboGraphType->currentIndex());
    } catch (const AppError& e) {
        if (!e.isUnreadableFile())
            throw;
        if (!unreadable)
            unreadable = e;
    }
    if (unreadable) {
        hourglass.restore();
        ReportUnreadableFile(*unreadable);
    }
}

qint64 ReportsPanel::selectedUnit() const
{
    const int i = ui->cboReportRoom->currentIndex();
    return i < 0 ? -1 : ComboItemData(ui->cboReportRoom, i);
}

void ReportsPanel::RefreshGraph(int graphNumber)
{
    if (graphNumber < 0 || graphNumber > 3)
        return;
    WaitCursor hourglass;
    const QList<SeriesRow> rows = GraphSeries(graphNumber, ui->dtReport->date(), selectedUnit());
    QList<ChartPoint> points;
    for (const SeriesRow& row : rows)
        points.append({row.label, row.value});
    ui->c->setChart(std::max(0, ui->cboGraphStyle->currentIndex()), points,
                    graphNumber == RevenueByWeek ? ReportChart::Values::Money : ReportChart::Values::Counts);
}

void ReportsPanel::cboGraphStyle_Click()
{
    RefreshGraph(ui->cboGraphType->currentIndex());
}

void ReportsPanel::cboGraphType_Click()
{
    if (ui->cboGraphType->currentIndex() == RevenueByWeek) {
        SetPlainText(ui->lblReportCommodity, gsCommoditySingular + u':');
        // The caption takes the width its unit word needs; the list follows it.
        QLabel* label = ui->lblReportCommodity;
        label->resize(std::max(kRoomLabelWidth, label->sizeHint().width()), label->height());
        ui->cboReportRoom->move(label->x() + label->width() + 4, ui->cboReportRoom->y());
        ui->picReportRoom->resize(ui->cboReportRoom->x() + ui->cboReportRoom->width(), ui->picReportRoom->height());
        ComboClear(ui->cboReportRoom);
        ComboAdd(ui->cboReportRoom, QStringLiteral("All ") + gsCommodityPlural, -1);
        for (const NamedRow& unit : UnitRecord::listed())
            ComboAdd(ui->cboReportRoom, unit.name, unit.id);
        SetListIndex(ui->cboReportRoom, 0);
        ui->picReportRoom->show();
    } else {
        ui->picReportRoom->hide();
    }
    RefreshGraph(ui->cboGraphType->currentIndex());
}

void ReportsPanel::cboReportRoom_Click()
{
    RefreshGraph(ui->cboGraphType->currentIndex());
}

void ReportsPanel::dtReport_Change()
{
    RefreshGraph(ui->cboGraphType->currentIndex());
}

void ReportsPanel::cmdExpand_Click()
{
    QWidget* shape = ui->Shape1_2;
    if (ui->cmdExpand->text() == kExpand) {
        SetLeftTwips(ui->c, Twips::fromPx(shape->x()) + 50);
        SetWidthTwips(ui->c, Twips::fromPx(shape->width()) - 100);
        ui->cmdExpand->setText(QStringLiteral("Shrink >>"));
        SetLeftTwips(ui->cmdExpand, Twips::fromPx(shape->x()) + 70);
        ui->Frame2->hide();
    } else {
        SetLeftTwips(ui->c, 3870);
        SetWidthTwips(ui->c, 7215);
        ui->cmdExpand->setText(kExpand);
        SetLeftTwips(ui->cmdExpand, 3910);
        ui->Frame2->show();
    }
    mainView().Form_Resize();
}

void ReportsPanel::cmdReportExport_Click()
{
    QString fileName, fileTitle;
    QString filter = QStringLiteral("CSV(*.CSV)|*.CSV");
    int filterIndex = 1;
    int flags = 0;
    if (!VBGetSaveFileName(fileName, fileTitle, true, filter, filterIndex, QString(), QString(), QStringLiteral(".csv"),
                           this, flags, 0))
        return;

    QString text, why;
    bool written = false;
    {
        WaitCursor hourglass;
        try {
            text = GraphCsv(GraphSeries(ui->cboGraphType->currentIndex(), ui->dtReport->date(), selectedUnit()));
        } catch (const AppError& e) {
            hourglass.restore();
            if (e.isUnreadableFile()) {
                ReportUnreadableFile(e);
                return;
            }
            MsgBox(QStringLiteral("Error - ") + e.description() + u' ' + QString::number(e.number()), vbCritical);
            return;
        }
        written = WriteCsvFile(fileName, text, &why);
    }
    if (!written)
        MsgBox(WriteFailureMessage(QStringLiteral("Unable to write to file."), fileName, why), vbCritical);
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
