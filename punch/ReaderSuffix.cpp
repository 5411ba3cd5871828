#include "ReaderSuffix.h"

#include "Framing.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// Keys that only change what another key types: a reader presses Shift for "?".
bool isModifier(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

} // namespace

ReaderSuffix::ReaderSuffix(QObject* parent)
    : QObject(parent)
{
    // The keys land on any window of the program: the screen, or the message
    // the lookup opens.
    QCoreApplication::instance()->installEventFilter(this);
}

bool ReaderSuffix::belongsToBadge(int key, const QString& text)
{
    if (!m_expected || isModifier(key))
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
        m_expected = false;
        return true;
    }
    if (text.size() == 1 && withoutFraming(text).isEmpty())
        return true;
    m_expected = false;
    return false;
}

bool ReaderSuffix::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        for (const X11KeyPresses::Key& dropped : m_keyPresses.droppedBefore(*key))
            belongsToBadge(dropped.key, dropped.text);
        if (belongsToBadge(key->key(), key->text()))
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_expected = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
