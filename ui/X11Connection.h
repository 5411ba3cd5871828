#pragma once

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

// The program's connection to the X server, or null when its windows are not
// on one (other platforms, the offscreen one included, whose X11 interface
// may stand without a connection).
inline xcb_connection_t* x11Connection()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
#endif
