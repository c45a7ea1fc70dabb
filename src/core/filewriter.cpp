#include "core/filewriter.h"

#include <cerrno>
#include <cstring>

FileWriter::FileWriter(const QString& file) : m_out(file) {}

FileWriter::~FileWriter()
{
    if (!m_done)
        cancel();
}

bool FileWriter::fail(const QString& why)
{
    if (!m_failed) {
        m_failed = true;
        m_error = why.isEmpty() ? QString::fromLocal8Bit(std::strerror(errno)) : why;
    }
    cancel();
    return false;
}

bool FileWriter::open()
{
    // Unbuffered: each write reaches the system at once, so a failing one is
    // seen here and not lost in a flush that nobody checks.
    if (!m_out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_out.errorString());
    return true;
}

bool FileWriter::write(const QByteArray& bytes)
{
    if (m_failed || m_done)
        return false;
    if (!m_out.isOpen())
        return fail(QStringLiteral("The file is not open."));
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_out.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return fail(m_out.errorString());
        done += n;
    }
    return true;
}

bool FileWriter::commit()
{
    if (m_failed || m_done)
        return false;
    if (!m_out.isOpen())
        return fail(QStringLiteral("The file is not open."));
    if (m_out.error() != QFileDevice::NoError)
        return fail(m_out.errorString());
    m_done = true;
    if (!m_out.commit()) {
        m_failed = true;
        m_error = m_out.errorString();
        return false;
    }
    return true;
}

void FileWriter::cancel()
{
    if (m_out.isOpen())
        m_out.cancelWriting();
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
