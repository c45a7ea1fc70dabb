#pragma once
// Payments made to commission accounts: one record per row of
// commissionPayment, every statement on them written here once.
#include "core/money.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

struct CommissionPaymentRecord {
    qint32 id = -1;
    qint32 commissionId = 0;
    Money amount;
    QDateTime submittedDate;
    QString notes;

    // A payment as the list shows it.
    struct Listed {
        qint32 id = 0;
        QString accountName;
        Money amount;
        QDateTime submittedDate;
    };
    // The payments to one account (all accounts for -1), by date, then account name.
    static std::vector<Listed> listed(qint32 accountId);
    static std::optional<CommissionPaymentRecord> find(qint32 id);
    // Adds the payment (id -1) or changes it.
    void save();
    static void remove(qint32 id);
    // The commission of all of an account's bookings ever made (payments not
    // taken off); 0 when it has none.
    static Money commissionDue(qint32 accountId);
};
