#include "DeskCommand.h"

#include "DeskStore.h"
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
            QStringLiteral("a number of pieces, 0 or more")},
        {{QStringLiteral("reason")}, QStringLiteral("TEXT"),
            QStringLiteral("end: why, kept with the correction"), QStringLiteral("a reason")},
        CommandLine::helpOption(), CommandLine::versionOption()},
    {},
    {{done, QStringLiteral("done")},
        {notReadOrWritten, QStringLiteral("the site could not be read or written")},
        {badCommandLine, QStringLiteral("a bad command line")},
        {refused, QStringLiteral("the correction was refused, and nothing was written")}},
};

// Dates and times on the command line and in its output are ISO, whatever
// the regional settings.
RegionalSettings iso(const Clock& clock)
{
    return RegionalSettings(
        QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"), QLatin1Char('.'), QChar(), clock);
}

QString number(double value)
{
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void writeTable(
    QTextStream& out, const QStringList& header, const QList<QStringList>& rows, bool csv)
{
    if (csv) {
        for (const QStringList& row : QList<QStringList> {header} + rows) {
            QStringList fields;
            for (const QString& field : row)
                fields << csvField(field);
            out << fields.join(QLatin1Char(',')) << "\r\n";
        }
        return;
    }
    QList<qsizetype> widths;
    for (const QString& name : header)
        widths << name.size();
    for (const QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths.at(i), row.at(i).size());
    for (const QStringList& row : QList<QStringList> {header} + rows) {
        QStringList fields;
        for (qsizetype i = 0; i < row.size(); ++i)
            fields << (i + 1 < row.size() ? row.at(i).leftJustified(widths.at(i)) : row.at(i));
        out << fields.join(QLatin1String("  ")) << '\n';
    }
}

int list(const Request& request, const Clock& clock, QTextStream& out)
{
    DeskStore store(request.site, clock.timeZone());
    const QDateTime now = store.siteTime().now(clock);
    const QList<Punch> punches = request.openOnly && !request.date
        ? store.openJobs()
        : store.jobsOfDay(request.date.value_or(now.date()), request.openOnly);
    const RegionalSettings regional = iso(clock);
    QList<QStringList> rows;
    for (const Punch& punch : punches) {
        const QDateTime started = punch.started();
        const qint64 seconds = punch.isOpen() ? (started.isValid() ? started.secsTo(now) : 0)
                                              : punch.secondsWorked();
        const QString state = !punch.isOpen() ? QStringLiteral("closed")
            : seconds > request.shiftSeconds  ? QStringLiteral("over shift")
                                              : QStringLiteral("open");
        rows << QStringList {punch.badge, punch.name(), punch.department(), punch.item(1),
            punch.item(2), punch.item(3),
            started.isValid() ? regional.dateTimeText(started) : QString(),
            punch.stopped().isValid() ? regional.dateTimeText(punch.stopped()) : QString(),
            QString::number(seconds / 3600.0, 'f', 2), number(punch.pieces()), state,
            QString::number(punch.corrections), punch.punchId,
            punch.arrivedAway() ? QStringLiteral("1") : QStringLiteral("0")};
    }
    writeTable(out,
        {QStringLiteral("Badge"), QStringLiteral("Name"), QStringLiteral("Department"),
            QStringLiteral("Level1"), QStringLiteral("Level2"), QStringLiteral("Level3"),
            QStringLiteral("Started"), QStringLiteral("Stopped"), QStringLiteral("Hours"),
            QStringLiteral("Pieces"), QStringLiteral("State"), QStringLiteral("Corrected"),
            QStringLiteral("PunchId"), QStringLiteral("Late")},
        rows, request.csv);
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
    const RegionalSettings regional = iso(clock);
    QList<QStringList> rows;
    for (const DeskStore::AuditEntry& entry : store.history(request.from, request.to))
        rows << QStringList {QString::number(entry.id), regional.dateTimeText(entry.correctedAt),
            entry.correctedBy, entry.action, entry.punchId, entry.name, entry.reason,
            entry.oldValues, entry.newValues};
    writeTable(out,
        {QStringLiteral("CorrectionId"), QStringLiteral("CorrectedAt"),
            QStringLiteral("CorrectedBy"), QStringLiteral("Action"), QStringLiteral("PunchId"),
            QStringLiteral("Name"), QStringLiteral("Reason"), QStringLiteral("OldValues"),
            QStringLiteral("NewValues")},
        rows, request.csv);
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
    QStringList positional = arguments.positional();
    QStringList allowed {QStringLiteral("shift-hours")};
    if (!positional.isEmpty()) {
        const QString& command = positional.first();
        if (command == QLatin1String("list")) {
            request.command = Request::Command::List;
            allowed << QStringLiteral("open") << QStringLiteral("date") << QStringLiteral("format");
        } else if (command == QLatin1String("end")) {
            request.command = Request::Command::End;
            allowed = QStringList {QStringLiteral("badge"), QStringLiteral("at"),
                QStringLiteral("pieces"), QStringLiteral("reason")};
        } else if (command == QLatin1String("history")) {
            request.command = Request::Command::History;
            allowed = QStringList {
                QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("format")};
        }
        if (request.command != Request::Command::Desk)
            positional.removeFirst();
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
            if (!ok || !std::isfinite(request.pieces) || request.pieces < 0)
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
