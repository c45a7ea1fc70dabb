#include "core/filewriter.h"

#include "core/db.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString systemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

int systemSync(int fd, SyncTarget)
{
#ifdef Q_OS_WIN
    return _commit(fd);
#else
    return ::fsync(fd);
#endif
}

SyncCall g_sync = systemSync;

// Asks the system to put what was written on the disk. A file system that
// allocates late (network shares, quotas) reports a full disk only here.
bool syncToDisk(int fd, SyncTarget target, QString* why)
{
    if (fd < 0)
        return true;
    if (g_sync(fd, target) == 0)
        return true;
#ifndef Q_OS_WIN
    // Devices and file systems that cannot sync have nothing left to lose.
    if (errno == EINVAL || errno == EROFS || errno == ENOTSUP)
        return true;
#endif
    *why = systemReason(errno);
    return false;
}

// Where a write to file lands: the save file follows symbolic links, even
// one to a file that does not exist yet.
QString finalTarget(const QString& file)
{
    QFileInfo info(file);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return QDir::fromNativeSeparators(info.filePath());
}

// The folder part of a path as the system reads it (no ".." taken away
// before the links are followed).
QString folderOf(const QString& path)
{
    const int slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool sameFolder(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
#ifdef Q_OS_WIN
    return false;
#else
    // The same folder reached by another way (a mount of it elsewhere).
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
}

}  // namespace

bool ReplacesOpenDatabase(const QString& file)
{
    if (file.isEmpty() || !objConn.isOpen())
        return false;
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    const Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity names = Qt::CaseSensitive;
#endif
    const QString target = finalTarget(file);
    const QString targetName = target.mid(target.lastIndexOf(u'/') + 1);
    // The database by the name it was opened with and by where that leads;
    // SQLite keeps its journals beside the one it resolved.
    const QString opened = QDir::fromNativeSeparators(objConn.fileName());
    for (const QString& database : {opened, finalTarget(opened)}) {
        const QString name = database.mid(database.lastIndexOf(u'/') + 1);
        if (!targetName.startsWith(name, names))
            continue;
        const QString suffix = targetName.mid(name.size());
        const bool ours = suffix.isEmpty() || suffix.compare(QLatin1String("-journal"), names) == 0
                          || suffix.compare(QLatin1String("-wal"), names) == 0
                          || suffix.compare(QLatin1String("-shm"), names) == 0;
        if (ours && sameFolder(folderOf(target), folderOf(database)))
            return true;
    }
    return false;
}

QString OpenDatabaseReason()
{
    return QStringLiteral("This file is the program's database and cannot be replaced.");
}

void SetSyncCall(SyncCall call)
{
    g_sync = call ? call : systemSync;
}

bool SyncFolder(const QString& folder, QString* why)
{
#ifdef Q_OS_WIN
    // The system keeps a folder's entries with the file's own sync.
    Q_UNUSED(folder);
    Q_UNUSED(why);
    return true;
#else
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        // A folder the user may write into but not read cannot be opened
        // to be synced; the system puts it on the disk in its own time.
        if (errno == EACCES)
            return true;
        *why = systemReason(errno);
        return false;
    }
    const bool synced = syncToDisk(fd, SyncTarget::Folder, why);
    ::close(fd);
    return synced;
#endif
}

FileWriter::FileWriter(const QString& file) : m_out(file) {}

FileWriter::~FileWriter()
{
    if (!m_done)
        cancel();
}

bool FileWriter::fail(QFileDevice::FileError kind, const QString& why)
{
    if (!m_failed) {
        m_failed = true;
        m_kind = kind == QFileDevice::NoError ? QFileDevice::WriteError : kind;
        m_error = why.isEmpty() ? systemReason(errno) : why;
    }
    cancel();
    return false;
}

bool FileWriter::failFromDevice()
{
    return fail(m_out.error(), m_out.errorString());
}

bool FileWriter::open()
{
    if (m_failed || m_done || m_out.isOpen())
        return false;
    if (ReplacesOpenDatabase(m_out.fileName()))
        return fail(QFileDevice::PermissionsError, OpenDatabaseReason());
    // Unbuffered: each write reaches the system at once, so a failing one is
    // seen here and not lost in a flush that nobody checks.
    if (!m_out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failFromDevice();
    return true;
}

bool FileWriter::write(const QByteArray& bytes)
{
    if (m_failed || m_done)
        return false;
    if (!m_out.isOpen())
        return fail(QFileDevice::OpenError, QStringLiteral("The file is not open."));
    qint64 done = 0;
    // A write the disk takes only in part is followed by one for the rest,
    // which fails with the reason (a full disk, a file too large).
    while (done < bytes.size()) {
        const qint64 n = m_out.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return failFromDevice();
        done += n;
    }
    return true;
}

bool FileWriter::commit()
{
    if (m_failed || m_done)
        return false;
    if (!m_out.isOpen())
        return fail(QFileDevice::OpenError, QStringLiteral("The file is not open."));
    if (m_out.error() != QFileDevice::NoError)
        return failFromDevice();
    QString why;
    if (!syncToDisk(m_out.handle(), SyncTarget::File, &why))
        return fail(QFileDevice::ResourceError, why);
    m_done = true;
    if (!m_out.commit()) {
        m_failed = true;
        m_kind = m_out.error() == QFileDevice::NoError ? QFileDevice::RenameError : m_out.error();
        m_error = m_out.errorString();
        return false;
    }
    if (!SyncFolder(QFileInfo(m_out.fileName()).absolutePath(), &why)) {
        m_failed = true;
        m_kind = QFileDevice::ResourceError;
        m_error = why;
        return false;
    }
    return true;
}

void FileWriter::cancel()
{
    // A cancelled save file's commit only removes its temporary file; the
    // target is never touched.
    if (m_out.isOpen()) {
        m_out.cancelWriting();
        m_out.commit();
    }
    m_done = true;
}

bool WriteWholeFile(const QString& file, const QByteArray& bytes, QString* why)
{
    FileWriter out(file);
    if (out.open() && out.write(bytes) && out.commit())
        return true;
    if (why)
        *why = out.error();
    return false;
}

QString WriteFailureMessage(const QString& sentence, const QString& file, const QString& why)
{
    return sentence + QStringLiteral("\r\n") + QDir::toNativeSeparators(file) + QStringLiteral("\r\n") + why;
}
