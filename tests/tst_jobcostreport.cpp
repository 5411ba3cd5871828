#include "JobCost.h"
#include "JobCostCommand.h"
#include "JobCostingVersion.h"
#include "Site.h"
#include "TestServices.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace Qt::StringLiterals;

// The job-cost report over a small site whose figures are worked out by hand
// below, from the values frozen on each punch.
class TestJobCostReport : public QObject
{
    Q_OBJECT

private slots:
    void groupsByView_data();
    void groupsByView();
    void openJobsAndImpossibleRowsListedApart();
    void dateRangeIsInclusive_data();
    void dateRangeIsInclusive();
    void pdfHoldsTheCsvNumbers_data();
    void pdfHoldsTheCsvNumbers();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
    void helpAndVersion();
    void moneyDoesNotDriftOverManyRows();
    void onePunchRoundsOnce_data();
    void onePunchRoundsOnce();
};

namespace {

// Level title, code, item, standard cost, bonus rate: levels 1 to 3.
const QVariantList assemblyGrindHousing {u"Department"_s, u"12"_s, u"Assembly"_s, 14.5, 0,
    u"Operation"_s, u"9"_s, u"Grind"_s, 3.8, 0, u"Part"_s, u"5"_s, u"Housing"_s, 4.4, 0};
// Level 3 out of use, though its hidden boxes still held an item's cost and rate.
const QVariantList machiningWeld {u"Department"_s, u"14"_s, u"Machining"_s, 18.25, 0,
    u"Operation"_s, u"7"_s, u"Weld"_s, 6.5, 0.35, QString(), QString(), QString(), 1.2, 0.15};
const QVariantList paintInspectCover {u"Department"_s, u"16"_s, u"Paint Shop"_s, 12.0, 0,
    u"Operation"_s, u"10"_s, u"Inspect"_s, 2.5, 0, u"Part"_s, u"A-100"_s, u"Cover Plate"_s, 1.6, 0};
// Bonus rates on levels 2 and 3: only the deepest counts.
const QVariantList shippingDrillHinge {u"Department"_s, u"18"_s, u"Shipping"_s, 9.75, 0,
    u"Operation"_s, u"8"_s, u"Drill"_s, 4.25, 0.2, u"Part"_s, u"4"_s, u"Hinge"_s, 0.85, 0.1};
const QVariantList assemblyWeldBracket {u"Department"_s, u"12"_s, u"Assembly"_s, 14.5, 0,
    u"Operation"_s, u"7"_s, u"Weld"_s, 6.5, 0.35, u"Part"_s, u"3"_s, u"Bracket"_s, 1.2, 0.15};

QVariantList punch(const QString& name, const QString& state, const QString& date,
    const QVariant& start, const QVariant& stop, const QVariantList& levels, const QVariant& pieces,
    int empNum, int deptNum, const QVariant& rate)
{
    return QVariantList {name, state, date, start, stop} + levels
        + QVariantList {pieces, empNum, deptNum, rate};
}

// Rows 1 to 5 are costed, 6 and 7 are open, 8 to 10 cannot be costed.
const QList<QVariantList> punches {
    // 8.5 h night shift x 18.50 = 157.25
    punch(u"Walter Brennan"_s, u"Closed"_s, u"2024-03-04"_s, u"22:00:00"_s, u"06:30:00"_s,
        assemblyGrindHousing, 0, 123, 10, 18.5),
    // 2.25 h x 19.25 = 43.3125; bonus 40 x 0.35 = 14.00; standard 18.25 + 6.5 = 24.75
    punch(u"María López"_s, u"Closed"_s, u"2024-03-04"_s, u"08:00:00"_s, u"10:15:00"_s,
        machiningWeld, 40, 124, 10, 19.25),
    // Two workers of one name: 4 h x 22.40 = 89.60 and 2.5 h x 16 = 40.00
    punch(u"Robert Chen"_s, u"Closed"_s, u"2024-03-05"_s, u"07:00:00"_s, u"11:00:00"_s,
        assemblyGrindHousing, 0, 127, 30, 22.4),
    punch(u"Robert Chen"_s, u"Closed"_s, u"2024-03-05"_s, u"07:00:00"_s, u"09:30:00"_s,
        paintInspectCover, 0, 140, 40, 16),
    // 7/6 h x 17.1234 = 19.9773; bonus 12 x 0.10 = 1.20; standard 9.75 + 4.25 + 0.85 = 14.85
    punch(uR"(Dubois, Thomas "Tom")"_s, u"Closed"_s, u"2024-03-05"_s, u"13:00:00"_s, u"14:10:00"_s,
        shippingDrillHinge, 12, 133, 30, 17.1234),
    punch(u"Linda Kowalski"_s, u"Open"_s, u"2024-03-05"_s, u"20:00:00"_s, u"20:00:01"_s,
        assemblyWeldBracket, 0, 126, 20, 17.75),
    punch(u"Susan Miller"_s, u"Open"_s, u"2024-03-06"_s, u"09:30:00"_s, u"09:30:00"_s,
        assemblyGrindHousing, 0, 132, 20, 23.15),
    punch(u"David Okafor"_s, u"Closed"_s, u"2024-03-05"_s, u"07:00:00"_s, QVariant(),
        assemblyGrindHousing, 0, 131, 40, 19.6),
    punch(u"Barbara Rossi"_s, u"Closed"_s, u"2024-03-05"_s, u"07:00:00"_s, u"08:00:00"_s,
        assemblyWeldBracket, -3, 130, 40, 18),
    punch(u"Karen Johansson"_s, u"Closed"_s, u"2024-03-06"_s, u"07:00:00"_s, u"08:00:00"_s,
        assemblyGrindHousing, 0, 4711, 10, u"n/a"_s),
};

// What another program may have left in the table: checks are off, so that a
// rate can be a text.
void insertPunches(const Site& site, const QList<QVariantList>& rows)
{
    const QString connection = u"punches"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(site.file(SiteBuilder::jobPunchesFile));
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(u"PRAGMA ignore_check_constraints = ON"_s));
        QVERIFY(db.transaction());
        QVERIFY(query.prepare(u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, "
                              "TimeStop, Level1Description, Level1ItemCode, Level1ItemDescription, "
                              "Level1StandardCost, Level1BonusRate, Level2Description, "
                              "Level2ItemCode, Level2ItemDescription, Level2StandardCost, "
                              "Level2BonusRate, Level3Description, Level3ItemCode, "
                              "Level3ItemDescription, Level3StandardCost, Level3BonusRate, "
                              "Pieces, EmpNum, DeptNum, BaseRate) VALUES "
                              "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                              "?, ?)"_s));
        for (const QVariantList& row : rows) {
            for (const QVariant& value : row)
                query.addBindValue(value);
            QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
        }
        QVERIFY(db.commit());
    }
    QSqlDatabase::removeDatabase(connection);
}

