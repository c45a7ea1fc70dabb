#include "booking/paymentpage.h"

#include "core/bookingstore.h"
#include "core/bookingunitstore.h"
#include "core/configrecords.h"
#include "core/invoicelinestore.h"
#include "core/format.h"
#include "widgets/grid.h"
#include "widgets/amountbox.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/numberinput.h"
#include "widgets/panellayout.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settingkeys.h"
#include "widgets/twips.h"
#include "widgets/plaintext.h"
#include "booking/frminvoiceitemadd.h"
#include "core/invoicelines.h"
#include "core/invoicetotals.h"
#include "ui_paymentpage.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLocale>
#include <vector>

namespace {

// The tip is never below zero; the amount paid and the commission may be.
Sign signOf(const QLineEdit* box, const QLineEdit* tip)
{
    return box == tip ? Sign::NotNegative : Sign::Any;
}

// False when the text is no amount the box takes.
bool boxAmount(const QLineEdit* box, Money* out, Sign sign = Sign::Any)
{
    return ReadAmountBox(box, out, sign) == Typed::Number;
}

void focusIfPossible(QWidget* w)
{
    if (w->isEnabled() && w->isVisibleTo(w->window()))
        w->setFocus(Qt::OtherFocusReason);
}

// The commission percentage is the last commissioned unit's.
void takeCommissionPercentage(const std::vector<PricedUnit>& units, double& percentage)
{
    for (const PricedUnit& u : units)
        if (u.hasCommission)
            percentage = u.commissionPercentage;
}

// The item data of a method that is no longer configured, listed for the
// booking that was stored with it.
constexpr qint64 kMethodNotListed = -1;

}  // namespace

PaymentPage::PaymentPage(QWidget* parent) : WizardPage(parent), ui(new Ui::PaymentPage)
{
    ui->setupUi(this);
    // Names, notes and other stored texts show as typed.
    ShowLabelsAsPlainText(this);
    OnFocusLeave(ui->txtTip, [this] { txtTip_LostFocus(); });
    OnFocusLeave(ui->txtAmountPayed, [this] { txtAmountPayed_Leave(); });
    OnFocusLeave(ui->txtBalanceDue, [this] { txtBalanceDue_LostFocus(); });
    OnFocusLeave(ui->txtCommission, [this] { txtCommission_Leave(); });
    OnFocusLeave(ui->txtTotalPayable, [this] { txtTotalPayable_LostFocus(); });
    connect(ui->txtCommission, &QLineEdit::textEdited, this, [this] { m_commissionTyped = true; });
    connect(ui->cboPaymentMethod, &QComboBox::currentIndexChanged, this, guarded(this, &PaymentPage::cboPaymentMethod_Click));
    connect(ui->cmdPaidInFull, &QPushButton::clicked, this, guarded(this, &PaymentPage::cmdPaidInFull_Click));
    connect(ui->cmdAddOrderItem, &QPushButton::clicked, this, guarded(this, &PaymentPage::cmdAddOrderItem_Click));
    connect(ui->cmdEditOrderItem, &QPushButton::clicked, this, guarded(this, &PaymentPage::cmdEditOrderItem_Click));
    connect(ui->cmdDeleteOrderItem, &QPushButton::clicked, this, guarded(this, &PaymentPage::cmdDeleteOrderItem_Click));
    connect(ui->gNewInvoice, &QTableWidget::cellDoubleClicked, this, guarded(this, &PaymentPage::gNewInvoice_DblClick));
}

PaymentPage::~PaymentPage()
{
    delete ui;
}

void PaymentPage::InitInvoiceHeader()
{
    QTableWidget* g = ui->gNewInvoice;
    const Qt::Alignment leftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment rightMiddle = Qt::AlignRight | Qt::AlignVCenter;
    SetGridHeader(g, {{QStringLiteral("Qty"), Qt::AlignHCenter | Qt::AlignTop, 400},
                      {QStringLiteral("Name"), leftMiddle, 2400},
                      {QStringLiteral("Sale Price"), rightMiddle, 1040},
                      {QStringLiteral("Tax Rate"), leftMiddle, 1040},
                      {QStringLiteral("Item Total"), rightMiddle, 1200}});
    int sum = 0;
    for (int i = 0; i < g->columnCount(); ++i)
        sum += GridColWidth(g, i);
    const int gridWidth = GridCellsWidth(g);
    if (gridWidth - sum > 0)
        SetGridColWidth(g, 1, gridWidth + GridColWidth(g, 1) - sum - 100);
}

