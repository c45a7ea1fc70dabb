#include "invoicing/documents.h"

#include "core/bookingstore.h"
#include "core/bookingunitstore.h"
#include "core/configrecords.h"
#include "core/customerstore.h"
#include "widgets/filedialogs.h"
#include "core/filewriter.h"
#include "core/format.h"
#include "core/modmain.h"
#include "core/reserved.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"
#include "core/invoicetotals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char* const kSupportEmail = "care@tarlomy.example";

// The template is worked on as text with one character per byte, so that
// whatever code page it was written in comes back out byte for byte; every
// value goes in as ASCII RTF.
void Put(QString& c, const char* placeholder, const QString& value)
{
    FindAndReplace(c, QString::fromLatin1(placeholder), QString::fromLatin1(RtfText(value)));
}

QString ShortDateOf(const QDateTime& dt)
{
    return dt.isValid() ? Fmt::shortDate(dt.date()) : QString();
}

// The customer on one line: business, name, address, phone and e-mail, the
// separators always present.
QString ContactLine(const CustomerRecord& q)
{
    return q.businessName + u' ' + q.firstName + u' ' + q.lastName + u' ' + q.address1 + QStringLiteral(", ")
           + q.address2 + QStringLiteral(", ") + q.city + QStringLiteral(", ") + q.state + u' ' + q.postCode
           + QStringLiteral(". ") + q.country + QStringLiteral(" ph: ") + q.phone + u' ' + q.email;
}

void FillHeader(QString& c, qint32 bookingId, const QList<InvoiceLine>& lines)
{
    const std::optional<BookingRecord> b = BookingStore::read(bookingId);
    if (!b)
        return;

    Put(c, "<fromdate>", ShortDateOf(b->from));
    Put(c, "<todate>", ShortDateOf(b->to));
    Put(c, "<noadults>", Nz(b->noAdults));
    Put(c, "<nochildren>", Nz(b->noKids));
    Put(c, "<CommodityPlural>", gsCommodityPlural);

    Put(c, "<roomlist>", BookingUnitStore::unitNamesOf(bookingId).join(QStringLiteral(", ")));

    Put(c, "<tip>", Fmt::currency(b->tip));
    Put(c, "<payments>", Fmt::currency(b->amountPayed));
    Put(c, "<paymentmethod>", b->paymentMethod);

    const BookingTotals totals = CalcTotal(bookingId, lines);
    Put(c, "<totalpayable>", totals.cTotalPayable);
    Put(c, "<subtotal>", totals.cSubTotal);
    Put(c, "<taxtotal1>", totals.cSalesTax1);
    // Named after this booking's own lines, as its payment page names it.
    Put(c, "<taxname1>", FirstTaxName(lines).remove(u':'));
    if (Config::EnabledSalesTax2.read()) {
        Put(c, "<taxtotal2>", totals.cSalesTax2);
        Put(c, "<taxname2>", SalesTaxName(TaxRateId::Second));
    } else {
        Put(c, "<taxtotal2>", QString());
        Put(c, "<taxname2>", QString());
    }
    Put(c, "<balancedue>", totals.cBalanceDue);

    if (!b->hasCustomer)
        return;
    const std::optional<CustomerRecord> q = CustomerStore::read(b->customerId);
    if (!q)
        return;
    Put(c, "<contactdetails>", ContactLine(*q));
    const std::pair<const char*, const QString*> fields[] = {
        {"<businessname>", &q->businessName}, {"<firstname>", &q->firstName}, {"<lastname>", &q->lastName},
        {"<address1>", &q->address1},         {"<address2>", &q->address2},   {"<city>", &q->city},
        {"<state>", &q->state},               {"<zipcode>", &q->postCode},    {"<country>", &q->country},
        {"<homephone>", &q->homePhone},       {"<workphone>", &q->phone},     {"<email>", &q->email},
        {"<fax>", &q->fax},
    };
    for (const auto& [placeholder, value] : fields)
        Put(c, placeholder, *value);
}

