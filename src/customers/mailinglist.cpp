#include "customers/mailinglist.h"

#include "core/filewriter.h"
#include "widgets/platform.h"
#include "widgets/waitcursor.h"

RowScan MailingListRows()
{
    return RowScan(QStringLiteral(
        "SELECT email FROM customer WHERE email <> '' AND email IS NOT NULL ORDER BY email COLLATE FOLD, id"));
}

bool WriteMailingList(const QString& file)
{
    WaitCursor wait;
    FileWriter out(file);
    bool written = out.open();
    if (written) {
        // The line goes on to the file some 64 kB at a time.
        QByteArray piece;
        bool first = true;
        for (RowScan r = MailingListRows(); written && r.next();) {
            if (!first)
                piece += ", ";
            first = false;
            r.appendText(0, piece);
            if (piece.size() >= 65536) {
                written = out.write(piece);
                piece.truncate(0);
            }
        }
        written = written && out.write(piece) && out.commit();
    }
    if (written)
        return true;
    wait.restore();
    MsgBox(QStringLiteral("Unable to write to file ") + file + QStringLiteral(".\r\n") + out.error(), vbCritical);
    return false;
}
