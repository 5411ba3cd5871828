#pragma once

class QLineEdit;

// Card readers frame what they send with "@", "|", ";" and "?". This strips
// them from both ends of a box, one at a time: each removal writes the box,
// whose change handler strips again, nested, before the removal returns.
// Framing characters inside the text stay. A removal at the front keeps at
// most the 99 characters that follow.
void removeFramingCharacters(QLineEdit* box);
