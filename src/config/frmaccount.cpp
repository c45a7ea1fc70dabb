#include "config/frmaccount.h"

#include "config/frmaddaccount.h"
#include "core/modmain.h"

frmAccount::frmAccount(QWidget* parent) : ConfigListDialog(parent)
{
    useStandardDesign(QStringLiteral("frmAccount"), QStringLiteral("Commission Accounts"), QStringLiteral("Accounts:"),
                      QStringLiteral("Instructions - configure the available Commission Accounts. When a booking is "
                                     "made a percentage can be saved to a Commission Account."));
    Setup();
}

void frmAccount::ask(QWidget* parent)
{
    frmAccount d(parent);
    d.exec();
}

std::vector<NamedRow> frmAccount::entries()
{
    return CommissionAccountRecord::listed();
}

ConfigAnswer frmAccount::openEditor(qint32 id)
{
    return ConfigEditDialog::run<frmAddAccount>(id, this);
}

QString frmAccount::editSelectionMessage() const
{
    return QStringLiteral("No Commission Account has been selected to edit. Please select a Commission Account and "
                          "try again.");
}

QString frmAccount::removeSelectionMessage() const
{
    return QStringLiteral("Please select a Commission Account to remove.");
}

QString frmAccount::inUseRefusal(qint32 id)
{
    if (CommissionAccountRecord::hasPayments(id))
        return QStringLiteral("This Commission Account has payments made to it and so cannot be deleted. To delete "
                              "this Commission Account first remove the items and then try again.");
    if (CommissionAccountRecord::usedByUnits(id))
        return QStringLiteral("This Commission Account is in use by one or more %1 and so cannot be deleted. To delete "
                              "this Commission Account first remove the %1 and then try again.")
            .arg(gsCommodityPlural);
    return {};
}

QString frmAccount::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to delete this Commission Account?");
}

void frmAccount::deleteRow(qint32 id)
{
    CommissionAccountRecord::remove(id);
}
