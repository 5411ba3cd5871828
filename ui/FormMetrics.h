#pragma once

#include <QFont>
#include <QRect>

// The screens are designed in twips (1440 to the inch) and with Windows font
// names; these turn them into pixels and installed faces.
namespace FormMetrics {

int pixels(int twips);
QRect rect(int left, int top, int width, int height);
QSize size(int width, int height);

// Maps MS Sans Serif, Arial and Arial Narrow onto their installed metric twins.
void installFontSubstitutions();
QFont font(const QString& family, qreal pointSize, bool bold = false);

} // namespace FormMetrics
