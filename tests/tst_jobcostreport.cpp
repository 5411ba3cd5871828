#include "DeskJobs.h"
#include "Files.h"
#include "JobCost.h"
#include "JobCostCommand.h"
#include "JobCostPdf.h"
#include "JobCostingVersion.h"
#include "Site.h"
#include "TestServices.h"
#include "data/SiteModel.h"
#include "regional/RegionalSettings.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <random>

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
    void pdfReadsBack_data();
    void pdfReadsBack();
    void grouping_data();
    void grouping();
    void formulasStayText_data();
    void formulasStayText();
    void excelReadsTheRegionalCsv_data();
    void excelReadsTheRegionalCsv();
    void detailListsEachPunch();
    void detailMarksPunchesThatArrivedAway();
    void statusAndMessage_data();
    void statusAndMessage();
    void outputChoosesFormat_data();
    void outputChoosesFormat();
    void moneyDoesNotDriftOverManyRows();
    void onePunchRoundsOnce_data();
    void onePunchRoundsOnce();
    void subtotalsFollowTheirLastDay_data();
    void subtotalsFollowTheirLastDay();
    void manyGroupsKeepTheirSums();
    void correctedPunchesCounted();
    void correctionsOfThePeriod_data();
    void correctionsOfThePeriod();
    void pdfInTheSessionsLanguage();
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
    const QVariant& empNum, const QVariant& deptNum, const QVariant& rate)
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
// rate can be a text, and the site's rules set aside.
void insertPunches(const Site& site, const QList<QVariantList>& rows)
{
    SiteBuilder::unchecked(site.path(), [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        QVERIFY(query.exec(u"PRAGMA ignore_check_constraints = ON"_s));
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
        QVERIFY(query.exec(u"PRAGMA ignore_check_constraints = OFF"_s));
    });
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

// The report program in this process, at noon on 6 March 2024, with a
// decimal point and no thousands separator, or the regional settings given.
Outcome report(const QStringList& arguments, QChar decimal = u'.', QChar group = {})
{
    FixedClock clock;
    clock.set(QDateTime(QDate(2024, 3, 6), QTime(12, 0)));
    const RegionalSettings regional(u"yyyy-MM-dd"_s, u"HH:mm:ss"_s, decimal, group, clock);
    Outcome outcome;
    QBuffer out(&outcome.out);
    out.open(QIODevice::WriteOnly);
    QTextStream err(&outcome.err);
    outcome.status = JobCostCommand::run(arguments, clock, regional, out, err);
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

// What is done to the demo site before the report reads it.
enum class Damage
{
    None,
    Truncated, // half of the file, and its header overwritten
    Text, // a plain text file in its place
    NoField, // the JobPunches table lost a field
    RefusedLogin // the server refuses the site's login
};

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

// The desk's audit rows for the small site, by the rows of `punches` they
// name: two of María López's costed job (counted once), one that moved Robert
// Chen's job (127) to 5 March from the 6th, one of Susan Miller's open job and
// one of Barbara Rossi's row not costed; and one of a punch deleted since,
// which no figure counts.
void addCorrections(const Site& site)
{
    const auto punchId = [&](int row) {
        return site
            .sql(SiteModel::jobPunchesFile, u"SELECT PunchId FROM JobPunches WHERE ID = ?"_s, {row})
            .value(0)
            .value(0);
    };
    const QString deleted = uR"({"Name": "Peter Gone", "Badge": "Closed", "DateWorked":
        "2024-03-04", "TimeStart": "07:00:00", "TimeStop": "08:00:00", "EmpNum": 150,
        "DeptNum": 10, "BaseRate": 18, "Pieces": 0})"_s;
    const QList<QVariantList> audit {
        {punchId(2), u"edit"_s, u"2024-03-07 09:00:00"_s, u"=stop was wrong"_s,
            u"{\"TimeStop\": \"10:00:00\"}"_s, u"{\"TimeStop\": \"10:15:00\"}"_s},
        {u"0c1f7a52-7d1e-4c39-9d0f-2f1b3e6a9c11"_s, u"delete"_s, u"2024-03-07 09:05:00"_s,
            u"punched twice"_s, deleted, u"{}"_s},
        {punchId(3), u"edit"_s, u"2024-03-07 09:10:00"_s, u"wrong day"_s,
            u"{\"DateWorked\": \"2024-03-06\"}"_s, u"{\"DateWorked\": \"2024-03-05\"}"_s},
        {punchId(7), u"edit"_s, u"2024-03-07 09:15:00"_s, u"started earlier"_s,
            u"{\"TimeStart\": \"09:45:00\"}"_s, u"{\"TimeStart\": \"09:30:00\"}"_s},
        {punchId(9), u"edit"_s, u"2024-03-07 09:20:00"_s, u"count"_s, u"{\"Pieces\": 3}"_s,
            u"{\"Pieces\": -3}"_s},
        {punchId(2).toString().toUpper(), u"edit"_s, u"2024-03-08 10:00:00"_s, u"again"_s, u"{}"_s,
            u"{}"_s},
    };
    for (const QVariantList& row : audit)
        site.sql(SiteModel::jobPunchesFile,
            u"INSERT INTO JobPunchCorrections (PunchId, Action, CorrectedAt, CorrectedBy, Reason, "
            "OldValues, NewValues) VALUES (?, ?, ?, 'foreman', ?, ?, ?)"_s,
            row);
}

} // namespace

Q_DECLARE_METATYPE(Damage)

