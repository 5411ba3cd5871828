#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <ctime>

// When a started window is ready: painted once and active, with the expected
// control in the focus. Shared by the benchmark's children; Qt Widgets only.

inline double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Handles events as they come, without polling delays, until the window is
// ready; false when it is not within 20 seconds.
inline bool waitUntilReady(QWidget* window, const PaintWatch& watch, const QWidget* focus)
{
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(20000);
    while (!watch.painted || !window->isActiveWindow()
        || (focus && QApplication::focusWidget() != focus)) {
        if (!deadline.isActive())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
