#pragma once

#include "startup/StartTexts.h"

#include <QString>

namespace PunchTexts {

inline const QString openJobQuery = QStringLiteral("select * from JobPunches where Badge = 'Open'");
using StartTexts::instructionTitle;
inline const QString informationTitle = QStringLiteral("Job Costing - Operator Information");
inline const QString entryPrompt = QStringLiteral("Proceed to Job Information Entry Screen");
inline const QString keptPunch
    = QStringLiteral("The server cannot be reached. Your job is kept at this terminal and will be "
                     "sent when the server answers.");

} // namespace PunchTexts
