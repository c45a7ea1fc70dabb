#include "config/frmbookingudf.h"

#include "config/frmaddbookingudf.h"
#include "core/reserved.h"
#include "widgets/platform.h"
#include "core/settingkeys.h"
#include "ui_frmbookingudf.h"

frmBookingUDF::frmBookingUDF(QWidget* parent) : ConfigListDialog(parent), ui(new Ui::frmBookingUDF)
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    wire(ui->lstItems, ui->cmdAdd, ui->cmdEdit, ui->cmdRemove, ui->cmdCancel);
    ui->chkEnableCustomField->setChecked(Config::EnableCustomField.read());
    ui->txtCustomFieldTitle->setText(Config::CustomFieldTitle.read());
    Setup();
}

frmBookingUDF::~frmBookingUDF()
{
    delete ui;
}

void frmBookingUDF::ask(QWidget* parent)
{
    frmBookingUDF d(parent);
    d.exec();
}

void frmBookingUDF::cmdCancel_Click()
{
    if (!SaveConfigTexts({Config::EnableCustomField(ui->chkEnableCustomField->isChecked()),
                          Config::CustomFieldTitle(ui->txtCustomFieldTitle->text())}))
        MsgBox(SettingsFailureMessage(), vbCritical | vbOKOnly);
    ConfigListDialog::cmdCancel_Click();
}

// The default choice always shows as "Not Selected", whatever it is called.
std::vector<NamedRow> frmBookingUDF::entries()
{
    std::vector<NamedRow> out{{BookingUdfId::Default, QStringLiteral("Not Selected")}};
    for (const NamedRow& r : BookingChoiceRecord::listed())
        out.push_back(r);
    return out;
}

ConfigAnswer frmBookingUDF::openEditor(qint32 id)
{
    return ConfigEditDialog::run<frmAddBookingUDF>(id, this);
}

QString frmBookingUDF::editSelectionMessage() const
{
    return QStringLiteral("No Custom Field has been selected to edit. Please select a Custom Field and try again.");
}

QString frmBookingUDF::removeSelectionMessage() const
{
    return QStringLiteral("Please select a Custom Field to remove.");
}

QString frmBookingUDF::inUseRefusal(qint32 id)
{
    if (id == BookingUdfId::Default)
        return QStringLiteral("This is the default option and so cannot be removed. You can however rename it, by "
                              "pressing the Edit button.");
    if (BookingChoiceRecord::usedByBookings(id))
        return QStringLiteral("This Custom Field is in use by one or more bookings and so cannot be deleted. To delete "
                              "this Custom Field first remove the bookings and then try again.");
    return {};
}

QString frmBookingUDF::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to delete this Custom Field?");
}

void frmBookingUDF::deleteRow(qint32 id)
{
    BookingChoiceRecord::remove(id);
}
