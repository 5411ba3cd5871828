#include "DeskCommand.h"

#include "DeskStore.h"
#include "JobCostingVersion.h"
#include "data/DataError.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>
#include <cmath>

namespace DeskCommand {
namespace {

const QString program = QStringLiteral("jobcosting-desk");

const QString help = QStringLiteral(R"(Usage: jobcosting-desk [SITE] [--shift-hours HOURS]
       jobcosting-desk list [SITE] [--open] [--date YYYY-MM-DD] [--format text|csv]
                            [--shift-hours HOURS]
       jobcosting-desk end [SITE] --badge BADGE --at "YYYY-MM-DD HH:MM" [--pieces N]
                           --reason TEXT
       jobcosting-desk history [SITE] [--from YYYY-MM-DD] [--to YYYY-MM-DD]
                               [--format text|csv]

The supervisor's desk of a job-costing site: who is on which job now, the jobs
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
  history   the corrections made from --from to --to (both included)

  --shift-hours HOURS  open jobs open longer than this are flagged (default: 8)
  --format FORMAT      text (default) or csv (RFC 4180, a header row)
  -h, --help           show this help and exit
  --version            show the version and exit

Exit status: 0 done; 1 the site could not be read or written; 2 a bad command
line; 3 the correction was refused, and nothing was written.
)");

// What each option expects, as the messages name it.
const QList<std::pair<QString, QString>> expected {
    {QStringLiteral("shift-hours"), QStringLiteral("a number of hours")},
    {QStringLiteral("date"), QStringLiteral("YYYY-MM-DD")},
    {QStringLiteral("from"), QStringLiteral("YYYY-MM-DD")},
    {QStringLiteral("to"), QStringLiteral("YYYY-MM-DD")},
    {QStringLiteral("format"), QStringLiteral("text or csv")},
    {QStringLiteral("badge"), QStringLiteral("a badge number")},
    {QStringLiteral("at"), QStringLiteral("YYYY-MM-DD HH:MM")},
    {QStringLiteral("pieces"), QStringLiteral("a number of pieces, 0 or more")},
    {QStringLiteral("reason"), QStringLiteral("a reason")},
};

Failure bad(const QString& message)
{
    return {badCommandLine, message};
}

Failure badValue(const QString& option, const QString& value)
{
    QString what;
    for (const auto& [name, expects] : expected)
        if (name == option)
            what = expects;
    return bad(QStringLiteral("--%1: expected %2, got '%3'").arg(option, what, value));
}

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QDate isoDate(const QString& option, const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!shape.match(text).hasMatch() || !date.isValid())
        throw badValue(option, text);
    return date;
}

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
    DeskStore store(request.site);
    const QDateTime now = clock.now();
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
            QString::number(punch.corrections), punch.punchId};
    }
    writeTable(out,
        {QStringLiteral("Badge"), QStringLiteral("Name"), QStringLiteral("Department"),
            QStringLiteral("Level1"), QStringLiteral("Level2"), QStringLiteral("Level3"),
            QStringLiteral("Started"), QStringLiteral("Stopped"), QStringLiteral("Hours"),
            QStringLiteral("Pieces"), QStringLiteral("State"), QStringLiteral("Corrected"),
            QStringLiteral("PunchId")},
        rows, request.csv);
    return done;
}

int end(const Request& request, const Clock& clock, QTextStream& out)
{
    DeskStore store(request.site);
    const auto employee = store.employee(request.badge);
    if (!employee)
        throw Refused(QStringLiteral("No employee found with Badge number '%1'.")
                          .arg(DeskStore::badgeAsTyped(request.badge)));
    const auto job = store.openJobOf(employee->name);
    if (!job)
        throw Refused(QStringLiteral("%1 has no open job.").arg(employee->name));
    const RegionalSettings regional = iso(clock);
    store.write(
        Corrections::end(*job, request.at, request.pieces, request.reason, clock.now(), regional));
    out << QStringLiteral("Ended the job of %1 (%2) started %3, at %4.\n")
               .arg(employee->name, employee->badge, regional.dateTimeText(job->started()),
                   regional.dateTimeText(request.at));
    return done;
}

