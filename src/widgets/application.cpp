#include "widgets/application.h"

#include "core/apperror.h"
#include "widgets/guard.h"
#include "core/money.h"
#include "core/settings.h"
#include "widgets/windowrules.h"

#include <QMetaEnum>
#include <QWidget>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
}

namespace {

// An error that escaped an event handler, reported from that handler: the
// window's module and the control's handler for the event ("txtTip_FocusOut").
[[noreturn]] void ReportEventError(const std::exception* e, QObject* receiver, QEvent* event)
{
    QObject* window = receiver;
    if (auto* w = qobject_cast<QWidget*>(receiver))
        window = w->window();
    const QByteArray module = QByteArray(window->metaObject()->className()).toLower() + ".cpp";
    const QString control = receiver->objectName().isEmpty() ? QString::fromLatin1(receiver->metaObject()->className())
                                                             : receiver->objectName();
    const QString type = QString::fromLatin1(QMetaEnum::fromType<QEvent::Type>().valueToKey(event->type()));
    const QString handler = control + u'_' + (type.isEmpty() ? QString::number(event->type()) : type);
    ReportHandlerError(e, Where{module.constData(), "", 0}, handler.toUtf8().constData());
}

}  // namespace

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& e) {
        ReportError(e);
        return true;
    } catch (const std::exception& e) {
        ReportEventError(&e, receiver, event);
    }
}

void InitProgram()
{
    Q_INIT_RESOURCE(resources);
    QCoreApplication::setApplicationName(ProgramName());
    QCoreApplication::setApplicationVersion(QStringLiteral("3.19"));
    qRegisterMetaType<Money>();
    InstallWindowRules();
}
