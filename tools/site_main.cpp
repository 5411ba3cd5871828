#include "SiteBuilder.h"
#include "SiteConverter.h"
#include "data/SiteModel.h"
#include "program/CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimeZone>

namespace {

using CommandLine::Arguments;
using CommandLine::Error;

const QString create = QStringLiteral("create");
const QStringList commands {
    create, QStringLiteral("convert"), QStringLiteral("upgrade"), QStringLiteral("roles")};
const QString commandsExpected = QStringLiteral("create, convert, upgrade or roles");

const CommandLine::Definition commandLine {
    QStringLiteral("jobcosting-site"),
    {QStringLiteral("create DIR [--server URI] [--time-zone ZONE] [--demo]"),
        QStringLiteral("create DIR [--server URI] [--time-zone ZONE]\n"
                       "           [--employees N [--punches M]] [--items K]"),
        QStringLiteral("create DIR --job-punches-only [--time-zone ZONE]"),
        QStringLiteral("convert DIR"), QStringLiteral("upgrade DIR [--time-zone ZONE]"),
        QStringLiteral("roles DIR"), QStringLiteral("--help | --version")},
    QStringLiteral(R"(Makes and keeps the database files of a job-costing site in the folder DIR.

Commands:
  create   makes DIR where it is missing and the three database files in it:
             JobPunches.MDB   the job punches (table JobPunches)
             Validations.mdb  the validation tables Level1, Level2 and Level3
             Norla.MDB        the time-clock database (EMPLOYEES and WORK)
           Without options the tables are empty. It never overwrites: when
           any of the three files exists it stops, changes nothing and exits 1.
           When it fails it removes what it made, DIR too if it made it.
           The site's time zone is this machine's unless --time-zone names it.
  convert  copies every job punch of an Access JobPunches.MDB into a new
           JobPunches.MDB that the terminal can add punches to, and keeps the
           Access file beside it as JobPunches-Access.MDB; it checks that both
           hold the same rows first. When anything fails, or a kept
           JobPunches-Access.MDB is there already, it changes nothing.
  upgrade  brings the job punches of a site made by an earlier version up to
           date, in one transaction: the index that refuses a second open job
           for a worker, a PunchId for every punch, the supervisor's
           corrections (JobPunchCorrections) and, on a server, the notices of
           changed punches that jobcosting-desk follows and JobPunchConflicts;
           where each start and end came from (JobPunchOrigins), the site's
           time zone (SiteSettings) and the rules the database keeps over the
           punches; on a server too, the count and the notices of the changes
           of EMPLOYEES and the levels that keep the terminals' copies. The
           time zone is --time-zone's, else the one the site records, else
           this machine's; it says which.
  roles    for a site on a database server, makes the roles
           jobcosting_terminal and jobcosting_supervisor where they are missing
           and gives them their privileges afresh; grant each login one of them.
           It says what a terminal's starts are checked against: EMPLOYEES and
           the level tables where they are in the same database.)"),
    {{{QStringLiteral("demo")}, {},
         QStringLiteral("fill in the demo site: a dozen employees, three\n"
                        "levels (Department, Operation, Part) and about a\n"
                        "month of job punches up to now, a few of them open"),
         {}},
        {{QStringLiteral("employees")}, QStringLiteral("N"),
            QStringLiteral("generate N employees (large sites)"),
            QStringLiteral("a whole number above 0")},
        {{QStringLiteral("punches")}, QStringLiteral("M"),
            QStringLiteral("with --employees: generate M job punches over ten\n"
                           "years, a few of them open"),
            QStringLiteral("a whole number, 0 or more")},
        {{QStringLiteral("items")}, QStringLiteral("K"),
            QStringLiteral("generate K items in each level table (large sites;\n"
                           "200 with --employees when not given)"),
            QStringLiteral("a whole number above 0")},
        {{QStringLiteral("job-punches-only")}, {},
            QStringLiteral("make JobPunches.MDB alone, beside a site's own Access\n"
                           "Validations.mdb and Norla.MDB"),
            {}},
        {{QStringLiteral("time-zone")}, QStringLiteral("ZONE"),
            QStringLiteral("the zone the site's clocks run in, an IANA name\n"
                           "(America/New_York); this machine's when not given"),
            QStringLiteral("a time zone such as America/New_York")},
        {{QStringLiteral("server")}, QStringLiteral("URI"),
            QStringLiteral("make and fill the tables in the PostgreSQL database\n"
                           "of this connection URI (postgresql://user@host/db),\n"
                           "in one transaction, and write the three files as\n"
                           "pointers to it; the URI holds no password (libpq\n"
                           "reads it from ~/.pgpass or PGPASSFILE)"),
            QStringLiteral("a connection URI")},
        CommandLine::helpOption(), CommandLine::versionOption()},
    {},
    {{0, QStringLiteral("done")},
        {1, QStringLiteral("failed, or a file of the site exists: nothing was changed")},
        {2, QStringLiteral("a bad command line")}},
    commands,
};

// Options that make no sense together.
const QList<std::pair<QString, QString>> conflicting {
    {QStringLiteral("demo"), QStringLiteral("employees")},
    {QStringLiteral("demo"), QStringLiteral("punches")},
    {QStringLiteral("demo"), QStringLiteral("items")},
    {QStringLiteral("job-punches-only"), QStringLiteral("demo")},
    {QStringLiteral("job-punches-only"), QStringLiteral("employees")},
    {QStringLiteral("job-punches-only"), QStringLiteral("punches")},
    {QStringLiteral("job-punches-only"), QStringLiteral("items")},
    {QStringLiteral("job-punches-only"), QStringLiteral("server")},
};

struct Request
{
    QString command;
    QString dir;
    QString server;
    bool jobPunchesOnly = false;
    SiteBuilder::Contents contents;
};

qint64 count(const Arguments& arguments, const QString& name, qint64 least, qint64 most)
{
    bool ok = false;
    const qint64 value = arguments.value(name).toLongLong(&ok);
    if (!ok || value < least || value > most)
        throw arguments.badValue(name);
    return value;
}

Request request(const Arguments& arguments)
{
    const QStringList positional = arguments.positional();
    Request request;
    request.command = arguments.command();
    if (request.command.isEmpty() && positional.isEmpty())
        throw CommandLine::missingValue(QStringLiteral("COMMAND"), commandsExpected);
    if (request.command.isEmpty())
        throw CommandLine::unknownCommand(positional.first());
    if (positional.isEmpty())
        throw CommandLine::missingValue(QStringLiteral("DIR"), QStringLiteral("the site's folder"));
    if (positional.size() > 1)
        throw CommandLine::unexpectedArgument(positional.at(1));
    request.dir = positional.first();

    const QStringList given = arguments.given();
    for (const QString& option : given)
        if (request.command != create
            && (request.command != QLatin1String("upgrade")
                || option != QLatin1String("time-zone")))
            throw CommandLine::unknownOption(arguments.typed(option));
    for (const QString& first : given)
        for (const QString& second : given.mid(given.indexOf(first) + 1))
            if (conflicting.contains({first, second}) || conflicting.contains({second, first}))
                throw CommandLine::conflict(arguments.typed(first), arguments.typed(second));

    SiteBuilder::Contents& contents = request.contents;
    if (arguments.isSet(QStringLiteral("employees")))
        contents.employees = int(count(arguments, QStringLiteral("employees"), 1, INT_MAX));
    if (arguments.isSet(QStringLiteral("punches"))) {
        contents.punches = count(arguments, QStringLiteral("punches"), 0, LLONG_MAX);
        if (contents.employees == 0)
            throw CommandLine::missingValue(QStringLiteral("--employees"),
                QStringLiteral("a number of employees beside --punches"));
    }
    if (arguments.isSet(QStringLiteral("items")))
        contents.items = int(count(arguments, QStringLiteral("items"), 1, INT_MAX));
    if (arguments.isSet(QStringLiteral("demo"))) {
        contents.kind = SiteBuilder::Contents::Kind::Demo;
        contents.now = QDateTime::currentDateTime();
    } else if (arguments.isSet(QStringLiteral("employees"))
        || arguments.isSet(QStringLiteral("items")))
        contents.kind = SiteBuilder::Contents::Kind::Large;
    if (arguments.isSet(QStringLiteral("time-zone"))) {
        contents.timeZone = arguments.value(QStringLiteral("time-zone"));
        if (!QTimeZone(contents.timeZone.toUtf8()).isValid())
            throw arguments.badValue(QStringLiteral("time-zone"));
    }
    request.jobPunchesOnly = arguments.isSet(QStringLiteral("job-punches-only"));
    if (arguments.isSet(QStringLiteral("server"))) {
        request.server = arguments.value(QStringLiteral("server"));
        if (request.server.trimmed().isEmpty())
            throw arguments.badValue(QStringLiteral("server"));
    }
    return request;
}

QtMessageHandler defaultHandler = nullptr;

void dropWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList given = CommandLine::fromMain(argc, argv);
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    // The server tells the tool's connection apart by its name.
    QCoreApplication::setApplicationName(commandLine.program);
    // A connection lost midway lets go of its statements and its transaction
    // with the driver's warnings: the tool's own error says what happened.
    defaultHandler = qInstallMessageHandler(dropWarnings);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Request site;
    try {
        const Arguments arguments = CommandLine::parse(commandLine, given);
        if (const auto status = CommandLine::answer(commandLine, arguments, out))
            return *status;
        site = request(arguments);
    } catch (const Error& error) {
        return CommandLine::refuse(commandLine, error, err);
    }

