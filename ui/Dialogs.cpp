#include "Dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHash>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <optional>

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

// Qt keeps every pixmap it draws of an icon (QPixmapCache, up to 10 MB), under
// that icon's name. A box made with icons of its own, as the style makes them
// anew for every box, leaves their pixmaps behind when it goes: some
// kilobytes a box, for as long as the program runs. The boxes share one icon
// of each kind instead, made once.
const QIcon& sharedIcon(QStyle::StandardPixmap kind)
{
    static QHash<int, QIcon> icons;
    auto found = icons.find(kind);
    if (found == icons.end())
        found = icons.insert(kind, QApplication::style()->standardIcon(kind));
    return *found;
}

// Gives the buttons of a box the shared icons when it is shown, before it is
// drawn: an input box makes its buttons only then.
class SharedButtonIcons : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            for (const QDialogButtonBox* buttons : watched->findChildren<QDialogButtonBox*>()) {
                for (QAbstractButton* button : buttons->buttons()) {
                    if (button->icon().isNull())
                        continue; // the style shows none on buttons
                    if (const auto kind = iconOf(buttons->standardButton(button)))
                        button->setIcon(sharedIcon(*kind));
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static std::optional<QStyle::StandardPixmap> iconOf(QDialogButtonBox::StandardButton button)
    {
        switch (button) {
        case QDialogButtonBox::Ok:
            return QStyle::SP_DialogOkButton;
        case QDialogButtonBox::Cancel:
            return QStyle::SP_DialogCancelButton;
        case QDialogButtonBox::Yes:
            return QStyle::SP_DialogYesButton;
        case QDialogButtonBox::No:
            return QStyle::SP_DialogNoButton;
        default:
            return std::nullopt;
        }
    }
};

} // namespace

Dialogs::Answer QtDialogs::message(const Message& message)
{
    QMessageBox box(QMessageBox::NoIcon, message.title, message.text, toStandard(message.buttons),
        QApplication::activeWindow());
    box.setObjectName(QStringLiteral("operatorMessage"));
    if (message.icon != Icon::None) {
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        box.setIconPixmap(
            sharedIcon(message.icon == Icon::Critical ? QStyle::SP_MessageBoxCritical
                                                      : QStyle::SP_MessageBoxInformation)
                .pixmap(size, size));
    }
    box.setDefaultButton(toStandard(message.defaultButton));
    SharedButtonIcons icons;
    box.installEventFilter(&icons);
    NoEscape noEscape;
    if (message.buttons == Buttons::YesNo)
        box.installEventFilter(&noEscape);
    return fromStandard(box.exec(), message.buttons);
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    SharedButtonIcons icons;
    dialog.installEventFilter(&icons);
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
