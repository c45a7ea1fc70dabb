#include "config/frmchargeableitemadd.h"

#include "widgets/amountbox.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/reserved.h"
#include "ui_frmchargeableitemadd.h"

#include <QFocusEvent>
#include <QPointer>
#include <QTimer>

namespace {

// Selects a box's whole text once the click that focused it is over.
void selectAllSoon(QLineEdit* box)
{
    if (box->text().isEmpty())
        return;
    QPointer<QLineEdit> guard(box);
    QTimer::singleShot(0, box, [guard] {
        if (guard)
            guard->selectAll();
    });
}

}  // namespace

frmChargeableItemAdd::frmChargeableItemAdd(qint32 id, QWidget* parent)
    : ConfigEditDialog(id, parent), ui(new Ui::frmChargeableItemAdd)
{
    ui->setupUi(this);
    wire(ui->txtName, ui->cmdOK, ui->cmdCancel);
    ui->txtName->installEventFilter(this);
    ui->txtSalePrice->installEventFilter(this);

    ComboClear(ui->cboTaxRate);
    ComboAdd(ui->cboTaxRate, QStringLiteral("N/A"), TaxRateId::None);
    for (const TaxRateRecord& r : TaxRateRecord::listed())
        ComboAdd(ui->cboTaxRate, r.name, r.id);
    Form_Load();
}

frmChargeableItemAdd::~frmChargeableItemAdd()
{
    delete ui;
}

bool frmChargeableItemAdd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == ui->txtName)
            txtName_GotFocus();
        else if (watched == ui->txtSalePrice)
            txtSalePrice_GotFocus();
    } else if (event->type() == QEvent::FocusOut && watched == ui->txtSalePrice) {
        txtSalePrice_LostFocus();
    }
    return ConfigEditDialog::eventFilter(watched, event);
}

void frmChargeableItemAdd::txtName_GotFocus()
{
    selectAllSoon(ui->txtName);
}

void frmChargeableItemAdd::txtSalePrice_GotFocus()
{
    selectAllSoon(ui->txtSalePrice);
}

void frmChargeableItemAdd::txtSalePrice_LostFocus()
{
    Money m;
    if (ReadAmountBox(ui->txtSalePrice, &m, Sign::NotNegative) == Typed::Number)
        ShowAmount(ui->txtSalePrice, m);
}

void frmChargeableItemAdd::setDefaults()
{
    SelectCombo_ItemData(ui->cboTaxRate, QString::number(TaxRateId::None));
    ShowAmount(ui->txtSalePrice, Money());
}

bool frmChargeableItemAdd::loadRow()
{
    const std::optional<ChargeableItemRecord> r = ChargeableItemRecord::find(rowId());
    if (!r)
        return false;
    ui->txtName->setText(r->name);
    ShowAmount(ui->txtSalePrice, r->saleAmount);
    m_storedTaxRate = r->taxRateId;
    SelectCombo_ItemData(ui->cboTaxRate, QString::number(r->taxRateId));
    ui->chkIsDefault->setChecked(r->isDefault);
    return true;
}

QString frmChargeableItemAdd::nameMessage() const
{
    return QStringLiteral("Please enter a Chargeable Item name to continue.");
}

bool frmChargeableItemAdd::correctNumbers()
{
    return AmountOrZero(ui->txtSalePrice, QStringLiteral("Sale Price"), &m_price, Sign::NotNegative);
}

void frmChargeableItemAdd::saveRow()
{
    const int index = ui->cboTaxRate->currentIndex();
    const qint32 rate = index < 0 ? m_storedTaxRate : qint32(ComboItemData(ui->cboTaxRate, index));
    ChargeableItemRecord{rowId(), ui->txtName->text(), m_price, rate, ui->chkIsDefault->isChecked()}.save();
}
