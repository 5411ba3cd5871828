#include "Application.h"

#include "app/CommandLine.h"
#include "app/DesktopServices.h"
#include "app/Module1.h"
#include "punch/JobCosting.h"
#include "ui/BusyPointer.h"
#include "ui/Dialogs.h"
#include "ui/TerminalFonts.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTextStream>
#include <cstdio>

void prepareProcess()
{
    TerminalFonts::narrow();
    // Each pattern matches a few short texts (a record source, a column's type,
    // a typed number): compiling it to machine code at its first match costs
    // more than all its matches save. Set by the user, Qt's switch stays his.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT"))
        qputenv("QT_ENABLE_REGEXP_JIT", "0");
    // A server connection that was lost or given up on lets go of each of its
    // prepared statements with a warning: the terminal's log keeps what it did
    // about it instead. QT_LOGGING_RULES still overrides.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.sql.postgresql.warning=false"));
}

int runJobCosting(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (const auto status = answerCommandLine(arguments, out, err))
        return static_cast<int>(*status);

    prepareProcess();
    QApplication application(argc, argv);
    showBusyPointerWhileServerWaits();

    QtDialogs dialogs;
    const DesktopServices desktop(dialogs);
    Module1 module;

    JobCosting screen(desktop.services, module);
    screen.load();
    screen.show();
    return application.exec();
}
