#pragma once

// Ends the program at once: nothing after the call runs, no window closes
// gracefully and no close handler starts a sibling program. Every write is on
// disk already when it returns, so nothing is lost.
class Program
{
public:
    virtual ~Program() = default;
    virtual void end() = 0;
};

class ImmediateExit : public Program
{
public:
    [[noreturn]] void end() override;
};
