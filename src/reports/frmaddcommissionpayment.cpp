#include "reports/frmaddcommissionpayment.h"

#include "ui_frmaddcommissionpayment.h"

#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/amountbox.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/numberinput.h"
#include "widgets/platform.h"
#include "reports/commissionpayments.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>

frmAddCommissionPayment::frmAddCommissionPayment(qint32 paymentId, qint32 presetAccountId, QWidget* parent)
    : QDialog(parent), ui(new Ui::frmAddCommissionPayment), m_id(paymentId)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    connect(ui->cboAccount, &QComboBox::currentIndexChanged, this, guarded(this, &frmAddCommissionPayment::cboAccount_Click));
    connect(ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmAddCommissionPayment::cmdOK_Click));
    connect(ui->cmdCancel, &QPushButton::clicked, this, guarded(this, &frmAddCommissionPayment::cmdCancel_Click));
    ui->txtAmount->installEventFilter(this);
    Form_Load(presetAccountId);
}

frmAddCommissionPayment::~frmAddCommissionPayment()
{
    delete ui;
}

bool frmAddCommissionPayment::ask(qint32 paymentId, qint32 presetAccountId, QWidget* parent)
{
    frmAddCommissionPayment d(paymentId, presetAccountId, parent);
    return d.exec() == QDialog::Accepted;
}

bool frmAddCommissionPayment::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->txtAmount && event->type() == QEvent::FocusOut)
        RunGuarded([this] { txtAmount_LostFocus(); });
    return QDialog::eventFilter(watched, event);
}

void frmAddCommissionPayment::Form_Load(qint32 presetAccountId)
{
    for (const NamedRow& account : CommissionAccountRecord::listed())
        ComboAdd(ui->cboAccount, account.name, account.id);
    if (ui->cboAccount->count() > 0)
        SetListIndex(ui->cboAccount, 0);

    if (m_id != -1) {
        const std::optional<CommissionPaymentRecord> payment = CommissionPaymentRecord::find(m_id);
        if (!payment) {
            m_submitted = QDateTime::currentDateTime();
            ui->dtSubmittedDate->setDate(m_submitted.date());
            MsgBox(QStringLiteral("Record not found."), vbOKOnly);
            return;
        }
        SelectCombo_ItemData(ui->cboAccount, QString::number(payment->commissionId));
        ShowAmount(ui->txtAmount, payment->amount);
        m_submitted = payment->submittedDate.isValid() ? payment->submittedDate : QDateTime::currentDateTime();
        ui->dtSubmittedDate->setDate(m_submitted.date());
        ui->txtNotes->setPlainText(payment->notes);
        return;
    }
    // A new payment is made at the time its dialog opened.
    m_submitted = QDateTime::currentDateTime();
    ui->dtSubmittedDate->setDate(m_submitted.date());
    SelectCombo_ItemData(ui->cboAccount, QString::number(presetAccountId));
    cboAccount_Click();
}

void frmAddCommissionPayment::cboAccount_Click()
{
    const int i = ui->cboAccount->currentIndex();
    if (i < 0)
        return;
    const qint64 account = ComboItemData(ui->cboAccount, i);
    if (account != -1)
        ShowAmount(ui->txtAmount, CommissionPaymentRecord::commissionDue(qint32(account)));
}

void frmAddCommissionPayment::txtAmount_LostFocus()
{
    Money m;
    if (ReadAmountBox(ui->txtAmount, &m) == Typed::Number)
        ShowAmount(ui->txtAmount, m);
}

void frmAddCommissionPayment::cmdOK_Click()
{
    if (ui->txtAmount->text().isEmpty())
        ShowAmount(ui->txtAmount, Money());
    const int i = ui->cboAccount->currentIndex();
    if (i < 0)
        return;

    CommissionPaymentRecord payment;
    const Typed amount = ReadAmountBox(ui->txtAmount, &payment.amount);
    if (amount != Typed::Number) {
        MsgBox(AmountRefusal(QStringLiteral("Amount"), amount), vbCritical);
        ui->txtAmount->setFocus(Qt::OtherFocusReason);
        return;
    }
    payment.id = m_id;
    payment.commissionId = qint32(ComboItemData(ui->cboAccount, i));
    payment.submittedDate = Fmt::clockDateTime(ui->dtSubmittedDate->date(), m_submitted.time());
    payment.notes = ui->txtNotes->toPlainText();
    payment.save();
    accept();
}

void frmAddCommissionPayment::cmdCancel_Click()
{
    reject();
}
