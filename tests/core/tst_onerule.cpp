// One rule for each kind of value, kept by every window that shows or takes
// it: each slot walks all the windows of one kind of value.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "booking/bookingwizard.h"
#include "booking/frmfindbooking.h"
#include "booking/frminvoiceitemadd.h"
#include "calendar/calendar.h"
#include "calendar/frmbookinghistory.h"
#include "calendar/frmbookingsummary.h"
#include "config/configwizard.h"
#include "config/frmaddtaxrate.h"
#include "config/frmchargeableitemadd.h"
#include "config/frmconfigrooms.h"
#include "config/frmroomadd.h"
#include "config/frmroomnotes.h"
#include "config/frmterminology.h"
#include "config/frmwizconfig_charges.h"
#include "config/frmwizconfig_rooms.h"
#include "widgets/dateboxes.h"
#include "core/db.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "widgets/lists.h"
#include "widgets/mainview.h"
#include "core/modmain.h"
#include "core/numberinput.h"
#include "core/settings.h"
#include "core/invoicetotals.h"
#include "reports/frmaddcommissionpayment.h"
#include "reports/frmreservationquickview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTextDocument>

namespace {

// What a caption shows: an access-key marker is no character, "&&" one "&".
QString withoutMarkers(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// A tip shows rich text when its text looks like markup.
QString tipShown(const QString& tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument doc;
    doc.setHtml(tip);
    return doc.toPlainText();
}

// The text a caption shows, and the text it was given; rich text is never
// laid out here (a title may name /dev/zero as an image).
struct Caption {
    QString given, shown;
    QString where;
};

QList<Caption> captionsOf(const QWidget* root)
{
    QList<Caption> out;
    const QString window = root->objectName().isEmpty() ? QString::fromLatin1(root->metaObject()->className())
                                                        : root->objectName();
    for (const QLabel* l : root->findChildren<QLabel*>()) {
        const bool rich = l->textFormat() == Qt::RichText
                          || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
        QString shown = rich ? QStringLiteral("<shown as rich text>")
                             : l->buddy() ? withoutMarkers(l->text()) : l->text();
        // A label too narrow for its text shows it whole in its tip.
        if (!l->toolTip().isEmpty())
            shown += u'\n' + tipShown(l->toolTip());
        out << Caption{l->text(), shown, window + u'/' + l->objectName()};
    }
    for (const QAbstractButton* b : root->findChildren<QAbstractButton*>())
        out << Caption{b->text(), withoutMarkers(b->text()), window + u'/' + b->objectName()};
    for (const QGroupBox* g : root->findChildren<QGroupBox*>())
        out << Caption{g->title(), withoutMarkers(g->title()), window + u'/' + g->objectName()};
    for (const QAction* a : root->findChildren<QAction*>())
        out << Caption{a->text(), withoutMarkers(a->text()), window + u'/' + a->objectName()};
    // The tips of the cells of lists and grids.
    for (const QAbstractItemView* v : root->findChildren<QAbstractItemView*>()) {
        const QAbstractItemModel* m = v->model();
        for (int r = 0; m && r < std::min(m->rowCount(), 20); ++r)
            for (int c = 0; c < m->columnCount(); ++c) {
                const QString tip = m->index(r, c).data(Qt::ToolTipRole).toString();
                if (!tip.isEmpty())
                    out << Caption{tip, tipShown(tip), window + u'/' + v->objectName() + QStringLiteral(" tip")};
            }
    }
    return out;
}

// Every caption given the word shows it whole; the number that show it.
int showsWhole(const QWidget* root, const QString& word)
{
    int showing = 0;
    const QString doubled = QString(word).replace(u'&', QLatin1String("&&"));
    for (const Caption& c : captionsOf(root)) {
        if (!c.given.contains(word) && !c.given.contains(doubled))
            continue;
        if (!c.shown.contains(word))
            QTest::qFail(qPrintable(c.where + QStringLiteral(" shows ") + c.shown.left(80)), __FILE__, __LINE__);
        ++showing;
    }
    return showing;
}

// Leaves a box as the focus moving on would.
void leave(QWidget* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

void typeOver(QWidget* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text) {
        // As a keyboard sends them: a shift key before a capital.
        if (c.isUpper())
            QTest::keyPress(box, Qt::Key_Shift);
        QTest::keyClick(box, c.toLatin1());
    }
    leave(box);
}

QString rowsOf(const char* table)
{
    QString out;
    Query q = objConn.query(QStringLiteral("SELECT * FROM %1 ORDER BY id").arg(QLatin1String(table)));
    while (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            out += q.text(i) + u'|';
    return out;
}

}  // namespace

class TestOneRule : public DbTest {
    Q_OBJECT

private slots:
    void init() { resetInUsEnglish(); }

    void dateAndTimeBoxes();
    void numbersByKind();
    void amountBoxesTakeWhatTheyShow_data();
    void amountBoxesTakeWhatTheyShow();
    void ratesShowAsCharged();
    void captionsShowWordsWhole();
};

// ---- Dates and times -------------------------------------------------------

void TestOneRule::dateAndTimeBoxes()
{
    // No design keeps a box of its own.
    for (QDirIterator it(QStringLiteral(SOURCE_DIR "/src"), {QStringLiteral("*.ui")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray ui = f.readAll();
        for (const char* plain : {"\"QDateEdit\"", "\"QTimeEdit\"", "\"QDateTimeEdit\""})
            QVERIFY2(!ui.contains(QByteArray("<widget class=") + plain), qPrintable(f.fileName()));
    }

    // Every box of every window that has them reads what is typed whole.
    showMain();
    mainView().AddReservation();
    frmFindBooking find(main);
    frmTerminology options(QStringLiteral("Zip Code"), QStringLiteral("Sales Tax"), main);
    frmAddCommissionPayment payment(-1, -1, main);
    frmReservationQuickView quickView(QDate(2026, 11, 9), main);
    int dates = 0, times = 0;
    QSet<QDateTimeEdit*> seen;
    for (QWidget* window : QList<QWidget*>{&find, &options, &payment, &quickView, main}) {
        for (QDateTimeEdit* box : window->findChildren<QDateTimeEdit*>()) {
            if (seen.contains(box))
                continue;
            seen.insert(box);
            const QByteArray where = window->metaObject()->className() + QByteArray("/") + box->objectName().toLatin1();
            if (qobject_cast<DateBox*>(box)) {
                ++dates;
                box->setDate(QDate(2026, 11, 9));
                QCOMPARE(box->text(), QStringLiteral("11/9/2026"));
                for (const char* typed : {"3/2/2003", "3/2/03", "Sunday, March 2, 2003"}) {
                    typeOver(box, QString::fromLatin1(typed));
                    QVERIFY2(box->date() == QDate(2003, 3, 2), where + ' ' + typed);
                    QCOMPARE(box->text(), QStringLiteral("3/2/2003"));
                }
                // A day the month has not is refused like any other text.
                for (const char* refused : {"13/45/2003", "2/30/2027", "4/31/2027", "2/29/2023"}) {
                    typeOver(box, QString::fromLatin1(refused));
                    QVERIFY2(box->date() == QDate(2003, 3, 2) && box->text() == QStringLiteral("3/2/2003"),
                             where + ' ' + refused);
                }
            } else if (qobject_cast<TimeBox*>(box)) {
                ++times;
                for (const char* typed : {"2:00 PM", "14:00", "2 pm", "2:00PM"}) {
                    box->setTime(QTime(9, 0));
                    QCOMPARE(box->text(), QStringLiteral("9:00 AM"));
                    typeOver(box, QString::fromLatin1(typed));
                    QVERIFY2(box->time() == QTime(14, 0), where + ' ' + typed);
                    QCOMPARE(box->text(), QStringLiteral("2:00 PM"));
                }
                typeOver(box, QStringLiteral("25:00"));
                QVERIFY2(box->time() == QTime(14, 0) && box->text() == QStringLiteral("2:00 PM"), where);
            } else {
                QFAIL(where + " is a box of its own");
            }
        }
    }
    // The booking's dates and times, the find and export ranges, the payment
    // day, the calendar's and the chart's day; check-in and check-out.
    QCOMPARE(dates, 9);
    QCOMPARE(times, 4);

    // Tab leaves a box whole, and the time typed after it books that hour.
    auto* fromDate = control<DateBox>(wizard(), "dtFromDate");
    auto* fromTime = control<TimeBox>(wizard(), "dtFromTime");
    fromDate->setDate(QDate(2027, 5, 3));
    fromTime->setTime(QTime(9, 0));
    control<DateBox>(wizard(), "dtToDate")->setDate(QDate(2027, 5, 5));
    fromDate->setFocus();
    QTest::keyClick(fromDate, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(fromTime));
    QTest::keyClicks(fromTime, QStringLiteral("2:00 PM"));
    QTest::keyClick(fromTime, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(control<DateBox>(wizard(), "dtToDate")));
    QCOMPARE(fromDate->date(), QDate(2027, 5, 3));
    const qint32 id = iBookingID;
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(objConn.scalar(QStringLiteral("SELECT fromdate FROM booking WHERE id = ?"), {id}).toString(),
             QStringLiteral("2027-05-03 14:00:00"));
}

// ---- Numbers -----------------------------------------------------------------

void TestOneRule::numbersByKind()
{
    showMain();
    const qint32 account = insertRow("commission", {{"name", QStringLiteral("Agent")}});
    const qint32 unit = insertRow("room", {{"name", QStringLiteral("Blue")}, {"CommissionID", account},
                                           {"CommissionPercentage", 10}, {"TaxRateID", 2}});
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    auto stored = [] {
        return rowsOf("taxrate") + rowsOf("room") + rowsOf("item") + ConfigText(QStringLiteral("CostPerNight"), {})
               + ConfigText(QStringLiteral("Tip"), {});
    };

    // Each box of a kind, in the window that takes it.
    int screen = 4;
    bool cancelled = false;
    WizardRun run{screen, cancelled, 6};
    WizConfigCopies copies = ConfigWizard::Load(QStringLiteral("Zip Code"), QStringLiteral("Sales Tax"));
    auto options = [&] { return new frmTerminology(QStringLiteral("Zip Code"), QStringLiteral("Sales Tax"), main); };
    auto editor = [&] { return new frmRoomAdd(unit, main); };
    auto charges = [&] { return new frmWizConfig_Charges(run, copies, main); };
    const struct {
        std::function<QDialog*()> open;
        const char* box;
        const char* caption;    // none: the window's own message for the box
        bool percentage;
    } boxes[] = {
        {options, "txtSalesTax", "Sales Tax Percentage", true},
        {options, "txtSalesTax2", "2nd Sales Tax Percentage", true},
        {options, "txtTip", "Gratuity Percentage", true},
        {options, "txtCostPerNight", "Default Cost Per Night", false},
        {[&] { return new frmAddTaxRate(2, main); }, "txtPercentage", "Percentage", true},
        {editor, "txtCommissionPercentage", "Commission Percentage", true},
        {editor, "txtHighWeekendPrice", "High Season Weekend Price", false},
        {[&] { return new frmChargeableItemAdd(-1, main); }, "txtSalePrice", "Sale Price", false},
        {charges, "txtSalesTax2", nullptr, true},
        {charges, "txtName", nullptr, false},
    };
    const QString wizardMessage = QStringLiteral("An incorrect amount has been entered. Please enter an amount to continue.");
    for (const auto& b : boxes) {
        const QString caption = b.caption ? QString::fromLatin1(b.caption) : QString();
        // Each amount box here is a price: below zero is refused too, and so
        // is text that is no number.
        const QStringList refused = b.percentage
                                        ? QStringList{"-5", "150", "1000", "99999999999999", "100.5", "lots"}
                                        : QStringList{"100,000,000,000.01", "-$100,000,000,001", "100000000001", "-1",
                                                      "-$0.01", "lots", "1,2,3"};
        // The window with every other box filled in as it takes it.
        auto open = [&b] {
            std::unique_ptr<QDialog> d(b.open());
            if (auto* tax2 = d->findChild<QCheckBox*>(QStringLiteral("chkEnableTax2")))
                tax2->setChecked(true);
            if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("txtName")); name && name->text().isEmpty()
                && QByteArray(b.box) != "txtName")
                name->setText(QStringLiteral("Named"));
            d->show();
            return d;
        };
        for (const QString& text : refused) {
            std::unique_ptr<QDialog> d = open();
            const QString before = stored();
            fakes().messageBoxes->clear();
            control<QLineEdit>(d.get(), b.box)->setText(text);
            control<QPushButton>(d.get(), b.caption ? "cmdOK" : "cmdNext")->click();
            const QString where = caption + u' ' + text;
            QVERIFY2(d->isVisible() && d->result() != QDialog::Accepted, qPrintable(where));
            QVERIFY2(stored() == before, qPrintable(where));
            QCOMPARE(fakes().messageBoxes->shown.size(), 1);
            const QString amountRefusal = text.startsWith(u'-') && text.size() < 7 ? NegativeAmountRefusal(caption)
                                          : text.contains(u'0')                 ? AmountRefusal(caption)
                                                                                : NumberRefusal(caption);
            QCOMPARE(fakes().messageBoxes->lastPrompt(),
                     !b.caption ? wizardMessage : b.percentage ? PercentageRefusal(caption) : amountRefusal);
            QCOMPARE(d->focusWidget(), static_cast<QWidget*>(control<QLineEdit>(d.get(), b.box)));
        }
        // An empty box is "0" without a word where the window says so, else
        // the window's message.
        std::unique_ptr<QDialog> d = open();
        fakes().messageBoxes->clear();
        control<QLineEdit>(d.get(), b.box)->setText(QString());
        control<QPushButton>(d.get(), b.caption ? "cmdOK" : "cmdNext")->click();
        if (b.caption) {
            QVERIFY2(!d->isVisible() && fakes().messageBoxes->shown.isEmpty(), b.box);
            QCOMPARE(control<QLineEdit>(d.get(), b.box)->text(), QStringLiteral("0"));
        } else {
            QCOMPARE(fakes().messageBoxes->lastPrompt(), wizardMessage);
        }
    }
    // A cost per night is kept as typed once it reads as an amount.
    {
        frmTerminology d(QStringLiteral("Zip Code"), QStringLiteral("Sales Tax"), main);
        control<QLineEdit>(&d, "txtCostPerNight")->setText(QStringLiteral("95.50"));
        control<QPushButton>(&d, "cmdOK")->click();
        QCOMPARE(ConfigText(QStringLiteral("CostPerNight"), {}), QStringLiteral("95.50"));
        QCOMPARE(CostPerNight(), money("95.5"));
    }

    // Tip and Amount Paid beyond the largest amount: refused as the box is
    // left, and the totals and the balance beside them agree.
    mainView().AddReservation();
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingStep, 3);
    auto* tip = control<QLineEdit>(wizard(), "txtTip");
    auto* paid = control<QLineEdit>(wizard(), "txtAmountPayed");
    auto* total = control<QLineEdit>(wizard(), "txtTotalPayable");
    auto* balance = control<QLineEdit>(wizard(), "txtBalanceDue");
    auto agree = [&] {
        Money t, p, due;
        QVERIFY(Fmt::parseCurrency(total->text(), &t) || total->text().startsWith(u'$'));
        QVERIFY(Fmt::parseCurrency(paid->text(), &p));
        QVERIFY(Fmt::parseCurrency(balance->text(), &due));
        QCOMPARE(due, t - p);
    };
    insertRow("invoiceline", {{"bookingid", iBookingID}, {"itemid", 2}, {"quantity", 1}, {"name", "Extra"},
                              {"amount", dbValue(money("10"))}, {"taxratepercentage", 0}});
    typeOver(tip, QStringLiteral("0"));
    typeOver(paid, QStringLiteral("$20.00"));
    QCOMPARE(total->text(), QStringLiteral("$10.00"));
    agree();
    // The largest tip is what the total can still take.
    const Money top = Money::fromUnits(Money::kMaxUnits);
    for (const auto& [big, largest] : {std::pair{"100,000,000,000.01", top}, std::pair{"100000000000", top - money("10")}}) {
        const QString shownTotal = total->text();
        fakes().messageBoxes->clear();
        typeOver(tip, QString::fromLatin1(big));
        QCOMPARE(fakes().messageBoxes->lastPrompt(), AmountRefusal(QStringLiteral("Tip"), largest));
        QCOMPARE(tip->text(), QStringLiteral("$0.00"));
        QCOMPARE(total->text(), shownTotal);
        agree();
    }
    fakes().messageBoxes->clear();
    typeOver(paid, QStringLiteral("-100,000,000,000.01"));
    QCOMPARE(fakes().messageBoxes->lastPrompt(), AmountRefusal(QStringLiteral("Amount Paid")));
    QCOMPARE(paid->text(), QStringLiteral("$20.00"));
    agree();
}

// ---- Amount boxes ------------------------------------------------------------

void TestOneRule::amountBoxesTakeWhatTheyShow_data()
{
    QTest::addColumn<QString>("locale");
    // Where the locale has no currency symbol its code stands in; fa_IR puts
    // direction marks around the number and its sign.
    for (const char* locale : {"en_US", "en_CH", "it_CH", "fa_IR", "de_DE"})
        QTest::newRow(locale) << QString::fromLatin1(locale);
}

void TestOneRule::amountBoxesTakeWhatTheyShow()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    showMain();
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);

    // A window opened on stored amounts and closed with OK stores every one
    // as it was, to the last decimal.
    const QVariant odd = dbValue(money("120.1234"));
    const qint32 unit = insertRow("room", {{"name", QStringLiteral("Blue")}, {"UnitPrice", odd},
                                           {"LowUnitPrice", dbValue(money("99.5"))}, {"HighUnitPrice", odd},
                                           {"LowWeekendPrice", dbValue(money("1234567.89"))},
                                           {"HighWeekendPrice", dbValue(money("0.0001"))},
                                           {"ChargeForEach", QStringLiteral("Night")}, {"TaxRateID", 2}});
    const qint32 item = insertRow("item", {{"name", QStringLiteral("Wine")}, {"SaleAmount", odd}, {"TaxRateID", 2},
                                           {"IsDefault", 0}});
    const qint32 account = insertRow("commission", {{"name", QStringLiteral("Agent")}});
    const qint32 paid = insertRow("commissionPayment", {{"commissionid", account}, {"amount", odd},
                                                        {"submitteddate", QStringLiteral("2027-01-05 00:00:00")}});
    const QString stored = rowsOf("room") + rowsOf("item") + rowsOf("commissionPayment");
    for (QDialog* d : std::initializer_list<QDialog*>{new frmRoomAdd(unit, main), new frmChargeableItemAdd(item, main),
                                                      new frmAddCommissionPayment(paid, -1, main)}) {
        std::unique_ptr<QDialog> owned(d);
        d->show();
        fakes().messageBoxes->clear();
        control<QPushButton>(d, "cmdOK")->click();
        QVERIFY2(!d->isVisible() && fakes().messageBoxes->shown.isEmpty(), d->metaObject()->className());
    }
    QCOMPARE(rowsOf("room") + rowsOf("item") + rowsOf("commissionPayment"), stored);

    // The payment page reads its own texts: the booking goes on with the
    // stored tip and amount paid.
    mainView().AddReservation();
    const qint32 booking = iBookingID;
    objConn.execute(QStringLiteral("UPDATE booking SET Tip = ?, AmountPayed = ? WHERE id = ?"),
                    {dbValue(money("2.3456")), dbValue(money("10")), booking});
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingStep, 3);
    auto* tip = control<QLineEdit>(wizard(), "txtTip");
    auto* amountPaid = control<QLineEdit>(wizard(), "txtAmountPayed");
    auto* total = control<QLineEdit>(wizard(), "txtTotalPayable");
    auto* balance = control<QLineEdit>(wizard(), "txtBalanceDue");
    QCOMPARE(tip->text(), Fmt::currency(money("2.3456")));
    // The invoice shows its prices whole, a currency's code too.
    auto* invoice = control<QTableWidget>(wizard(), "gNewInvoice");
    QVERIFY(invoice->rowCount() > 0);
    for (int row = 0; row < invoice->rowCount(); ++row)
        for (int column : {2, 4})
            QVERIFY2(invoice->fontMetrics().horizontalAdvance(invoice->item(row, column)->text())
                         < invoice->columnWidth(column),
                     qPrintable(invoice->item(row, column)->text()));

    // What the box does not take is refused as it is left, and the box shows
    // its amount again: no number, below zero (a tip), too large.
    const struct {
        QLineEdit* box;
        const char* caption;
        const char* typed;
        QString refusal;   // none: taken
    } cases[] = {
        {tip, "Tip", "abc", NumberRefusal(QStringLiteral("Tip"))},
        {tip, "Tip", "-1", NegativeAmountRefusal(QStringLiteral("Tip"))},
        {tip, "Tip", "100000000001", AmountRefusal(QStringLiteral("Tip"))},
        {amountPaid, "Amount Paid", "abc", NumberRefusal(QStringLiteral("Amount Paid"))},
        {amountPaid, "Amount Paid", "100000000001", AmountRefusal(QStringLiteral("Amount Paid"))},
        // Money handed back: the balance grows by it.
        {amountPaid, "Amount Paid", "-1", QString()},
    };
    for (const auto& c : cases) {
        const QString where = QString::fromLatin1(c.caption) + u' ' + QString::fromLatin1(c.typed);
        const QString shown = c.box->text();
        const QString shownTotal = total->text();
        fakes().messageBoxes->clear();
        typeOver(c.box, QString::fromLatin1(c.typed));
        if (c.refusal.isEmpty()) {
            QVERIFY2(fakes().messageBoxes->shown.isEmpty(), qPrintable(where));
            QCOMPARE(c.box->text(), Fmt::currency(money("-1")));
        } else {
            QCOMPARE(fakes().messageBoxes->shown.size(), 1);
            QCOMPARE(fakes().messageBoxes->lastPrompt(), c.refusal);
            QCOMPARE(c.box->text(), shown);
        }
        QCOMPARE(total->text(), shownTotal);
        Money t, p, due;
        QVERIFY2(Fmt::parseCurrency(total->text(), &t) && Fmt::parseCurrency(amountPaid->text(), &p)
                     && Fmt::parseCurrency(balance->text(), &due),
                 qPrintable(where));
        QCOMPARE(due, t - p);
    }

    // The invoice line dialog refuses in the words of every other window; a
    // line below zero is a discount.
    {
        frmInvoiceItemAdd d(booking, std::nullopt, main);
        d.show();
        SelectCombo(control<QComboBox>(&d, "cboTaxRate"), QStringLiteral("User Defined"));
        control<QLineEdit>(&d, "txtNewItem")->setText(QStringLiteral("Discount"));
        const struct {
            const char* quantity;
            const char* percentage;
            const char* price;
            QString refusal;
        } lines[] = {
            {"1", "150", "5", PercentageRefusal(QStringLiteral("Tax Rate Percentage"))},
            {"1", "-5", "5", PercentageRefusal(QStringLiteral("Tax Rate Percentage"))},
            {"1", "abc", "5", NumberRefusal(QStringLiteral("Tax Rate Percentage"))},
            {"1", "0", "abc", NumberRefusal(QStringLiteral("Unit Price"))},
            {"1", "0", "", NumberRefusal(QStringLiteral("Unit Price"))},
            {"1", "0", "100000000001", AmountRefusal(QStringLiteral("Unit Price"))},
            // The line's total must be held too: the largest price for 4.
            {"4", "0", "25000000001", AmountRefusal(QStringLiteral("Unit Price"), Money::fromUnits(25'000'000'000))},
            {"1", "0", "-5", QString()},
        };
        for (const auto& l : lines) {
            control<QLineEdit>(&d, "txtQuantity")->setText(QString::fromLatin1(l.quantity));
            control<QLineEdit>(&d, "txtTaxRatePercentage")->setText(QString::fromLatin1(l.percentage));
            control<QLineEdit>(&d, "txtUnitPrice")->setText(QString::fromLatin1(l.price));
            fakes().messageBoxes->clear();
            control<QPushButton>(&d, "cmdOk")->click();
            if (l.refusal.isEmpty()) {
                QVERIFY(fakes().messageBoxes->shown.isEmpty() && d.result() == QDialog::Accepted);
            } else {
                QCOMPARE(fakes().messageBoxes->lastPrompt(), l.refusal);
                QVERIFY(d.isVisible());
            }
        }
    }
    QCOMPARE(Money::fromDb(objConn.scalar(QStringLiteral("SELECT amount FROM invoiceline WHERE bookingid = ? AND "
                                                         "name = 'Discount'"),
                                          {booking})),
             money("-5"));

    // Next takes the page as it shows: the stored tip to its last decimal.
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingStep, 4);
    Query q = objConn.query(QStringLiteral("SELECT Tip, AmountPayed FROM booking WHERE id = ?"), {booking});
    QVERIFY(q.next());
    QCOMPARE(Money::fromDb(q.value(0)), money("2.3456"));
    QCOMPARE(Money::fromDb(q.value(1)), money("-1"));
}

// ---- Rates of older files ------------------------------------------------------

void TestOneRule::ratesShowAsCharged()
{
    // A rate below 0, which the program no longer takes, counts as no tax:
    // shown as charged, on the invoice and in every total.
    SaveConfigFlag(QStringLiteral("EnabledSalesTax2"), true);
    showMain();
    objConn.execute(QStringLiteral("UPDATE taxrate SET percentage = -5 WHERE id IN (2, 3)"));
    const QVariant price = dbValue(money("100"));
    insertRow("room", {{"name", QStringLiteral("Blue")}, {"UnitPrice", price}, {"LowUnitPrice", price},
                       {"HighUnitPrice", price}, {"LowWeekendPrice", price}, {"HighWeekendPrice", price},
                       {"ChargeForEach", QStringLiteral("Night")}, {"TaxRateID", 2}});
    mainView().AddReservation();
    const qint32 id = iBookingID;
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(wizard(), "cmdNext_0"), Qt::LeftButton);
    QCOMPARE(iBookingStep, 3);
    auto* g = control<QTableWidget>(wizard(), "gNewInvoice");
    QCOMPARE(GridRowCount(g), 1);
    QVERIFY2(GridText(g, 0, 3).endsWith(QStringLiteral("(0%)")), qPrintable(GridText(g, 0, 3)));
    QCOMPARE(control<QLabel>(wizard(), "lblSalesTax")->text(), QStringLiteral("$0.00"));
    QCOMPARE(control<QLabel>(wizard(), "lblSalesTax2")->text(), QStringLiteral("$0.00"));
    QCOMPARE(control<QLabel>(wizard(), "lblSalesTaxPercentage2")->text(), QStringLiteral("0%"));
    const BookingTotals t = CalcTotal(id);
    QCOMPARE(t.salesTax1, Money());
    QCOMPARE(t.salesTax2, Money());
    QCOMPARE(t.cTotalPayable, control<QLineEdit>(wizard(), "txtTotalPayable")->text());
}

