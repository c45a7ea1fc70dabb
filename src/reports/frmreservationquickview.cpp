#include "reports/frmreservationquickview.h"

#include "ui_frmreservationquickview.h"

#include "core/configrecords.h"
#include "widgets/guard.h"
#include "reports/exports.h"

#include <QPushButton>

frmReservationQuickView::frmReservationQuickView(const QDate& today, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmReservationQuickView)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    connect(ui->cmdOK, &QPushButton::clicked, this, guarded([this] { cmdOK_Click(); }));
    connect(ui->cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load(today);
}

frmReservationQuickView::~frmReservationQuickView()
{
    delete ui;
}

void frmReservationQuickView::ask(QWidget* parent)
{
    frmReservationQuickView dialog(QDate::currentDate(), parent);
    dialog.exec();
}

void frmReservationQuickView::Form_Load(const QDate& today)
{
    ui->dtArrive->setDate(today.addMonths(-1));
    ui->dtDepart->setDate(today);
}

void frmReservationQuickView::cmdOK_Click()
{
    const QString file = AskExportFileName(this);
    if (!file.isEmpty()) {
        const QDate first = ui->dtArrive->date(), last = ui->dtDepart->date();
        const auto cells = [&] {
            return first <= last ? (first.daysTo(last) + 1) * qint64(UnitRecord::inTableOrder().size()) : 0;
        };
        // The dialog stays open with its dates after a failure or a cancel.
        if (!RunExport(
                this, file, cells,
                [&](CsvText& csv, const ExportSteps& more) { return WriteQuickView(csv, first, last, more); },
                QStringLiteral("Unable to write to file.")))
            return;
    }
    accept();
}

void frmReservationQuickView::cmdCancel_Click()
{
    reject();
}
