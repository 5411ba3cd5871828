#pragma once

#include "program/Program.h"
#include "program/Services.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Shell.h"

// The services of the program on the desktop: the system clock, the system's
// regional settings, the desktop shell and an immediate end; the dialogs are
// the caller's.
class DesktopServices
{
public:
    explicit DesktopServices(Dialogs& dialogs)
        : m_regional(RegionalSettings::system(m_clock))
        , services {dialogs, m_shell, m_clock, m_regional, m_program}
    { }
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

private:
    DesktopShell m_shell;
    SystemClock m_clock;
    const RegionalSettings m_regional;
    ImmediateExit m_program;

public:
    const Services services;
};