// ---- Words in captions -----------------------------------------------------------

void TestOneRule::captionsShowWordsWhole()
{
    showMain();
    SaveConfigFlag(QStringLiteral("EnableCustomField"), true);
    SaveConfigFlag(QStringLiteral("EnableCommission"), true);
    Calendar cal;
    cal.resize(900, 500);
    cal.ConnectDatabase();
    cal.Setup();
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));

    QStringList words = hostileTexts();
    words << QStringLiteral("B&B") << QStringLiteral("Bed && Breakfast");
    for (const QString& word : words) {
        const QByteArray w = word.left(40).toUtf8();
        objConn.execute(QStringLiteral("DELETE FROM bookingroom"));
        objConn.execute(QStringLiteral("DELETE FROM room"));
        gsCommoditySingular = word;
        gsCommodityPlural = word + u's';
        SaveConfigText(QStringLiteral("CustomFieldTitle"), word);
        const qint32 unit = insertRow("room", {{"name", word}, {"notes", word}});
        const qint32 guest = insertRow("customer", {{"FirstName", word}, {"LastName", word}, {"City", word}});
        const qint32 id = insertRow("booking", {{"customerid", guest}, {"fromdate", "2025-03-10 14:00:00"},
                                                {"todate", "2025-03-12 10:00:00"}, {"PaymentMethod", word}});
        insertRow("bookingroom", {{"bookingid", id}, {"roomid", unit}});

        // The main window: menus, step label, the units and customer steps,
        // the calendar and the reports panel.
        main->UpdateCommodityNameInGUI();
        main->mnuReports_Click();
        int shown = showsWhole(main, word);
        iBookingID = id;
        for (int step : {1, 2, 4}) {
            iBookingStep = step;
            mainView().AddReservation();
            shown += showsWhole(main, word);
        }
        QVERIFY2(shown >= 12, w);

        // The windows that name the unit, and those that show a stored name.
        int screen = 5;
        bool cancelled = false;
        WizardRun run{screen, cancelled, 6};
        WizConfigCopies copies = ConfigWizard::Load(QStringLiteral("Zip Code"), QStringLiteral("Sales Tax"));
        frmConfigRooms units(main);
        frmRoomNotes notes(main);
        frmRoomAdd editor(unit, main);
        frmTerminology options(QStringLiteral("Zip Code"), QStringLiteral("Sales Tax"), main);
        frmWizConfig_Rooms wizardUnits(run, copies, main);
        frmBookingSummary summary(id, main);
        frmBookingHistory history(guest, main);
        for (QWidget* window : QList<QWidget*>{&units, &notes, &editor, &options, &wizardUnits, &summary, &history})
            QVERIFY2(showsWhole(window, word) >= 1, w + ' ' + window->metaObject()->className());

        // The calendar's tip over the booked cell.
        cal.InitHeaders();
        cal.dtDate = QDate(2025, 3, 10);
        cal.Refresh();
        auto* g = control<QTableView>(&cal, "g");
        const QPoint at = g->visualRect(g->model()->index(0, 1)).center();
        QMouseEvent move(QEvent::MouseMove, at, g->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(g->viewport(), &move);
        QVERIFY2(showsWhole(&cal, word) >= 1, w);
        if (QTest::currentTestFailed())
            return;
    }
}

TARLOMY_GUI_TEST_MAIN(TestOneRule)
#include "tst_onerule.moc"
