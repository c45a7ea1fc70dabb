#include "reports/exports.h"

#include "core/apperror.h"
#include "core/filewriter.h"
#include "widgets/filedialogs.h"
#include "core/format.h"
#include "core/modmain.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"
#include "reports/csv.h"
#include "reports/exportprogress.h"
#include "reports/reportstore.h"

#include <QHash>
#include <QList>

namespace {

const char* const kUnableToWrite = "Unable to write to file.";

}  // namespace

// Writes the export to file row by row under the hourglass; past a second a
// progress dialog offers Cancel, which keeps the old file. A failing query or
// write shows its message, ends only the export and keeps the old file too.
bool RunExport(QWidget* owner, const QString& file, const std::function<qint64()>& rows, const ExportWriter& write,
               const QString& writeFailure)
{
    bool written = false;
    QString why, failure;
    {
        WaitCursor hourglass;
        FileWriter out(file);
        ExportProgress progress(owner, &hourglass);
        try {
            progress.setTotal(rows());
            if (out.open()) {
                CsvText csv(&out);
                const bool whole = write(csv, [&](qint64 done) { return !csv.failed() && progress.step(done); });
                if (progress.cancelled())
                    return false;
                written = whole && csv.flush() && out.commit();
            }
        } catch (const AppError& e) {
            // A statement that fails, at its first row or its last, ends the
            // export before the file is replaced.
            failure = WriteFailureMessage(QStringLiteral("The export could not be finished; the file was not changed."),
                                          file, e.reportText());
        }
        why = out.error();
    }
    // The writer and the progress dialog are gone by now; the old file stands.
    if (!failure.isEmpty())
        MsgBox(failure, vbCritical);
    else if (!written)
        MsgBox(WriteFailureMessage(writeFailure, file, why), vbCritical);
    return written;
}

QString AskExportFileName(QWidget* owner)
{
    SaveFileRequest request;
    request.owner = owner;
    request.filters = {QStringLiteral("CSV (*.csv)"), QStringLiteral("*.csv"), QStringLiteral("Text documents (*.txt)"),
                       QStringLiteral("*.txt")};
    request.filterIndex = 1;
    if (!platform().saveFile().getSaveFileName(request))
        return QString();
    return request.fileName;
}

namespace {

}  // namespace

bool WriteCommissionAccounts(CsvText& csv, const ExportSteps& more)
{
    csv.line(QStringLiteral("Commission Account, Due, Payment, Date"));
    // The accounts in table order; the dues and the payments come by account
    // in the same order and are read alongside.
    RowScan dues = ReportStore::CommissionDues();
    RowScan payments = ReportStore::CommissionPaymentsMade();
    bool dueRow = dues.next(), paymentRow = payments.next();
    CsvTexts texts;
    QByteArray name;
    qint64 done = 0;
    for (RowScan account = ReportStore::CommissionAccounts(); account.next();) {
        const qint64 id = account.integer(0);
        name.truncate(0);
        account.appendText(1, name);
        for (; dueRow && dues.integer(0) <= id; dueRow = dues.next()) {
            if (dues.integer(0) == id) {
                csv.field(name);
                csv.field(texts.currency(dues.money(1)));
                csv.emptyField();
                csv.field(texts.shortDate(dues, 2));
                csv.endRecord();
            }
            if (!more(++done))
                return false;
        }
        for (; paymentRow && payments.integer(0) <= id; paymentRow = payments.next()) {
            if (payments.integer(0) == id) {
                csv.field(name);
                csv.emptyField();
                csv.field(texts.currency(payments.money(1)));
                csv.field(texts.shortDate(payments, 2));
                csv.endRecord();
            }
            if (!more(++done))
                return false;
        }
    }
    return true;
}

bool WriteCustomers(CsvText& csv, const ExportSteps& more)
{
    static const QStringList columns{"FirstName", "LastName", "Address1", "Address2", "City",  "State",
                                     "PostCode",  "Country",  "Phone",    "Email",    "BusinessName",
                                     "SubmittedDate"};
    CsvTexts texts;
    csv.line(u'"' + columns.join(QStringLiteral("\", \"")) + u'"');
    qint64 done = 0;
    for (RowScan r = ReportStore::CustomersForExport(); r.next();) {
        for (int c = 0; c < 11; ++c)
            csv.field(r, c);
        csv.field(texts.dateTime(r, 11));
        csv.endRecord();
        if (!more(++done))
            return false;
    }
    return true;
}

