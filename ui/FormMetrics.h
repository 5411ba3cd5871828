#pragma once

#include <QFont>
#include <QPalette>
#include <QRect>

class QWidget;

// The screens are designed in twips (1440 to the inch) and with Windows font
// names; these turn them into pixels and installed faces, and make the pieces
// both screens' designs share.
namespace FormMetrics {

int pixels(int twips);
QRect rect(int left, int top, int width, int height);
QSize size(int width, int height);

// A font of the design: MS Sans Serif, Arial and Arial Narrow are shown in
// their installed metric twins, and texts run without kerning.
QFont font(const QString& family, qreal pointSize, bool bold = false);

// Gives a control that is hidden at start its design font when it is first
// shown: until then it lays out its text in its holder's font, and a font that
// no shown control uses is never loaded.
void setFontWhenShown(QWidget* control, const QFont& font);

// A designed colour of an enabled control; a disabled one keeps the style's greyed look.
void setColour(QWidget* control, QPalette::ColorRole role, const QColor& colour);

} // namespace FormMetrics
