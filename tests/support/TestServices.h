#pragma once

#include "ScriptedDialogs.h"
#include "program/Program.h"
#include "program/Services.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Shell.h"

#include <QStringList>

class FixedClock : public Clock
{
public:
    QDateTime now() const override { return m_now; }
    QTimeZone timeZone() const override { return m_zone; }
    void set(const QDateTime& now) { m_now = now; }
    // The machine's zone, as the programs see it; the process keeps its own.
    void setTimeZone(const QTimeZone& zone) { m_zone = zone; }
    // Moves the clock on; the next reading is that much later.
    void advance(int seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now {QDate(2004, 2, 26), QTime(14, 5, 7)};
    QTimeZone m_zone = QTimeZone::systemTimeZone();
};

class RecordingShell : public Shell
{
public:
    void open(const QString& fileName) override { opened << fileName; }
    QStringList opened;
};

class RecordingProgram : public Program
{
public:
    void end(ExitStatus status, const QString& reason) override
    {
        ++ends;
        this->status = status;
        this->reason = reason;
    }
    int ends = 0;
    // Of the last end.
    ExitStatus status = ExitStatus::Done;
    QString reason;
};

// Everything from outside the program, scripted: US short dates, a 12-hour
// clock with seconds, full stop as the decimal separator.
struct TestServices
{
    ScriptedDialogs dialogs;
    RecordingShell shell;
    FixedClock clock;
    RegionalSettings regional {QStringLiteral("MM/dd/yyyy"), QStringLiteral("h:mm:ss AP"),
        QLatin1Char('.'), QLatin1Char(','), clock};
    RecordingProgram program;
    Services services {dialogs, shell, clock, regional, program};
};
