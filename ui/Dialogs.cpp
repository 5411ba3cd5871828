#include "Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
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

// Qt makes the No button of a Yes/No box its escape button; such a box has no
// way out but its two buttons, so Escape and the window's close button do nothing.
class NoEscape : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

Dialogs::Answer QtDialogs::message(const Message& message)
{
    const QMessageBox::Icon icon = message.icon == Icon::Critical ? QMessageBox::Critical
        : message.icon == Icon::Information                       ? QMessageBox::Information
                                                                  : QMessageBox::NoIcon;
    QMessageBox box(icon, message.title, message.text, toStandard(message.buttons),
        QApplication::activeWindow());
    box.setObjectName(QStringLiteral("operatorMessage"));
    box.setDefaultButton(toStandard(message.defaultButton));
    NoEscape noEscape;
    if (message.buttons == Buttons::YesNo)
        box.installEventFilter(&noEscape);
    return fromStandard(box.exec(), message.buttons);
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
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
