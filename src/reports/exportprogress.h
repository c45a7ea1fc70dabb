#pragma once
// How far a long export has come. Once it has run for a second, a dialog
// shows its progress with a Cancel button; until it ends the window goes on
// answering (the dialog lets events through between rows). Work that cannot
// be cancelled (one transaction) shows the dialog without the button, and
// keeps every other window from the user until it ends.
#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;
class WaitCursor;

class ExportProgress {
public:
    // The hourglass, when given, gives way to the normal pointer while the
    // dialog shows.
    explicit ExportProgress(QWidget* owner, WaitCursor* hourglass = nullptr);
    enum class Cancel { Offered, NotOffered };
    ExportProgress(QWidget* owner, const QString& label, Cancel cancel);
    ~ExportProgress();
    ExportProgress(const ExportProgress&) = delete;
    ExportProgress& operator=(const ExportProgress&) = delete;

    // After each row, with the rows done so far: false once the user has
    // cancelled. Cheap enough to call for every row.
    bool step(qint64 done);
    bool cancelled() const { return m_cancelled; }
    // The rows expected (an estimate will do).
    void setTotal(qint64 total) { m_total = total; }

    // How long an export runs before its dialog shows (tests shorten it).
    static void setDelay(int milliseconds);

private:
    QWidget* m_owner;
    qint64 m_total = 0;
    WaitCursor* m_hourglass;
    QString m_label = QStringLiteral("Exporting...");
    Cancel m_cancel = Cancel::Offered;
    QElapsedTimer m_clock;
    qint64 m_lastUpdate = 0;
    bool m_cancelled = false;
    QPointer<QProgressDialog> m_dialog;
};
