#include "reports/bookingformpage.h"

#include "core/filewriter.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"

#include <QStringList>

const char* const kDefaultFormService = "https://forms.tarlomy.example/mail";
const char* const kNoWebSettingsMessage =
    "The web booking settings are missing from the database. Nothing has been changed.";
const char* const kNoFormServiceMessage =
    "The booking web page has been written, but its form will not send any bookings until a form service "
    "address is given. Choose \"Custom...\" in the web bookings wizard, enter the address of your form "
    "service, then create the page again.";

bool FormHasServiceAddress(const WebSettings& settings)
{
    return settings.providerIndex == 1 && !settings.providerCustom.trimmed().isEmpty();
}

namespace {

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// Indent of the day options, and of the month and year options.
const QString kDayIndent(11, u' ');
const QString kListIndent(7, u' ');

// The opening of a hidden field whose value comes from the settings.
QString HiddenField(const char* name, const QString& value)
{
    return QStringLiteral("<INPUT TYPE=\"hidden\" NAME=\"%1\" VALUE=\"%2\">")
        .arg(QLatin1String(name), HtmlAttributeText(value));
}

// What stands between an option's value and its ">": today's option is
// selected, so that a visitor starts from today; the others keep the blank
// they have always had (the ninth day and December none).
QString OptionGap(bool today, bool blank)
{
    return today ? QStringLiteral(" SELECTED") : blank ? QStringLiteral(" ") : QString();
}

void AddDayOptions(QStringList& page, const QDate& today)
{
    for (int d = 1; d <= 31; ++d) {
        const QString value = QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
        page << kDayIndent + QStringLiteral("<OPTION VALUE=%1%2>%3").arg(value, OptionGap(d == today.day(), d != 9)).arg(d);
    }
}

void AddMonthOptions(QStringList& page, const QDate& today)
{
    for (int m = 1; m <= 12; ++m) {
        const QString value = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
        page << kListIndent + QStringLiteral("<OPTION VALUE=\"%1\"%2>%3")
                                  .arg(value, OptionGap(m == today.month(), m != 12),
                                       QLatin1String(kMonthNames[m - 1]));
    }
}

// This year and the next two.
void AddYearOptions(QStringList& page, const QDate& today)
{
    for (int y = today.year(); y < today.year() + 3; ++y)
        page << kListIndent + QStringLiteral("<OPTION VALUE=\"%1\"%2>%1").arg(y).arg(OptionGap(y == today.year(), true));
}

}  // namespace

QString HtmlAttributeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        switch (c) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        default:
            if (c < 0x20 || c >= 0x7F)
                out += QStringLiteral("&#%1;").arg(quint32(c));
            else
                out += QChar(c);
        }
    }
    return out;
}