struct Outcome
{
    int status = -1;
    QByteArray out;
    QString err;
    QStringList lines() const
    {
        return QString::fromUtf8(out).split(u"\r\n"_s, Qt::SkipEmptyParts);
    }
};

// The report program in this process, at noon on 6 March 2024.
Outcome report(const QStringList& arguments)
{
    FixedClock clock;
    clock.set(QDateTime(QDate(2024, 3, 6), QTime(12, 0)));
    Outcome outcome;
    QBuffer out(&outcome.out);
    out.open(QIODevice::WriteOnly);
    QTextStream err(&outcome.err);
    outcome.status = JobCostCommand::run(arguments, clock, out, err);
    return outcome;
}

QStringList linesOf(const QStringList& lines, const QStringList& sections)
{
    QStringList found;
    for (const QString& line : lines) {
        if (sections.contains(line.section(u',', 0, 0)))
            found << line;
    }
    return found;
}

// Every file of a folder, byte for byte.
QMap<QString, QByteArray> files(const QString& path)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        contents.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return contents;
}

QString run(const QString& program, const QStringList& arguments, int* status = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return u"(did not finish)"_s;
    if (status)
        *status = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

void TestJobCostReport::groupsByView_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("lines"); // the groups, then the total

    const QString total = u"total,%1,5,18.42,350.14,15.20,365.34,52,22.4654,7.0258,-15.4396,,"_s;
    QTest::newRow("worker: same name, two numbers")
        << u"worker"_s
        << QStringList {u"group,123,Walter Brennan,1,8.50,157.25,0.00,157.25,0,,,,,"_s,
               u"group,124,María López,1,2.25,43.31,14.00,57.31,40,24.7500,1.4328,-23.3172,,"_s,
               u"group,127,Robert Chen,1,4.00,89.60,0.00,89.60,0,,,,,"_s,
               uR"(group,133,"Dubois, Thomas ""Tom""",1,1.17,19.98,1.20,21.18,12,14.8500,1.7648,-13.0852,,)"_s,
               u"group,140,Robert Chen,1,2.50,40.00,0.00,40.00,0,,,,,"_s, total.arg(u","_s)};
    QTest::newRow("job: level 1/2/3 combination")
        << u"job"_s
        << QStringList {u"group,12,Assembly,9,Grind,5,Housing,2,12.50,246.85,0.00,246.85,0,,,,,"_s,
               u"group,14,Machining,7,Weld,,,1,2.25,43.31,14.00,57.31,40,24.7500,1.4328,-23.3172,,"_s,
               u"group,16,Paint Shop,10,Inspect,A-100,Cover Plate,1,2.50,40.00,0.00,40.00,0,,,,,"_s,
               u"group,18,Shipping,8,Drill,4,Hinge,1,1.17,19.98,1.20,21.18,12,14.8500,1.7648,-13.0852,,"_s,
               total.arg(u",,,,,"_s)};
    QTest::newRow("level 2")
        << u"level2"_s
        << QStringList {u"group,7,Weld,1,2.25,43.31,14.00,57.31,40,24.7500,1.4328,-23.3172,,"_s,
               u"group,8,Drill,1,1.17,19.98,1.20,21.18,12,14.8500,1.7648,-13.0852,,"_s,
               u"group,9,Grind,2,12.50,246.85,0.00,246.85,0,,,,,"_s,
               u"group,10,Inspect,1,2.50,40.00,0.00,40.00,0,,,,,"_s, total.arg(u","_s)};
    QTest::newRow("department")
        << u"department"_s
        << QStringList {u"group,10,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,,"_s,
               u"group,30,2,5.17,109.58,1.20,110.78,12,14.8500,9.2314,-5.6186,,"_s,
               u"group,40,1,2.50,40.00,0.00,40.00,0,,,,,"_s, total.arg(QString())};
    QTest::newRow("day: the night shift on its start day")
        << u"day"_s
        << QStringList {
               u"group,2024-03-04,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,,"_s,
               u"group,2024-03-05,3,7.67,149.58,1.20,150.78,12,14.8500,12.5648,-2.2852,,"_s,
               total.arg(QString())};
}

void TestJobCostReport::groupsByView()
{
    QFETCH(QString, view);
    QFETCH(QStringList, lines);
    Site site;
    insertPunches(site, punches);
    const Outcome outcome = report({u"--by"_s, view, site.path()});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(linesOf(outcome.lines(), {u"group"_s, u"total"_s}), lines);
    const QStringList header = outcome.lines().value(0).split(u',');
    QCOMPARE(header.size(), lines.first().count(u',') + 1);
    QCOMPARE(header.mid(header.size() - 11, 3),
        (QStringList {u"Jobs (closed job punches costed)"_s,
            u"Hours (TimeStop - TimeStart; a stop before the start ran past midnight)"_s,
            u"Labour (hours x BaseRate)"_s}));
}

void TestJobCostReport::openJobsAndImpossibleRowsListedApart()
{
    Site site;
    insertPunches(site, punches);
    const Outcome outcome = report({u"--by"_s, u"worker"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(linesOf(outcome.lines(), {u"open"_s, u"not costed"_s}),
        (QStringList {
            uR"(open,126,Linda Kowalski,,,,,,,,,,16.00,"Linda Kowalski (126), started 2024-03-05 20:00:00; open longer than a shift")"_s,
            uR"(open,132,Susan Miller,,,,,,,,,,2.50,"Susan Miller (132), started 2024-03-06 09:30:00")"_s,
            uR"(not costed,131,David Okafor,,,,,,,,,,,"row 8, David Okafor (131), 2024-03-05: TimeStop is empty")"_s,
            uR"(not costed,130,Barbara Rossi,,,,,,,,,,,"row 9, Barbara Rossi (130), 2024-03-05: Pieces is negative")"_s,
            uR"(not costed,4711,Karen Johansson,,,,,,,,,,,"row 10, Karen Johansson (4711), 2024-03-06: BaseRate is not a number")"_s}));

    const Outcome longShift
        = report({u"--by"_s, u"worker"_s, u"--shift-hours"_s, u"16.5"_s, site.path()});
    QVERIFY(!longShift.out.contains("longer than a shift"));
}

void TestJobCostReport::dateRangeIsInclusive_data()
{
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("notCosted");

    QTest::newRow("one day, from and to alike")
        << QStringList {u"--from"_s, u"2024-03-05"_s, u"--to"_s, u"2024-03-05"_s}
        << u"total,,3,7.67,149.58,1.20,150.78,12,14.8500,12.5648,-2.2852,,"_s << 1 << 2;
    QTest::newRow("up to the night shift's start day")
        << QStringList {u"--to"_s, u"2024-03-04"_s}
        << u"total,,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,,"_s << 0 << 0;
    QTest::newRow("from the last day") << QStringList {u"--from"_s, u"2024-03-06"_s}
                                       << u"total,,0,0.00,0.00,0.00,0.00,0,,,,,"_s << 1 << 1;
    QTest::newRow("a day without punches")
        << QStringList {u"--from"_s, u"2024-03-07"_s, u"--to"_s, u"2024-03-31"_s}
        << u"total,,0,0.00,0.00,0.00,0.00,0,,,,,"_s << 0 << 0;
}

void TestJobCostReport::dateRangeIsInclusive()
{
    QFETCH(QStringList, range);
    QFETCH(QString, total);
    QFETCH(int, open);
    QFETCH(int, notCosted);
    Site site;
    insertPunches(site, punches);
    const Outcome outcome = report(range + QStringList {u"--by"_s, u"department"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(linesOf(outcome.lines(), {u"total"_s}), QStringList {total});
    QCOMPARE(linesOf(outcome.lines(), {u"open"_s}).size(), open);
    QCOMPARE(linesOf(outcome.lines(), {u"not costed"_s}).size(), notCosted);
}

void TestJobCostReport::pdfHoldsTheCsvNumbers_data()
{
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QString>("points"); // what pdfinfo says
    QTest::addColumn<int>("employees"); // of a generated site, beside the small one
    QTest::newRow("A4, the small site") << u"a4"_s << u"595 x 842"_s << 0;
    QTest::newRow("Letter, 250 workers over pages") << u"letter"_s << u"612 x 792"_s << 250;
}

void TestJobCostReport::pdfHoldsTheCsvNumbers()
{
    QFETCH(QString, pageSize);
    QFETCH(QString, points);
    QFETCH(int, employees);
    Site site;
    if (employees > 0) {
        QVERIFY(QFile::remove(site.file(SiteBuilder::jobPunchesFile)));
        QVERIFY(QFile::remove(site.file(SiteBuilder::validationsFile)));
        QVERIFY(QFile::remove(site.file(SiteBuilder::timeClockFile)));
        SiteBuilder::create(site.path());
        SiteBuilder::fillLarge(site.path(), employees, 1000);
    } else {
        insertPunches(site, punches);
    }
    const QMap<QString, QByteArray> before = files(site.path());
    const QStringList arguments {u"--by"_s, u"worker"_s, site.path()};
    const Outcome csv = report(arguments);
    QTemporaryDir out;
    const QString pdf = out.filePath(u"report.pdf"_s);
    QCOMPARE(
        report(arguments
            + QStringList {u"--format"_s, u"pdf"_s, u"--page-size"_s, pageSize, u"--output"_s, pdf})
            .status,
        0);
    const QString info = run(u"pdfinfo"_s, {pdf});
    QVERIFY2(info.contains(points), qPrintable(info));
    const int pages = info.section(u"Pages:"_s, 1).section(u'\n', 0, 0).trimmed().toInt();
    QVERIFY2(pages >= 1 + employees / 110 && pages <= 2 + employees / 90, qPrintable(info));

    const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    QVERIFY2(text.contains(u"Page %1 of %1"_s.arg(pages)), qPrintable(text));
    const QStringList lines = linesOf(csv.lines(), {u"group"_s, u"total"_s});
    QCOMPARE(lines.size(), (employees > 0 ? employees : 5) + 1);
    for (const QString& line : lines) {
        // The nine figures follow the section, the employee number and the name.
        QStringList figures = line.section(u'"', -1).split(u',');
        figures = figures.mid(line.contains(u'"') ? 1 : 3, 9);
        figures.removeAll(QString());
        QStringList pattern;
        for (const QString& figure : figures)
            pattern << QRegularExpression::escape(figure);
        QVERIFY2(text.contains(QRegularExpression(pattern.join(u"\\s+"_s))), qPrintable(line));
    }
    QVERIFY(text.contains(u"Rows not costed: %1"_s.arg(employees > 0 ? 0 : 3)));

    QVERIFY2(files(site.path()) == before, "the report changed the site");
}

void TestJobCostReport::badInputWritesNothing_data()
{
    QTest::addColumn<QStringList>("arguments"); // SITE is the demo site
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown view") << QStringList {u"--by"_s, u"shift"_s, u"SITE"_s}
                                  << u"unknown --by 'shift'"_s;
    QTest::newRow("from after to") << QStringList {u"--from"_s, u"2024-03-06"_s, u"--to"_s,
        u"2024-03-05"_s, u"SITE"_s} << u"--from 2024-03-06 is after --to 2024-03-05"_s;
    QTest::newRow("no such day") << QStringList {u"--to"_s, u"2024-02-30"_s, u"SITE"_s}
                                 << u"--to '2024-02-30' is not a date"_s;
    QTest::newRow("regional date") << QStringList {u"--from"_s, u"03/05/2024"_s, u"SITE"_s}
                                   << u"--from '03/05/2024' is not a date"_s;
    QTest::newRow("folder without the files")
        << QStringList {u"--site"_s, u"EMPTY"_s} << u"holds no JobPunches.MDB"_s;
    QTest::newRow("unknown option")
        << QStringList {u"--sort"_s, u"SITE"_s} << u"Unknown option 'sort'"_s;
    QTest::newRow("output onto the site")
        << QStringList {u"SITE"_s, u"-o"_s, u"SITE/Norla.MDB"_s} << u"is a file of the site"_s;
    QTest::newRow("unknown format")
        << QStringList {u"--format"_s, u"xlsx"_s, u"SITE"_s} << u"unknown --format 'xlsx'"_s;
}

void TestJobCostReport::badInputWritesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    Site site;
    QTemporaryDir empty;
    const QString output = empty.filePath(u"report.csv"_s);
    arguments.replaceInStrings(u"SITE"_s, site.path());
    arguments.replaceInStrings(u"EMPTY"_s, empty.path());
    if (!arguments.contains(u"-o"_s))
        arguments << u"-o"_s << output;
    const QMap<QString, QByteArray> before = files(site.path());

    QProcess tool;
    tool.start(QStringLiteral(JOBCOSTING_REPORT_TOOL), arguments);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 2);
    const QString message = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(message.startsWith(u"jobcosting-report: "_s) && message.contains(error)
            && message.count(u'\n') == 1 && message.endsWith(u'\n'),
        qPrintable(message));
    QVERIFY(tool.readAllStandardOutput().isEmpty());
    QVERIFY(!QFile::exists(output));
    QVERIFY(files(site.path()) == before);
}

void TestJobCostReport::helpAndVersion()
{
    int status = -1;
    const QString help = run(QStringLiteral(JOBCOSTING_REPORT_TOOL), {u"--help"_s}, &status);
    QCOMPARE(status, 0);
    for (const QString& words : JobCost::viewNames()
            + QStringList {
                u"--from DATE"_s, u"--page-size SIZE"_s, u"Exit status"_s, u"never written"_s})
        QVERIFY2(help.contains(words), qPrintable(words));
    QCOMPARE(run(QStringLiteral(JOBCOSTING_REPORT_TOOL), {u"--version"_s}, &status),
        u"jobcosting-report " JOBCOSTING_VERSION "\n"_s);
    QCOMPARE(status, 0);
}

void TestJobCostReport::moneyDoesNotDriftOverManyRows()
{
    // Each row alone rounds to 0.29 labour and 0.04 bonus; rounded per row or
    // summed in binary fractions the totals would be off.
    JobCost::Report report({});
    JobCost::Punch minute;
    minute.badge = u"Closed"_s;
    minute.dateWorked = QDate(2024, 3, 4);
    minute.timeStart = QTime(8, 0);
    minute.timeStop = QTime(8, 1);
    minute.levels[0] = {u"Department"_s, u"12"_s, u"Assembly"_s, 0.0001, 0.1234};
    minute.pieces = 0.3;
    minute.baseRate = u"17.1234"_s;
    for (int row = 0; row < 100'000; ++row)
        report.add(minute);
    QCOMPARE(JobCost::figureTexts(report.total()).mid(1, 6),
        (QStringList {
            u"1666.67"_s, u"28539.00"_s, u"3702.00"_s, u"32241.00"_s, u"30000"_s, u"0.0001"_s}));
}

void TestJobCostReport::onePunchRoundsOnce_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("stop");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("pieces");
    QTest::addColumn<double>("standardCost");
    // Hours, labour, bonus, labour + bonus, pieces, then per piece: standard,
    // actual and variance.
    QTest::addColumn<QStringList>("figures");

    QTest::newRow("stop equal to the start: no time, not a day")
        << QTime(8, 0) << QTime(8, 0) << 18.5 << 0.0 << 0.0
        << QStringList {u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0"_s, {}, {}, {}};
    QTest::newRow("stop a second before the start: a day less a second")
        << QTime(8, 0) << QTime(7, 59, 59) << 3600.0 << 0.0 << 0.0
        << QStringList {u"24.00"_s, u"86399.00"_s, u"0.00"_s, u"86399.00"_s, u"0"_s, {}, {}, {}};
    QTest::newRow("half a cent of labour, half a hundredth of an hour")
        << QTime(8, 0) << QTime(8, 0, 18) << 2025.0 << 0.0 << 0.0
        << QStringList {u"0.01"_s, u"10.13"_s, u"0.00"_s, u"10.13"_s, u"0"_s, {}, {}, {}};
    // 0.0001 of labour over 2 pieces of standard 0.0001: half a ten-thousandth
    // per piece above zero (actual) and below it (variance).
    QTest::newRow("half a ten-thousandth per piece, both signs")
        << QTime(8, 0) << QTime(9, 0) << 0.0001 << 2.0 << 0.0001
        << QStringList {u"1.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"2"_s, u"0.0001"_s,
               u"0.0001"_s, u"-0.0001"_s};
}

// Each figure is worked out from exact sums and rounded once, half away from
// zero; a stop before the start ran past midnight, and only then.
void TestJobCostReport::onePunchRoundsOnce()
{
    QFETCH(QTime, start);
    QFETCH(QTime, stop);
    QFETCH(double, rate);
    QFETCH(double, pieces);
    QFETCH(double, standardCost);
    QFETCH(QStringList, figures);
    JobCost::Report report({});
    JobCost::Punch punch;
    punch.badge = u"Closed"_s;
    punch.dateWorked = QDate(2024, 3, 4);
    punch.timeStart = start;
    punch.timeStop = stop;
    punch.levels[0] = {u"Department"_s, u"12"_s, u"Assembly"_s, standardCost, 0};
    punch.pieces = pieces;
    punch.baseRate = rate;
    report.add(punch);
    QCOMPARE(JobCost::figureTexts(report.total()).mid(1), figures);
}

QTEST_MAIN(TestJobCostReport)
#include "tst_jobcostreport.moc"
