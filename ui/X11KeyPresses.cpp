#include "X11KeyPresses.h"

#include "X11Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

#if QT_CONFIG(xcb)
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace {

#if QT_CONFIG(xcb)
// The key and text of an X key code as the modifiers pick its symbol: the first
// of its first group, or with Shift the second.
X11KeyPresses::Key keyOf(quint32 code, quint16 state)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return {Qt::Key_unknown, {}};
    const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
        xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, xcb_keycode_t(code), 1), nullptr),
        &std::free);
    if (!mapping || xcb_get_keyboard_mapping_keysyms_length(mapping.get()) < 1)
        return {Qt::Key_unknown, {}};
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const bool shifted
        = (state & XCB_MOD_MASK_SHIFT) && mapping->keysyms_per_keycode > 1 && symbols[1] != 0;
    const xcb_keysym_t symbol = symbols[shifted ? 1 : 0];
    switch (symbol) {
    case 0xff0d: // Return
        return {Qt::Key_Return, {}};
    case 0xff8d: // KP_Enter
        return {Qt::Key_Enter, {}};
    case 0xff09: // Tab
        return {Qt::Key_Tab, {}};
    case 0xfe20: // ISO_Left_Tab: Shift and Tab
        return {Qt::Key_Backtab, {}};
    case 0xfe03: // ISO_Level3_Shift
        return {Qt::Key_AltGr, {}};
    default:
        break;
    }
    if (symbol >= 0xffe1 && symbol <= 0xffee) // Shift_L to Hyper_R
        return {Qt::Key_Shift, {}};
    // Latin-1 symbols are their own code points.
    if ((symbol >= 0x20 && symbol <= 0x7e) || (symbol >= 0xa0 && symbol <= 0xff))
        return {Qt::Key_unknown, QString(QChar(char16_t(symbol)))};
    return {Qt::Key_unknown, {}};
}
#endif

} // namespace

X11KeyPresses::X11KeyPresses()
{
#if QT_CONFIG(xcb)
    if (x11Connection())
        QCoreApplication::instance()->installNativeEventFilter(this);
#endif
}

QList<X11KeyPresses::Key> X11KeyPresses::droppedBefore(const QKeyEvent& delivered)
{
    QList<Key> dropped;
#if QT_CONFIG(xcb)
    const auto same = [&delivered](const Press& press) {
        return press.code == delivered.nativeScanCode()
            && press.time == quint32(delivered.timestamp());
    };
    const auto found = std::find_if(m_pressed.begin(), m_pressed.end(), same);
    if (found == m_pressed.end())
        return dropped;
    for (auto press = m_pressed.begin(); press != found; ++press) {
        dropped << keyOf(press->code, press->state);
        dropped.back().time = press->time;
    }
    m_pressed.erase(m_pressed.begin(), found + 1);
#else
    Q_UNUSED(delivered);
#endif
    return dropped;
}

bool X11KeyPresses::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#if QT_CONFIG(xcb)
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    // Presses that nothing asks about are forgotten.
    if (m_pressed.size() >= 64)
        m_pressed.pop_front();
    m_pressed.push_back({press->detail, press->state, press->time});
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
