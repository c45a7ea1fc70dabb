#include "core/websettingsstore.h"

#include "core/db.h"

namespace WebSettingsStore {

std::optional<WebSettings> load()
{
    Query q = objConn.query(QStringLiteral(
        "SELECT webbookingemail, webbookingproviderindex, webbookingprovidercustom FROM settings"));
    if (!q.next())
        return std::nullopt;
    WebSettings s;
    s.email = q.text(0);
    // Any index but 0 and 1 writes no form address; one beyond int stays such an index.
    const qint64 index = q.integer(1);
    s.providerIndex = (index < -1 || index > 0xFFFF) ? -1 : int(index);
    s.providerCustom = q.text(2);
    return s;
}

void save(const WebSettings& s)
{
    // The table holds one row, so the statements need no WHERE.
    Connection::Transaction t(objConn);
    objConn.execute(QStringLiteral("UPDATE settings SET webbookingemail = ?"), {s.email});
    objConn.execute(QStringLiteral("UPDATE settings SET webbookingproviderindex = ?"), {s.providerIndex});
    objConn.execute(QStringLiteral("UPDATE settings SET webbookingprovidercustom = ?"), {s.providerCustom});
    t.commit();
}

}  // namespace WebSettingsStore
