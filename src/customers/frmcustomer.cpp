#include "customers/frmcustomer.h"
#include "widgets/plaintext.h"

#include "widgets/guard.h"
#include "widgets/linklabel.h"
#include "core/modmain.h"
#include "widgets/platform.h"
#include "widgets/twips.h"
#include "ui_frmcustomer.h"

frmCustomer::frmCustomer(qint64 customerId, qint32 bookingInProgress, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmCustomer), m_customerId(customerId), m_bookingInProgress(bookingInProgress)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Twips::toPx(5040), Twips::toPx(5400));
    connect(ui->lblEmail, &LinkLabel::clicked, this, guarded(this, &frmCustomer::lblEmail_Click));
    connect(ui->cmdOk, &QPushButton::clicked, this, guarded(this, &frmCustomer::cmdOK_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmCustomer::cmdCancel_Click));
    Form_Load();
}

frmCustomer::~frmCustomer()
{
    delete ui;
}

std::optional<qint64> frmCustomer::ask(qint64 customerId, qint32 bookingInProgress, QWidget* parent)
{
    frmCustomer dlg(customerId, bookingInProgress, parent);
    dlg.exec();
    return dlg.m_saved;
}

void frmCustomer::Form_Load()
{
    if (m_customerId == -1)
        return;
    const std::optional<CustomerRecord> c = CustomerStore::read(m_customerId);
    if (!c)
        return;
    ui->txtFirstname->setText(c->firstName);
    ui->txtLastname->setText(c->lastName);
    ui->txtBusinessName->setText(c->businessName);
    ui->txtAddress1->setText(c->address1);
    ui->txtAddress2->setText(c->address2);
    ui->txtCity->setText(c->city);
    ui->txtState->setText(c->state);
    ui->txtCountry->setText(c->country);
    ui->txtPostcode->setText(c->postCode);
    ui->txtPhone->setText(c->phone);
    ui->txtHomePhone->setText(c->homePhone);
    ui->txtMobile->setText(c->mobile);
    ui->txtFax->setText(c->fax);
    ui->txtEmail->setText(c->email);
    ShowBoxesFromStart(this);
}

CustomerRecord frmCustomer::typed() const
{
    CustomerRecord c;
    c.id = m_customerId;
    c.firstName = ui->txtFirstname->text();
    c.lastName = ui->txtLastname->text();
    c.businessName = ui->txtBusinessName->text();
    c.address1 = ui->txtAddress1->text();
    c.address2 = ui->txtAddress2->text();
    c.city = ui->txtCity->text();
    c.state = ui->txtState->text();
    c.country = ui->txtCountry->text();
    c.postCode = ui->txtPostcode->text();
    c.phone = ui->txtPhone->text();
    c.homePhone = ui->txtHomePhone->text();
    c.mobile = ui->txtMobile->text();
    c.fax = ui->txtFax->text();
    c.email = ui->txtEmail->text();
    return c;
}

void frmCustomer::cmdOK_Click()
{
    if (m_customerId != -1) {
        CustomerStore::update(typed());
        m_saved = m_customerId;
    } else {
        // The booking being entered, whoever its customer was, is now this customer's.
        m_saved = CustomerStore::addForBooking(typed(), m_bookingInProgress);
    }
    accept();
}

void frmCustomer::cmdCancel_Click()
{
    reject();
}

void frmCustomer::lblEmail_Click()
{
    OpenOrTell(QStringLiteral("mailto:") + ui->txtEmail->text(), QStringLiteral("Unable to open the mail program."));
}
