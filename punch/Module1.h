#pragma once

#include <QVariant>

// The screen-wide values of the punch screen: shared by its handlers and
// living as long as the program.
struct Module1
{
    bool BadgeFocusPending = false;

    // The employee found by the last badge lookup, as the database returned them.
    QVariant CurEmpName;
    QVariant CurEmpNum;
    QVariant CurDeptNum;
    QVariant CurBasePayRate;

    bool OpenJobHasBonus = false;
    // True while end-job mode writes the open job's descriptions into the pull-downs.
    bool LoadingOpenJob = false;
};
