#include "config/frmaddtaxrate.h"

#include "core/format.h"
#include "ui_frmaddtaxrate.h"

frmAddTaxRate::frmAddTaxRate(qint32 id, QWidget* parent) : ConfigEditDialog(id, parent), ui(new Ui::frmAddTaxRate)
{
    ui->setupUi(this);
    wire(ui->txtName, ui->cmdOK, ui->cmdCancel);
    Form_Load();
}

frmAddTaxRate::~frmAddTaxRate()
{
    delete ui;
}

void frmAddTaxRate::setDefaults()
{
    ui->txtPercentage->setText(QStringLiteral("0"));
}

bool frmAddTaxRate::loadRow()
{
    const std::optional<TaxRateRecord> r = TaxRateRecord::find(rowId());
    if (!r)
        return false;
    ui->txtName->setText(r->name);
    ui->txtPercentage->setText(Fmt::number(r->percentage));
    return true;
}

QString frmAddTaxRate::nameMessage() const
{
    return QStringLiteral("Please enter a Tax Rate name to continue.");
}

bool frmAddTaxRate::correctNumbers()
{
    return PercentageOrZero(ui->txtPercentage, QStringLiteral("Percentage"), &m_percentage);
}

void frmAddTaxRate::saveRow()
{
    TaxRateRecord{rowId(), ui->txtName->text(), m_percentage}.save();
}
