#include "FixedDialogFrame.h"

#include "X11Connection.h"

#include <QGuiApplication>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

template<typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template<typename Reply> Owned<Reply> own(Reply* reply)
{
    return Owned<Reply>(reply, &std::free);
}

// The name the running window manager gives itself (EWMH), or empty.
QByteArray windowManagerName(xcb_connection_t* connection, xcb_window_t root,
    xcb_atom_t supportingCheck, xcb_atom_t name, xcb_atom_t utf8)
{
    const auto check = own(xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, root, supportingCheck, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!check || xcb_get_property_value_length(check.get()) != sizeof(xcb_window_t))
        return {};
    const xcb_window_t manager
        = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    const auto named = own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, manager, name, utf8, 0, 64), nullptr));
    if (!named)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(named.get())),
        xcb_get_property_value_length(named.get()));
}

} // namespace
#endif

void askForFixedDialogFrame(QWindow* window)
{
#if QT_CONFIG(xcb)
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window)
        return;
    const char* names[] = {"_NET_SUPPORTING_WM_CHECK", "_NET_WM_NAME", "UTF8_STRING",
        "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_TOOLBAR"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (std::size_t i = 0; i < std::size(names); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, std::strlen(names[i]), names[i]);
    xcb_atom_t atoms[std::size(names)] {};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (const auto reply = own(xcb_intern_atom_reply(connection, cookies[i], nullptr)))
            atoms[i] = reply->atom;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen
        || windowManagerName(connection, screen->root, atoms[0], atoms[1], atoms[2]) != "Openbox")
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), atoms[3],
        XCB_ATOM_ATOM, 32, 1, &atoms[4]);
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
