#pragma once

#include <QString>
#include <QStringList>

// The rules that a site's job-punch database keeps itself, whoever writes to
// it: what a terminal's login may write, the audit row of every correction,
// where each start and end came from, and the site's settings. Statements that
// can run again: tables are made where missing, functions and triggers afresh.
namespace PunchRules {

// What a terminal's start is checked against, where those tables are in the
// same database as the job punches.
struct TerminalChecks
{
    bool employees = false; // Name, EmpNum, DeptNum and BaseRate of one employee
    bool levels = false; // each level's StandardCost and BonusRate of one of its items
};

// JobPunchOrigins and SiteSettings; on SQLite also the reason of the
// correction being written.
QStringList tables(bool server);
// The functions and triggers.
QStringList rules(bool server, const TerminalChecks& checks = {});

} // namespace PunchRules
