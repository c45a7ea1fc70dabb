#include "core/filewriter.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

QString systemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Asks the system to put what was written on the disk. A file system that
// allocates late (network shares, quotas) reports a full disk only here.
bool syncToDisk(int fd, QString* why)
{
    if (fd < 0)
        return true;
#ifdef Q_OS_WIN
    if (_commit(fd) == 0)
        return true;
#else
    if (::fsync(fd) == 0)
        return true;
    // Devices and file systems that cannot sync have nothing left to lose.
    if (errno == EINVAL || errno == EROFS || errno == ENOTSUP)
        return true;
#endif
    *why = systemReason(errno);
    return false;
}

}  // namespace

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
    if (!syncToDisk(m_out.handle(), &why))
        return fail(QFileDevice::ResourceError, why);
    m_done = true;
    if (!m_out.commit()) {
        m_failed = true;
        m_kind = m_out.error() == QFileDevice::NoError ? QFileDevice::RenameError : m_out.error();
        m_error = m_out.errorString();
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
