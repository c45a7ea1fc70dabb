// The program's start: the splash window while the main window loads, then
// the main window with the day's arrivals, the tip of the day and, on the
// very first run, the getting-started questions.
#include "app/startup.h"

#include "calendar/arrivalspanel.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/frmtip.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "core/settingkeys.h"
#include "customers/customerspanel.h"

void Main()
{
    {
        frmSplash splash;
        splash.exec();
    }
    frmMain& main = MainForm();
    main.show();

    if (Val(Options::ShowTipsAtStartup.read()) != 0) {
        frmTip tip(&main);
        tip.exec();
    }

    const bool firstRun = Config::FirstRun.read();
    if (!Config::FirstRun.save(false))
        ReportUnsavedSettings();
    if (firstRun)
        main.FirstRun();

    main.customers()->LoadLayout();
    main.arrivals()->LoadLayout();
}

