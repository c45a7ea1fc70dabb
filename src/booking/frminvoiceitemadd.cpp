#include "booking/frminvoiceitemadd.h"

#include "core/configrecords.h"
#include "widgets/amountbox.h"
#include "widgets/controlarray.h"
#include "core/invoicelinestore.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/numberinput.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/invoicelines.h"
#include "ui_frminvoiceitemadd.h"

#include <QFocusEvent>
#include <QLayout>
#include <QPointer>
#include <QTimer>

namespace {

// The tax rate choice whose name and percentage are typed in the dialog.
constexpr qint64 kUserDefinedTaxRate = -1;

void focusIfEnabled(QWidget* w)
{
    if (w->isEnabled())
        w->setFocus(Qt::OtherFocusReason);
}

}  // namespace

frmInvoiceItemAdd::frmInvoiceItemAdd(qint32 bookingId, std::optional<qint64> lineId, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmInvoiceItemAdd), m_bookingId(bookingId), m_lineId(lineId)
{
    ui->setupUi(this);
    // As tall as its controls, with no band of nothing above the buttons.
    resize(width(), layout()->totalHeightForWidth(width()));
    lblLabels = ControlArray<QLabel>(this, QStringLiteral("lblLabels"));
    for (QLineEdit* box : {ui->txtNewItem, ui->txtQuantity, ui->txtUnitPrice, ui->txtTaxRateName,
                           ui->txtTaxRatePercentage})
        box->installEventFilter(this);
    connect(ui->cboItemList, &QComboBox::currentIndexChanged, this, guarded(this, &frmInvoiceItemAdd::cboItemList_Click));
    connect(ui->cboTaxRate, &QComboBox::currentIndexChanged, this, guarded(this, &frmInvoiceItemAdd::cboTaxRate_Click));
    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmInvoiceItemAdd::cmdOk_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmInvoiceItemAdd::cmdCancel_Click));
    Form_Load();
}

frmInvoiceItemAdd::~frmInvoiceItemAdd()
{
    delete ui;
}

