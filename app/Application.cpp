#include "Application.h"

#include "app/Clock.h"
#include "app/Module1.h"
#include "app/Program.h"
#include "app/Services.h"
#include "punch/JobCosting.h"
#include "ui/Dialogs.h"
#include "ui/RegionalSettings.h"
#include "ui/Shell.h"
#include "ui/TerminalFonts.h"

#include <QApplication>

int runJobCosting(int argc, char* argv[])
{
    TerminalFonts::narrow();
    QApplication application(argc, argv);

    QtDialogs dialogs;
    DesktopShell shell;
    SystemClock clock;
    const RegionalSettings regional = RegionalSettings::system(clock);
    ImmediateExit program;
    const Services services {dialogs, shell, clock, regional, program};
    Module1 module;

    JobCosting screen(services, module);
    screen.load();
    screen.show();
    return application.exec();
}