void TestJobCostReport::groupsByView_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("lines"); // the groups, then the total

    // Groups without pieces have no standard: all their cost is variance.
    const QString total
        = u"total,%1,5,18.42,350.14,15.20,365.34,52,22.4654,7.0258,-15.4396,-802.86,-68.73,,,,,,0,"_s;
    QTest::newRow("worker: same name, two numbers")
        << u"worker"_s
        << QStringList {
               u"group,123,Walter Brennan,1,8.50,157.25,0.00,157.25,0,,,,157.25,,,,,,,0,"_s,
               u"group,124,María López,1,2.25,43.31,14.00,57.31,40,24.7500,1.4328,-23.3172,-932.69,-94.21,,,,,,0,"_s,
               u"group,127,Robert Chen,1,4.00,89.60,0.00,89.60,0,,,,89.60,,,,,,,0,"_s,
               uR"(group,133,"Dubois, Thomas ""Tom""",1,1.17,19.98,1.20,21.18,12,14.8500,1.7648,-13.0852,-157.02,-88.12,,,,,,0,)"_s,
               u"group,140,Robert Chen,1,2.50,40.00,0.00,40.00,0,,,,40.00,,,,,,,0,"_s,
               total.arg(u","_s)};
    QTest::newRow("job: level 1/2/3 combination")
        << u"job"_s
        << QStringList {
               u"group,12,Assembly,9,Grind,5,Housing,2,12.50,246.85,0.00,246.85,0,,,,246.85,,,,,,,0,"_s,
               u"group,14,Machining,7,Weld,,,1,2.25,43.31,14.00,57.31,40,24.7500,1.4328,-23.3172,-932.69,-94.21,,,,,,0,"_s,
               u"group,16,Paint Shop,10,Inspect,A-100,Cover Plate,1,2.50,40.00,0.00,40.00,0,,,,40.00,,,,,,,0,"_s,
               u"group,18,Shipping,8,Drill,4,Hinge,1,1.17,19.98,1.20,21.18,12,14.8500,1.7648,-13.0852,-157.02,-88.12,,,,,,0,"_s,
               total.arg(u",,,,,"_s)};
    QTest::newRow("level 2")
        << u"level2"_s
        << QStringList {
               u"group,7,Weld,1,2.25,43.31,14.00,57.31,40,24.7500,1.4328,-23.3172,-932.69,-94.21,,,,,,0,"_s,
               u"group,8,Drill,1,1.17,19.98,1.20,21.18,12,14.8500,1.7648,-13.0852,-157.02,-88.12,,,,,,0,"_s,
               u"group,9,Grind,2,12.50,246.85,0.00,246.85,0,,,,246.85,,,,,,,0,"_s,
               u"group,10,Inspect,1,2.50,40.00,0.00,40.00,0,,,,40.00,,,,,,,0,"_s,
               total.arg(u","_s)};
    QTest::newRow("department")
        << u"department"_s
        << QStringList {
               u"group,10,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,-775.44,-78.33,,,,,,0,"_s,
               u"group,30,2,5.17,109.58,1.20,110.78,12,14.8500,9.2314,-5.6186,-67.42,-37.84,,,,,,0,"_s,
               u"group,40,1,2.50,40.00,0.00,40.00,0,,,,40.00,,,,,,,0,"_s, total.arg(QString())};
    // Monday and Tuesday of one ISO week: the week and the month subtotals
    // come after the last day, the week's first.
    const QString wholeSite
        = u"%1,5,18.42,350.14,15.20,365.34,52,22.4654,7.0258,-15.4396,-802.86,-68.73,,,,,,0,"_s;
    QTest::newRow("day: the night shift on its start day, then the subtotals")
        << u"day"_s
        << QStringList {
               u"group,2024-03-04,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,-775.44,-78.33,,,,,,0,"_s,
               u"group,2024-03-05,3,7.67,149.58,1.20,150.78,12,14.8500,12.5648,-2.2852,-27.42,-15.39,,,,,,0,"_s,
               wholeSite.arg(u"week,2024-W10"_s), wholeSite.arg(u"month,2024-03"_s),
               wholeSite.arg(u"total,"_s)};
}

void TestJobCostReport::groupsByView()
{
    QFETCH(QString, view);
    QFETCH(QStringList, lines);
    Site site;
    insertPunches(site, punches);
    const Outcome outcome = report({u"--by"_s, view, site.path()});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(linesOf(outcome.lines(), {u"group"_s, u"week"_s, u"month"_s, u"total"_s}), lines);
    const QStringList header = outcome.lines().value(0).split(u',');
    QCOMPARE(header.size(), lines.first().count(u',') + 1);
    // Scripts read the columns by these names.
    QCOMPARE(header.mid(header.size() - 18),
        (QStringList {u"Jobs"_s, u"Hours"_s, u"Labour"_s, u"Bonus"_s, u"Cost"_s, u"Pieces"_s,
            u"Standard per piece"_s, u"Actual per piece"_s, u"Variance per piece"_s, u"Variance"_s,
            u"Variance %"_s, u"Worker"_s, u"Start"_s, u"Stop"_s, u"Hours open"_s, u"Note"_s,
            u"Corrected"_s, u"Late"_s}));
}

void TestJobCostReport::openJobsAndImpossibleRowsListedApart()
{
    Site site;
    insertPunches(site, punches);
    const Outcome outcome = report({u"--by"_s, u"worker"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    const QString noFigures(12, u',');
    QCOMPARE(linesOf(outcome.lines(), {u"open"_s, u"not costed"_s}),
        (QStringList {u"open,126,Linda Kowalski"_s + noFigures
                + u"Linda Kowalski (126),2024-03-05 20:00:00,,16.00,open longer than a shift,0,"_s,
            u"open,132,Susan Miller"_s + noFigures
                + u"Susan Miller (132),2024-03-06 09:30:00,,2.50,,0,"_s,
            u"not costed,131,David Okafor"_s + noFigures
                + uR"(David Okafor (131),,,,"row 8, 2024-03-05: TimeStop is empty",0,)"_s,
            u"not costed,130,Barbara Rossi"_s + noFigures
                + uR"(Barbara Rossi (130),,,,"row 9, 2024-03-05: Pieces is negative",0,)"_s,
            u"not costed,4711,Karen Johansson"_s + noFigures
                + uR"(Karen Johansson (4711),,,,"row 10, 2024-03-06: BaseRate is not a number",0,)"_s}));

    // Linda's job has been open 16 hours to the second: longer than a shift one
    // second shorter, not than one of 16 hours.
    for (const auto& [hours, longer] : {std::pair {u"16.5"_s, false}, std::pair {u"16"_s, false},
             std::pair {u"15.9997222222"_s, true}}) {
        const Outcome shift
            = report({u"--by"_s, u"worker"_s, u"--shift-hours"_s, hours, site.path()});
        QCOMPARE(shift.out.contains("longer than a shift"), longer);
    }
}

void TestJobCostReport::dateRangeIsInclusive_data()
{
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("notCosted");

    QTest::newRow("one day, from and to alike")
        << QStringList {u"--from"_s, u"2024-03-05"_s, u"--to"_s, u"2024-03-05"_s}
        << u"total,,3,7.67,149.58,1.20,150.78,12,14.8500,12.5648,-2.2852,-27.42,-15.39,,,,,,0,"_s
        << 1 << 2;
    QTest::newRow("up to the night shift's start day")
        << QStringList {u"--to"_s, u"2024-03-04"_s}
        << u"total,,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,-775.44,-78.33,,,,,,0,"_s
        << 0 << 0;
    QTest::newRow("from the last day")
        << QStringList {u"--from"_s, u"2024-03-06"_s}
        << u"total,,0,0.00,0.00,0.00,0.00,0,,,,0.00,,,,,,,0,"_s << 1 << 1;
    QTest::newRow("a day without punches")
        << QStringList {u"--from"_s, u"2024-03-07"_s, u"--to"_s, u"2024-03-31"_s}
        << u"total,,0,0.00,0.00,0.00,0.00,0,,,,0.00,,,,,,,0,"_s << 0 << 0;
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

void TestJobCostReport::pdfReadsBack_data()
{
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QString>("points"); // what pdfinfo says: landscape
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("employees"); // of a generated site, beside the small one
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("group");
    QTest::newRow("A4, the small site, decimal comma")
        << u"a4"_s << u"842 x 595"_s << QStringList {u"--by"_s, u"job"_s} << 0 << QChar(u',')
        << QChar(u'.');
    QTest::newRow("Letter, 150 workers over pages, no regional grouping")
        << u"letter"_s << u"792 x 612"_s << QStringList {u"--by"_s, u"worker"_s} << 150
        << QChar(u'.') << QChar();
    QTest::newRow("A4, by day over years, week and month subtotals")
        << u"a4"_s << u"842 x 595"_s << QStringList {u"--by"_s, u"day"_s} << 40 << QChar(u'.')
        << QChar(u',');
}

// What an office reads: every figure of the CSV with the user's separators,
// body text of 8 points at least, labels whole, the column heads on every page
// and subtotals that add up to the total.
void TestJobCostReport::pdfReadsBack()
{
    QFETCH(QString, pageSize);
    QFETCH(QString, points);
    QFETCH(QStringList, options);
    QFETCH(int, employees);
    QFETCH(QChar, decimal);
    QFETCH(QChar, group);
    Site site;
    // A label far wider than its column, most of it one word.
    const QString longItem = u"Cover-plate-with-six-countersunk-holes-and-a-brushed-finish-for-"
                             "the-north-line of the Paint Shop"_s;
    if (employees > 0) {
        QVERIFY(QFile::remove(site.file(SiteModel::jobPunchesFile)));
        QVERIFY(QFile::remove(site.file(SiteModel::validationsFile)));
        QVERIFY(QFile::remove(site.file(SiteModel::timeClockFile)));
        SiteBuilder::create(site.path());
        SiteBuilder::fillLarge(site.path(), employees, 1000);
    } else {
        QList<QVariantList> rows = punches;
        QVariantList levels = paintInspectCover;
        levels[12] = longItem;
        rows << punch(u"Anna Hohenberg"_s, u"Closed"_s, u"2024-03-05"_s, u"07:00:00"_s,
            u"09:00:00"_s, levels, 3, 141, 40, 1234.5);
        insertPunches(site, rows);
    }
    const QMap<QString, QByteArray> before = folderFiles(site.path());
    const QStringList arguments = options + QStringList {site.path()};
    const Outcome csv = report(arguments);
    QTemporaryDir out;
    const QString pdf = out.filePath(u"report.pdf"_s);
    QCOMPARE(
        report(arguments + QStringList {u"--page-size"_s, pageSize, u"-o"_s, pdf}, decimal, group)
            .status,
        0);
    const QStringList lines = linesOf(csv.lines(), {u"group"_s, u"week"_s, u"month"_s, u"total"_s});
    const QString info = run(u"pdfinfo"_s, {pdf});
    QVERIFY2(info.contains(points), qPrintable(info));
    const int pages = info.section(u"Pages:"_s, 1).section(u'\n', 0, 0).trimmed().toInt();
    QVERIFY2(pages >= lines.size() / 45 && pages <= 3 + lines.size() / 20, qPrintable(info));

    const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    QVERIFY2(text.contains(u"Page %1 of %1"_s.arg(pages)), qPrintable(text));
    const JobCostPdf::Numbers numbers {decimal, group};
    const qsizetype keys = options.contains(u"day"_s) ? 1 : options.contains(u"job"_s) ? 6 : 2;
    QList<QRegularExpression> rows;
    for (const QString& line : lines) {
        // The figures follow the section and the key; a name may be quoted.
        QStringList figures = line.section(u'"', -1).split(u',');
        figures = figures.mid(line.contains(u'"') ? 1 : 1 + keys, 11);
        QStringList pattern;
        for (const QString& figure : figures) {
            if (!figure.isEmpty())
                pattern << QRegularExpression::escape(JobCostPdf::grouped(figure, numbers));
        }
        rows << QRegularExpression(pattern.join(u"\\s+"_s));
        QVERIFY2(text.contains(rows.last()), qPrintable(line));
    }
    // Every page with rows of the table starts with its heads.
    for (int page = 1; page <= pages; ++page) {
        const QString onePage = run(u"pdftotext"_s,
            {u"-layout"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf,
                u"-"_s});
        if (std::any_of(rows.cbegin(), rows.cend(),
                [&](const QRegularExpression& row) { return onePage.contains(row); }))
            QVERIFY2(onePage.contains(QRegularExpression(u"Jobs +Hours +Labour +Bonus +Cost"_s)),
                qPrintable(u"page %1"_s.arg(page)));
    }

    // Point sizes from the words' boxes: Liberation Sans stands 1.117 times its size.
    const QString boxes = run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    static const QRegularExpression word(uR"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)")re"_s);
    double smallest = 100;
    for (const auto& match : word.globalMatch(boxes))
        smallest = std::min(smallest, match.captured(2).toDouble() - match.captured(1).toDouble());
    QVERIFY2(smallest >= 8 * 1.117 - 0.01, qPrintable(QString::number(smallest)));

    // Wrapped, never cut: the label's lines follow one another in the text.
    QString squeezed = run(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s});
    squeezed.remove(QRegularExpression(u"\\s"_s));
    QVERIFY2(
        employees > 0 || squeezed.contains(QString(longItem).remove(u' ')), qPrintable(squeezed));

    // Weeks and months each add up to the total: whole jobs exactly, money to
    // within the half cent each subtotal was rounded by.
    if (options.contains(u"day"_s)) {
        const QStringList csvLines = csv.lines();
        for (const QString& section : {u"week"_s, u"month"_s}) {
            qint64 jobs = 0;
            double cost = 0;
            const QStringList subtotals = linesOf(csvLines, {section});
            for (const QString& line : subtotals) {
                QVERIFY2(text.contains(u"%1 %2"_s.arg(section == u"week"_s ? u"Week"_s : u"Month"_s,
                             line.section(u',', 1, 1))),
                    qPrintable(line));
                jobs += line.section(u',', 2, 2).toLongLong();
                cost += line.section(u',', 6, 6).toDouble();
            }
            const QString total = linesOf(csvLines, {u"total"_s}).value(0);
            QVERIFY(subtotals.size() > 10);
            QCOMPARE(jobs, total.section(u',', 2, 2).toLongLong());
            QVERIFY(std::abs(cost - total.section(u',', 6, 6).toDouble())
                <= 0.005 * double(subtotals.size()) + 1e-6);
        }
    }
    QVERIFY2(folderFiles(site.path()) == before, "the report changed the site");
}

void TestJobCostReport::grouping_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("group");
    QTest::addColumn<QString>("shown");
    QTest::newRow("short") << u"999.50"_s << QChar(u'.') << QChar(u',') << u"999.50"_s;
    QTest::newRow("thousands") << u"1000"_s << QChar(u'.') << QChar(u',') << u"1,000"_s;
    QTest::newRow("millions, negative")
        << u"-1234567.8912"_s << QChar(u'.') << QChar(u',') << u"-1,234,567.8912"_s;
    QTest::newRow("decimal comma")
        << u"-12345.67"_s << QChar(u',') << QChar(u'.') << u"-12.345,67"_s;
    QTest::newRow("narrow space") << u"12345.6"_s << QChar(u',') << QChar(u'\u202f')
                                  << u"12\u202f345,6"_s;
    QTest::newRow("no regional group") << u"12345"_s << QChar(u'.') << QChar() << u"12,345"_s;
    QTest::newRow("no regional group beside a comma")
        << u"12345.5"_s << QChar(u',') << QChar() << u"12.345,5"_s;
    QTest::newRow("empty") << QString() << QChar(u'.') << QChar(u',') << QString();
}

void TestJobCostReport::grouping()
{
    QFETCH(QString, figure);
    QFETCH(QChar, decimal);
    QFETCH(QChar, group);
    QFETCH(QString, shown);
    QCOMPARE(JobCostPdf::grouped(figure, {decimal, group}), shown);
}

void TestJobCostReport::formulasStayText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code"); // level 3's item code
    QTest::addColumn<QString>("item"); // level 3's item description
    QTest::addColumn<QVariant>("empNum");
    QTest::addColumn<QVariant>("deptNum");

    QTest::newRow("a link as a name") << uR"(=HYPERLINK("http://example.com/x","pay"))"_s << u"5"_s
                                      << u"Housing"_s << QVariant(150) << QVariant(10);
    QTest::newRow("a sum as an item")
        << u"Walter Brennan"_s << u"5"_s << u"=1+1"_s << QVariant(150) << QVariant(10);
    QTest::newRow("a code that looks like a number")
        << u"Walter Brennan"_s << u"-100"_s << u"Housing"_s << QVariant(150) << QVariant(-10);
    QTest::newRow("plus and at") << u"+cmd|' /C calc'!A0"_s << u"@SUM(A1)"_s << u"Housing"_s
                                 << QVariant(150) << QVariant(10);
    QTest::newRow("tab and carriage return")
        << u"\tWalter"_s << u"5"_s << u"\rHousing"_s << QVariant(150) << QVariant(10);
    // Number columns hold what the table holds, which need not be a number.
    QTest::newRow("formulas as numbers") << u"Walter Brennan"_s << u"5"_s << u"Housing"_s
                                         << QVariant(u"=1+1"_s) << QVariant(u"@SUM(A1)"_s);
}

// A cell that a spreadsheet would run keeps a leading apostrophe, whatever
// its column; numbers stay numbers, negative ones too.
void TestJobCostReport::formulasStayText()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(QString, item);
    QFETCH(QVariant, empNum);
    QFETCH(QVariant, deptNum);
    Site site;
    QVariantList levels = assemblyGrindHousing;
    levels[11] = code;
    levels[12] = item;
    // Costed, open and not costed: the hostile texts in every kind of row.
    insertPunches(site,
        {punch(name, u"Closed"_s, u"2024-03-04"_s, u"08:00:00"_s, u"09:00:00"_s, levels, 2, empNum,
             deptNum, 20),
            punch(name + u"2"_s, u"Open"_s, u"2024-03-04"_s, u"10:00:00"_s, u"10:00:00"_s, levels,
                0, empNum, deptNum, 20),
            punch(name + u"3"_s, u"Closed"_s, u"2024-03-04"_s, u"10:00:00"_s, QVariant(), levels, 0,
                empNum, deptNum, 20)});
    const QMap<QString, QStringList> checked {
        {u"job"_s, {u"Level 3 code"_s, u"Level 3 item"_s, u"Worker"_s}},
        {u"worker"_s, {u"Employee number"_s, u"Name"_s, u"Worker"_s}},
        {u"department"_s, {u"Department"_s}}};
    int guarded = 0;
    for (auto view = checked.cbegin(); view != checked.cend(); ++view) {
        const Outcome outcome = report({u"--by"_s, view.key(), u"--detail"_s, site.path()});
        QCOMPARE(outcome.status, 0);
        const QList<QStringList> table = csvCells(outcome.out);
        const QStringList header = table.value(0);
        for (const QStringList& row : table.mid(1)) {
            for (const QString& column : view.value()) {
                const QString cell = row.value(header.indexOf(column));
                QVERIFY2(cell.isEmpty() || !QStringLiteral("=+-@\t\r").contains(cell.front())
                        || (column == u"Department"_s && cell == u"-10"_s),
                    qPrintable(column + u": "_s + cell));
                guarded += cell.startsWith(u'\'') ? 1 : 0;
            }
            const QString variance = row.value(header.indexOf(u"Variance"_s));
            QVERIFY2(variance.isEmpty() || !variance.startsWith(u'\''), qPrintable(variance));
        }
        // The guarded text reads back as what was stored, after the apostrophe.
        const QString column = view.value().first();
        const QString stored = view.key() == u"job"_s ? code
            : view.key() == u"worker"_s               ? empNum.toString()
                                                      : deptNum.toString();
        const QString shown = table.value(1).value(header.indexOf(column));
        QCOMPARE(shown.startsWith(u'\'') ? shown.mid(1) : shown, stored);
    }
    QVERIFY(guarded > 0);
}

void TestJobCostReport::excelReadsTheRegionalCsv_data()
{
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QString>("totalLine");
    QTest::newRow("decimal point: commas between fields")
        << QChar(u'.')
        << u"total,,,5,18.42,350.14,15.20,365.34,52,22.4654,7.0258,-15.4396,-802.86,-68.73,,,,,,0,"_s;
    QTest::newRow("decimal comma: semicolons between fields")
        << QChar(u',')
        << u"total;;;5;18,42;350,14;15,20;365,34;52;22,4654;7,0258;-15,4396;-802,86;-68,73;;;;;;0;"_s;
}

void TestJobCostReport::excelReadsTheRegionalCsv()
{
    QFETCH(QChar, decimal);
    QFETCH(QString, totalLine);
    Site site;
    insertPunches(site, punches);
    const Outcome excel = report({u"--by"_s, u"worker"_s, u"--excel"_s, site.path()}, decimal);
    QCOMPARE(excel.status, 0);
    QVERIFY(excel.out.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(excel.out.mid(3)).split(u"\r\n"_s);
    QVERIFY(lines.contains(totalLine));
    // A name with the separator in it is quoted; a comma inside quotes stays.
    QVERIFY(lines.filter(uR"("Dubois, Thomas ""Tom""")"_s).size() == 1);
    // Without --excel the regional settings change nothing.
    const Outcome plain = report({u"--by"_s, u"worker"_s, site.path()}, decimal);
    QVERIFY(!plain.out.startsWith("\xEF\xBB\xBF"));
    QVERIFY(plain.lines().contains(
        u"total,,,5,18.42,350.14,15.20,365.34,52,22.4654,7.0258,-15.4396,-802.86,-68.73,,,,,,0,"_s));
}

