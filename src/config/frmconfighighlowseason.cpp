#include "config/frmconfighighlowseason.h"

#include "core/configrecords.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "ui_frmconfighighlowseason.h"

#include <QSignalBlocker>

namespace {
constexpr int kLow = 0;
constexpr int kHigh = 1;
}  // namespace

frmConfigHighLowSeason::frmConfigHighLowSeason(QWidget* parent)
    : QDialog(parent), ui(new Ui::frmConfigHighLowSeason)
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    {
        const QSignalBlocker block(ui->cboHighLow);
        ui->cboHighLow->setCurrentIndex(-1);
    }
    connect(ui->lstList, &QListWidget::currentRowChanged, this, guarded(this, &frmConfigHighLowSeason::lstList_Click));
    connect(ui->lstList, &QListWidget::itemDoubleClicked, this,
            guarded(this, &frmConfigHighLowSeason::lstList_DblClick));
    connect(ui->cboHighLow, &QComboBox::currentIndexChanged, this,
            guarded(this, &frmConfigHighLowSeason::cboHighLow_Click));
    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmConfigHighLowSeason::cmdOk_Click));
    Setup(0);
}

frmConfigHighLowSeason::~frmConfigHighLowSeason()
{
    delete ui;
}

void frmConfigHighLowSeason::ask(QWidget* parent)
{
    frmConfigHighLowSeason d(parent);
    d.exec();
}

void frmConfigHighLowSeason::Setup(int SelectID)
{
    ListClear(ui->lstList);
    for (const SeasonRecord& s : SeasonRecord::months())
        ListAdd(ui->lstList, GetMonthName(s.month) + QStringLiteral(" - ") +
                                 (s.high ? QStringLiteral("High") : QStringLiteral("Low")),
                s.month);
    if (SelectID >= 0 && SelectID < ui->lstList->count())
        SetListIndex(ui->lstList, SelectID);
}

// Shows the selected month's season. Only a change the user makes is
// written, so moving through the months writes nothing.
void frmConfigHighLowSeason::lstList_Click()
{
    const int row = ui->lstList->currentRow();
    if (row < 0)
        return;
    const std::optional<SeasonRecord> s = SeasonRecord::find(int(ListItemData(ui->lstList, row)));
    if (!s)
        return;
    const QSignalBlocker block(ui->cboHighLow);
    ui->cboHighLow->setCurrentIndex(s->high ? kHigh : kLow);
}

void frmConfigHighLowSeason::lstList_DblClick()
{
    if (ui->lstList->currentRow() < 0)
        return;
    ui->cboHighLow->setCurrentIndex(ui->cboHighLow->currentIndex() == kLow ? kHigh : kLow);
}

void frmConfigHighLowSeason::cboHighLow_Click()
{
    const int row = ui->lstList->currentRow();
    if (row < 0 || ui->cboHighLow->currentIndex() < 0)
        return;
    SeasonRecord::setHigh(int(ListItemData(ui->lstList, row)), ui->cboHighLow->currentIndex() == kHigh);
    Setup(row);
}

void frmConfigHighLowSeason::cmdOk_Click()
{
    accept();
}
