#pragma once

#include "ui/X11KeyPresses.h"

#include <QObject>

// A keyboard-wedge card reader ends the badge it types with Enter or Tab, often
// after a framing character. The badge box looks the worker up at the sixth
// character, so those keys come when the lookup has already moved the focus or
// opened a message, and would press a button, close a message unread or move
// the focus off the box the worker types into next. They belong to the badge:
// from the sixth character on, framing characters and the first Enter or Tab do
// nothing, wherever they land. That Enter or Tab, any other key, or a click
// ends it; from then on every key works as usual.
class ReaderSuffix : public QObject
{
public:
    // Watches the program's every window from now on.
    explicit ReaderSuffix(QObject* parent = nullptr);

    // The sixth character of a badge was typed.
    void expect() { m_expected = true; }
    bool expected() const { return m_expected; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether a key pressed while the suffix is expected belongs to the badge.
    bool belongsToBadge(int key, const QString& text);

    bool m_expected = false;
    // A message the lookup opens blocks the screen before it takes the
    // keyboard: a reader's key in between reaches no widget, but is the
    // reader's all the same.
    X11KeyPresses m_keyPresses;
};
