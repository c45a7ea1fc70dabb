#include "config/frmaddbookingudf.h"

#include "ui_frmaddbookingudf.h"

frmAddBookingUDF::frmAddBookingUDF(qint32 id, QWidget* parent) : ConfigEditDialog(id, parent), ui(new Ui::frmAddBookingUDF)
{
    ui->setupUi(this);
    wire(ui->txtName, ui->cmdOK, ui->cmdCancel);
    Form_Load();
}

frmAddBookingUDF::~frmAddBookingUDF()
{
    delete ui;
}

bool frmAddBookingUDF::loadRow()
{
    const std::optional<BookingChoiceRecord> r = BookingChoiceRecord::find(rowId());
    if (!r)
        return false;
    ui->txtName->setText(r->name);
    return true;
}

QString frmAddBookingUDF::nameMessage() const
{
    return QStringLiteral("Please enter a custom field choice name to continue.");
}

void frmAddBookingUDF::saveRow()
{
    BookingChoiceRecord{rowId(), ui->txtName->text()}.save();
}
