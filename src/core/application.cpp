#include "core/application.h"

#include "core/apperror.h"
#include "core/money.h"
#include "core/settings.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& e) {
        ReportFatalError(e);
    } catch (const std::exception& e) {
        ReportFatalError(AppError(51, QString::fromLocal8Bit(e.what()), Where{__FILE__, "notify", __LINE__}));
    }
}

void InitProgram()
{
    Q_INIT_RESOURCE(resources);
    QCoreApplication::setApplicationName(ProgramName());
    QCoreApplication::setApplicationVersion(QStringLiteral("3.19"));
    qRegisterMetaType<Money>();
}