// The first "<itemlist>" ... "</itemlist>" pair becomes one copy of the block
// per invoice line. The tag and the six characters after it (CR LF "\par" in
// a template made for it) are dropped together.
void FillItemBlock(QString& c, const QList<InvoiceLine>& lines)
{
    const QString open = QStringLiteral("<itemlist>");
    const QString close = QStringLiteral("</itemlist>");
    const int p = c.indexOf(open);
    if (p < 0)
        return;
    const int e = c.indexOf(close, p);
    if (e < 0)
        return;
    // A closing tag within the skipped characters leaves an empty block.
    const int start = qMin(p + int(open.size()) + 6, e);
    const QString sOrigItemList = c.mid(start, e - start);

    QString sItemList;
    if (lines.isEmpty())
        sItemList = sOrigItemList;
    for (const InvoiceLine& line : lines) {
        QString item = sOrigItemList;
        Put(item, "<qty>", Fmt::number(line.quantity));
        Put(item, "<name>", line.name);
        Put(item, "<saleprice>", Fmt::currency(line.amount));
        Put(item, "<isubtotal>", Fmt::currency(line.itemTotal()));
        sItemList += item;
    }
    c = c.left(p) + sItemList + c.mid(e + close.size());
}

// A failure of the document's own file steps, told to the user as the
// support address, what failed and its number.
struct Failure {
    QString description;
    int number = 0;
};

void ShowFailure(const Failure& f)
{
    MsgBox(QStringLiteral("An error has occured, please contact ") + QString::fromLatin1(kSupportEmail)
               + QStringLiteral(" for support.") + QStringLiteral("\r\n") + f.description + QStringLiteral("\r\n")
               + QString::number(f.number),
           vbCritical | vbOKOnly);
}

// Told with the file's name and the system's reason ("No space left on device").
Failure FileFailure(QFileDevice::FileError kind, const QString& file, const QString& reason)
{
    const QString name = QDir::toNativeSeparators(file) + QStringLiteral(" (") + reason + u')';
    switch (kind) {
    case QFileDevice::PermissionsError:
        return {QStringLiteral("Permission denied: ") + name, 70};
    case QFileDevice::ResourceError:
        return {QStringLiteral("Disk full: ") + name, 61};
    default:
        return {QStringLiteral("Path/File access error: ") + name, 75};
    }
}

Failure FileFailure(const QFile& file)
{
    return FileFailure(file.error(), file.fileName(), file.errorString());
}

bool ReadTemplate(const QString& path, QByteArray& text, Failure& failure)
{
    QFile file(path);
    if (!file.exists()) {
        failure = {QStringLiteral("File not found: ") + QDir::toNativeSeparators(path), 53};
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        failure = FileFailure(file);
        return false;
    }
    text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        failure = FileFailure(file);
        return false;
    }
    return true;
}

// The temporary name with its extension replaced by ".rtf".
QString CopyNameOf(const QString& tempName)
{
    const int dot = tempName.lastIndexOf(u'.');
    const int slash = tempName.lastIndexOf(u'/');
    return (dot > slash ? tempName.left(dot) : tempName) + QStringLiteral(".rtf");
}

// Makes a temporary name in the program's folder, or in the user's data
// folder when the program's folder takes no new file, and claims the ".rtf"
// name beside it with an empty file. A name whose ".rtf" is already there is
// given up for another, so an older copy is never written over.
bool CreateCopy(const QString& prefix, QString& sOrigTempFileName, QString& sFileName, Failure& failure)
{
    const QString folders[] = {AppPath(), QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)};
    for (const QString& folder : folders) {
        if (folder.isEmpty() || !QDir().mkpath(folder))
            continue;
        for (int attempt = 0; attempt < 200; ++attempt) {
            QString tempName;
            if (!GetTempFile(folder, prefix, 0, tempName))
                break;
            QFile copy(CopyNameOf(tempName));
            if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                copy.close();
                sOrigTempFileName = tempName;
                sFileName = copy.fileName();
                return true;
            }
            const bool taken = copy.exists();
            QFile::remove(tempName);
            if (!taken) {
                failure = FileFailure(copy);
                return false;
            }
        }
    }
    failure = {QStringLiteral("Path/File access error: no new file can be made in ")
                   + QDir::toNativeSeparators(AppPath()),
               75};
    return false;
}

