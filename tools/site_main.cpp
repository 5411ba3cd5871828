#include "SiteBuilder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("jobcosting-site"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes the three database files of a job-costing site in DIR:\n"
        "  JobPunches.MDB   the job punches (table JobPunches)\n"
        "  Validations.mdb  the validation tables Level1, Level2 and Level3\n"
        "  Norla.MDB        the time-clock database (tables EMPLOYEES and WORK)\n"
        "Without options the tables are empty. It never overwrites: when any of the\n"
        "three files exists it stops with a message, changes nothing and exits 1.\n"
        "\n"
        "With --server URI the tables are made in that PostgreSQL database instead,\n"
        "and each of the three files is a pointer to it (the URI on one line), for\n"
        "several terminals on one database. It never overwrites there either: when\n"
        "any of the tables or indexes exists it stops and changes nothing. The URI\n"
        "holds no password: libpq takes it from ~/.pgpass or PGPASSFILE.\n"
        "\n"
        "jobcosting-site upgrade DIR gives a site made by an earlier version the index\n"
        "with which the database refuses a second open job for the same worker."));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("command"), QStringLiteral("The command: create or upgrade."));
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The site's folder."));
    const QCommandLineOption demo(QStringLiteral("demo"),
        QStringLiteral("Fill in a small demo site: a dozen employees "
                       "and three levels (Department, Operation, Part)."));
    const QCommandLineOption employees(QStringLiteral("employees"),
        QStringLiteral("Generate N employees (large sites)."), QStringLiteral("N"));
    const QCommandLineOption punches(QStringLiteral("punches"),
        QStringLiteral("Generate M job punches over ten years, "
                       "a few of them open (large sites)."),
        QStringLiteral("M"));
    const QCommandLineOption server(QStringLiteral("server"),
        QStringLiteral("Make the tables in the PostgreSQL database of this connection URI "
                       "(postgresql://user@host/database) and write pointer files to it."),
        QStringLiteral("URI"));
    parser.addOptions({demo, employees, punches, server});
    parser.process(app);

    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    const bool upgrade = args.size() == 2 && args.at(0) == QLatin1String("upgrade");
    if (args.size() != 2 || (args.at(0) != QLatin1String("create") && !upgrade)) {
        err << "usage: jobcosting-site create DIR [--server URI] [--demo | --employees N "
               "--punches M]\n"
               "       jobcosting-site upgrade DIR\n";
        return 2;
    }
    const QString dir = args.at(1);
    if (upgrade) {
        try {
            SiteBuilder::addOpenJobIndex(dir);
        } catch (const SiteBuilder::Error& error) {
            err << "jobcosting-site: " << error.what() << '\n';
            return 1;
        }
        return 0;
    }
    bool countsOk = true;
    const int employeeCount
        = parser.isSet(employees) ? parser.value(employees).toInt(&countsOk) : 0;
    bool punchesOk = true;
    const qint64 punchCount
        = parser.isSet(punches) ? parser.value(punches).toLongLong(&punchesOk) : 0;
    if (!countsOk || !punchesOk || employeeCount < 0 || punchCount < 0
        || (punchCount > 0 && employeeCount == 0) || (parser.isSet(demo) && employeeCount > 0)) {
        err << "jobcosting-site: --demo, or --employees N (N > 0) with --punches M (M >= 0)\n";
        return 2;
    }

    try {
        SiteBuilder::create(dir, parser.value(server));
        if (parser.isSet(demo))
            SiteBuilder::fillDemo(dir);
        else if (employeeCount > 0)
            SiteBuilder::fillLarge(dir, employeeCount, punchCount);
    } catch (const SiteBuilder::Error& error) {
        err << "jobcosting-site: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
