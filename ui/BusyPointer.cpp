#include "BusyPointer.h"

#include "data/ConnectionThread.h"

#include <QCursor>
#include <QGuiApplication>

void showBusyPointerWhileServerWaits()
{
    ServerWait::setIndicator([](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    });
}
