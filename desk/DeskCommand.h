#pragma once

#include "program/CommandLine.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class Clock;
class QTextStream;

// The desk's command line: the window, or its twin for scripts and payroll
// (list, end, history), which goes through the same reads and the same
// corrections.
namespace DeskCommand {

// Exit statuses.
constexpr int done = 0;
constexpr int notReadOrWritten = 1;
constexpr int badCommandLine = CommandLine::badCommandLine;
constexpr int refused = 3;

struct Request
{
    enum class Command
    {
        Desk,
        List,
        End,
        History,
        Help,
        Version
    };
    Command command = Command::Desk;
    QString site;
    qint64 shiftSeconds = 8 * 3600;
    bool openOnly = false;
    std::optional<QDate> date;
    std::optional<QDate> from;
    std::optional<QDate> to;
    bool csv = false;
    QString badge;
    // As the site's clocks read it: a date and a time of day.
    QDate atDate;
    QTime atTime;
    double pieces = 0;
    QString reason;
};

// The arguments after the program's name. Throws CommandLine::Error.
Request parse(const QStringList& arguments);
// Runs a command of the twin, or answers --help and --version.
int run(const Request& request, const Clock& clock, QTextStream& out, QTextStream& err);

} // namespace DeskCommand
