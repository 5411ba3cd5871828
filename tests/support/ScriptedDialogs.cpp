#include "ScriptedDialogs.h"

#include <QGuiApplication>

Dialogs::Answer ScriptedDialogs::message(const Message& message)
{
    m_shown.append({Shown::Kind::Message, message});
    if (QGuiApplication::overrideCursor())
        m_problems << QStringLiteral("message box under a busy pointer: ") + message.text;
    if (m_answers.isEmpty() || m_answers.first().kind != Shown::Kind::Message) {
        m_problems << QStringLiteral("unexpected message box: ") + message.text;
        return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    return m_answers.takeFirst().answer;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&)
{
    m_shown.append(
        {Shown::Kind::Input, {title, prompt, Icon::None, Buttons::OkCancel, Answer::Ok}});
    if (m_answers.isEmpty() || m_answers.first().kind != Shown::Kind::Input) {
        m_problems << QStringLiteral("unexpected input box: ") + prompt;
        return {};
    }
    return m_answers.takeFirst().text;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList texts;
    for (const Shown& shown : m_shown)
        texts << shown.message.text;
    return texts;
}

void ScriptedDialogs::clear()
{
    m_answers.clear();
    m_shown.clear();
    m_problems.clear();
    m_beeps = 0;
}

QString ScriptedDialogs::problems() const
{
    QStringList problems = m_problems;
    if (!m_answers.isEmpty())
        problems << QStringLiteral("%1 queued answer(s) never used").arg(m_answers.size());
    return problems.join(QLatin1String("; "));
}
