#include "reports/frmreservationquickview.h"

#include "ui_frmreservationquickview.h"

#include "core/apperror.h"
#include "core/configrecords.h"
#include "core/filewriter.h"
#include "core/format.h"
#include "core/guard.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/waitcursor.h"
#include "reports/csv.h"
#include "reports/exports.h"
#include "reports/reportstore.h"

#include <QHash>
#include <QPushButton>
#include <vector>

namespace {

// A name that would split its line's cells is quoted; others stand as they are.
QString UnitCell(const QString& name)
{
    static const QString breaking = QStringLiteral(",\"\r\n");
    for (QChar ch : name)
        if (breaking.contains(ch))
            return q(name);
    return name;
}

}  // namespace

QString ReservationQuickViewText(const QDate& first, const QDate& last)
{
    const int days = first <= last ? int(first.daysTo(last)) + 1 : 0;
    QString text = QStringLiteral("X's indicate a booking for the given date and ") + gsCommoditySingular +
                   QStringLiteral(".\r\n");
    text += QStringLiteral("Dates: ") + Fmt::shortDate(first) + QStringLiteral(" to ") + Fmt::shortDate(last) +
            QStringLiteral(", ");
    for (int i = 0; i < days; ++i)
        text += Fmt::shortDate(first.addDays(i)) + QStringLiteral(", ");
    text += QStringLiteral("\r\n");

    // The booked days of each unit, marked from one query over the range.
    QHash<qint64, std::vector<bool>> booked;
    if (days > 0) {
        QStringList starts, ends;
        for (int i = 0; i < days; ++i) {
            starts << Fmt::dbDateTime(Fmt::clockDateTime(first.addDays(i), QTime(0, 0)));
            ends << Fmt::dbDateTime(Fmt::clockDateTime(first.addDays(i), QTime(23, 59)));
        }
        Query r = ReportStore::BookedUnitsOverlapping(Fmt::clockDateTime(first, QTime(0, 0)), Fmt::clockDateTime(last, QTime(23, 59)));
        while (r.next()) {
            const QString from = r.text(1), to = r.text(2);
            std::vector<bool>& marks = booked[r.integer(5)];
            marks.resize(size_t(days));
            for (int i = 0; i < days; ++i) {
                const QString& s = starts[i];
                const QString& e = ends[i];
                if ((s >= from && s <= to) || (e >= from && e <= to) || (from >= s && to <= e))
                    marks[size_t(i)] = true;
            }
        }
    }

    for (const NamedRow& unit : UnitRecord::inTableOrder()) {
        text += UnitCell(unit.name) + QStringLiteral(", ");
        const std::vector<bool> marks = booked.value(unit.id);
        for (int i = 0; i < days; ++i)
            text += (size_t(i) < marks.size() && marks[size_t(i)]) ? QStringLiteral("X,") : QStringLiteral(",");
        text += QStringLiteral("\r\n");
    }
    return text;
}

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
        QString text, why;
        bool written = false;
        {
            WaitCursor hourglass;
            try {
                text = ReservationQuickViewText(ui->dtArrive->date(), ui->dtDepart->date());
            } catch (const AppError& e) {
                hourglass.restore();
                MsgBox(e.reportText(), vbCritical);
                return;
            }
            written = WriteCsvFile(file, text, &why);
        }
        if (!written) {
            MsgBox(WriteFailureMessage(QStringLiteral("Unable to write to file."), file, why), vbCritical);
            return;
        }
    }
    accept();
}

void frmReservationQuickView::cmdCancel_Click()
{
    reject();
}