    try {
        if (site.command == QLatin1String("convert")) {
            const qint64 rows = SiteConverter::convert(site.dir);
            out << "Copied " << rows << " job punches into a new JobPunches.MDB; the Access file "
                << "is kept as " << SiteConverter::keptAccessFile << ".\n";
        } else if (site.command == QLatin1String("upgrade")) {
            const SiteBuilder::ZoneRecorded zone
                = SiteBuilder::upgrade(site.dir, site.contents.timeZone);
            switch (zone.from) {
            case SiteBuilder::ZoneRecorded::From::Given:
                out << "The site's time zone is now " << zone.zone << ", as given.\n";
                break;
            case SiteBuilder::ZoneRecorded::From::Machine:
                out << "The site's time zone is now " << zone.zone
                    << ", this machine's; --time-zone names another.\n";
                break;
            case SiteBuilder::ZoneRecorded::From::Kept:
                out << "The site's time zone stays " << zone.zone
                    << "; --time-zone names another.\n";
                break;
            }
        } else if (site.command == QLatin1String("roles")) {
            const PunchRules::TerminalChecks checks = SiteBuilder::roles(site.dir);
            const QStringList checked
                = (checks.employees ? QStringList {QStringLiteral("EMPLOYEES")} : QStringList())
                + (checks.levels ? QStringList {QStringLiteral("Level1 to Level3")}
                                 : QStringList());
            const QStringList elsewhere
                = (checks.employees ? QStringList() : QStringList {QStringLiteral("EMPLOYEES")})
                + (checks.levels ? QStringList()
                                 : QStringList {QStringLiteral("the level tables")});
            if (!checked.isEmpty())
                out << "A terminal's starts are checked against "
                    << checked.join(QLatin1String(" and ")) << ".\n";
            if (!elsewhere.isEmpty())
                out << "A terminal's starts are not checked against "
                    << elsewhere.join(QLatin1String(" nor ")) << ": not in the database of "
                    << SiteModel::jobPunchesFile << ".\n";
        } else if (site.jobPunchesOnly) {
            SiteBuilder::createJobPunches(site.dir, site.contents.timeZone);
        } else {
            SiteBuilder::create(site.dir, site.server, site.contents);
        }
    } catch (const SiteBuilder::Error& error) {
        err << commandLine.program << ": " << error.what() << Qt::endl;
        return 1;
    }
    return 0;
}
