#include "config/frmchargeableitems.h"

#include "config/frmchargeableitemadd.h"

frmChargeableItems::frmChargeableItems(QWidget* parent) : ConfigListDialog(parent)
{
    useStandardDesign(QStringLiteral("frmChargeableItems"), QStringLiteral("Chargeable Items"),
                      QStringLiteral("Chargeable Items:"),
                      QStringLiteral("Instructions - configure the available Chargeable Items. When creating a booking "
                                     "you can add these items into the Payment Step."));
    Setup();
}

void frmChargeableItems::ask(QWidget* parent)
{
    frmChargeableItems d(parent);
    d.exec();
}

std::vector<NamedRow> frmChargeableItems::entries()
{
    return ChargeableItemRecord::listed();
}

ConfigAnswer frmChargeableItems::openEditor(qint32 id)
{
    return ConfigEditDialog::run<frmChargeableItemAdd>(id, this);
}

QString frmChargeableItems::editSelectionMessage() const
{
    return QStringLiteral("No Item has been selected to edit. Please select a Item and try again.");
}

QString frmChargeableItems::removeSelectionMessage() const
{
    return QStringLiteral("Please select a Item to remove.");
}

QString frmChargeableItems::inUseRefusal(qint32 id)
{
    if (ChargeableItemRecord::namedByInvoiceLines(id))
        return QStringLiteral("This Item is in use by one or more Bookings and so cannot be deleted. To delete this "
                              "Item first remove the Bookings and then try again.");
    return {};
}

QString frmChargeableItems::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to delete this Item?");
}

void frmChargeableItems::deleteRow(qint32 id)
{
    ChargeableItemRecord::remove(id);
}
