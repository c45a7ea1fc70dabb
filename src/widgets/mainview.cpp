#include "widgets/mainview.h"

namespace {
MainViewProvider g_provider = nullptr;
}

void SetMainViewProvider(MainViewProvider provider)
{
    g_provider = provider;
}

MainView& mainView()
{
    if (!g_provider)
        qFatal("The main window is not available");
    return g_provider();
}

void ShowArrivals()
{
    mainView().ShowArrivals();
}
