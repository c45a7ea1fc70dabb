#include "core/balancenotice.h"

#include <QMetaObject>

namespace {

quint64 g_moves = 0;

}  // namespace

BalanceNotice* BalanceNotice::instance()
{
    static BalanceNotice* notice = new BalanceNotice;   // lives as long as the program
    return notice;
}

void BalanceNotice::moved()
{
    ++g_moves;
    BalanceNotice* n = instance();
    if (n->m_pending)
        return;
    n->m_pending = true;
    QMetaObject::invokeMethod(n, &BalanceNotice::tell, Qt::QueuedConnection);
}

quint64 BalanceNotice::count()
{
    return g_moves;
}

void BalanceNotice::tell()
{
    m_pending = false;
    emit balancesMoved();
}
