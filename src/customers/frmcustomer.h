#pragma once
// One customer's details, or empty boxes for a new customer. OK stores them;
// a new customer becomes the customer of the booking in progress.
#include "core/customerstore.h"

#include <QDialog>
#include <optional>

namespace Ui { class frmCustomer; }

class frmCustomer : public QDialog {
    Q_OBJECT
public:
    // customerId -1: a new customer, who becomes the customer of booking
    // bookingInProgress (the wizard's, 0 when none).
    frmCustomer(qint64 customerId, qint32 bookingInProgress, QWidget* parent = nullptr);
    ~frmCustomer() override;

    // Shows the dialog modally; the id of the customer stored by OK, or none
    // when the user cancelled.
    static std::optional<qint64> ask(qint64 customerId, qint32 bookingInProgress, QWidget* parent);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void lblEmail_Click();

    CustomerRecord typed() const;

    Ui::frmCustomer* ui;
    qint64 m_customerId;
    qint32 m_bookingInProgress;
    std::optional<qint64> m_saved;
};
