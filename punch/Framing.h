#pragma once

#include <QString>

class QLineEdit;

// Card readers frame what they send with "@", "|", ";" and "?". The rule
// strips them from both ends of a box, one at a time; each removal at the
// front keeps at most the 99 characters that follow. Framing characters
// inside the text stay.
QString withoutFraming(const QString& text);

// Applies the rule to the box with one write, whose change handler then finds
// nothing left to strip: a paste of any length costs one pass, not one nested
// handler run per character.
void removeFramingCharacters(QLineEdit* box);
