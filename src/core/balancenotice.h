#pragma once
// What a customer owes moves with the rows a change watch follows
// (core/changewatch.h: bookings, invoice lines, customers) and with what it
// does not see: the tax-rate rows (the second tax is charged at its row's
// rate on every booking) and the settings that enter a balance
// (Config::EnabledSalesTax2). Their writers tell it here, and whatever keeps
// or shows balances listens.
//
//   BalanceNotice::moved();                         a writer, after its write
//   connect(BalanceNotice::instance(), &BalanceNotice::balancesMoved, ...);
#include <QObject>

class BalanceNotice : public QObject {
    Q_OBJECT
public:
    static BalanceNotice* instance();
    // Balances may have moved: counted at once, and told by balancesMoved()
    // when the program is back in its event loop (once for the moves made
    // meanwhile), so that no listener reads in the middle of the writer's work.
    static void moved();
    // Moves so far: a figure worked out at an earlier count may be stale.
    static quint64 count();

signals:
    void balancesMoved();

private:
    BalanceNotice() = default;
    void tell();
    bool m_pending = false;
};
