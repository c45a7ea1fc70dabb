#include "reports/exportprogress.h"

#include "widgets/platform.h"
#include "widgets/waitcursor.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {

int g_delay = 1000;
// Between two updates of the dialog, so that rows are not slowed down by it.
constexpr qint64 kUpdateEvery = 40;
constexpr int kSteps = 1000;

}  // namespace

void ExportProgress::setDelay(int milliseconds)
{
    g_delay = milliseconds;
}

ExportProgress::ExportProgress(QWidget* owner, WaitCursor* hourglass) : m_owner(owner), m_hourglass(hourglass)
{
    m_clock.start();
}

ExportProgress::ExportProgress(QWidget* owner, const QString& label, Cancel cancel)
    : ExportProgress(owner)
{
    m_label = label;
    m_cancel = cancel;
}

ExportProgress::~ExportProgress()
{
    delete m_dialog;
}

bool ExportProgress::step(qint64 done)
{
    if (m_cancelled)
        return false;
    const qint64 now = m_clock.elapsed();
    if (now < g_delay || (m_dialog && now - m_lastUpdate < kUpdateEvery))
        return true;
    m_lastUpdate = now;
    if (!m_dialog) {
        if (m_hourglass)
            m_hourglass->restore();
        const bool offered = m_cancel == Cancel::Offered;
        m_dialog = new QProgressDialog(m_label, offered ? QStringLiteral("&Cancel") : QString(), 0, kSteps, m_owner);
        m_dialog->setWindowTitle(QString::fromLatin1(kAppTitle));
        m_dialog->setWindowModality(offered ? Qt::WindowModal : Qt::ApplicationModal);
        if (!offered)
            m_dialog->setWindowFlag(Qt::WindowCloseButtonHint, false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
    }
    const qint64 total = std::max<qint64>(m_total, std::max<qint64>(done, 1));
    m_dialog->setValue(int(std::min<qint64>(kSteps - 1, done * kSteps / total)));
    // The window answers (repaints, the Cancel button) between rows.
    QCoreApplication::processEvents();
    m_cancelled = m_dialog->wasCanceled();
    return !m_cancelled;
}
