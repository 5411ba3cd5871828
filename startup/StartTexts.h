#pragma once

#include <QString>

namespace StartTexts {

// The title of every instruction to the operator from the terminal's start
// on: the refusals of the start checks and the punch screen's messages.
inline const QString instructionTitle = QStringLiteral("Job Costing - Operator Instruction");

} // namespace StartTexts