QByteArray BookingFormPage(const WebSettings& settings, const QDate& today)
{
    QStringList page;
    // The page is ASCII, every other character written as a reference, and
    // declares UTF-8, in which its form posts what a visitor types: a name
    // in any script arrives as typed. On a phone it is shown at the phone's
    // width, its boxes as wide as the screen and the labels above them.
    page << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>") << QStringLiteral("<META CHARSET=\"UTF-8\">")
         << QStringLiteral("<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">")
         << QStringLiteral("<TITLE>Online Booking Form</TITLE>") << QStringLiteral("<STYLE>")
         << QStringLiteral("@media (max-width: 640px) {")
         << QStringLiteral("  BLOCKQUOTE { margin-left: 0; margin-right: 0; }")
         << QStringLiteral("  TABLE, TBODY, TR, TD { display: block; width: auto; }")
         << QStringLiteral("  INPUT[type=\"text\"], TEXTAREA { width: 100%; box-sizing: border-box; }")
         << QStringLiteral("  H4 { margin: 0.5em 0; }")
         << QStringLiteral("}") << QStringLiteral("</STYLE>") << QStringLiteral("</HEAD>") << QString()
         << QStringLiteral("<BODY BGCOLOR=\"#FFFFFF\">");
    // Any index but the two known ones opens no form.
    if (settings.providerIndex == 0 || settings.providerIndex == 1) {
        const QString action = settings.providerIndex == 0 ? QString::fromLatin1(kDefaultFormService)
                                                           : settings.providerCustom;
        page << QStringLiteral("<FORM action=\"%1\" method=\"POST\" accept-charset=\"UTF-8\">")
                    .arg(HtmlAttributeText(action));
    }
    page << QStringLiteral("&nbsp;<br>") << QString()
         << QStringLiteral("<center><b>Please complete the form below to make an online booking.</b></center>")
         << QString() << QStringLiteral("<H3><CENTER>") << QString()
         << HiddenField("your_email_address", settings.email) << QString()
         << HiddenField("your_name", settings.email) << QString();
    // The service's fixed control fields.
    static const char* const kFixedFields[][2] = {
        {"email_subject_line", "Online Booking Request"},
        {"required_fields", "your_email_address"},
        {"thank_you_title", "Thank you for your booking"},
        {"return_link_url", ""},
        {"return_link_name", "Go Back"},
        {"background_color", "#FFFFFF"},
        {"text_color", "#000000"},
        {"link_color", "#0000FF"},
        {"visited_link_color", "#8000FF"},
        {"active_link_color", "#0000FF"},
    };
    for (const auto& field : kFixedFields)
        page << HiddenField(field[0], QLatin1String(field[1])) << QString();
    page << QStringLiteral("</CENTER></H3>") << QString()
         << QStringLiteral("<BLOCKQUOTE><P><TABLE BORDER=0 CELLSPACING=0> ") << QStringLiteral("<TR>")
         << QStringLiteral("<TD WIDTH=116>") << QStringLiteral("<H4>Arrival date:</H4>")
         << QStringLiteral("</TD><TD>") << QStringLiteral("<H4>") << QStringLiteral("<SELECT NAME=\"arrive_day\">");
    AddDayOptions(page, today);
    page << kListIndent + QStringLiteral("</SELECT>") << QStringLiteral("<SELECT NAME=\"arrive_month\">");
    AddMonthOptions(page, today);
    page << kListIndent + QStringLiteral("</SELECT>") << QStringLiteral("<SELECT NAME=\"arrive_year\">");
    AddYearOptions(page, today);
    page << QStringLiteral("</SELECT>") << QString() << QStringLiteral("</H4>") << QString()
         << QStringLiteral("</TD></TR>") << QStringLiteral("<TR>") << QString() << QStringLiteral("<TD WIDTH=116>")
         << QStringLiteral("<H4>Departure date:</H4>") << QStringLiteral("</TD><TD>") << QStringLiteral("<H4>")
         << QStringLiteral("<SELECT NAME=\"departure_day\">    ");
    AddDayOptions(page, today);
    page << kListIndent + QStringLiteral("</SELECT>") << QStringLiteral("<SELECT NAME=\"departure_month\">");
    AddMonthOptions(page, today);
    page << QStringLiteral("</SELECT>") << QStringLiteral("<SELECT NAME=\"departure_year\">");
    AddYearOptions(page, today);
    page << QStringLiteral("</SELECT>") << QStringLiteral("</H4>") << QStringLiteral("</TD></TR>")
         << QStringLiteral("<TR>") << QStringLiteral("<TD WIDTH=116>") << QStringLiteral("<H4>Your name:</H4>")
         << QStringLiteral("</TD><TD>")
         << QStringLiteral("<H4><INPUT TYPE=\"text\" NAME=\"visitor_name\" VALUE=\"\" SIZE=50></H4>")
         << QStringLiteral("</TD></TR>") << QStringLiteral("<TR>") << QStringLiteral("<TD WIDTH=116>")
         << QStringLiteral("<H4>Your email address:</H4>") << QStringLiteral("</TD><TD>")
         << QStringLiteral("<H4><INPUT TYPE=\"text\" NAME=\"visitor_email_address\" VALUE=\"\" SIZE=50></H4>")
         << QStringLiteral("</TD></TR>") << QStringLiteral("</TABLE></P>")
         << QStringLiteral("<BLOCKQUOTE><H4>Any comments?</H4>")
         << QStringLiteral("<P><TEXTAREA NAME=\"Comment\" ROWS=5 COLS=50></TEXTAREA></P>")
         << QStringLiteral("</BLOCKQUOTE>") << QStringLiteral("<H4>&nbsp;</H4>")
         << QStringLiteral("<BLOCKQUOTE><P><INPUT TYPE=\"submit\" NAME=\"Submit\" VALUE=\"Submit\">&nbsp;&nbsp;"
                           "<INPUT TYPE=\"reset\" VALUE=\"Reset\"></P></BLOCKQUOTE>")
         << QStringLiteral("<P>&nbsp;</P>") << QStringLiteral("</FORM>") << QStringLiteral("</BODY>")
         << QStringLiteral("</HTML>");

    QByteArray bytes;
    for (const QString& line : page)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

void CreateBookingFormPage(QWidget* owner, const QDate& today)
{
    SaveFileRequest request;
    request.owner = owner;
    request.filters = {QStringLiteral("HTML (*.html)"), QStringLiteral("*.html"), QStringLiteral("HTM (*.htm)"),
                       QStringLiteral("*.htm")};
    if (!platform().saveFile().getSaveFileName(request) || request.fileName.isEmpty())
        return;

    WaitCursor wait;
    // The settings are read before the file is touched, so a missing row
    // leaves an old page in place.
    const std::optional<WebSettings> settings = WebSettingsStore::load();
    if (!settings) {
        wait.restore();
        MsgBox(QString::fromLatin1(kNoWebSettingsMessage), vbCritical);
        return;
    }
    QString why;
    if (!WriteWholeFile(request.fileName, BookingFormPage(*settings, today), &why)) {
        wait.restore();
        MsgBox(WriteFailureMessage(QStringLiteral("Unable to write to file."), request.fileName, why), vbCritical);
        return;
    }
    if (!FormHasServiceAddress(*settings)) {
        wait.restore();
        MsgBox(QString::fromLatin1(kNoFormServiceMessage), vbExclamation);
    }
}
