#include "config/frmpaymentmethod.h"

#include "config/frmaddpaymentmethod.h"

frmPaymentMethod::frmPaymentMethod(QWidget* parent) : ConfigListDialog(parent)
{
    useStandardDesign(QStringLiteral("frmPaymentMethod"), QStringLiteral("Configure Payment Methods"),
                      QStringLiteral("Payment Methods:"),
                      QStringLiteral("Instructions - configure the available Payment Methods for bookings. Press "
                                     "Close to finish."));
    Setup();
}

void frmPaymentMethod::ask(QWidget* parent)
{
    frmPaymentMethod d(parent);
    d.exec();
}

std::vector<NamedRow> frmPaymentMethod::entries()
{
    return PaymentMethodRecord::listed();
}

ConfigAnswer frmPaymentMethod::openEditor(qint32 id)
{
    return ConfigEditDialog::run<frmAddPaymentMethod>(id, this);
}

QString frmPaymentMethod::editSelectionMessage() const
{
    return QStringLiteral("No Payment Method has been selected to edit. Please select a Payment Method and try again.");
}

QString frmPaymentMethod::removeSelectionMessage() const
{
    return QStringLiteral("Please select a Payment Method to remove.");
}

// Bookings keep the text of their method, so nothing holds a method back.
QString frmPaymentMethod::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to delete this Payment Method?");
}

void frmPaymentMethod::deleteRow(qint32 id)
{
    PaymentMethodRecord::remove(id);
}
