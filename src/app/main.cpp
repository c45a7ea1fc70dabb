#include "widgets/application.h"
#include "core/apperror.h"
#include "widgets/guard.h"
#include "app/frmmain.h"
#include "app/startup.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    InitProgram();
    RegisterMainView();
    try {
        Main();
    } catch (const AppError& e) {
        ReportError(e);
    }
    return app.exec();
}