int history(const Request& request, const Clock& clock, QTextStream& out)
{
    DeskStore store(request.site);
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

Request parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList {QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringLiteral("version"));
    const QCommandLineOption open(QStringLiteral("open"));
    parser.addOptions({helpOption, versionOption, open});
    for (const auto& [name, expects] : expected)
        parser.addOption(QCommandLineOption(name, {}, expects));
    if (!parser.parse(QStringList {program} + arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            throw bad(QStringLiteral("unknown option %1")
                          .arg(dashed(parser.unknownOptionNames().first())));
        // The other failure is a value missing after an option.
        static const QRegularExpression named(QStringLiteral("'-*([^']+)'"));
        throw badValue(named.match(parser.errorText()).captured(1), QString());
    }

    Request request;
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        request.command
            = parser.isSet(helpOption) ? Request::Command::Help : Request::Command::Version;
        return request;
    }
    QStringList positional = parser.positionalArguments();
    const QStringList commands {
        QStringLiteral("list"), QStringLiteral("end"), QStringLiteral("history")};
    QStringList allowed {QStringLiteral("shift-hours")};
    if (!positional.isEmpty() && commands.contains(positional.first())) {
        const QString command = positional.takeFirst();
        if (command == QLatin1String("list")) {
            request.command = Request::Command::List;
            allowed << QStringLiteral("open") << QStringLiteral("date") << QStringLiteral("format");
        } else if (command == QLatin1String("end")) {
            request.command = Request::Command::End;
            allowed = QStringList {QStringLiteral("badge"), QStringLiteral("at"),
                QStringLiteral("pieces"), QStringLiteral("reason")};
        } else {
            request.command = Request::Command::History;
            allowed = QStringList {
                QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("format")};
        }
    }
    for (const QString& name : parser.optionNames())
        if (!allowed.contains(name))
            throw bad(QStringLiteral("unknown option %1").arg(dashed(name)));
    if (positional.size() > 1)
        throw bad(QStringLiteral("SITE: expected one site folder, got '%1'").arg(positional.at(1)));

    const auto value = [&parser](const QString& name) {
        return parser.value(name);
    };
    const auto isSet = [&parser](const QString& name) {
        return parser.isSet(name);
    };
    if (isSet(QStringLiteral("shift-hours"))) {
        bool ok = false;
        const double hours = value(QStringLiteral("shift-hours")).toDouble(&ok);
        if (!ok || !(hours > 0 && hours <= 24 * 366))
            throw badValue(QStringLiteral("shift-hours"), value(QStringLiteral("shift-hours")));
        request.shiftSeconds = std::llround(hours * 3600);
    }
    request.openOnly = parser.isSet(open);
    for (const QString& name :
        {QStringLiteral("date"), QStringLiteral("from"), QStringLiteral("to")}) {
        if (!isSet(name))
            continue;
        const QDate date = isoDate(name, value(name));
        (name == QLatin1String("date")          ? request.date
                : name == QLatin1String("from") ? request.from
                                                : request.to)
            = date;
    }
    if (request.from && request.to && *request.from > *request.to)
        throw bad(QStringLiteral("--to: expected a date not before --from, got '%1'")
                      .arg(value(QStringLiteral("to"))));
    if (isSet(QStringLiteral("format"))) {
        const QString format = value(QStringLiteral("format"));
        if (format != QLatin1String("text") && format != QLatin1String("csv"))
            throw badValue(QStringLiteral("format"), format);
        request.csv = format == QLatin1String("csv");
    }
    if (request.command == Request::Command::End) {
        request.badge = value(QStringLiteral("badge")).trimmed();
        if (request.badge.isEmpty())
            throw badValue(QStringLiteral("badge"), value(QStringLiteral("badge")));
        request.at = QDateTime::fromString(
            value(QStringLiteral("at")), QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!request.at.isValid())
            throw badValue(QStringLiteral("at"), value(QStringLiteral("at")));
        if (isSet(QStringLiteral("pieces"))) {
            bool ok = false;
            request.pieces = QLocale::c().toDouble(value(QStringLiteral("pieces")).trimmed(), &ok);
            if (!ok || !std::isfinite(request.pieces) || request.pieces < 0)
                throw badValue(QStringLiteral("pieces"), value(QStringLiteral("pieces")));
        }
        request.reason = value(QStringLiteral("reason")).trimmed();
        if (request.reason.isEmpty())
            throw badValue(QStringLiteral("reason"), value(QStringLiteral("reason")));
    }

    request.site = positional.isEmpty() ? QDir::currentPath() : positional.first();
    if (!QFileInfo(QDir(request.site).filePath(QStringLiteral("JobPunches.MDB"))).isFile())
        throw bad(QStringLiteral("SITE: expected a site folder with JobPunches.MDB, got '%1'")
                      .arg(request.site));
    return request;
}

int run(const Request& request, const Clock& clock, QTextStream& out, QTextStream& err)
{
    try {
        switch (request.command) {
        case Request::Command::Help:
            out << help;
            return done;
        case Request::Command::Version:
            out << program << ' ' << QStringLiteral(JOBCOSTING_VERSION) << '\n';
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
