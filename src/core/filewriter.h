#pragma once
// Files the program writes whole (exports, lists, pages, letter copies): the
// new content goes to a temporary file beside the target, which replaces the
// target only once all of it is written and flushed. Every write is checked,
// so a full disk or a folder that turns read-only leaves an existing file as
// it was and reports the system's reason.
#include <QByteArray>
#include <QSaveFile>
#include <QString>

class FileWriter {
public:
    explicit FileWriter(const QString& file);
    ~FileWriter();   // a writer not committed leaves the target untouched
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Each returns false once anything has failed; the first failure's
    // reason is kept in error() and the temporary file is dropped.
    bool open();
    bool write(const QByteArray& bytes);
    bool write(const QString& text) { return write(text.toUtf8()); }
    // Replaces the target with what was written.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    bool failed() const { return m_failed; }
    QString error() const { return m_error; }
    QString fileName() const { return m_out.fileName(); }

private:
    bool fail(const QString& why);

    QSaveFile m_out;
    bool m_failed = false;
    bool m_done = false;
    QString m_error;
};

// Writes bytes as the whole of file. On failure returns false and, when why
// is given, the system's reason.
bool WriteWholeFile(const QString& file, const QByteArray& bytes, QString* why = nullptr);
