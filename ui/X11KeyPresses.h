#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QString>
#include <deque>

class QKeyEvent;

// The key presses the X server sends, in the order Qt reads them. Qt drops a
// key press sent to a window that a modal dialog blocks: so are the keys that
// come after a dialog opens and before the window manager gives it the
// keyboard. Such a press is known by its absence from the key events Qt
// delivers. Elsewhere than on X11 no press is known.
class X11KeyPresses : public QAbstractNativeEventFilter
{
public:
    struct Key
    {
        int key; // Qt::Key_Return, Qt::Key_Tab, ...; Qt::Key_unknown for a character
        QString text;
        quint32 time = 0; // the X server's, in milliseconds
    };

    X11KeyPresses();

    // Called for each key press Qt delivers: the presses read before it that Qt
    // dropped, oldest first.
    QList<Key> droppedBefore(const QKeyEvent& delivered);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Press
    {
        quint32 code;
        quint16 state;
        quint32 time;
    };
    std::deque<Press> m_pressed;
};
