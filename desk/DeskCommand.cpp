#include "DeskCommand.h"

#include "DeskStore.h"
#include "DeskTables.h"
#include "data/DataError.h"
#include "data/SiteModel.h"
#include "program/CommandLine.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <cmath>
#include <tuple>

namespace DeskCommand {
namespace {

const QString program = QStringLiteral("jobcosting-desk");

using CommandLine::Arguments;

const CommandLine::Definition commandLine {
    program,
    {QStringLiteral("[SITE] [--shift-hours HOURS]"),
        QStringLiteral("list [SITE] [--open] [--date YYYY-MM-DD] [--format text|csv]\n"
                       "     [--shift-hours HOURS]"),
        QStringLiteral("end [SITE] --badge BADGE --at \"YYYY-MM-DD HH:MM\" [--pieces N]\n"
                       "    --reason TEXT"),
        QStringLiteral("history [SITE] [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
                       "        [--format text|csv]"),
        QStringLiteral("--help | --version")},
    QStringLiteral(R"(The supervisor's desk of a job-costing site: who is on which job now, the jobs
of a day, and corrections of the punches, each kept with its reason in the
table JobPunchCorrections. SITE is the site's folder (default: the working
folder); its JobPunches.MDB must be a SQLite file or a pointer to a server.

Without a command it opens the desk's window. The commands do the same for
scripts and payroll:
  list      today's jobs, open and closed; with --open the jobs open now, with
            --date the jobs started on that day (both: that day's open jobs)
  end       ends the open job of the worker with that badge (filled up with
            zeros in front, as the terminal does) at that time: after its start,
            within 24 hours of it, not in the future; --pieces for a job that
            pays a bonus (0 when not given)
  history   the corrections made from --from to --to (both included))"),
    {{{QStringLiteral("shift-hours")}, QStringLiteral("HOURS"),
         QStringLiteral("open jobs open longer than this are flagged (default: 8)"),
         QStringLiteral("a number of hours")},
        {{QStringLiteral("open")}, {}, QStringLiteral("list: only the jobs open now"), {}},
        {{QStringLiteral("date")}, QStringLiteral("DATE"),
            QStringLiteral("list: the jobs started on DATE (YYYY-MM-DD)"),
            QStringLiteral("YYYY-MM-DD")},
        {{QStringLiteral("from")}, QStringLiteral("DATE"),
            QStringLiteral("history: from DATE (YYYY-MM-DD) on"), QStringLiteral("YYYY-MM-DD")},
        {{QStringLiteral("to")}, QStringLiteral("DATE"),
            QStringLiteral("history: up to DATE (YYYY-MM-DD)"), QStringLiteral("YYYY-MM-DD")},
        {{QStringLiteral("format")}, QStringLiteral("FORMAT"),
            QStringLiteral("text (default) or csv (RFC 4180, a header row)"),
            QStringLiteral("text or csv")},
        {{QStringLiteral("badge")}, QStringLiteral("BADGE"),
            QStringLiteral("end: the worker's badge number"), QStringLiteral("a badge number")},
        {{QStringLiteral("at")}, QStringLiteral("TIME"),
            QStringLiteral("end: when the job ended, \"YYYY-MM-DD HH:MM\""),
            QStringLiteral("YYYY-MM-DD HH:MM")},
        {{QStringLiteral("pieces")}, QStringLiteral("N"),
            QStringLiteral("end: the pieces made (default: 0)"),
            QStringLiteral("a number of pieces from 0 to 1000000000")},
        {{QStringLiteral("reason")}, QStringLiteral("TEXT"),
            QStringLiteral("end: why, kept with the correction"), QStringLiteral("a reason")},
        CommandLine::helpOption(), CommandLine::versionOption()},
    QStringLiteral(
        R"(Text lists hours as "8 h 30 min"; CSV as decimal hours ("8.50"). A CSV text cell
that begins with =, +, -, @, a tab or a carriage return starts with an
apostrophe (a code -100 is written '-100), so that a spreadsheet shows it as
text and never runs it as a formula.)"),
    {{done, QStringLiteral("done")},
        {notReadOrWritten, QStringLiteral("the site could not be read or written")},
        {badCommandLine, QStringLiteral("a bad command line")},
        {refused, QStringLiteral("the correction was refused, and nothing was written")}},
    {QStringLiteral("list"), QStringLiteral("end"), QStringLiteral("history")},
};

// Dates and times on the command line and in its output are ISO, whatever
// the regional settings.
RegionalSettings iso(const Clock& clock)
{
    return RegionalSettings(
        QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"), QLatin1Char('.'), QChar(), clock);
}

void write(QTextStream& out, const DeskTables::Table& table, bool csv)
{
    out << (csv ? DeskTables::csv(table) : DeskTables::text(table));
}

int list(const Request& request, const Clock& clock, QTextStream& out)
{
    DeskStore store(request.site, clock.timeZone());
    const QDateTime now = store.siteTime().now(clock);
    const QList<Punch> punches = request.openOnly && !request.date
        ? store.openJobs()
        : store.jobsOfDay(request.date.value_or(now.date()), request.openOnly);
    const auto form = request.csv ? DeskTables::Form::Csv : DeskTables::Form::Words;
    write(out,
        DeskTables::jobs(punches, store.levelTitles(), now, request.shiftSeconds, form,
            DeskTables::Columns::All, iso(clock)),
        request.csv);
    return done;
}

int end(const Request& request, const Clock& clock, QTextStream& out)
{
    DeskStore store(request.site, clock.timeZone());
    const auto employee = store.employee(request.badge);
    if (!employee)
        throw Refused(QStringLiteral("No employee found with Badge number '%1'.")
                          .arg(DeskStore::badgeAsTyped(request.badge)));
    const auto job = store.openJobOf(employee->name);
    if (!job)
        throw Refused(QStringLiteral("%1 has no open job.").arg(employee->name));
    const RegionalSettings regional = iso(clock);
    // Where the clocks read the time twice (the night they go back), the
    // reading after the start.
    const QDateTime at = store.siteTime().moment(request.atDate, request.atTime, job->started());
    store.write(Corrections::end(*job, at, request.pieces, request.reason, clock.now(), regional));
    out << QStringLiteral("Ended the job of %1 (%2) started %3, at %4.\n")
               .arg(employee->name, employee->badge, regional.dateTimeText(job->started()),
                   regional.dateTimeText(at));
    return done;
}

int history(const Request& request, const Clock& clock, QTextStream& out)
{
    DeskStore store(request.site, clock.timeZone());
    const auto form = request.csv ? DeskTables::Form::Csv : DeskTables::Form::Words;
    write(out,
        DeskTables::corrections(
            store.history(request.from, request.to), store.levelTitles(), form, iso(clock)),
        request.csv);
    return done;
}

} // namespace

Request parse(const QStringList& given)
{
    const Arguments arguments = CommandLine::parse(commandLine, given);
    Request request;
    if (arguments.isSet(QStringLiteral("help")) || arguments.isSet(QStringLiteral("version"))) {
        request.command = arguments.isSet(QStringLiteral("help")) ? Request::Command::Help
                                                                  : Request::Command::Version;
        return request;
    }
    const QStringList positional = arguments.positional();
    const QString command = arguments.command();
    QStringList allowed {QStringLiteral("shift-hours")};
    if (command == QLatin1String("list")) {
        request.command = Request::Command::List;
        allowed << QStringLiteral("open") << QStringLiteral("date") << QStringLiteral("format");
    } else if (command == QLatin1String("end")) {
        request.command = Request::Command::End;
        allowed = QStringList {QStringLiteral("badge"), QStringLiteral("at"),
            QStringLiteral("pieces"), QStringLiteral("reason")};
    } else if (command == QLatin1String("history")) {
        request.command = Request::Command::History;
        allowed
            = QStringList {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("format")};
    } else if (!positional.isEmpty() && !QFileInfo::exists(positional.first())
        && (positional.size() > 1 || !positional.first().contains(QLatin1Char('/')))) {
        // A word that is no folder, before a site or alone, is a command mistyped.
        throw CommandLine::unknownCommand(positional.first());
    }
    for (const QString& name : arguments.given())
        if (!allowed.contains(name))
            throw CommandLine::unknownOption(arguments.typed(name));
    if (positional.size() > 1)
        throw CommandLine::unexpectedArgument(positional.at(1));

    if (arguments.isSet(QStringLiteral("shift-hours"))) {
        bool ok = false;
        const double hours = arguments.value(QStringLiteral("shift-hours")).toDouble(&ok);
        if (!ok || !(hours > 0 && hours <= 24 * 366))
            throw arguments.badValue(QStringLiteral("shift-hours"));
        request.shiftSeconds = std::llround(hours * 3600);
    }
    request.openOnly = arguments.isSet(QStringLiteral("open"));
    request.date = arguments.isoDate(QStringLiteral("date"));
    std::tie(request.from, request.to) = arguments.period();
    if (arguments.isSet(QStringLiteral("format"))) {
        const QString format = arguments.value(QStringLiteral("format"));
        if (format != QLatin1String("text") && format != QLatin1String("csv"))
            throw arguments.badValue(QStringLiteral("format"));
        request.csv = format == QLatin1String("csv");
    }
    if (request.command == Request::Command::End) {
        // Each of these is a value that must be there.
        for (const QString& name :
            {QStringLiteral("badge"), QStringLiteral("at"), QStringLiteral("reason")})
            if (!arguments.isSet(name))
                throw arguments.missingValue(name);
        request.badge = arguments.value(QStringLiteral("badge")).trimmed();
        if (request.badge.isEmpty())
            throw arguments.badValue(QStringLiteral("badge"));
        // A date and a time of the site's clocks, whatever the machine's zone says of it.
        const QStringList at = arguments.value(QStringLiteral("at")).split(QLatin1Char(' '));
        request.atDate = QDate::fromString(at.value(0), QStringLiteral("yyyy-MM-dd"));
        request.atTime = QTime::fromString(at.value(1), QStringLiteral("HH:mm"));
        if (at.size() != 2 || !request.atDate.isValid() || !request.atTime.isValid())
            throw arguments.badValue(QStringLiteral("at"));
        if (arguments.isSet(QStringLiteral("pieces"))) {
            bool ok = false;
            request.pieces
                = QLocale::c().toDouble(arguments.value(QStringLiteral("pieces")).trimmed(), &ok);
            if (!ok || !(request.pieces >= 0 && request.pieces <= Corrections::mostPieces))
                throw arguments.badValue(QStringLiteral("pieces"));
        }
        request.reason = arguments.value(QStringLiteral("reason")).trimmed();
        if (request.reason.isEmpty())
            throw arguments.badValue(QStringLiteral("reason"));
    }

    request.site = positional.isEmpty() ? QDir::currentPath() : positional.first();
    if (!QFileInfo(QDir(request.site).filePath(SiteModel::jobPunchesFile)).isFile())
        throw CommandLine::badValue(QStringLiteral("SITE"),
            QStringLiteral("a site folder with JobPunches.MDB"), request.site);
    return request;
}

int run(const Request& request, const Clock& clock, QTextStream& out, QTextStream& err)
{
    try {
        switch (request.command) {
        case Request::Command::Help:
            out << CommandLine::helpText(commandLine);
            return done;
        case Request::Command::Version:
            out << CommandLine::versionText(program);
            return done;
        case Request::Command::List:
            return list(request, clock, out);
        case Request::Command::End:
            return end(request, clock, out);
        case Request::Command::History:
            return history(request, clock, out);
        case Request::Command::Desk:
            break;
        }
        return badCommandLine;
    } catch (const Refused& refusal) {
        err << program << ": " << refusal.message() << Qt::endl;
        return refused;
    } catch (const DataError& error) {
        err << program << ": " << error.message() << Qt::endl;
        return notReadOrWritten;
    }
}

} // namespace DeskCommand
