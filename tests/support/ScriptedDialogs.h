#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QStringList>

// Answers for the operator in tests. Every box shown is recorded; answers are
// queued in the order the boxes are expected. A box that nobody queued an
// answer for, or an answer left over, is a failure that verify() reports.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        enum class Kind
        {
            Message,
            Input
        };
        Kind kind;
        Message message; // for an input box: title, and the prompt as text
    };

    // Queue the answer to the next message box.
    void answer(Answer answer) { m_answers.append({Shown::Kind::Message, answer, {}}); }
    // Queue the text typed into the next input box (empty: Cancel).
    void type(const QString& text) { m_answers.append({Shown::Kind::Input, Answer::Ok, text}); }

    Answer message(const Message& message) override;
    QString inputBox(
        const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override { ++m_beeps; }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    int beeps() const { return m_beeps; }
    void clear();

    // Empty when every box was expected and every answer was used.
    QString problems() const;

private:
    struct Queued
    {
        Shown::Kind kind;
        Answer answer;
        QString text;
    };
    QList<Queued> m_answers;
    QList<Shown> m_shown;
    QStringList m_problems;
    int m_beeps = 0;
};

// Fails the current test function when the dialogs were not as scripted.
#define VERIFY_DIALOGS(dialogs)                                                                    \
    QVERIFY2((dialogs).problems().isEmpty(), qPrintable((dialogs).problems()))