void PaymentPage::Form_Resize()
{
    using namespace PanelLayout;
    QWidget* picNewInvoiceBut1 = ui->picNewInvoiceBut1;
    setLeft(picNewInvoiceBut1, widthOf(this) - widthOf(picNewInvoiceBut1));
    setWidth(ui->gNewInvoice, widthOf(this) - widthOf(picNewInvoiceBut1) - 100);
    FitGridColumn(ui->gNewInvoice, 1, 350);
}

void PaymentPage::SetCommissionVisible(bool visible)
{
    ui->picBookingCommission->setVisible(visible);
}

void PaymentPage::FillPaymentMethods()
{
    QComboBox* c = ui->cboPaymentMethod;
    const int chosen = c->currentIndex();
    const QString text = chosen >= 0 ? c->currentText() : QString();
    // A method no longer configured stays only for the booking on the page.
    const bool keepUnlisted = chosen >= 0 && isVisible() && iBookingID != 0;
    ComboClear(c);
    for (const NamedRow& method : PaymentMethodRecord::listed())
        ComboAdd(c, method.name, method.id);
    if (chosen < 0)
        return;
    const int found = c->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (found >= 0) {
        c->blockSignals(true);
        c->setCurrentIndex(found);
        c->blockSignals(false);
    } else if (keepUnlisted) {
        ComboAdd(c, text, kMethodNotListed);
        c->blockSignals(true);
        c->setCurrentIndex(c->count() - 1);
        c->blockSignals(false);
    }
    cboPaymentMethod_Click();
}