std::optional<qint64> frmInvoiceItemAdd::ask(qint32 bookingId, std::optional<qint64> lineId, QWidget* parent)
{
    frmInvoiceItemAdd dialog(bookingId, lineId, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.savedLine();
}

void frmInvoiceItemAdd::Form_Load()
{
    ComboClear(ui->cboTaxRate);
    ComboAdd(ui->cboTaxRate, QStringLiteral("N/A"), TaxRateId::None);
    ComboAdd(ui->cboTaxRate, QStringLiteral("User Defined"), kUserDefinedTaxRate);
    for (const TaxRateRecord& rate : TaxRateRecord::listed())
        ComboAdd(ui->cboTaxRate, rate.name, rate.id);

    ComboClear(ui->cboItemList);
    ComboAdd(ui->cboItemList, QStringLiteral("New Item..."), ItemId::NewItem);
    ComboAdd(ui->cboItemList, QStringLiteral("Booking"), ItemId::Booking);
    for (const NamedRow& item : ChargeableItemRecord::listed())
        ComboAdd(ui->cboItemList, item.name, item.id);

    if (!m_lineId) {
        SelectCombo_ItemData(ui->cboTaxRate, QString::number(TaxRateId::None));
        SelectCombo_ItemData(ui->cboItemList, QString::number(ItemId::NewItem));
        ui->txtQuantity->setText(QStringLiteral("1"));
        ShowAmount(ui->txtUnitPrice, Money());
        return;
    }

    const std::optional<InvoiceLine> line = InvoiceLineStore::read(*m_lineId);
    if (!line)
        return;
    const qint64 itemId = line->itemId;
    m_storedItem = itemId;
    const QString quantity = line->quantityNull ? QString() : Fmt::number(line->quantity);
    const QString name = line->name;
    const QString taxName = line->taxRateName;
    const QString percentage = line->percentageNull ? QString() : Fmt::number(line->chargedPercentage());

    ui->txtNewItem->setText(name);
    SelectCombo_ItemData(ui->cboItemList, QString::number(itemId));
    ui->txtQuantity->setText(quantity);
    if (line->amountNull)
        ui->txtUnitPrice->clear();
    else
        ShowAmount(ui->txtUnitPrice, line->amount);
    ui->txtTaxRateName->setText(taxName);
    ui->txtTaxRatePercentage->setText(percentage);
}

void frmInvoiceItemAdd::cboItemList_Click()
{
    const int index = ui->cboItemList->currentIndex();
    if (index < 0)
        return;
    const qint64 item = ComboItemData(ui->cboItemList, index);
    QLabel* nameLabel = lblLabels.value(5);
    if (item == ItemId::Booking || item == ItemId::NewItem) {
        ui->txtQuantity->setText(QStringLiteral("1"));
        ShowAmount(ui->txtUnitPrice, Money());
        SelectCombo_ItemData(ui->cboTaxRate, QString::number(item == ItemId::Booking ? kUserDefinedTaxRate
                                                                                     : TaxRateId::None));
        // Shown again after a catalogue item hid it: the line takes this name.
        ui->txtNewItem->show();
        if (nameLabel)
            nameLabel->show();
        ui->txtNewItem->setEnabled(true);
        return;
    }

    const std::optional<ChargeableItemRecord::Priced> priced = ChargeableItemRecord::priced(qint32(item));
    QString itemName;
    const bool found = priced.has_value();
    if (priced) {
        itemName = priced->name;
        ui->txtQuantity->setText(QStringLiteral("1"));
        ShowAmount(ui->txtUnitPrice, priced->saleAmount);
        SelectCombo_ItemData(ui->cboTaxRate, QString::number(priced->taxRateId));
    }
    ui->txtNewItem->hide();
    if (nameLabel)
        nameLabel->hide();
    ui->txtNewItem->setEnabled(false);
    if (found)
        ui->txtNewItem->setText(itemName);
}

void frmInvoiceItemAdd::cboTaxRate_Click()
{
    const int index = ui->cboTaxRate->currentIndex();
    if (index < 0)
        return;
    const qint64 rate = ComboItemData(ui->cboTaxRate, index);
    if (rate == kUserDefinedTaxRate) {
        ui->txtTaxRateName->setEnabled(true);
        ui->txtTaxRatePercentage->setEnabled(true);
        ui->txtTaxRateName->clear();
        ui->txtTaxRatePercentage->setText(QStringLiteral("0"));
        return;
    }
    if (const std::optional<TaxRateRecord> r = TaxRateRecord::find(qint32(rate))) {
        ui->txtTaxRateName->setText(r->name);
        ui->txtTaxRatePercentage->setText(Fmt::number(ChargedTaxPercentage(r->percentage)));
    }
    ui->txtTaxRateName->setEnabled(false);
    ui->txtTaxRatePercentage->setEnabled(false);
}

void frmInvoiceItemAdd::cmdOk_Click()
{
    qint32 quantity = 0;
    double percentage = 0;
    Money price;
    if (ReadQuantity(ui->txtQuantity->text(), &quantity) != Typed::Number) {
        MsgBox(QStringLiteral("Quantity entered is not a number. Please enter a number to continue."),
               vbCritical | vbOKOnly);
        ui->txtQuantity->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A rate the catalogue gives (the box disabled) is taken as it stands.
    const QString rateCaption = QStringLiteral("Tax Rate Percentage");
    const Typed rate = ReadPercentage(ui->txtTaxRatePercentage->text(), &percentage);
    if (rate == Typed::NotNumber
        || (rate == Typed::OutOfRange
            && (ui->txtTaxRatePercentage->isEnabled() || !ReadTypedNumber(ui->txtTaxRatePercentage->text(), &percentage)))) {
        MsgBox(rate == Typed::NotNumber ? NumberRefusal(rateCaption) : PercentageRefusal(rateCaption),
               vbCritical | vbOKOnly);
        focusIfEnabled(ui->txtTaxRatePercentage);
        return;
    }
    // The price, and the line's total, must be amounts the program can hold;
    // an empty price is no number here. A line below zero is a discount.
    const QString priceCaption = QStringLiteral("Unit Price");
    const Typed read = ui->txtUnitPrice->text().trimmed().isEmpty() ? Typed::NotNumber
                                                                    : ReadAmountBox(ui->txtUnitPrice, &price);
    const Money largest = Money::fromRaw(Money::kMaxUnits * Money::kScale / quantity);
    if (read != Typed::Number || price > largest || price < -largest) {
        MsgBox(AmountRefusal(priceCaption, read, largest), vbCritical | vbOKOnly);
        focusIfEnabled(ui->txtUnitPrice);
        return;
    }

    const int index = ui->cboItemList->currentIndex();
    // A line whose item left the catalogue keeps it.
    const qint64 item = index >= 0 ? ComboItemData(ui->cboItemList, index) : m_storedItem;
    if (m_lineId) {
        // Every box is written as it stands, whatever the item.
        InvoiceLineStore::Values line;
        line.bookingId = m_bookingId;
        line.itemId = item;
        line.quantity = quantity;
        line.name = ui->txtNewItem->text();
        line.amount = price;
        line.taxRateName = ui->txtTaxRateName->text();
        line.taxRatePercentage = percentage;
        InvoiceLineStore::update(*m_lineId, line);
        m_saved = *m_lineId;
    } else {
        m_saved = AddNewInvoiceLineToDB(m_bookingId, qint32(item), quantity, ui->txtNewItem->text(), price,
                                       ui->txtTaxRateName->text(), percentage);
    }
    accept();
}

void frmInvoiceItemAdd::cmdCancel_Click()
{
    reject();
}

void frmInvoiceItemAdd::Hightlight(QLineEdit* t)
{
    if (!t->text().isEmpty())
        t->setSelection(0, t->text().size());
}

bool frmInvoiceItemAdd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QPointer<QLineEdit> box = qobject_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, this, [this, box] {
            if (box && box->hasFocus())
                Hightlight(box);
        });
    }
    return QDialog::eventFilter(watched, event);
}
