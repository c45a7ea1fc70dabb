#include "reports/exports.h"

#include "core/apperror.h"
#include "core/filedialogs.h"
#include "core/filewriter.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/platform.h"
#include "core/waitcursor.h"
#include "reports/csv.h"
#include "reports/reportstore.h"

#include <QHash>
#include <QList>

namespace {

const char* const kUnableToWrite = "Unable to write to file.";

// Builds the text, then writes it; failures as the export reports them.
template <class Build>
void RunExport(const QString& file, Build build, const QString& writeFailure)
{
    QString text;
    QString why;
    bool written = false;
    {
        WaitCursor hourglass;
        try {
            text = build();
        } catch (const AppError& e) {
            hourglass.restore();
            MsgBox(e.reportText(), vbCritical);
            return;
        }
        written = WriteCsvFile(file, text, &why);
    }
    if (!written)
        MsgBox(WriteFailureMessage(writeFailure, file, why), vbCritical);
}


}  // namespace

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

QString CommissionAccountsCsv()
{
    CsvText csv;
    csv.line(QStringLiteral("Commission Account, Due, Payment, Date"));

    QList<QPair<qint64, QString>> accounts;
    for (Query r = ReportStore::CommissionAccounts(); r.next();)
        accounts.append({r.integer(0), r.text(1)});

    CsvTexts texts;
    QHash<qint64, QList<QStringList>> dues, payments;
    for (Query r = ReportStore::CommissionDues(); r.next();)
        dues[r.integer(0)].append({texts.currency(r.money(1)), QString(), texts.shortDate(r.value(2))});
    for (Query r = ReportStore::CommissionPaymentsMade(); r.next();)
        payments[r.integer(0)].append({QString(), texts.currency(r.money(1)), texts.shortDate(r.value(2))});

    for (const auto& [id, name] : accounts) {
        for (const QStringList& fields : dues.value(id))
            csv.record(QStringList{name} + fields);
        for (const QStringList& fields : payments.value(id))
            csv.record(QStringList{name} + fields);
    }
    return csv.text();
}

QString CustomersCsv()
{
    static const QStringList columns{"FirstName", "LastName", "Address1", "Address2", "City",  "State",
                                     "PostCode",  "Country",  "Phone",    "Email",    "BusinessName",
                                     "SubmittedDate"};
    CsvText csv;
    CsvTexts texts;
    csv.line(u'"' + columns.join(QStringLiteral("\", \"")) + u'"');
    for (Query r = ReportStore::CustomersForExport(); r.next();) {
        QStringList fields;
        for (int c = 0; c < 11; ++c)
            fields << r.text(c);
        fields << texts.dateTime(r.value(11));
        csv.record(fields);
    }
    return csv.text();
}

QString ReservationsCsv()
{
    CsvText csv;
    csv.line(QStringLiteral("FromDate, ToDate, BookedBy, Notes, NoAdults, NoKids, PaymentMethod, CreditCardNo, "
                            "CreditCardExpiry, CreditCardType, FirstName, LastName, Address1, Address2, City, State, "
                            "PostCode, Country, Phone, Email, SubmittedDate, BusinessName"));
    CsvTexts texts;
    for (Query r = ReportStore::ReservationsForExport(); r.next();) {
        // Column 3 is the customer's id, read with the row and not written.
        QStringList fields{texts.dateTime(r.value(0)), texts.dateTime(r.value(1)), r.text(2),
                           r.text(4),               CsvNumber(r.value(5)),   CsvNumber(r.value(6))};
        for (int c = 7; c <= 20; ++c)
            fields << r.text(c);
        fields << texts.dateTime(r.value(21)) << r.text(22);
        csv.record(fields);
    }
    return csv.text();
}

QString ThisMonthCsv(const QDate& month)
{
    CsvText csv;
    csv.line(QStringLiteral("From Date, To Date, ") + gsCommodityPlural + QStringLiteral(", Customer Name"));
    const QDate first(month.year(), month.month(), 1);
    const QDateTime start = Fmt::clockDateTime(first, QTime(0, 0));
    const QDateTime end = Fmt::clockDateTime(QDate(month.year(), month.month(), DaysInMonth(month)), QTime(23, 59));
    CsvTexts texts;
    for (Query r = ReportStore::BookedUnitsOverlapping(start, end); r.next();)
        csv.record({texts.dateTime(r.value(1)), texts.dateTime(r.value(2)), r.text(6),
                    r.text(3) + u' ' + r.text(4)});
    return csv.text();
}

void ExportCommissionAccounts(QWidget* owner)
{
    const QString file = AskExportFileName(owner);
    if (file.isEmpty())
        return;
    RunExport(file, CommissionAccountsCsv,
              QStringLiteral("An error occured writing to the file. Please select another filename and try again."));
}

void ExportCustomers(QWidget* owner)
{
    const QString file = AskExportFileName(owner);
    if (file.isEmpty())
        return;
    RunExport(file, CustomersCsv, QString::fromLatin1(kUnableToWrite));
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
    RunExport(fileName, ReservationsCsv, QString::fromLatin1(kUnableToWrite));
}

void ExportThisMonth(QWidget* owner, const QDate& month)
{
    const QString file = AskExportFileName(owner);
    if (file.isEmpty())
        return;
    RunExport(file, [month] { return ThisMonthCsv(month); }, QString::fromLatin1(kUnableToWrite));
}
