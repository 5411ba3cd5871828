#include "Application.h"

#include "program/CommandLine.h"
#include "program/Language.h"
#include "program/Program.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"
#include "ui/BusyPointer.h"
#include "ui/DesktopServices.h"
#include "ui/Dialogs.h"
#include "ui/TerminalFonts.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTextStream>
#include <cstdio>

namespace {

const CommandLine::Definition commandLine {
    QStringLiteral("jobcosting"),
    {QStringLiteral("[--help | --version]")},
    QStringLiteral("The shop-floor job-costing punch terminal. Start it in the site folder that\n"
                   "holds JobPunches.MDB, Validations.mdb and Norla.MDB; it has no other options."),
    {CommandLine::helpOption(), CommandLine::versionOption()},
    {},
    {{0, QStringLiteral("ended by Exit or the window's close")},
        {1,
            QStringLiteral("from the menu entry or the kiosk service: the site folder set cannot\n"
                           "be entered")},
        {2, QStringLiteral("a bad command line")},
        {75,
            QStringLiteral("the database server could not be reached, and the terminal has no\n"
                           "copies of its tables yet: start it again later")},
        {78,
            QStringLiteral("refused until a person puts the site or the machine right (short date\n"
                           "style, validation tables, a database or pointer file)")}},
    {},
};

static_assert(int(ExitStatus::BadArgument) == CommandLine::badCommandLine);

// Read before anything else, so that neither --help nor an error needs a
// display or opens a file. The status to end with at once, or nothing.
std::optional<int> answerCommandLine(const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        const CommandLine::Arguments parsed = CommandLine::parse(commandLine, arguments);
        if (!parsed.positional().isEmpty())
            throw CommandLine::unexpectedArgument(parsed.positional().first());
        return CommandLine::answer(commandLine, parsed, out);
    } catch (const CommandLine::Error& error) {
        return CommandLine::refuse(commandLine, error, err);
    }
}

} // namespace

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
    // The server tells a terminal's connection apart by this name, whatever
    // the program file is called.
    QCoreApplication::setApplicationName(QStringLiteral("jobcosting"));
}

int runJobCosting(int argc, char* argv[])
{
    if (const auto status = answerCommandLine(CommandLine::fromMain(argc, argv)))
        return *status;

    prepareProcess();
    QApplication application(argc, argv);
    Language::useSessionLanguage("jobcosting");
    showBusyPointerWhileServerWaits();

    QtDialogs dialogs;
    const DesktopServices desktop(dialogs);
    Module1 module;

    JobCosting screen(desktop.services, module);
    screen.load();
    screen.show();
    return application.exec();
}
