#pragma once

#include "startup/StartTexts.h"

#include <QCoreApplication>
#include <QString>

namespace PunchTexts {

inline const QString openJobQuery = QStringLiteral("select * from JobPunches where Badge = 'Open'");
using StartTexts::instructionTitle;
inline QString informationTitle()
{
    return QCoreApplication::translate("JobCosting", "Job Costing - Operator Information");
}
inline QString entryPrompt()
{
    return QCoreApplication::translate("JobCosting", "Proceed to Job Information Entry Screen");
}
inline QString keptPunch()
{
    return QCoreApplication::translate("JobCosting",
        "The server cannot be reached. Your job is kept at this terminal and will be sent when "
        "the server answers.");
}

} // namespace PunchTexts
