#include "JobCostCommand.h"
#include "program/CommandLine.h"
#include "program/Language.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QtMessageHandler defaultHandler = nullptr;

// Start-up notes of the windowing layer (such as an unset XDG_RUNTIME_DIR under
// cron) would break the report's one-line errors; anything worse still shows.
void dropNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    // The report paints PDF pages but never opens a window, so it needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QStringList arguments = CommandLine::fromMain(argc, argv);
    defaultHandler = qInstallMessageHandler(dropNotes);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    qInstallMessageHandler(defaultHandler);
    // The server tells the report's connection apart by its name.
    QGuiApplication::setApplicationName(QStringLiteral("jobcosting-report"));
    // The PDF's words; its CSV, its command line and its errors stay English.
    Language::useSessionLanguage("jobcosting-report");

    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    QTextStream err(stderr);
    const SystemClock clock;
    return JobCostCommand::run(arguments, clock, RegionalSettings::system(clock), out, err);
}
