#include "Application.h"

#include "app/DesktopServices.h"
#include "app/Module1.h"
#include "punch/JobCosting.h"
#include "ui/Dialogs.h"
#include "ui/TerminalFonts.h"

#include <QApplication>

int runJobCosting(int argc, char* argv[])
{
    TerminalFonts::narrow();
    QApplication application(argc, argv);

    QtDialogs dialogs;
    const DesktopServices desktop(dialogs);
    Module1 module;

    JobCosting screen(desktop.services, module);
    screen.load();
    screen.show();
    return application.exec();
}
