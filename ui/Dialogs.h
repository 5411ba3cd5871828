#pragma once

#include <QString>

class QWidget;

// Everything the program asks of the operator goes through this interface, so
// that tests can answer for him and see exactly what he was shown.
class Dialogs
{
public:
    enum class Icon
    {
        None,
        Critical,
        Information
    };
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No
    };

    struct Message
    {
        QString title;
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer defaultButton = Answer::Ok;
    };

    virtual ~Dialogs() = default;

    // A modal message box; returns the button the operator chose.
    virtual Answer message(const Message& message) = 0;
    // A modal input box; returns the typed text, or an empty text on Cancel.
    virtual QString inputBox(
        const QString& prompt, const QString& title, const QString& defaultText)
        = 0;
    virtual void beep() = 0;

    // A refusal: critical-stop icon and a single OK button.
    void stop(const QString& title, const QString& text)
    {
        message({title, text, Icon::Critical, Buttons::Ok, Answer::Ok});
    }
};

class QtDialogs : public Dialogs
{
public:
    Answer message(const Message& message) override;
    QString inputBox(
        const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override;
};
