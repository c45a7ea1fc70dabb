#include "customers/mailinglist.h"

#include "core/db.h"
#include "core/filewriter.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"

QStringList MailingListAddresses()
{
    QStringList out;
    Query q = objConn.query(QStringLiteral(
        "SELECT email FROM customer WHERE email <> '' AND email IS NOT NULL ORDER BY email COLLATE FOLD, id"));
    while (q.next())
        out << q.text(0);
    return out;
}

QByteArray MailingListText(const QStringList& addresses)
{
    return addresses.join(QLatin1String(", ")).toUtf8();
}

bool WriteMailingList(const QString& file)
{
    WaitCursor wait;
    QString why;
    if (WriteWholeFile(file, MailingListText(MailingListAddresses()), &why))
        return true;
    wait.restore();
    MsgBox(QStringLiteral("Unable to write to file ") + file + QStringLiteral(".\r\n") + why, vbCritical);
    return false;
}
