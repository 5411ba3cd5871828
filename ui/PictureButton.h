#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button drawn in graphical style: a picture fills the button and the
// caption is drawn over it.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QPixmap& picture, QWidget* parent = nullptr);

    // The caption in the program's own words, which says what a press does,
    // and the caption shown, its translation into the person's language.
    void setCaption(const QString& caption, const QString& shown);
    const QString& caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QPixmap m_picture;
    // The picture at the button's size, made once per size: a repaint only copies it.
    QPixmap m_scaled;
};
