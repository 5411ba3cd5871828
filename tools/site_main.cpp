#include "JobCostingVersion.h"
#include "SiteBuilder.h"
#include "SiteConverter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("jobcosting-site"));
    QCoreApplication::setApplicationVersion(QStringLiteral(JOBCOSTING_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "create DIR makes the three database files of a job-costing site in DIR:\n"
        "  JobPunches.MDB   the job punches (table JobPunches)\n"
        "  Validations.mdb  the validation tables Level1, Level2 and Level3\n"
        "  Norla.MDB        the time-clock database (tables EMPLOYEES and WORK)\n"
        "Without options the tables are empty. It never overwrites: when any of the\n"
        "three files exists it stops with a message, changes nothing and exits 1.\n"
        "With --job-punches-only it makes JobPunches.MDB alone, beside a site's own\n"
        "Access Validations.mdb and Norla.MDB.\n"
        "\n"
        "With --server URI the tables are made in that PostgreSQL database instead,\n"
        "and each of the three files is a pointer to it (the URI on one line), for\n"
        "several terminals on one database. It never overwrites there either: when\n"
        "any of the tables or indexes exists it stops and changes nothing. The URI\n"
        "holds no password: libpq takes it from ~/.pgpass or PGPASSFILE.\n"
        "\n"
        "convert DIR copies every job punch of an Access JobPunches.MDB in DIR into a\n"
        "new JobPunches.MDB that the terminal can add punches to, and keeps the Access\n"
        "file beside it as JobPunches-Access.MDB. It checks that both hold the same\n"
        "rows before it replaces anything; when anything fails, or a kept\n"
        "JobPunches-Access.MDB is there already, it changes nothing and exits 1.\n"
        "\n"
        "upgrade DIR brings the job punches of a site made by an earlier version up\n"
        "to date: the index with which the database refuses a second open job for\n"
        "the same worker, a PunchId that names every job punch, the table of the\n"
        "supervisor's corrections (JobPunchCorrections) and, on a server, the notices\n"
        "of changed punches that jobcosting-desk follows and the table\n"
        "JobPunchConflicts, where the terminals put the punches they kept while the\n"
        "server was away and that could not be applied as they were.\n"
        "\n"
        "roles DIR, for a site on a database server, makes the roles\n"
        "jobcosting_terminal and jobcosting_supervisor where they are missing and\n"
        "gives them their privileges on the site's tables afresh: a terminal reads,\n"
        "adds punches and ends open ones; a supervisor also corrects punches. Grant\n"
        "each login one of them (GRANT jobcosting_terminal TO cell3)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
        QStringLiteral("The command: create, convert, upgrade or roles."));
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The site's folder."));
    const QCommandLineOption demo(QStringLiteral("demo"),
        QStringLiteral("Fill in a small demo site: a dozen employees, three levels "
                       "(Department, Operation, Part) and about a month of job punches "
                       "up to now, a few of them open."));
    const QCommandLineOption employees(QStringLiteral("employees"),
        QStringLiteral("Generate N employees (large sites)."), QStringLiteral("N"));
    const QCommandLineOption punches(QStringLiteral("punches"),
        QStringLiteral("Generate M job punches over ten years, "
                       "a few of them open (large sites)."),
        QStringLiteral("M"));
    const QCommandLineOption jobPunchesOnly(QStringLiteral("job-punches-only"),
        QStringLiteral("Make only JobPunches.MDB, for a site that keeps its own "
                       "Validations.mdb and Norla.MDB."));
    const QCommandLineOption server(QStringLiteral("server"),
        QStringLiteral("Make the tables in the PostgreSQL database of this connection URI "
                       "(postgresql://user@host/database) and write pointer files to it."),
        QStringLiteral("URI"));
    const QCommandLineOption items(QStringLiteral("items"),
        QStringLiteral("Generate N items in each level table (large sites; 200 when not given)."),
        QStringLiteral("N"));
    parser.addOptions({demo, employees, punches, items, jobPunchesOnly, server});
    parser.process(app);

    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (args.size() != 2
        || (command != QLatin1String("create") && command != QLatin1String("convert")
            && command != QLatin1String("upgrade") && command != QLatin1String("roles"))) {
        err << "usage: jobcosting-site create DIR [--server URI] [--demo | --employees N "
               "--punches M --items K | --job-punches-only]\n"
               "       jobcosting-site convert DIR\n"
               "       jobcosting-site upgrade DIR\n"
               "       jobcosting-site roles DIR\n";
        return 2;
    }
    const QString dir = args.at(1);
    bool countsOk = true;
    const int employeeCount
        = parser.isSet(employees) ? parser.value(employees).toInt(&countsOk) : 0;
    bool punchesOk = true;
    const qint64 punchCount
        = parser.isSet(punches) ? parser.value(punches).toLongLong(&punchesOk) : 0;
    bool itemsOk = true;
    const int itemCount = parser.isSet(items) ? parser.value(items).toInt(&itemsOk) : 200;
    const bool large = employeeCount > 0 || parser.isSet(items);
    const int fillOptions
        = int(parser.isSet(demo)) + int(large) + int(parser.isSet(jobPunchesOnly));
    if (!countsOk || !punchesOk || !itemsOk || employeeCount < 0 || punchCount < 0 || itemCount < 1
        || (punchCount > 0 && employeeCount == 0) || fillOptions > 1
        || (command != QLatin1String("create") && fillOptions + punchCount > 0)
        || (parser.isSet(server)
            && (command != QLatin1String("create") || parser.isSet(jobPunchesOnly)))) {
        err << "jobcosting-site: --demo, or --employees N (N > 0) with --punches M (M >= 0) "
               "and --items K (K > 0), or --job-punches-only, and none of them with convert, "
               "upgrade or roles; --server only with create\n";
        return 2;
    }

    QTextStream out(stdout);
    try {
        if (command == QLatin1String("convert")) {
            const qint64 rows = SiteConverter::convert(dir);
            out << "Copied " << rows << " job punches into a new JobPunches.MDB; the Access file "
                << "is kept as " << SiteConverter::keptAccessFile << ".\n";
        } else if (command == QLatin1String("upgrade")) {
            SiteBuilder::upgrade(dir);
        } else if (command == QLatin1String("roles")) {
            SiteBuilder::roles(dir);
        } else if (parser.isSet(jobPunchesOnly)) {
            SiteBuilder::createJobPunches(dir);
        } else {
            SiteBuilder::create(dir, parser.value(server));
            if (parser.isSet(demo)) {
                SiteBuilder::fillDemo(dir);
                SiteBuilder::fillDemoPunches(dir, QDateTime::currentDateTime());
            } else if (large)
                SiteBuilder::fillLarge(dir, employeeCount, punchCount, itemCount);
        }
    } catch (const SiteBuilder::Error& error) {
        err << "jobcosting-site: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
