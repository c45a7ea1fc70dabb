#include "core/apperror.h"

#include <QDir>
#include <QFileInfo>

QString Where::module() const
{
    return QFileInfo(QString::fromUtf8(file)).completeBaseName();
}

AppError::AppError(long number, const QString& description, const Where& where)
    : std::runtime_error(description.toStdString()),
      m_number(number),
      m_description(description),
      m_module(where.module()),
      m_routine(QString::fromUtf8(where.routine)),
      m_line(where.line)
{
}

AppError AppError::unreadableFile(const QString& file, const QString& reason, const QString& sql, const Where& where)
{
    AppError e(kErrDatabase, reason + QStringLiteral("\n") + sql.simplified(), where);
    e.m_unreadableFile = file.isEmpty() ? QStringLiteral("db.mdb") : file;
    e.m_reason = reason;
    return e;
}

QString AppError::reportText() const
{
    if (isUnreadableFile())
        return QStringLiteral("The database file is damaged or cannot be read.\r\n%1\r\n%2\r\nClose the program and "
                              "restore a copy of the file. Until then the program shows the rows it could read.")
            .arg(QDir::toNativeSeparators(m_unreadableFile), m_reason);
    // One pass, so that a description holding "%1" is shown as it stands.
    return QStringLiteral("Run-time error '%1':\n\n%2\n\nModule: %3\nRoutine: %4\nLine: %5")
        .arg(QString::number(m_number),
             m_description.isEmpty() ? QStringLiteral("Application-defined or object-defined error") : m_description,
             m_module, m_routine, QString::number(m_line));
}

void RaiseError(long number, const QString& description, const Where& where)
{
    throw AppError(number, description, where);
}
