#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button drawn in graphical style: a picture fills the button and the
// caption is drawn over it.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    // The picture at the button's size, made once per size: a repaint only copies it.
    QPixmap m_scaled;
};
