#include "core/application.h"
#include "core/startup.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    InitProgram();
    Main();
    return app.exec();
}
