// The program's start for bench_punch, as the installed program starts: the
// same libraries and the same steps as app/Application.cpp, in the site folder
// given. Only the dialogs differ: any message at start ends this child with
// the message, as a failed measurement. Once the punch screen is ready it
// prints "ready", its peak memory in kilobytes and the wall-clock and CPU
// milliseconds of the phases in main(), and ends.
//
//   bench_punchstart SITE

#include "ProcessMemory.h"
#include "ReadyWatch.h"
#include "app/Application.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"
#include "ui/DesktopServices.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <cstdio>
#include <cstdlib>

namespace {

class RefusedStart : public Dialogs
{
public:
    Answer message(const Message& message) override
    {
        refuse(message.title + QStringLiteral(": ") + message.text);
    }
    QString inputBox(const QString& prompt, const QString&, const QString&) override
    {
        refuse(prompt);
    }
    void beep() override { }

private:
    [[noreturn]] static void refuse(const QString& text)
    {
        std::printf("the start showed a message: %s\n", qPrintable(text));
        std::fflush(stdout);
        std::_Exit(EXIT_FAILURE);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QStringList phases;
    double wall = 0;
    double cpu = threadCpuMs();
    const auto phaseEnds = [&] {
        const double nowWall = sinceMain.nsecsElapsed() / 1e6, nowCpu = threadCpuMs();
        phases << QString::number(nowWall - wall) << QString::number(nowCpu - cpu);
        wall = nowWall;
        cpu = nowCpu;
    };

    prepareProcess();
    QApplication application(argc, argv);
    RefusedStart dialogs;
    const DesktopServices desktop(dialogs);
    phaseEnds();
    if (argc < 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return EXIT_FAILURE;
    Module1 module;
    JobCosting screen(desktop.services, module);
    phaseEnds();
    PaintWatch watch;
    screen.installEventFilter(&watch);
    screen.load();
    phaseEnds();
    screen.show();
    screen.activateWindow();
    if (!waitUntilReady(&screen, watch, screen.Text34))
        return EXIT_FAILURE;
    phaseEnds();
    std::printf("ready %ld %s\n", processKilobytes("VmHWM"), qPrintable(phases.join(u' ')));
    std::fflush(stdout);
    return EXIT_SUCCESS;
}