// A punch whose start or end reached the database more than ten minutes away
// from its own time is marked: a last column Late in the CSV, a mark with its
// explanation in the PDF.
void TestJobCostReport::detailMarksPunchesThatArrivedAway()
{
    Site site;
    // One started and ended now, as a terminal writes them; one written now
    // for a day of 2024, as by hand.
    const QDateTime written = QDateTime::currentDateTime();
    const QString onTime = DeskJobs::start(site, u"Walter Brennan"_s, written.addSecs(-120));
    DeskJobs::end(site, onTime, written.addSecs(-60).time());
    const QString byHand = DeskJobs::start(site, u"Maria Lopez"_s, {{2024, 3, 5}, {8, 0}});
    DeskJobs::end(site, byHand, QTime(9, 0));
    const Outcome outcome = report({u"--by"_s, u"worker"_s, u"--detail"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    QStringList late;
    for (const QStringList& row : csvCells(outcome.out))
        if (row.value(0) == u"detail"_s)
            late << row.value(2) + u' ' + row.last();
    QCOMPARE(late, (QStringList {u"Walter Brennan 0"_s, u"Maria Lopez 1"_s}));

    QTemporaryDir out;
    const QString pdf = out.filePath(u"late.pdf"_s);
    QCOMPARE(report({u"--by"_s, u"worker"_s, u"--detail"_s, site.path(), u"-o"_s, pdf}).status, 0);
    QString text = run(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s});
    text.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    for (const QString& words :
        {u"2024-03-05 08:00:00 to 09:00:00 \u2020"_s,
            u"\u2020 = the punch's start or end reached the database more than ten minutes away"_s})
        QVERIFY2(text.contains(words), qPrintable(words + u" in "_s + text));
    QCOMPARE(text.count(u"\u2020"_s), 2);
}

void TestJobCostReport::detailListsEachPunch()
{
    Site site;
    insertPunches(site, punches);
    const Outcome outcome = report({u"--by"_s, u"department"_s, u"--detail"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    // Each department, then its punches by start: hours, labour, bonus and
    // pieces of the one punch, the worker, start and stop (past midnight).
    QCOMPARE(linesOf(outcome.lines(), {u"group"_s, u"detail"_s}),
        (QStringList {
            u"group,10,2,10.75,200.56,14.00,214.56,40,24.7500,5.3641,-19.3859,-775.44,-78.33,,,,,,0,"_s,
            u"detail,10,,2.25,43.31,14.00,,40,,,,,,María López (124),2024-03-04 08:00:00,2024-03-04 10:15:00,,,0,0"_s,
            u"detail,10,,8.50,157.25,0.00,,0,,,,,,Walter Brennan (123),2024-03-04 22:00:00,2024-03-05 06:30:00,,,0,0"_s,
            u"group,30,2,5.17,109.58,1.20,110.78,12,14.8500,9.2314,-5.6186,-67.42,-37.84,,,,,,0,"_s,
            u"detail,30,,4.00,89.60,0.00,,0,,,,,,Robert Chen (127),2024-03-05 07:00:00,2024-03-05 11:00:00,,,0,0"_s,
            uR"csv(detail,30,,1.17,19.98,1.20,,12,,,,,,"Dubois, Thomas ""Tom"" (133)",2024-03-05 13:00:00,2024-03-05 14:10:00,,,0,0)csv"_s,
            u"group,40,1,2.50,40.00,0.00,40.00,0,,,,40.00,,,,,,,0,"_s,
            u"detail,40,,2.50,40.00,0.00,,0,,,,,,Robert Chen (140),2024-03-05 07:00:00,2024-03-05 09:30:00,,,0,0"_s}));

    QTemporaryDir out;
    const QString pdf = out.filePath(u"detail.pdf"_s);
    QCOMPARE(
        report({u"--by"_s, u"department"_s, u"--detail"_s, site.path(), u"-o"_s, pdf}).status, 0);
    QString text = run(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s});
    text.remove(QRegularExpression(u"\\s"_s));
    QVERIFY2(text.contains(u"WalterBrennan(123),2024-03-0422:00:00to2024-03-0506:30:00"_s),
        qPrintable(text));
}

void TestJobCostReport::statusAndMessage_data()
{
    QTest::addColumn<QStringList>("arguments"); // SITE is the demo site, OUT a fresh folder
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error"); // empty: none, and the report written

    QTest::newRow("written") << QStringList {u"SITE"_s, u"-o"_s, u"OUT/report.csv"_s}
                             << Damage::None << 0 << QString();
    QTest::newRow("folder without the files")
        << QStringList {u"--site"_s, u"OUT"_s} << Damage::None << 2
        << u"--site: expected a site folder with "
           "JobPunches.MDB, got '"_s;
    QTest::newRow("output onto the site")
        << QStringList {u"SITE"_s, u"-o"_s, u"SITE/Norla.MDB"_s} << Damage::None << 2
        << u"-o: expected a file that is not the site's, got '"_s;
    QTest::newRow("damaged job punches") << QStringList {u"SITE"_s} << Damage::Truncated << 1
                                         << u"JobPunches.MDB could not be read"_s;
    QTest::newRow("a text file for the job punches")
        << QStringList {u"SITE"_s} << Damage::Text << 1 << u"plain text document"_s;
    QTest::newRow("a table without a field")
        << QStringList {u"SITE"_s} << Damage::NoField << 1 << u"has no field BaseRate"_s;
    QTest::newRow("a server that refuses the login") << QStringList {
        u"SITE"_s} << Damage::RefusedLogin << 1 << u"JobPunches.MDB could not be read"_s;
    QTest::newRow("report not written")
        << QStringList {u"SITE"_s, u"-o"_s, u"OUT/no such folder/report.csv"_s} << Damage::None << 1
        << u"cannot write"_s;
}

// Each exit status with its one line on standard error; nothing is written
// unless the status is 0, and the site never changes.
void TestJobCostReport::statusAndMessage()
{
    QFETCH(QStringList, arguments);
    QFETCH(Damage, damage);
    QFETCH(int, status);
    QFETCH(QString, error);
    if (damage == Damage::RefusedLogin && testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set.");
    Site site(
        Site::Contents::Demo, damage == Damage::RefusedLogin ? Engine::Server : Engine::Sqlite);
    QTemporaryDir out;
    const QString jobPunches = site.file(SiteModel::jobPunchesFile);
    switch (damage) {
    case Damage::None:
        break;
    case Damage::Truncated: {
        QFile file(jobPunches);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2 + 100));
        QVERIFY(file.seek(100));
        QVERIFY(file.write(QByteArray(200, '\x5a')) == 200);
        break;
    }
    case Damage::Text: {
        QFile file(jobPunches);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("These are not the job punches you are looking for.\n");
        break;
    }
    case Damage::NoField:
        site.seed(u"ALTER TABLE JobPunches DROP COLUMN BaseRate"_s);
        break;
    case Damage::RefusedLogin:
        site.server()->setReachable(false);
        break;
    }
    arguments.replaceInStrings(u"SITE"_s, site.path());
    arguments.replaceInStrings(u"OUT"_s, out.path());
    const QMap<QString, QByteArray> before = folderFiles(site.path());

    QProcess tool;
    tool.setWorkingDirectory(out.path());
    tool.start(QStringLiteral(JOBCOSTING_REPORT_TOOL), arguments);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), status);
    const QString message = QString::fromUtf8(tool.readAllStandardError());
    const QByteArray output = tool.readAllStandardOutput();
    if (status == 0) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
        QVERIFY(output.isEmpty());
        QVERIFY(QFile::exists(out.filePath(u"report.csv"_s)));
    } else {
        QVERIFY2(message.startsWith(u"jobcosting-report: "_s) && message.contains(error)
                && message.count(u'\n') == 1 && message.endsWith(u'\n'),
            qPrintable(message));
        QVERIFY(output.isEmpty());
        QVERIFY(QDir(out.path()).isEmpty());
    }
    QVERIFY(folderFiles(site.path()) == before);
}

