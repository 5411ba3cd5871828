#include "Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton toStandard(Dialogs::Answer answer)
{
    switch (answer) {
    case Dialogs::Answer::Ok:
        return QMessageBox::Ok;
    case Dialogs::Answer::Cancel:
        return QMessageBox::Cancel;
    case Dialogs::Answer::Yes:
        return QMessageBox::Yes;
    case Dialogs::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons toStandard(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return QMessageBox::Ok;
    case Dialogs::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Dialogs::Answer fromStandard(int button, Dialogs::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return Dialogs::Answer::Ok;
    case QMessageBox::Yes:
        return Dialogs::Answer::Yes;
    case QMessageBox::No:
        return Dialogs::Answer::No;
    default:
        // Escape on a box without a Cancel button closes it as its only button would.
        return buttons == Dialogs::Buttons::Ok ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel;
    }
}

} // namespace

Dialogs::Answer QtDialogs::message(const Message& message)
{
    QMessageBox box(message.icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    message.title, message.text, toStandard(message.buttons),
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("operatorMessage"));
    box.setDefaultButton(toStandard(message.defaultButton));
    if (message.buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::NoButton);
    return fromStandard(box.exec(), message.buttons);
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title,
                            const QString& defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("operatorInput"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void QtDialogs::beep()
{
    QApplication::beep();
}
