#pragma once
// Files the program writes whole (exports, lists, pages, letter copies): the
// new content goes to a temporary file beside the target, which replaces the
// target only once all of it is written and on the disk. Every write is
// checked, so a full disk or a folder that turns read-only leaves an existing
// file as it was and reports the system's reason.
//
//   FileWriter out(file);
//   if (!(out.open() && out.write(header) && ... && out.commit()))
//       MsgBox(WriteFailureMessage(QStringLiteral("Unable to write to file."), file, out.error()), vbCritical);
#include <QByteArray>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

class FileWriter {
public:
    explicit FileWriter(const QString& file);
    ~FileWriter();   // a writer not committed leaves the target untouched
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Each returns false once anything has failed; the first failure's
    // reason is kept in error() and the temporary file is dropped. open()
    // fails for the program's own database (ReplacesOpenDatabase), which
    // is left untouched.
    bool open();
    bool write(const QByteArray& bytes);
    bool write(const QString& text) { return write(text.toUtf8()); }
    // Puts what was written on the disk, then in place of the target, and
    // the target's folder on the disk. A failure of the last step is told
    // too: the file is new then, but the disk may still hold the old one.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    bool failed() const { return m_failed; }
    // The system's reason for the first failure ("No space left on device").
    QString error() const { return m_error; }
    // Its kind: ResourceError for a full disk, PermissionsError, ...
    QFileDevice::FileError errorKind() const { return m_kind; }
    QString fileName() const { return m_out.fileName(); }

private:
    bool fail(QFileDevice::FileError kind, const QString& why);
    bool failFromDevice();

    QSaveFile m_out;
    bool m_failed = false;
    bool m_done = false;
    QString m_error;
    QFileDevice::FileError m_kind = QFileDevice::NoError;
};

// What a sync asks the system to put on the disk: a file's content, or a
// folder's entries (a file's new name after a rename).
enum class SyncTarget { File, Folder };
// The system call that does it (fsync): 0, or -1 with errno set. A test puts
// one that fails in its place; nullptr puts the system's back.
using SyncCall = int (*)(int fd, SyncTarget target);
void SetSyncCall(SyncCall call);

// Puts the entries of folder on the disk, so that a file renamed into it
// (the whole-file writer's, the settings file) is found under its new name
// after a power cut. False, with the system's reason in *why, on failure.
bool SyncFolder(const QString& folder, QString* why);

// Writes bytes as the whole of file. On failure returns false and, when why
// is given, the system's reason.
bool WriteWholeFile(const QString& file, const QByteArray& bytes, QString* why = nullptr);

// Whether writing file would replace the program's open database or one of
// the journals SQLite keeps beside it ("-journal", "-wal", "-shm"). The name
// is followed through symbolic links as the writer follows them, and its
// folder is compared with the database's by canonical path and by device and
// inode. A hard link to the database is another name in a folder: the writer
// renames its new file over that name and the database stays whole.
bool ReplacesOpenDatabase(const QString& file);
// Why such a file is never written: "This file is the program's database and
// cannot be replaced." The writer's error() for one.
QString OpenDatabaseReason();

// The message for a file that could not be written: the caller's sentence,
// then the file's name and the system's reason, each on a line of its own.
QString WriteFailureMessage(const QString& sentence, const QString& file, const QString& why);
