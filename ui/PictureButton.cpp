#include "PictureButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

PictureButton::PictureButton(const QPixmap& picture, QWidget* parent)
    : QPushButton(parent)
    , m_picture(picture)
{
    // Enter and keypad Enter press the focused button, as Space does: a worker
    // at a terminal with a keypad and no mouse goes on with the key he has.
    setAutoDefault(true);
}

void PictureButton::setCaption(const QString& caption, const QString& shown)
{
    m_caption = caption;
    setText(shown);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = isDown() || isChecked();
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    const qreal ratio = devicePixelRatioF();
    if (const QSize pixels = (QSizeF(inner.size()) * ratio).toSize(); m_scaled.size() != pixels) {
        m_scaled = m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        m_scaled.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(inner.topLeft(), m_scaled);
    qDrawWinButton(&painter, rect(), palette(), down, nullptr);

    QRect textRect = inner;
    if (down)
        textRect.translate(1, 1);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        // Styles mark the focus only after a Tab; the worker must see where it
        // is also after a click or an Enter.
        option.state |= QStyle::State_KeyboardFocusChange;
        option.rect = inner.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
