#include "FormMetrics.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QWidget>

namespace FormMetrics {

int pixels(int twips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return qRound(twips * dpi / 1440.0);
}

QRect rect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QSize size(int width, int height)
{
    return QSize(pixels(width), pixels(height));
}

QFont font(const QString& family, qreal pointSize, bool bold)
{
    // The metric twin comes first, so that finding the face never starts from
    // a family the machine lacks; the design's name stays as the last resort.
    static const QHash<QString, QString> twins {
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")},
    };
    QFont font;
    if (const auto twin = twins.constFind(family); twin != twins.cend())
        font.setFamilies({*twin, family});
    else
        font.setFamilies({family});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Texts run as the design's Windows ran them, glyph after glyph, without
    // kerning; scripts that cannot be read unshaped are still shaped. Laying
    // out a caption then needs no shaping engine, the largest part of measuring
    // and drawing it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setKerning(false);
    return font;
}

namespace {

class FontWhenShown : public QObject
{
public:
    FontWhenShown(QWidget* control, const QFont& font)
        : QObject(control)
        , m_font(font)
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            static_cast<QWidget*>(watched)->setFont(m_font);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QFont m_font;
};

} // namespace

void setFontWhenShown(QWidget* control, const QFont& font)
{
    if (control->isVisible())
        control->setFont(font);
    else
        new FontWhenShown(control, font);
}

void setColour(QWidget* control, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    control->setPalette(palette);
}

} // namespace FormMetrics
