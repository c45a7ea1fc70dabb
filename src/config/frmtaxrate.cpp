#include "config/frmtaxrate.h"

#include "config/frmaddtaxrate.h"
#include "core/format.h"
#include "core/modmain.h"

frmTaxRate::frmTaxRate(QWidget* parent) : ConfigListDialog(parent)
{
    useStandardDesign(QStringLiteral("frmTaxRate"), QStringLiteral("Advanced Tax Rates"), QStringLiteral("Tax Rates:"),
                      QStringLiteral("Instructions - configure the available Tax Rates. Each item can have any Tax "
                                     "Rate associated with it."));
    Setup();
}

void frmTaxRate::ask(QWidget* parent)
{
    frmTaxRate d(parent);
    d.exec();
}

std::vector<NamedRow> frmTaxRate::entries()
{
    std::vector<NamedRow> out;
    for (const TaxRateRecord& r : TaxRateRecord::listed())
        out.push_back({r.id, r.name + QStringLiteral(" (") + Fmt::number(r.percentage) + QStringLiteral("%)")});
    return out;
}

ConfigAnswer frmTaxRate::openEditor(qint32 id)
{
    return ConfigEditDialog::run<frmAddTaxRate>(id, this);
}

QString frmTaxRate::editSelectionMessage() const
{
    return QStringLiteral("No Tax Rate has been selected to edit. Please select a Tax Rate and try again.");
}

QString frmTaxRate::removeSelectionMessage() const
{
    return QStringLiteral("Please select a Tax Rate to remove.");
}

QString frmTaxRate::inUseRefusal(qint32 id)
{
    if (TaxRateRecord::usedByItems(id))
        return QStringLiteral("This Tax Rate is in use by one or more items and so cannot be deleted. To delete this "
                              "Tax Rate first remove the items and then try again.");
    if (TaxRateRecord::usedByUnits(id))
        return QStringLiteral("This Tax Rate is in use by one or more %1 and so cannot be deleted. To delete this Tax "
                              "Rate first remove the %1 and then try again.")
            .arg(gsCommodityPlural);
    return {};
}

QString frmTaxRate::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to delete this Tax Rate?");
}

void frmTaxRate::deleteRow(qint32 id)
{
    TaxRateRecord::remove(id);
}
