#include "ReaderSuffix.h"

#include "Framing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

constexpr qsizetype badgeLength = 6;

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

bool isEndMark(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab;
}

bool isFraming(const QString& text)
{
    return text.size() == 1 && withoutFraming(text).isEmpty();
}

// Whether `later` comes at most `ms` after `earlier`; a time of 0 is unknown.
bool within(quint64 earlier, quint64 later, int ms)
{
    return earlier != 0 && later >= earlier && later - earlier <= quint64(ms);
}

} // namespace

ReaderSuffix::ReaderSuffix(QObject* parent)
    : QObject(parent)
{
    // The keys land on any window of the program: the screen, or the message
    // the lookup opens.
    QCoreApplication::instance()->installEventFilter(this);
    m_burstEnd.setSingleShot(true);
    m_burstEnd.setInterval(burstGapMs);
    connect(&m_burstEnd, &QTimer::timeout, this, [this] { endBurst(); });
}

ReaderSuffix::~ReaderSuffix() = default;

void ReaderSuffix::lookingUp(const QString& entry, bool automatic)
{
    m_expected = automatic;
    m_read = entry;
    m_readShown = !entry.isEmpty();
    m_readEnd = m_lastKeyTime;
}

void ReaderSuffix::forgetRead()
{
    if (m_holding)
        endBurst();
    m_readShown = false;
}

bool ReaderSuffix::belongsToBadge(int key, const QString& text)
{
    if (isEndMark(key)) {
        m_expected = false;
        return true;
    }
    if (isFraming(text))
        return true;
    m_expected = false;
    return false;
}

bool ReaderSuffix::continuesRepeat(int key, const QString& text) const
{
    const bool whole = m_matched == m_read.size();
    if (isEndMark(key))
        return whole;
    if (isFraming(text))
        return m_matched == 0 || whole;
    return !m_trailing && !whole && text == m_read.at(m_matched);
}

ReaderSuffix::Verdict ReaderSuffix::take(
    int key, const QString& text, quint64 time, const QKeyEvent* event)
{
    if (isModifier(key))
        return Verdict::Pass;
    if (m_expected && belongsToBadge(key, text)) {
        if (time != 0)
            m_readEnd = time;
        return Verdict::Swallow;
    }

    if (m_holding && (!within(m_burstTime, time, burstGapMs) || !continuesRepeat(key, text)))
        endBurst();
    if (!m_holding && m_readShown && within(m_readEnd, time, repeatWindowMs) && !isEndMark(key)) {
        m_matched = 0;
        m_trailing = false;
        m_holding = continuesRepeat(key, text);
    }
    if (!m_holding)
        return Verdict::Pass;

    m_burstTime = time;
    if (isEndMark(key)) {
        // The whole repeat, up to its end mark: nothing of it is handed on.
        m_held.clear();
        m_holding = false;
        m_burstEnd.stop();
        m_readEnd = time;
        return Verdict::Swallow;
    }
    if (isFraming(text))
        m_trailing = m_matched > 0;
    else
        ++m_matched;
    if (event)
        m_held.push_back(std::unique_ptr<QKeyEvent>(event->clone()));
    m_burstEnd.start();
    return Verdict::Swallow;
}

void ReaderSuffix::endBurst()
{
    m_burstEnd.stop();
    m_holding = false;
    const std::vector<std::unique_ptr<QKeyEvent>> held = std::exchange(m_held, {});
    // A reader that sends no end mark: the repeat is whole with the read's
    // characters, and a short entry needed its Enter.
    if (m_matched == m_read.size() && m_read.size() >= badgeLength) {
        m_readEnd = m_burstTime;
        return;
    }
    m_replaying = true;
    for (const std::unique_ptr<QKeyEvent>& key : held) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        if (target)
            QCoreApplication::sendEvent(target, key.get());
    }
    m_replaying = false;
}

bool ReaderSuffix::alreadySeen(QObject* watched, const QKeyEvent& key)
{
    // Qt hands a key from the window to its focused widget, and from a widget
    // that ignores it on to its parent: the same event, seen again.
    bool again = false;
    if (&key == m_lastEvent && key.key() == m_lastKey && key.timestamp() == m_lastKeyTime
        && m_lastReceiver && m_lastReceiver != watched) {
        again = m_lastReceiver->isWindowType();
        for (QObject* above = m_lastReceiver->parent(); above && !again; above = above->parent())
            again = above == watched;
    }
    m_lastEvent = &key;
    m_lastKey = key.key();
    m_lastReceiver = watched;
    return again;
}

bool ReaderSuffix::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (m_replaying || alreadySeen(watched, *key))
            break;
        m_lastKeyTime = key->timestamp();
        for (const X11KeyPresses::Key& dropped : m_keyPresses.droppedBefore(*key))
            take(dropped.key, dropped.text, dropped.time, nullptr);
        if (take(key->key(), key->text(), key->timestamp(), key) == Verdict::Swallow)
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_expected = false;
        if (m_holding)
            endBurst();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
