// A bare Qt window for bench_punch to start beside the punch screen: a Qt
// Widgets program that links Qt Widgets alone and shows an empty window of the
// given size; with --caption, one label in it, which loads a font as any window
// that shows text does. Once the window is ready it prints "ready", its peak
// memory in kilobytes and the wall-clock and CPU milliseconds of its two
// phases in main(), as the program's start does, and ends.
//
//   bench_barewindow [--caption] WIDTH HEIGHT

#include "ProcessMemory.h"
#include "ReadyWatch.h"

#include <QElapsedTimer>
#include <QLabel>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    const double cpu0 = threadCpuMs();
    QApplication application(argc, argv);
    const double appWall = sinceMain.nsecsElapsed() / 1e6, appCpu = threadCpuMs() - cpu0;
    QStringList arguments = QApplication::arguments();
    const bool withCaption = arguments.removeAll(QStringLiteral("--caption")) > 0;
    QWidget window(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(arguments.value(1).toInt(), arguments.value(2).toInt());
    if (withCaption)
        new QLabel(QStringLiteral("Badge #"), &window);
    PaintWatch watch;
    window.installEventFilter(&watch);
    window.show();
    window.activateWindow();
    if (!waitUntilReady(&window, watch, nullptr))
        return EXIT_FAILURE;
    std::printf("ready %ld %g %g %g %g\n", processKilobytes("VmHWM"), appWall, appCpu,
        sinceMain.nsecsElapsed() / 1e6 - appWall, threadCpuMs() - cpu0 - appCpu);
    std::fflush(stdout);
    return EXIT_SUCCESS;
}
