#include "DeskCommand.h"
#include "DeskForms.h"
#include "DeskLink.h"
#include "DeskWindow.h"
#include "data/DataError.h"
#include "program/Language.h"
#include "ui/DesktopServices.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    DeskCommand::Request request;
    try {
        request = DeskCommand::parse(CommandLine::fromMain(argc, argv));
    } catch (const CommandLine::Error& error) {
        err << "jobcosting-desk: " << error.message << Qt::endl;
        return DeskCommand::badCommandLine;
    }
    int qtArgc = 1;
    if (request.command != DeskCommand::Request::Command::Desk) {
        QCoreApplication application(qtArgc, argv);
        return DeskCommand::run(request, SystemClock(), out, err);
    }

    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("jobcosting-desk"));
    Language::useSessionLanguage("jobcosting-desk");
    QtDialogs dialogs;
    const DesktopServices desktop(dialogs);
    const Services& services = desktop.services;
    DeskLink link(request.site, services.clock);
    QtDeskForms forms(services.regional);
    DeskWindow window(link, services, forms, request.shiftSeconds);
    forms.setParent(&window);
    // A site that the desk can never correct is told once, and the desk ends.
    QObject::connect(&link, &DeskLink::cannotOpen, &window, [&](const QString& why) {
        dialogs.stop(QStringLiteral("Job Costing Desk"),
            DeskWindow::tr("The desk cannot open the site %1.\n\n%2").arg(request.site, why));
        QCoreApplication::exit(DeskCommand::notReadOrWritten);
    });
    window.show();
    return application.exec();
}