// Fills template templateName for bookingId, writes the copy and hands it to
// the desktop. A failing file step is told to the user and ends it.
void MakeDocument(const char* templateName, const char* prefix, qint32 bookingId)
{
    Failure failure;
    QByteArray text;
    if (!ReadTemplate(AppPath() + QString::fromLatin1(templateName), text, failure)) {
        ShowFailure(failure);
        return;
    }

    FillDocumentTemplate(text, bookingId);

    QString sOrigTempFileName, sFileName;
    if (!CreateCopy(QString::fromLatin1(prefix), sOrigTempFileName, sFileName, failure)) {
        ShowFailure(failure);
        return;
    }
    text += "\r\n";
    // The claimed empty copy is replaced only by the whole text.
    FileWriter copy(sFileName);
    if (!(copy.open() && copy.write(text) && copy.commit())) {
        QFile::remove(sFileName);
        QFile::remove(sOrigTempFileName);
        ShowFailure(FileFailure(copy.errorKind(), sFileName, copy.error()));
        return;
    }

    // The desktop's program may also fail after it was started; told the same way.
    auto report = [sFileName](int result) {
        MsgBox(ShellOpenFailureReason(result) + QStringLiteral("\r\n") + QDir::toNativeSeparators(sFileName),
               vbCritical | vbOKOnly);
    };
    const int result = platform().shell().open(sFileName, report);
    if (result <= 32)
        report(result);

    QFile temp(sOrigTempFileName);
    if (temp.exists() && !temp.remove())
        ShowFailure(FileFailure(temp));
}

}  // namespace

QByteArray RtfText(const QString& value)
{
    QByteArray out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const char16_t ch = value[i].unicode();
        switch (ch) {
        case u'\\': out += "\\\\"; continue;
        case u'{': out += "\\{"; continue;
        case u'}': out += "\\}"; continue;
        // Written as its code, "<" can never join the text around it into a placeholder.
        case u'<': out += "\\'3c"; continue;
        case u'\t': out += "\\tab "; continue;
        case u'\r':
            if (i + 1 < value.size() && value[i + 1] == u'\n')
                ++i;
            out += "\\line ";
            continue;
        case u'\n': out += "\\line "; continue;
        default: break;
        }
        if (ch < 0x20 || ch == 0x7F)
            continue;
        if (ch < 0x80) {
            out += char(ch);
            continue;
        }
        // \uN takes a signed 16-bit number; the letter after it is what a
        // reader without Unicode shows: the base letter where there is one.
        out += "\\u";
        out += QByteArray::number(qint16(ch));
        char fallback = '?';
        const QString base = value[i].decomposition();
        if (!base.isEmpty() && base[0].unicode() < 0x80 && base[0].isLetterOrNumber())
            fallback = char(base[0].unicode());
        out += fallback;
    }
    return out;
}

void FillDocumentTemplate(QByteArray& c, qint32 bookingId)
{
    QString text = QString::fromLatin1(c);
    // The lines are read once for the whole document.
    const QList<InvoiceLine> lines = InvoiceLineStore::linesOf(bookingId);
    FillHeader(text, bookingId, lines);
    FillItemBlock(text, lines);
    c = text.toLatin1();
}

void PrintBookingConfirmation(qint32 bookingId)
{
    if (bookingId == 0)
        return;
    MakeDocument("BookingConfirmation.rtf", "Conf", bookingId);
}

void PrintBookingReceipt(qint32 bookingId)
{
    if (bookingId == 0)
        return;
    // Filled for the chosen booking alone: the booking in progress stays current.
    MakeDocument("BookingReceipt.rtf", "Rec", bookingId);
}
