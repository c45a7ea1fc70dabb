#include "reports/frmfinancesummary.h"

#include "ui_frmfinancesummary.h"

#include "core/apperror.h"
#include "widgets/guard.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"
#include "reports/financesummary.h"

#include <QPushButton>

frmFinanceSummary::frmFinanceSummary(QWidget* parent) : QDialog(parent), ui(new Ui::frmFinanceSummary)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
}

frmFinanceSummary::~frmFinanceSummary()
{
    delete ui;
}

void frmFinanceSummary::ask(QWidget* parent)
{
    frmFinanceSummary dialog(parent);
    dialog.exec();
}

void frmFinanceSummary::Form_Load()
{
    QStringList lines;
    WaitCursor hourglass;
    try {
        FinanceSummaryLines(&lines);
    } catch (const AppError& e) {
        hourglass.restore();
        if (e.isUnreadableFile())
            ReportUnreadableFile(e);
        else
            MsgBox(QStringLiteral("Form_Load_Error: ") + e.description() + u' ' + QString::number(e.number()), vbCritical);
    }
    ui->List1->addItems(lines);
}
