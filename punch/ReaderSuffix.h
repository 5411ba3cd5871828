#pragma once

#include "ui/X11KeyPresses.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

class QKeyEvent;

// A keyboard-wedge card reader ends the badge it types with Enter or Tab, often
// after a framing character. The badge box looks the worker up at the sixth
// character, so those keys come when the lookup has already moved the focus or
// opened a message, and would press a button, close a message unread or move
// the focus off the box the worker types into next. They belong to the badge:
// from the sixth character on, framing characters and the first Enter or Tab do
// nothing, wherever they land. That Enter or Tab, any other key, or a click
// ends it; from then on every key works as usual.
//
// A reader also sends a card twice when it is swiped twice. While the screen
// still shows what the badge brought up (its job, or the message that nobody
// has it), a burst that types the same badge again within two seconds of the
// read's end is swallowed whole, framing and end mark included. A burst's first
// keys are held back until it is known whether they repeat the badge; they are
// handed on, in order, as soon as a key differs, a key comes too late for a
// reader, or the pointer is pressed. Keys typed by hand come too slowly to be
// held for long, and keys without a time from the window system are never held.
class ReaderSuffix : public QObject
{
public:
    // Watches the program's every window from now on.
    explicit ReaderSuffix(QObject* parent = nullptr);
    ~ReaderSuffix() override;

    // The badge box looks up what was typed into it, `entry` with framing
    // stripped; `automatic` when the sixth character started the lookup, which
    // an end mark may follow, false when Enter did. What the lookup shows
    // stays on the screen until forgetRead().
    void lookingUp(const QString& entry, bool automatic);
    // The screen no longer shows what the last lookup brought up.
    void forgetRead();

    // The longest pause between the keys of one burst, in milliseconds.
    static constexpr int burstGapMs = 300;
    // How long after a read its repeat is swallowed, in milliseconds.
    static constexpr int repeatWindowMs = 2000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Verdict
    {
        Pass,
        Swallow,
    };
    // One key press, delivered (`event` set) or dropped by Qt while a message opened.
    Verdict take(int key, const QString& text, quint64 time, const QKeyEvent* event);
    // Whether a key pressed while the suffix is expected belongs to the badge.
    bool belongsToBadge(int key, const QString& text);
    // Whether a key can go on the repeat held so far.
    bool continuesRepeat(int key, const QString& text) const;
    // The held keys: dropped when they made a whole repeat, else handed on.
    void endBurst();
    bool alreadySeen(QObject* watched, const QKeyEvent& key);

    bool m_expected = false;
    // A message the lookup opens blocks the screen before it takes the
    // keyboard: a reader's key in between reaches no widget, but is the
    // reader's all the same.
    X11KeyPresses m_keyPresses;

    // The last lookup, while the screen shows what it brought up.
    QString m_read; // empty: nothing shown
    bool m_readShown = false;
    quint64 m_readEnd = 0; // the time of the read's last key; 0: unknown
    quint64 m_lastKeyTime = 0; // of the key being delivered

    // A burst that may repeat the read.
    std::vector<std::unique_ptr<QKeyEvent>> m_held;
    bool m_holding = false;
    qsizetype m_matched = 0; // characters of the read matched so far
    bool m_trailing = false; // framing after the whole read
    quint64 m_burstTime = 0; // the time of the burst's last key
    QTimer m_burstEnd;
    bool m_replaying = false;

    // A key event goes on to the parent of a widget that ignores it: it is taken once.
    const QKeyEvent* m_lastEvent = nullptr;
    int m_lastKey = 0;
    QPointer<QObject> m_lastReceiver;
};
