#pragma once

class Clock;
class Dialogs;
class Program;
class RegionalSettings;
class Shell;

// What the screens need from outside the program: the operator, the clock, the
// regional settings, the desktop shell and the end of the program.
struct Services
{
    Dialogs& dialogs;
    Shell& shell;
    Clock& clock;
    const RegionalSettings& regional;
    Program& program;
};
