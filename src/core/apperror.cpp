#include "core/apperror.h"

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

QString AppError::reportText() const
{
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
