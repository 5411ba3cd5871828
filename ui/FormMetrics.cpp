#include "FormMetrics.h"

#include <QGuiApplication>
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

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Arial Narrow"), {QStringLiteral("Liberation Sans Narrow")});
}

QFont font(const QString& family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setColour(QWidget* control, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    control->setPalette(palette);
}

} // namespace FormMetrics