bool WriteReservations(CsvText& csv, const ExportSteps& more)
{
    csv.line(QStringLiteral("FromDate, ToDate, BookedBy, Notes, NoAdults, NoKids, PaymentMethod, CreditCardNo, "
                            "CreditCardExpiry, CreditCardType, FirstName, LastName, Address1, Address2, City, State, "
                            "PostCode, Country, Phone, Email, SubmittedDate, BusinessName"));
    CsvTexts texts;
    qint64 done = 0;
    for (RowScan r = ReportStore::ReservationsForExport(); r.next();) {
        // Column 3 is the customer's id, read with the row and not written.
        csv.field(texts.dateTime(r, 0));
        csv.field(texts.dateTime(r, 1));
        csv.field(r, 2);
        csv.field(r, 4);
        csv.field(texts.number(r, 5));
        csv.field(texts.number(r, 6));
        for (int c = 7; c <= 20; ++c)
            csv.field(r, c);
        csv.field(texts.dateTime(r, 21));
        csv.field(r, 22);
        csv.endRecord();
        if (!more(++done))
            return false;
    }
    return true;
}

namespace {

// The month's bounds: its first day's midnight and its last day's last minute.
QDateTime MonthStart(const QDate& month)
{
    return Fmt::clockDateTime(QDate(month.year(), month.month(), 1), QTime(0, 0));
}

QDateTime MonthEnd(const QDate& month)
{
    return Fmt::clockDateTime(QDate(month.year(), month.month(), DaysInMonth(month)), QTime(23, 59));
}

}  // namespace

qint64 ThisMonthRows(const QDate& month)
{
    return ReportStore::BookedUnitsOverlappingCount(MonthStart(month), MonthEnd(month));
}

bool WriteThisMonth(CsvText& csv, const QDate& month, const ExportSteps& more)
{
    csv.line(QStringLiteral("From Date, To Date, ") + gsCommodityPlural + QStringLiteral(", Customer Name"));
    const QDateTime start = MonthStart(month);
    const QDateTime end = MonthEnd(month);
    CsvTexts texts;
    QByteArray name;
    qint64 done = 0;
    for (RowScan r = ReportStore::BookedUnitsOverlapping(start, end); r.next();) {
        csv.field(texts.dateTime(r, 1));
        csv.field(texts.dateTime(r, 2));
        csv.field(r, 6);
        name.truncate(0);
        r.appendText(3, name);
        name += ' ';
        r.appendText(4, name);
        csv.field(name);
        csv.endRecord();
        if (!more(++done))
            return false;
    }
    return true;
}

void ExportCommissionAccounts(QWidget* owner)
{
    const QString file = AskExportFileName(owner);
    if (file.isEmpty())
        return;
    RunExport(owner, file, [] { return ReportStore::BookingCount() + ReportStore::CommissionPaymentCount(); },
              WriteCommissionAccounts,
              QStringLiteral("An error occured writing to the file. Please select another filename and try again."));
}

void ExportCustomers(QWidget* owner)
{
    const QString file = AskExportFileName(owner);
    if (file.isEmpty())
        return;
    RunExport(owner, file, ReportStore::CustomerCount, WriteCustomers, QString::fromLatin1(kUnableToWrite));
}

void ExportReservations(QWidget* owner)
{
    QString fileName, fileTitle;
    QString filter = QStringLiteral("CSV(*.CSV)|*.CSV");
    int filterIndex = 1;
    int flags = 0;
    if (!VBGetSaveFileName(fileName, fileTitle, true, filter, filterIndex, QString(), QString(),
                           QStringLiteral(".csv"), owner, flags, 0))
        return;
    RunExport(owner, fileName, ReportStore::BookingCount, WriteReservations, QString::fromLatin1(kUnableToWrite));
}

void ExportThisMonth(QWidget* owner, const QDate& month)
{
    const QString file = AskExportFileName(owner);
    if (file.isEmpty())
        return;
    RunExport(
        owner, file, [month] { return ThisMonthRows(month); },
        [month](CsvText& csv, const ExportSteps& more) { return WriteThisMonth(csv, month, more); },
        QString::fromLatin1(kUnableToWrite));
}