void PaymentPage::SelectStoredMethod(const QString& method)
{
    QComboBox* c = ui->cboPaymentMethod;
    // The method of a booking shown before is no one else's.
    for (int i = c->count() - 1; i >= 0; --i)
        if (ComboItemData(c, i) == kMethodNotListed) {
            const bool wasChosen = c->currentIndex() == i;
            c->blockSignals(true);
            c->removeItem(i);
            if (wasChosen)
                c->setCurrentIndex(-1);
            c->blockSignals(false);
        }
    if (!method.isEmpty() && c->findText(method, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        ComboAdd(c, method, kMethodNotListed);
    SelectCombo(c, method);
}

// ---- Showing and saving the page -----------------------------------------

void PaymentPage::ShowPage()
{
    LoadPage(true);
}

bool PaymentPage::ShowStoredPage()
{
    if (!InvoiceLineStore::hasLines(iBookingID))
        return false;
    LoadPage(false);
    return true;
}

void PaymentPage::LoadPage(bool askAboutDates)
{
    ComboClear(ui->cboAccount);
    ComboAdd(ui->cboAccount, QStringLiteral("No Commission"), CommissionAccountId::None);
    for (const NamedRow& account : CommissionAccountRecord::listed())
        ComboAdd(ui->cboAccount, account.name, account.id);

    lBookingCommissionID = CommissionAccountId::None;
    dBookingCommissionPercentage = 0;
    m_commissionTyped = false;
    Money cCommisionAmount;
    // A stored commission is kept unless pricing the stay again changed the total.
    bool repriced = false;
    Money totalBefore;

    const std::optional<BookingRecord> b = BookingStore::read(iBookingID);
    if (b) {
        const Stay stay{iBookingID, b->from, b->to, qint32(b->noAdults.toLongLong()),
                        int(b->from.date().daysTo(b->to.date()))};
        cCommisionAmount = b->commissionAmount;
        if (b->commissionId)
            lBookingCommissionID = qint32(*b->commissionId);

        const std::vector<PricedUnit> units = BookingUnitStore::pricedUnitsOf(iBookingID);
        if (!InvoiceLineStore::hasLines(iBookingID)) {
            takeCommission(units);
            SeedInvoice(stay, units);
        } else if (askAboutDates
                   && MsgBox(QStringLiteral("Update existing booking dates?"), vbYesNo | vbQuestion) == vbYes) {
            takeCommission(units);
            totalBefore = TotalsOfLines(InvoiceLineStore::linesOf(iBookingID), b->tip, Money()).totalPayable;
            RepriceStay(stay, units);
            repriced = true;
        } else {
            // Lines kept as they are still earn the units' commission: without
            // the percentage, leaving the total would set the commission to 0.
            takeCommissionPercentage(units, dBookingCommissionPercentage);
        }

        ShowAmount(ui->txtTip, b->tip);
        RefreshNewInvoiceItemsList(1, 0);
        if (repriced
            && TotalsOfLines(InvoiceLineStore::linesOf(iBookingID), b->tip, Money()).totalPayable != totalBefore)
            cCommisionAmount = Money();

        SelectStoredMethod(b->paymentMethod);
        if (ui->cboPaymentMethod->currentIndex() < 0 && ui->cboPaymentMethod->count() > 2)
            SetListIndex(ui->cboPaymentMethod, 2);

        ShowAmount(ui->txtAmountPayed, b->amountPayed);
        ui->txtCreditCardNo->setText(b->creditCardNo);
        ui->txtCreditCardExpiry->setText(b->creditCardExpiry);
        ui->txtCreditCardType->setText(b->creditCardType);
    }

    txtAmountPayed_LostFocus();
    txtTotalPayable_LostFocus();
    // A commission stored with the booking wins over the computed one.
    if (!cCommisionAmount.isZero())
        ShowAmount(ui->txtCommission, cCommisionAmount);

    SelectCombo_ItemData(ui->cboAccount, QString::number(lBookingCommissionID));
    if (ui->cboAccount->currentIndex() < 0 && ui->cboAccount->count() > 0)
        SelectCombo_ItemData(ui->cboAccount, QString::number(CommissionAccountId::None));
}

void PaymentPage::takeCommission(const std::vector<PricedUnit>& units)
{
    // The account is the first commissioned unit's, unless the booking has one.
    for (const PricedUnit& u : units)
        if (u.hasCommission && lBookingCommissionID == CommissionAccountId::None)
            lBookingCommissionID = qint32(u.commissionID);
    takeCommissionPercentage(units, dBookingCommissionPercentage);
}

void PaymentPage::SavePage()
{
    BookingStore::Payment payment;
    payment.paymentMethod = ui->cboPaymentMethod->currentIndex() >= 0 ? ui->cboPaymentMethod->currentText() : QString();

    // An amount that is not a number keeps the value stored before.
    QStringList refused;
    const struct {
        std::optional<Money>* field;
        QLineEdit* box;
        const char* caption;
    } amounts[] = {{&payment.tip, ui->txtTip, "Tip"},
                   {&payment.amountPayed, ui->txtAmountPayed, "Amount Paid"},
                   {&payment.commissionAmount, ui->txtCommission, "Commission"}};
    for (const auto& a : amounts) {
        Money m;
        if (boxAmount(a.box, &m, signOf(a.box, ui->txtTip)))
            *a.field = m;
        else
            refused << QString::fromLatin1(a.caption);
    }

    const int account = ui->cboAccount->currentIndex();
    payment.commissionId = account >= 0 ? ComboItemData(ui->cboAccount, account) : CommissionAccountId::None;
    payment.creditCardNo = ui->txtCreditCardNo->text();
    payment.creditCardExpiry = ui->txtCreditCardExpiry->text();
    payment.creditCardType = ui->txtCreditCardType->text();
    BookingStore::savePayment(iBookingID, payment);

    for (const QString& caption : refused)
        MsgBox(QStringLiteral("The %1 entered is not a number, so the amount saved before was kept.").arg(caption),
               vbExclamation | vbOKOnly);
}

bool PaymentPage::CheckPreconditions()
{
    if (Config::CreditCardValidation.read()) {
        QString number = ui->txtCreditCardNo->text();
        number.remove(u' ').remove(u'-');
        if (!number.isEmpty() && !IsValidCreditCardNumber(number)) {
            MsgBox(QStringLiteral("Credit Card number is not valid. Please enter a valid Credit Card to continue."),
                   vbCritical | vbOKOnly);
            focusIfPossible(ui->txtCreditCardNo);
            return false;
        }
    }
    return CheckAmounts();
}

bool PaymentPage::CheckAmounts()
{
    const struct {
        QLineEdit* box;
        const char* caption;
    } amounts[] = {{ui->txtTip, "Tip"}, {ui->txtAmountPayed, "Amount Paid"}, {ui->txtCommission, "Commission"}};
    for (const auto& a : amounts) {
        Money m;
        const Typed read = ReadAmountBox(a.box, &m, signOf(a.box, ui->txtTip));
        const QString caption = QString::fromLatin1(a.caption);
        QString refusal;
        if (read != Typed::Number) {
            refusal = AmountRefusal(caption, read);
        } else if (a.box == ui->txtTip) {
            const Money largest = LargestTip();
            if (m > largest)
                refusal = AmountRefusal(caption, largest);
        }
        if (!refusal.isEmpty()) {
            MsgBox(refusal, vbCritical | vbOKOnly);
            focusIfPossible(a.box);
            return false;
        }
    }
    return true;
}

// ---- Invoice grid and totals ---------------------------------------------

void PaymentPage::RefreshNewInvoiceItemsList(int SelectRow, qint64 SelectID)
{
    QTableWidget* g = ui->gNewInvoice;
    g->setUpdatesEnabled(false);
    g->setRowCount(0);

    const QList<InvoiceLine> lines = InvoiceLineStore::linesOf(iBookingID);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    for (int i = 0; i < lines.size(); ++i) {
        const InvoiceLine& line = lines[i];
        const int row = GridAddRow(g, line.id, {});
        SetGridText(g, row, 0, Fmt::number(line.quantity), Qt::AlignCenter);
        SetGridText(g, row, 1, line.name, left);
        SetGridText(g, row, 2, Fmt::currency(line.amount), right);
        SetGridText(g, row, 3,
                    line.taxRateName + QStringLiteral(" (") + Fmt::number(line.chargedPercentage()) + QStringLiteral("%)"),
                    left);
        SetGridText(g, row, 4, Fmt::currency(line.itemTotal()), right);
        if (line.id == SelectID)
            SelectRow = i + 1;
    }

    ui->lblSalesTaxName_0->setText(FirstTaxName(lines));

    if (ui->txtTip->text().isEmpty())
        ShowAmount(ui->txtTip, Money());
    Money tip;
    if (boxAmount(ui->txtTip, &tip, Sign::NotNegative))
        m_tip = tip;

    const BookingTotals totals = TotalsOfLines(lines, m_tip, Money());
    ui->lblSubTotal->setText(totals.cSubTotal);
    ui->lblSalesTax->setText(totals.cSalesTax1);
    if (totals.salesTax2Enabled) {
        ui->lblSalesTax2->setText(totals.cSalesTax2);
        if (totals.salesTax2RateFound)
            ui->lblSalesTaxPercentage2->setText(Fmt::number(totals.salesTax2Percentage) + QStringLiteral("%"));
    }
    ShowAmount(ui->txtTotalPayable, totals.totalPayable);
    const bool totalChanged = totals.totalPayable != m_total;
    m_total = totals.totalPayable;
    if (totalChanged)
        ShowCommission();

    txtAmountPayed_LostFocus();

    // The prices and the tax rate show whole (a currency's code is wider than
    // its symbol); the name takes what the others leave.
    for (int column : {2, 3, 4})
        WidenGridColumnToText(g, column);
    FitGridColumn(g, 1, 350);
    GridReselect(g, SelectRow);
    g->setUpdatesEnabled(true);
}

// ---- Money boxes -----------------------------------------------------------

bool PaymentPage::TakesAmount(QLineEdit* box, const QString& caption)
{
    Money m;
    const Typed read = ReadAmountBox(box, &m, signOf(box, ui->txtTip));
    if (read == Typed::Number)
        return true;
    MsgBox(AmountRefusal(caption, read), vbCritical | vbOKOnly);
    ShowAmount(box, ShownAmount(box));
    return false;
}

Money PaymentPage::LargestTip() const
{
    const Money charges = TotalsOfLines(InvoiceLineStore::linesOf(iBookingID), Money(), Money()).totalPayable;
    return Money::fromUnits(Money::kMaxUnits) - charges;
}

void PaymentPage::txtAmountPayed_Leave()
{
    if (TakesAmount(ui->txtAmountPayed, QStringLiteral("Amount Paid")))
        txtAmountPayed_LostFocus();
}

void PaymentPage::txtAmountPayed_LostFocus()
{
    Money paid;
    if (!boxAmount(ui->txtAmountPayed, &paid))
        return;   // not an amount: the box and the balance stay as they are
    paid = paid.rounded(2);
    ShowAmount(ui->txtAmountPayed, paid);
    // From the total as shown, whatever its size.
    ShowAmount(ui->txtBalanceDue, m_total - paid);
}

void PaymentPage::txtBalanceDue_LostFocus()
{
    if (ui->txtBalanceDue->text().isEmpty())
        ShowAmount(ui->txtBalanceDue, Money());
}

void PaymentPage::txtCommission_Leave()
{
    if (TakesAmount(ui->txtCommission, QStringLiteral("Commission")))
        txtCommission_LostFocus();
}

void PaymentPage::txtCommission_LostFocus()
{
    Money commission;
    if (boxAmount(ui->txtCommission, &commission))
        ShowAmount(ui->txtCommission, commission);
}

void PaymentPage::txtTip_LostFocus()
{
    if (!TakesAmount(ui->txtTip, QStringLiteral("Tip")))
        return;
    Money tip;
    boxAmount(ui->txtTip, &tip, Sign::NotNegative);
    if (const Money largest = LargestTip(); tip > largest) {
        MsgBox(AmountRefusal(QStringLiteral("Tip"), largest), vbCritical | vbOKOnly);
        ShowAmount(ui->txtTip, m_tip);
        return;
    }
    ShowAmount(ui->txtTip, tip);
    RefreshNewInvoiceItemsList(1, 0);
}

void PaymentPage::txtTotalPayable_LostFocus()
{
    if (ui->txtTotalPayable->text().isEmpty()) {
        ShowAmount(ui->txtTotalPayable, Money());
        return;
    }
    Money total;
    if (!boxAmount(ui->txtTotalPayable, &total))
        return;
    m_total = total = total.rounded(2);
    ShowAmount(ui->txtTotalPayable, total);
    if (lBookingCommissionID == CommissionAccountId::None && !m_commissionTyped)
        SelectCombo_ItemData(ui->cboAccount, QString::number(CommissionAccountId::None));
    ShowCommission();
}

void PaymentPage::ShowCommission()
{
    if (m_commissionTyped)
        return;
    if (lBookingCommissionID == CommissionAccountId::None)
        ShowAmount(ui->txtCommission, Money());
    else
        ShowAmount(ui->txtCommission, CommissionOf(m_total, dBookingCommissionPercentage));
}

void PaymentPage::cmdPaidInFull_Click()
{
    ShowAmount(ui->txtAmountPayed, m_total);
    ShowAmount(ui->txtBalanceDue, Money());
}

void PaymentPage::cboPaymentMethod_Click()
{
    // The fourth method is the card payment, whatever it is called (not a
    // method no longer configured that happens to be listed fourth).
    const int chosen = ui->cboPaymentMethod->currentIndex();
    ui->picCreditCardInfo->setVisible(chosen == 3 && ComboItemData(ui->cboPaymentMethod, chosen) != kMethodNotListed);
}

// ---- Invoice lines -------------------------------------------------------

void PaymentPage::cmdAddOrderItem_Click()
{
    if (const std::optional<qint64> saved = frmInvoiceItemAdd::ask(iBookingID, std::nullopt, this))
        RefreshNewInvoiceItemsList(1, *saved);
}

void PaymentPage::cmdEditOrderItem_Click()
{
    const qint64 id = GridCurrentRowData(ui->gNewInvoice, 0);
    if (id != 0)
        editLine(id);
}

void PaymentPage::gNewInvoice_DblClick()
{
    cmdEditOrderItem_Click();
}

void PaymentPage::editLine(qint64 lineId)
{
    if (const std::optional<qint64> saved = frmInvoiceItemAdd::ask(iBookingID, lineId, this))
        RefreshNewInvoiceItemsList(1, *saved);
}

void PaymentPage::cmdDeleteOrderItem_Click()
{
    const qint64 id = GridCurrentRowData(ui->gNewInvoice, 0);
    if (id == 0)
        return;
    if (MsgBox(QStringLiteral("Delete selected item?"), vbYesNo | vbQuestion) != vbYes)
        return;
    const int row = ui->gNewInvoice->currentRow() + 1;
    InvoiceLineStore::remove(id);
    RefreshNewInvoiceItemsList(row, 0);
}

// ---- Card numbers ----------------------------------------------------------

bool IsValidCreditCardNumber(const QString& sCardNo)
{
    if (!IsNumberText(sCardNo))
        return false;
    QList<int> digits;
    for (const QChar c : sCardNo) {
        if (c >= u'0' && c <= u'9') {
            if (digits.size() == 20)
                return false;
            digits << c.unicode() - '0';
        }
    }
    if (digits.isEmpty())
        return false;
    int sum = digits.last();
    int weight = 2;
    for (int i = digits.size() - 2; i >= 0; --i) {
        const int product = digits[i] * weight;
        sum += product > 9 ? product - 9 : product;
        weight = weight == 2 ? 1 : 2;
    }
    return sum % 10 == 0;
}
