#pragma once
// The one row of the table settings: where the booking-form page sends its
// requests. The row comes with the database; it is read and changed, never
// added or removed.
#include <QString>
#include <optional>

struct WebSettings {
    QString email;            // webbookingemail: the address that receives the bookings
    int providerIndex = 0;    // webbookingproviderindex: 0 the default form service, 1 the custom address
    QString providerCustom;   // webbookingprovidercustom: kept even while the index is 0
};

namespace WebSettingsStore {
// The row, Null texts as empty text; nothing when the table holds no row.
std::optional<WebSettings> load();
// Stores the three columns, all at once.
void save(const WebSettings& s);
}
