#pragma once
// Removing a customer: refused while a booking of theirs is not over, asked
// about when past bookings would go with them, at once when they have none.
#include <QString>
#include <functional>

// Deletes customer id (0 or -1: no customer, nothing happens). refusal is the
// calling window's own explanation of why a customer with bookings to come
// stays; refill refreshes the caller's list after a deletion. True when the
// customer was deleted.
bool DeleteCustomer(qint64 id, const QString& refusal, const std::function<void()>& refill);
