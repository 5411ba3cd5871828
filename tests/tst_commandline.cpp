#include "JobCostingVersion.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Every program's command line, run as a shell or a service runs it: without
// a display, in a folder that is not a site. A bad one ends with status 2 and
// one line on standard error, and opens or makes nothing.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

static QString programPath(const QString& program)
{
    const QMap<QString, QString> built {{u"jobcosting"_s, QStringLiteral(JOBCOSTING_PROGRAM)},
        {u"jobcosting-site"_s, QStringLiteral(JOBCOSTING_SITE_TOOL)},
        {u"jobcosting-report"_s, QStringLiteral(JOBCOSTING_REPORT_TOOL)},
        {u"jobcosting-desk"_s, QStringLiteral(JOBCOSTING_DESK_PROGRAM)}};
    return built.value(program);
}

void TestCommandLine::answersWithoutDisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // the first line of standard output
    QTest::addColumn<QString>("err"); // all of standard error, after "PROGRAM: "; HERE the folder

    const auto row = [](const char* name, const QString& program, const QString& line, int status,
                         const QString& out, const QString& err) {
        QTest::newRow(qPrintable(program + u": "_s + QLatin1String(name)))
            << program << line.split(u'|') << status << out << err;
    };
    const auto bad = [&row](const char* name, const QString& program, const QString& line,
                         const QString& err) {
        row(name, program, line, 2, QString(), err);
    };
    const auto version = [](const QString& program) {
        return program + u' ' + QLatin1String(JOBCOSTING_VERSION);
    };

    // Arguments are split at "|".
    const QString terminal = u"jobcosting"_s;
    const QString usage = u"Usage: jobcosting [--help | --version]"_s;
    row("--help", terminal, u"--help"_s, 0, usage, {});
    row("-h", terminal, u"-h"_s, 0, usage, {});
    row("--version", terminal, u"--version"_s, 0, version(terminal), {});
    row("help wins over version", terminal, u"--version|--help"_s, 0, usage, {});
    bad("an option it does not know", terminal, u"--site=/srv/punch"_s, u"unknown option --site"_s);
    bad("Qt's own options are not taken either", terminal, u"-platform|offscreen"_s,
        u"unknown option -platform"_s);
    bad("a folder", terminal, u"/srv/punch"_s, u"unexpected argument '/srv/punch'"_s);
    bad("a value for an option that takes none", terminal, u"--version=2"_s,
        u"--version: expected no value, got '2'"_s);
    bad("a known option before an unknown one", terminal, u"--help|-x"_s, u"unknown option -x"_s);

    const QString site = u"jobcosting-site"_s;
    const QString commands = u"expected create, convert, upgrade or roles"_s;
    row("--help", site, u"--help"_s, 0,
        u"Usage: jobcosting-site create DIR [--server URI] [--time-zone ZONE] [--demo]"_s, {});
    row("--version", site, u"create|new|--version"_s, 0, version(site), {});
    bad("no command", site, {}, u"COMMAND: "_s + commands + u", got nothing"_s);
    bad("an unknown command", site, u"make|new"_s, u"unknown command 'make'"_s);
    bad("no folder", site, u"create"_s, u"DIR: expected the site's folder, got nothing"_s);
    bad("two folders", site, u"create|new|old"_s, u"unexpected argument 'old'"_s);
    bad("an unknown option", site, u"create|new|--force"_s, u"unknown option --force"_s);
    bad("Qt's own options", site, u"-platform|offscreen|create|new"_s,
        u"unknown option -platform"_s);
    bad("an option of create with convert", site, u"convert|new|--demo"_s,
        u"unknown option --demo"_s);
    bad("no count", site, u"create|new|--employees"_s,
        u"--employees: expected a whole number above 0, got nothing"_s);
    bad("a count in words", site, u"create|new|--employees|ten"_s,
        u"--employees: expected a whole number above 0, got 'ten'"_s);
    bad("no employees", site, u"create|new|--employees|0"_s,
        u"--employees: expected a whole number above 0, got '0'"_s);
    bad("more employees than there are numbers", site, u"create|new|--employees=99999999999"_s,
        u"--employees: expected a whole number above 0, got '99999999999'"_s);
    bad("no items", site, u"create|new|--items|0"_s,
        u"--items: expected a whole number above 0, got '0'"_s);
    bad("fewer than no punches", site, u"create|new|--employees|3|--punches|-1"_s,
        u"--punches: expected a whole number, 0 or more, got '-1'"_s);
    bad("punches without employees", site, u"create|new|--punches|30"_s,
        u"--employees: expected a number of employees beside --punches, got nothing"_s);
    bad("a value for a switch", site, u"create|new|--demo=yes"_s,
        u"--demo: expected no value, got 'yes'"_s);
    bad("the demo and a large site", site, u"create|new|--demo|--items|3"_s,
        u"--demo and --items: expected one of them, got both"_s);
    bad("job punches only on a server", site,
        u"create|new|--server|postgresql://db/punch|--job-punches-only"_s,
        u"--server and --job-punches-only: expected one of them, got both"_s);
    bad("an empty server", site, u"create|new|--server="_s,
        u"--server: expected a connection URI, got ''"_s);

    const QString report = u"jobcosting-report"_s;
    const QString views = u"expected job, level1, level2, level3, worker, department or day"_s;
    row("--help", report, u"--help"_s, 0, u"Usage: jobcosting-report [OPTION]... [SITE]"_s, {});
    row("--version", report, u"--version"_s, 0, version(report), {});
    bad("an unknown option", report, u"--sort|name"_s, u"unknown option --sort"_s);
    bad("Qt's own options", report, u"-platform|xcb"_s, u"unknown option -platform"_s);
    bad("an unknown view", report, u"--by|shift"_s, u"--by: "_s + views + u", got 'shift'"_s);
    bad("no view", report, u"--by"_s, u"--by: "_s + views + u", got nothing"_s);
    bad("no output", report, u"--detail|-o"_s,
        u"-o: expected a file name, or - for standard output, got nothing"_s);
    bad("an empty output", report, u"--output="_s,
        u"--output: expected a file name, or - for standard output, got ''"_s);
    bad("no such day", report, u"--to|2024-02-30"_s,
        u"--to: expected YYYY-MM-DD, got '2024-02-30'"_s);
    bad("a regional date", report, u"--from|03/05/2024"_s,
        u"--from: expected YYYY-MM-DD, got '03/05/2024'"_s);
    bad("from after to", report, u"--from|2024-03-06|--to|2024-03-05"_s,
        u"--to: expected a date not before --from, got '2024-03-05'"_s);
    bad("an unknown format", report, u"--format|xlsx"_s,
        u"--format: expected csv or pdf, got 'xlsx'"_s);
    bad("a format against the output's name", report, u"--format|pdf|-o|costs.CSV"_s,
        u"--format: expected csv, as the output's name says, got 'pdf'"_s);
    bad("a spreadsheet's CSV as a PDF", report, u"--excel|-o|costs.pdf"_s,
        u"--excel and a PDF output: expected one of them, got both"_s);
    bad("an unknown paper", report, u"--page-size|a3"_s,
        u"--page-size: expected a4 or letter, got 'a3'"_s);
    bad("no shift", report, u"--shift-hours|0"_s,
        u"--shift-hours: expected a number of hours, got '0'"_s);
    bad("a value for a switch", report, u"--detail=yes"_s,
        u"--detail: expected no value, got 'yes'"_s);
    bad("a site twice", report, u"--site|one|two"_s,
        u"--site and SITE: expected one of them, got both"_s);
    bad("two sites", report, u"one|two"_s, u"unexpected argument 'two'"_s);
    bad("not a site", report, {},
        u"SITE: expected a site folder with JobPunches.MDB, got 'HERE'"_s);

    const QString desk = u"jobcosting-desk"_s;
    const QString end = u"end|--badge|123|--at|2004-02-26 12:00"_s;
    row("--help", desk, u"--help"_s, 0, u"Usage: jobcosting-desk [SITE] [--shift-hours HOURS]"_s,
        {});
    row("--version", desk, u"list|--version"_s, 0, version(desk), {});
    bad("an unknown option", desk, u"--foo"_s, u"unknown option --foo"_s);
    bad("an unknown short option", desk, u"list|-x"_s, u"unknown option -x"_s);
    bad("another command's option", desk, u"list|--badge|123"_s, u"unknown option --badge"_s);
    bad("a command's option without it", desk, u"--open"_s, u"unknown option --open"_s);
    bad("Qt's own options", desk, u"-style|fusion"_s, u"unknown option -style"_s);
    bad("no such day", desk, u"list|--date|2004-02-30"_s,
        u"--date: expected YYYY-MM-DD, got '2004-02-30'"_s);
    bad("no date", desk, u"list|--date"_s, u"--date: expected YYYY-MM-DD, got nothing"_s);
    bad("an unknown format", desk, u"history|--format|xml"_s,
        u"--format: expected text or csv, got 'xml'"_s);
    bad("a period backwards", desk, u"history|--from|2004-03-01|--to|2004-02-01"_s,
        u"--to: expected a date not before --from, got '2004-02-01'"_s);
    bad("no such hour", desk, u"end|--badge|1|--at|2004-02-26 24:00|--reason|r"_s,
        u"--at: expected YYYY-MM-DD HH:MM, got '2004-02-26 24:00'"_s);
    bad("no badge", desk, u"end|--at|2004-02-26 12:00|--reason|r"_s,
        u"--badge: expected a badge number, got nothing"_s);
    bad("no reason", desk, end, u"--reason: expected a reason, got nothing"_s);
    bad("a blank reason", desk, end + u"|--reason|  "_s,
        u"--reason: expected a reason, got '  '"_s);
    const QString pieces = u"--pieces: expected a number of pieces from 0 to 1000000000, got "_s;
    bad("negative pieces", desk, end + u"|--reason|r|--pieces|-2"_s, pieces + u"'-2'"_s);
    bad("regional pieces", desk, end + u"|--reason|r|--pieces|1,5"_s, pieces + u"'1,5'"_s);
    bad("pieces past the window's bound", desk, end + u"|--reason|r|--pieces|1000000000.5"_s,
        pieces + u"'1000000000.5'"_s);
    bad("pieces that a float takes", desk, end + u"|--reason|r|--pieces|1e300"_s,
        pieces + u"'1e300'"_s);
    bad("pieces that are not a number", desk, end + u"|--reason|r|--pieces|nan"_s,
        pieces + u"'nan'"_s);
    bad("a mistyped command", desk, u"frob|/srv/punch"_s, u"unknown command 'frob'"_s);
    bad("a mistyped command alone", desk, u"lsit|--open"_s, u"unknown command 'lsit'"_s);
    bad("no shift", desk, u"--shift-hours|0"_s,
        u"--shift-hours: expected a number of hours, got '0'"_s);
    bad("not a site", desk, u"list|/"_s,
        u"SITE: expected a site folder with JobPunches.MDB, got '/'"_s);
    bad("two sites", desk, u"list|.|other"_s, u"unexpected argument 'other'"_s);
}

void TestCommandLine::answersWithoutDisplay()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir folder;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    arguments.removeAll(QString());
    process.start(programPath(program), arguments);
    QVERIFY(process.waitForFinished(10000));

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()),
        err.isEmpty() ? QString()
                      : program + u": "_s + err.replace(u"HERE"_s, folder.path()) + u'\n');
    QCOMPARE(process.exitCode(), status);
    const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
    QCOMPARE(printed.section(u'\n', 0, 0), out);
    // Nothing was opened or made: no database file, no journal, no folder.
    QVERIFY(QDir(folder.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
