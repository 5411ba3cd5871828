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
        "three files exists it stops with a message, changes nothing and exits 1."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("create"), QStringLiteral("The command: create."));
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
    const QCommandLineOption items(QStringLiteral("items"),
        QStringLiteral("Generate N items in each level table (large sites; 200 when not given)."),
        QStringLiteral("N"));
    parser.addOptions({demo, employees, punches, items});
    parser.process(app);

    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2 || args.at(0) != QLatin1String("create")) {
        err << "usage: jobcosting-site create DIR [--demo | --employees N --punches M --items K]\n";
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
    if (!countsOk || !punchesOk || !itemsOk || employeeCount < 0 || punchCount < 0 || itemCount < 1
        || (punchCount > 0 && employeeCount == 0) || (parser.isSet(demo) && large)) {
        err << "jobcosting-site: --demo, or --employees N (N > 0) with --punches M (M >= 0)"
               " and --items K (K > 0)\n";
        return 2;
    }

    try {
        SiteBuilder::create(dir);
        if (parser.isSet(demo))
            SiteBuilder::fillDemo(dir);
        else if (large)
            SiteBuilder::fillLarge(dir, employeeCount, punchCount, itemCount);
    } catch (const SiteBuilder::Error& error) {
        err << "jobcosting-site: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
