#pragma once

#include <QCoreApplication>
#include <QString>

namespace StartTexts {

// The title of every instruction to the operator from the terminal's start
// on: the refusals of the start checks and the punch screen's messages.
inline QString instructionTitle()
{
    return QCoreApplication::translate("JobCosting", "Job Costing - Operator Instruction");
}

} // namespace StartTexts
