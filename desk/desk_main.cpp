#include "ChangeWatch.h"
#include "CorrectionForms.h"
#include "DeskCommand.h"
#include "DeskStore.h"
#include "DeskWindow.h"
#include "data/DataError.h"
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
    QtDialogs dialogs;
    const DesktopServices desktop(dialogs);
    const Services& services = desktop.services;
    std::unique_ptr<DeskStore> store;
    std::unique_ptr<ChangeWatch> watch;
    try {
        store = std::make_unique<DeskStore>(request.site);
        watch = ChangeWatch::forFile(store->jobPunchesPath(), store->onServer());
    } catch (const DataError& error) {
        dialogs.stop(QStringLiteral("Job Costing Desk"),
            QStringLiteral("The desk cannot open the site %1.\n\n%2")
                .arg(request.site, error.message()));
        return DeskCommand::notReadOrWritten;
    }
    QtCorrectionForms forms(services.regional);
    DeskWindow window(*store, services, forms, request.shiftSeconds);
    forms.setParent(&window);
    window.follow(*watch);
    window.show();
    return application.exec();
}
