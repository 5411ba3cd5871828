#pragma once

#include <QString>

// How the program ended, as its exit status tells a service manager: a kiosk
// service starts the terminal again after a failure, after a pause when the
// server was away, and never after a refusal that needs a person.
enum class ExitStatus
{
    Done = 0, // Exit or the window's close: another program takes over
    BadArgument = 2, // a command-line argument the terminal does not know
    ServerAway = 75, // the database server could not be reached: try again later
    NeedsPerson = 78, // the site or the machine must be put right first
};

// Ends the program at once: nothing after the call runs, no window closes
// gracefully and no close handler starts a sibling program. Every write is on
// disk already when it returns, so nothing is lost. A refusal gives its reason,
// which goes to the program's log (standard error) as one line.
class Program
{
public:
    virtual ~Program() = default;
    virtual void end(ExitStatus status, const QString& reason = {}) = 0;
};

class ImmediateExit : public Program
{
public:
    [[noreturn]] void end(ExitStatus status, const QString& reason) override;
};