void TestJobCostReport::outputChoosesFormat_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file"); // in the output folder; empty: standard output
    QTest::addColumn<bool>("pdf");

    QTest::newRow("-o - is standard output") << QStringList {u"-o"_s, u"-"_s} << QString() << false;
    QTest::newRow("-o - with --format pdf")
        << QStringList {u"-o"_s, u"-"_s, u"--format"_s, u"pdf"_s} << QString() << true;
    QTest::newRow(".pdf chooses PDF")
        << QStringList {u"-o"_s, u"costs.pdf"_s} << u"costs.pdf"_s << true;
    QTest::newRow("in any case") << QStringList {u"--output"_s, u"Costs.PDF"_s} << u"Costs.PDF"_s
                                 << true;
    QTest::newRow(".csv with a format that agrees") << QStringList {u"-o"_s, u"costs.csv"_s,
        u"--format"_s, u"csv"_s} << u"costs.csv"_s << false;
    QTest::newRow("another name gives CSV")
        << QStringList {u"-o"_s, u"costs.txt"_s} << u"costs.txt"_s << false;
    QTest::newRow("another name with --format pdf")
        << QStringList {u"-o"_s, u"costs"_s, u"--format"_s, u"pdf"_s} << u"costs"_s << true;
}

void TestJobCostReport::outputChoosesFormat()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(bool, pdf);
    Site site;
    insertPunches(site, punches);
    QTemporaryDir out;
    QProcess tool;
    tool.setWorkingDirectory(out.path());
    tool.start(QStringLiteral(JOBCOSTING_REPORT_TOOL), arguments << site.path());
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QByteArray written = tool.readAllStandardOutput();
    const QStringList made = QDir(out.path()).entryList(QDir::Files);
    QCOMPARE(made, file.isEmpty() ? QStringList() : QStringList {file});
    QByteArray content = written;
    if (!file.isEmpty()) {
        QVERIFY(written.isEmpty());
        QFile result(out.filePath(file));
        QVERIFY(result.open(QIODevice::ReadOnly));
        content = result.readAll();
    }
    QCOMPARE(content.startsWith("%PDF-"), pdf);
    QCOMPARE(content.startsWith("Section,"), !pdf);
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
    // Hours, labour, bonus, cost, pieces; per piece: standard, actual and
    // variance; then the variance in money and as a percentage.
    QTest::addColumn<QStringList>("figures");

    QTest::newRow("stop equal to the start: no time, not a day")
        << QTime(8, 0) << QTime(8, 0) << 18.5 << 0.0 << 0.0
        << QStringList {
               u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0"_s, {}, {}, {}, u"0.00"_s, {}};
    QTest::newRow("stop a second before the start: a day less a second")
        << QTime(8, 0) << QTime(7, 59, 59) << 3600.0 << 0.0 << 0.0
        << QStringList {u"24.00"_s, u"86399.00"_s, u"0.00"_s, u"86399.00"_s, u"0"_s, {}, {}, {},
               u"86399.00"_s, {}};
    QTest::newRow("half a cent of labour, half a hundredth of an hour")
        << QTime(8, 0) << QTime(8, 0, 18) << 2025.0 << 0.0 << 0.0
        << QStringList {
               u"0.01"_s, u"10.13"_s, u"0.00"_s, u"10.13"_s, u"0"_s, {}, {}, {}, u"10.13"_s, {}};
    // 0.0001 of labour over 2 pieces of standard 0.0001: half a ten-thousandth
    // per piece above zero (actual) and below it (variance).
    QTest::newRow("half a ten-thousandth per piece, both signs")
        << QTime(8, 0) << QTime(9, 0) << 0.0001 << 2.0 << 0.0001
        << QStringList {u"1.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"2"_s, u"0.0001"_s,
               u"0.0001"_s, u"-0.0001"_s, u"0.00"_s, u"-50.00"_s};
    // 99.995 of labour for a piece of standard 100: half a cent below zero,
    // half a hundredth of a percent of the standard.
    QTest::newRow("half a cent and half a hundredth of a percent below zero")
        << QTime(8, 0) << QTime(9, 0) << 99.995 << 1.0 << 100.0
        << QStringList {u"1.00"_s, u"100.00"_s, u"0.00"_s, u"100.00"_s, u"1"_s, u"100.0000"_s,
               u"99.9950"_s, u"-0.0050"_s, u"-0.01"_s, u"-0.01"_s};
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

void TestJobCostReport::subtotalsFollowTheirLastDay_data()
{
    QTest::addColumn<QList<QDate>>("days"); // one job of an hour each
    QTest::addColumn<QStringList>("lines"); // day, week or month, and its jobs

    QTest::newRow("a month ends in mid-week; Sunday ends the week, Monday starts one")
        << QList<QDate> {QDate(2024, 2, 29), QDate(2024, 3, 1), QDate(2024, 3, 3),
               QDate(2024, 3, 3), QDate(2024, 3, 4)}
        << QStringList {u"2024-02-29 1"_s, u"2024-02 1"_s, u"2024-03-01 1"_s, u"2024-03-03 2"_s,
               u"2024-W09 4"_s, u"2024-03-04 1"_s, u"2024-W10 1"_s, u"2024-03 4"_s, u"total 5"_s};
    QTest::newRow("a week across the new year belongs to the year of its Thursday")
        << QList<QDate> {QDate(2024, 12, 30), QDate(2025, 1, 1)}
        << QStringList {u"2024-12-30 1"_s, u"2024-12 1"_s, u"2025-01-01 1"_s, u"2025-W01 2"_s,
               u"2025-01 1"_s, u"total 2"_s};
    QTest::newRow("week 53, and a month and a week ending together")
        << QList<QDate> {QDate(2021, 1, 3), QDate(2021, 1, 4), QDate(2021, 1, 31)}
        << QStringList {u"2021-01-03 1"_s, u"2020-W53 1"_s, u"2021-01-04 1"_s, u"2021-W01 1"_s,
               u"2021-01-31 1"_s, u"2021-W04 1"_s, u"2021-01 3"_s, u"total 3"_s};
}

// By day, an ISO week (Monday to Sunday) and a month are each summed after
// their last day with jobs, the week first where both end.
void TestJobCostReport::subtotalsFollowTheirLastDay()
{
    QFETCH(QList<QDate>, days);
    QFETCH(QStringList, lines);
    JobCost::Options options;
    options.view = JobCost::View::Day;
    JobCost::Report report(options);
    for (const QDate& day : days) {
        JobCost::Punch punch;
        punch.badge = u"Closed"_s;
        punch.dateWorked = day;
        punch.timeStart = QTime(8, 0);
        punch.timeStop = QTime(9, 0);
        punch.pieces = 0;
        punch.baseRate = 20;
        report.add(punch);
    }
    report.finish();
    QStringList shown;
    report.lines([&](const JobCost::Line& line) {
        shown << u"%1 %2"_s
                     .arg(
                         line.kind == JobCost::Line::Kind::Total ? u"total"_s : line.key.join(u'/'))
                     .arg(line.totals.jobs);
    });
    QCOMPARE(shown, lines);
}

// Groups of a large site, as an engine's sums give them, each key met twice
// and in no order; long keys, and one longer than any block the groups are
// packed in, so that they fill many.
void TestJobCostReport::manyGroupsKeepTheirSums()
{
    JobCost::Options options;
    options.view = JobCost::View::Worker;
    JobCost::Report report(options);
    const QString longName = QString(400, u'x');
    constexpr int workers = 4000;
    QList<int> order;
    for (int n = 0; n < 2 * workers; ++n)
        order << n % workers + 1;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (const int worker : order) {
        JobCost::Totals totals;
        totals.jobs = 1;
        totals.seconds = worker;
        totals.corrected = worker % 2;
        report.addSums(
            {QString::number(worker), worker == 77 ? QString(300'000, u'y') : longName}, totals);
    }
    report.finish();
    QCOMPARE(report.groupCount(), workers);
    int expected = 1;
    report.lines([&](const JobCost::Line& line) {
        if (line.kind == JobCost::Line::Kind::Total) {
            QCOMPARE(line.totals.jobs, 2 * workers);
            QCOMPARE(line.totals.corrected, workers);
            return;
        }
        QCOMPARE(line.key.value(0), QString::number(expected));
        QCOMPARE(line.key.value(1).size(), expected == 77 ? 300'000 : 400);
        QCOMPARE(line.totals.jobs, 2);
        QCOMPARE(line.totals.seconds, 2 * expected);
        QCOMPARE(line.totals.corrected, 2 * (expected % 2));
        ++expected;
    });
    QCOMPARE(expected, workers + 1);
}

// Corrected counts the punches of a row that a supervisor corrected, each
// once, whatever the letter case its corrections name it in; a deleted punch
// counts nowhere. The PDF marks them too.
void TestJobCostReport::correctedPunchesCounted()
{
    Site site;
    insertPunches(site, punches);
    addCorrections(site);
    const Outcome outcome = report({u"--by"_s, u"department"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    const QList<QStringList> rows = csvCells(outcome.out);
    const QStringList header = rows.value(0);
    QCOMPARE(header.mid(header.size() - 2), (QStringList {u"Corrected"_s, u"Late"_s}));
    QStringList counted;
    for (const QStringList& row : rows.mid(1))
        counted << row.value(0) + u' ' + row.value(1) + u' '
                + row.value(header.indexOf(u"Corrected"_s));
    QCOMPARE(counted,
        (QStringList {u"group 10 1"_s, u"group 30 1"_s, u"group 40 0"_s, u"total  2"_s,
            u"open 20 0"_s, u"open 20 1"_s, u"not costed 40 0"_s, u"not costed 40 1"_s,
            u"not costed 10 0"_s}));
    QVERIFY(!outcome.out.contains("foreman"));

    QTemporaryDir out;
    const QString pdf = out.filePath(u"corrected.pdf"_s);
    QCOMPARE(
        report({u"--by"_s, u"department"_s, u"--corrections"_s, site.path(), u"-o"_s, pdf}).status,
        0);
    QString text = run(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s});
    text.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    for (const QString& words : {u"Corrected"_s, u"Susan Miller (132) 2024-03-06 09:30:00"_s,
             u"corrected at the desk"_s, u"Pieces is negative; corrected at the desk"_s,
             u"Corrections of these dates worked: 6"_s, u"TimeStop: 10:00:00 to 10:15:00"_s,
             u"punch deleted"_s, u"=stop was wrong"_s})
        QVERIFY2(text.contains(words), qPrintable(words + u" in "_s + text));
}

void TestJobCostReport::correctionsOfThePeriod_data()
{
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<QStringList>("listed"); // CorrectionId and the worker

    const QString maria = u"María López (124)"_s;
    const QString robert = u"Robert Chen (127)"_s;
    QTest::newRow("all") << QStringList()
                         << QStringList {u"1 "_s + maria, u"2 Peter Gone (150)"_s, u"3 "_s + robert,
                                u"4 Susan Miller (132)"_s, u"5 Barbara Rossi (130)"_s,
                                u"6 "_s + maria};
    // The deleted punch by the day it was worked, not the day it was deleted.
    QTest::newRow("up to the 4th") << QStringList {u"--to"_s,
        u"2024-03-04"_s} << QStringList {u"1 "_s + maria, u"2 Peter Gone (150)"_s, u"6 "_s + maria};
    // A punch moved to another day belongs to both.
    QTest::newRow("the 5th") << QStringList {u"--from"_s, u"2024-03-05"_s, u"--to"_s,
        u"2024-03-05"_s} << QStringList {u"3 "_s + robert, u"5 Barbara Rossi (130)"_s};
    QTest::newRow("from the 6th") << QStringList {u"--from"_s, u"2024-03-06"_s}
                                  << QStringList {u"3 "_s + robert, u"4 Susan Miller (132)"_s};
    // Corrected on the 7th and 8th, but of no punch worked then.
    QTest::newRow("from the 7th") << QStringList {u"--from"_s, u"2024-03-07"_s} << QStringList();
}

void TestJobCostReport::correctionsOfThePeriod()
{
    QFETCH(QStringList, range);
    QFETCH(QStringList, listed);
    Site site;
    insertPunches(site, punches);
    addCorrections(site);
    const Outcome outcome
        = report(range + QStringList {u"--by"_s, u"worker"_s, u"--corrections"_s, site.path()});
    QCOMPARE(outcome.status, 0);
    const QList<QStringList> rows = csvCells(outcome.out);
    const QStringList header = rows.value(0);
    const auto at = [&](const QStringList& row, const QString& column) {
        return row.value(header.indexOf(column));
    };
    QStringList found;
    for (const QStringList& row : rows) {
        QCOMPARE(row.size(), header.size());
        if (row.value(0) == u"correction"_s)
            found << at(row, u"Correction"_s) + u' ' + at(row, u"Worker"_s);
    }
    QCOMPARE(found, listed);

    // Each as the audit keeps it, with its punch as it is now or was.
    for (const QStringList& row : rows) {
        if (at(row, u"Correction"_s) == u"1"_s) {
            QCOMPARE(row.mid(0, 3), (QStringList {u"correction"_s, u"124"_s, u"María López"_s}));
            QCOMPARE((QStringList {at(row, u"Start"_s), at(row, u"Stop"_s), at(row, u"Note"_s),
                         at(row, u"Corrected at"_s), at(row, u"Corrected by"_s),
                         at(row, u"Action"_s), at(row, u"Reason"_s), at(row, u"New values"_s)}),
                (QStringList {u"2024-03-04 08:00:00"_s, u"2024-03-04 10:15:00"_s, QString(),
                    u"2024-03-07 09:00:00"_s, u"foreman"_s, u"edit"_s, u"'=stop was wrong"_s,
                    u"{\"TimeStop\": \"10:15:00\"}"_s}));
        }
        if (at(row, u"Correction"_s) == u"2"_s)
            QCOMPARE((QStringList {at(row, u"Start"_s), at(row, u"Stop"_s), at(row, u"Note"_s),
                         at(row, u"Action"_s)}),
                (QStringList {u"2024-03-04 07:00:00"_s, u"2024-03-04 08:00:00"_s,
                    u"punch deleted"_s, u"delete"_s}));
    }
}

void TestJobCostReport::pdfInTheSessionsLanguage()
{
    Site site;
    insertPunches(site, punches);
    const QTemporaryDir out;
    // The report as a site runs it, in German or in English: the same CSV,
    // and a PDF in the session's words.
    const auto reportIn = [&](const QString& language, const QString& file) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(u"LANG"_s, u"C.UTF-8"_s);
        if (!language.isEmpty()) {
            environment.insert(u"LC_MESSAGES"_s, language + u"_DE.UTF-8"_s);
            environment.insert(u"LANGUAGE"_s, language);
        }
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(JOBCOSTING_REPORT_TOOL),
            {u"--by"_s, u"worker"_s, u"--corrections"_s, site.path(), u"-o"_s, out.filePath(file)});
        return tool.waitForFinished(60000) && tool.exitCode() == 0
            && tool.readAllStandardError().isEmpty();
    };
    for (const auto& [language, file] : {std::pair {QString(), u"en.csv"_s},
             std::pair {u"de"_s, u"de.csv"_s}, std::pair {u"de"_s, u"de.pdf"_s}})
        QVERIFY2(reportIn(language, file), qPrintable(file));
    QFile english(out.filePath(u"en.csv"_s));
    QFile german(out.filePath(u"de.csv"_s));
    QVERIFY(english.open(QIODevice::ReadOnly) && german.open(QIODevice::ReadOnly));
    QCOMPARE(german.readAll(), english.readAll());

    QString text = run(u"pdftotext"_s, {u"-raw"_s, out.filePath(u"de.pdf"_s), u"-"_s});
    text.remove(QRegularExpression(u"\\s"_s));
    for (const QString& words : {u"Auftragskosten nach Mitarbeiter"_s, u"Personal-Nr. / Name"_s,
             u"Abweichung je Stück"_s, u"Offene Aufträge, nicht berechnet: 2"_s,
             u"Auftragsgruppe"_s, u"Nicht berechnete Zeilen: 3"_s,
             u"Korrekturen dieser Arbeitstage: 0"_s, u"Gesamt"_s, u"Seite 1 von"_s}) {
        const QString squeezed = QString(words).remove(u' ');
        QVERIFY2(text.contains(squeezed), qPrintable(words + u" in "_s + text));
    }
    QVERIFY2(!text.contains(u"Jobcostreport"_s), qPrintable(text));
}

QTEST_MAIN(TestJobCostReport)
#include "tst_jobcostreport.moc"
