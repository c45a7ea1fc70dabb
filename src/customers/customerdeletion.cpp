#include "customers/customerdeletion.h"

#include "core/customerstore.h"
#include "widgets/platform.h"

#include <QDate>

bool DeleteCustomer(qint64 id, const QString& refusal, const std::function<void()>& refill)
{
    if (id == 0 || id == -1)
        return false;
    const QDate today = QDate::currentDate();
    if (CustomerStore::futureBookingCount(id, today) > 0) {
        MsgBox(refusal, vbCritical | vbOKOnly, QStringLiteral("Can not delete customer."));
        return false;
    }
    if (CustomerStore::pastBookingCount(id, today) > 0) {
        const int answer =
            MsgBox(QStringLiteral("Deleting this customer will also remove all past reservations. This would affect "
                                  "historic reports. Are you sure you want to delete this customer?"),
                   vbQuestion | vbYesNoCancel, QStringLiteral("Confirm customer deletion."));
        if (answer != vbYes)
            return false;
    }
    CustomerStore::removeWithBookings(id);
    if (refill)
        refill();
    return true;
}
