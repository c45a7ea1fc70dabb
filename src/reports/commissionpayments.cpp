#include "reports/commissionpayments.h"

#include "core/db.h"

std::vector<CommissionPaymentRecord::Listed> CommissionPaymentRecord::listed(qint32 accountId)
{
    std::vector<Listed> rows;
    Query q = objConn.query(
        QStringLiteral("SELECT commissionPayment.id, commission.name, commissionPayment.amount, "
                       "commissionPayment.submitteddate FROM commissionPayment, commission "
                       "WHERE commission.id = commissionPayment.commissionID AND (? = -1 OR commission.id = ?) "
                       "ORDER BY commissionPayment.submitteddate, commission.name COLLATE FOLD, commissionPayment.id"),
        {accountId, accountId});
    while (q.next())
        rows.push_back({qint32(q.integer(0)), q.text(1), q.money(2), q.dateTime(3)});
    return rows;
}

std::optional<CommissionPaymentRecord> CommissionPaymentRecord::find(qint32 id)
{
    Query q = objConn.query(
        QStringLiteral("SELECT CommissionID, amount, submitteddate, notes FROM commissionPayment WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    CommissionPaymentRecord r;
    r.id = id;
    r.commissionId = qint32(q.integer(0));
    r.amount = q.money(1);
    r.submittedDate = q.dateTime(2);
    r.notes = q.text(3);
    return r;
}

void CommissionPaymentRecord::save()
{
    const Fields fields{{QStringLiteral("Amount"), dbValue(amount)},
                        {QStringLiteral("SubmittedDate"), dbValue(submittedDate)},
                        {QStringLiteral("Notes"), notes},
                        {QStringLiteral("CommissionID"), commissionId}};
    if (id == -1)
        objConn.insert(QStringLiteral("commissionPayment"), fields);
    else
        objConn.update(QStringLiteral("commissionPayment"), id, fields);
}

void CommissionPaymentRecord::remove(qint32 id)
{
    objConn.execute(QStringLiteral("DELETE FROM commissionPayment WHERE id = ?"), {id});
}

Money CommissionPaymentRecord::commissionDue(qint32 accountId)
{
    return Money::fromDb(
        objConn.scalar(QStringLiteral("SELECT SUM(CommissionAmount) FROM booking WHERE commissionID = ?"), {accountId}));
}
