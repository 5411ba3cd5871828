#include "JobCost.h"
#include "JobCostRead.h"
#include "Site.h"
#include "data/DataError.h"
#include "data/SiteModel.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace Qt::StringLiterals;
using JobCost::Report;
using JobCostRead::Path;

// The report's two ways to the same figures, on every engine: every row
// through the reference, and the engine summing the closed punches with only
// the rows it cannot sum left to the reference. They must agree to the unit,
// on a generated site with open, not-costed, past-midnight and odd rows, and
// the desk's corrections of some of them.
class TestJobCostPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init() { SKIP_WITHOUT_TEST_SERVER(); }
    void bothPathsAgree_data();
    void bothPathsAgree();
    void hoursAcrossTheNightsTheClocksChange_data();
    void hoursAcrossTheNightsTheClocksChange();
};

namespace {

QString exact(JobCost::Wide value)
{
    QString digits;
    for (JobCost::Wide rest = value < 0 ? -value : value; rest > 0 || digits.isEmpty(); rest /= 10)
        digits.prepend(QChar(u'0' + int(rest % 10)));
    return value < 0 ? u'-' + digits : digits;
}

// The sums themselves, not only their rounded figures.
QString text(const JobCost::Totals& totals)
{
    return u"%1 %2 %3 %4 %5 %6 corrected %7"_s.arg(totals.jobs)
        .arg(totals.seconds)
        .arg(
            exact(totals.labour), exact(totals.bonus), exact(totals.pieces), exact(totals.standard))
        .arg(totals.corrected);
}

// Everything the report holds, in its order, as texts to compare.
QStringList contents(const Report& report)
{
    QStringList lines;
    report.lines([&](const JobCost::Line& line) {
        lines << u"%1 %2: %3"_s.arg(int(line.kind)).arg(line.key.join(u'/'), text(line.totals));
    });
    for (const JobCost::OpenJob& job : report.openJobs())
        lines << u"open %1 %2 %3 %4 corrected %5"_s
                     .arg(job.key.join(u'/'), job.worker, job.started.toString(Qt::ISODate))
                     .arg(job.secondsOpen)
                     .arg(job.corrected);
    for (const JobCost::NotCosted& row : report.notCosted())
        lines << u"not costed %1 %2 %3 %4: %5 corrected %6"_s.arg(row.row)
                     .arg(row.key.join(u'/'), row.worker, row.dateWorked, row.reason)
                     .arg(row.corrected);
    for (const JobCost::CorrectionLine& line : report.corrections())
        lines << u"correction %1 %2 %3 %4 %5 deleted %6"_s.arg(line.audit.id)
                     .arg(line.key.join(u'/'), line.worker, line.start.toString(Qt::ISODate),
                         line.stop.toString(Qt::ISODate))
                     .arg(line.punchDeleted);
    return lines;
}

// One job punch beside the generated ones; fields not given are those of a
// plain closed job. A SQLite file takes it without its checks, as another
// program may have written it (the site's rules set aside).
void insert(const Site& site, QVariantMap fields)
{
    const QVariantMap plain {{u"Name"_s, u"Worker 1"_s}, {u"Badge"_s, u"Closed"_s},
        {u"DateWorked"_s, u"2020-06-15"_s}, {u"TimeStart"_s, u"08:00:00"_s},
        {u"TimeStop"_s, u"09:30:00"_s}, {u"Level1Description"_s, u"Level 1"_s},
        {u"Level1ItemCode"_s, u"10001"_s}, {u"Level1ItemDescription"_s, u"Item 1 of level 1"_s},
        {u"Level1StandardCost"_s, 0.5}, {u"Level1BonusRate"_s, 0}, {u"Pieces"_s, 4},
        {u"EmpNum"_s, 1}, {u"DeptNum"_s, 10}, {u"BaseRate"_s, 15.0}};
    for (auto it = plain.cbegin(); it != plain.cend(); ++it) {
        if (!fields.contains(it.key()))
            fields.insert(it.key(), it.value());
    }
    const QString sql = u"INSERT INTO JobPunches (%1) VALUES (%2)"_s.arg(
        fields.keys().join(u", "_s), QStringList(fields.size(), u"?"_s).join(u", "_s));
    SiteBuilder::unchecked(site.path(), [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!site.server())
            QVERIFY(query.exec(u"PRAGMA ignore_check_constraints = ON"_s));
        QVERIFY(query.prepare(sql));
        for (const QVariant& value : fields.values())
            query.addBindValue(value);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
        if (!site.server())
            QVERIFY(query.exec(u"PRAGMA ignore_check_constraints = OFF"_s));
    });
}

void addOddRows(const Site& site)
{
    const bool typed = site.server() != nullptr;
    const QList<QVariantMap> rows {
        // Past midnight, and a stop equal to the start.
        {{u"TimeStart"_s, u"22:30:00"_s}, {u"TimeStop"_s, u"05:15:30"_s}},
        {{u"TimeStart"_s, u"11:00:00"_s}, {u"TimeStop"_s, u"11:00:00"_s}},
        // Not costed: no stop, a negative count, no rate.
        {{u"TimeStop"_s, QVariant()}},
        {{u"Pieces"_s, -3}},
        {{u"BaseRate"_s, QVariant()}, {u"Name"_s, u"Worker 2"_s}, {u"EmpNum"_s, 2}},
        // A rate that rounds to zero from below is costed as none.
        {{u"BaseRate"_s, -0.00001}},
        // Half a ten-thousandth, five decimals, a count beyond the usual.
        {{u"Pieces"_s, 0.00005}},
        {{u"BaseRate"_s, 17.12345}, {u"Pieces"_s, 2.5}},
        {{u"Pieces"_s, 1e7}, {u"Level1BonusRate"_s, 0.0125}},
        // The state in other letters, with blanks around, neither state, none.
        {{u"Badge"_s, u"closed"_s}},
        {{u"Badge"_s, u" Closed "_s}},
        {{u"Badge"_s, u"Cancelled"_s}},
        {{u"Badge"_s, QVariant()}},
        // Levels: an unused level's values are not read; a used one's missing
        // cost and rate are none; only the deepest used level's rate counts.
        {{u"Level3Description"_s, QString()}, {u"Level3StandardCost"_s, -1},
            {u"Level3BonusRate"_s, -2}},
        {{u"Level2Description"_s, u"Level 2"_s}, {u"Level2ItemCode"_s, u"20002"_s},
            {u"Level2StandardCost"_s, QVariant()}, {u"Level2BonusRate"_s, QVariant()},
            {u"Level1BonusRate"_s, 3}},
        {{u"Level2Description"_s, u"Level 2"_s}, {u"Level2StandardCost"_s, -0.5}},
        // Item codes that differ in letter case only are two groups.
        {{u"Level1ItemCode"_s, u"a-7"_s}},
        {{u"Level1ItemCode"_s, u"A-7"_s}},
        // Open jobs, one of them started outside the dates asked for.
        {{u"Badge"_s, u"Open"_s}, {u"Name"_s, u"Worker 3"_s}, {u"DateWorked"_s, u"2024-12-30"_s}},
        {{u"Badge"_s, u"Open"_s}, {u"Name"_s, u"Worker 4"_s}, {u"DateWorked"_s, u"2010-01-01"_s}},
        // On a server every time of day up to 24:00 is one.
        {{u"TimeStop"_s, u"24:00:00"_s}},
    };
    for (const QVariantMap& row : rows)
        insert(site, row);
    if (typed)
        return;
    // What only an untyped SQLite column can hold.
    const QList<QVariantMap> untyped {
        {{u"BaseRate"_s, u"n/a"_s}},
        {{u"DateWorked"_s, u"2024-02-30"_s}},
        {{u"DateWorked"_s, u"0000-01-01"_s}},
        {{u"DateWorked"_s, u"garbage"_s}},
        {{u"DateWorked"_s, u"year-06-15"_s}},
        {{u"TimeStart"_s, u"7:00:00"_s}},
        {{u"TimeStart"_s, u"08:00"_s}},
        {{u"TimeStop"_s, u"09:30:00.250"_s}},
        {{u"Level3Description"_s, QString()}, {u"Level3StandardCost"_s, u"x"_s}},
        {{u"Level1Description"_s, QByteArray()}, {u"Level1StandardCost"_s, 99.0}},
        {{u"Level1StandardCost"_s, 1e300}},
        {{u"EmpNum"_s, u"1"_s}},
        {{u"Pieces"_s, 12}, {u"BaseRate"_s, 20}},
    };
    for (const QVariantMap& row : untyped)
        insert(site, row);
    // A row of the table that is gone leaves a gap in the row keys.
    site.seed(u"DELETE FROM JobPunches WHERE rowid = 7"_s);
}

// The desk's corrections, as the audit keeps them (written here without the
// changes they record): of every 53rd punch and of every one that is not
// plainly closed, a second one of some of them (a punch counts once), some
// naming their punch in capitals (the engines compare PunchIds without regard
// to case), and one of a punch deleted since.
void addCorrections(const Site& site)
{
    const QString json = site.server() ? u"CAST('%1' AS json)"_s : u"'%1'"_s;
    const QString insert = u"INSERT INTO JobPunchCorrections (PunchId, Action, CorrectedBy, "
                           "Reason, OldValues, NewValues) "_s;
    const QString none = json.arg(u"{}"_s);
    site.seed(insert
        + u"SELECT PunchId, 'edit', 'test', 'once', %1, %1 FROM JobPunches WHERE %2 % 53 = 0 "
          "OR Badge IS NULL OR Badge <> 'Closed' OR TimeStop IS NULL OR Pieces < 0"_s.arg(
              none, site.rowKey()));
    site.seed(insert
        + u"SELECT PunchId, 'edit', 'test', 'twice', %1, %1 FROM JobPunches WHERE %2 % 106 = 0 "
          "OR Badge = 'Open'"_s.arg(none, site.rowKey()));
    site.seed(insert
        + u"SELECT upper(PunchId), 'edit', 'test', 'capitals', %1, %1 FROM JobPunches WHERE "
          "%2 % 89 = 0"_s.arg(none, site.rowKey()));
    site.seed(insert
        + u"VALUES ('00000000-0000-4000-8000-000000000000', 'delete', 'test', 'gone', %1, %2)"_s
              .arg(json.arg(uR"({"Name": "Worker 9", "Badge": "Closed", "DateWorked":
                      "2020-06-15", "TimeStart": "08:00:00", "TimeStop": "09:00:00", "EmpNum": 9,
                      "Level1ItemCode": "10001"})"_s),
                  none));
}

} // namespace

void TestJobCostPaths::bothPathsAgree_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("corrections"); // false: a site made before the desk
    for (const QString& view : JobCost::viewNames())
        QTest::newRow(qPrintable(view)) << view << QDate() << QDate() << true;
    QTest::newRow("job, from a date") << u"job"_s << QDate(2020, 6, 15) << QDate() << true;
    QTest::newRow("day, a year") << u"day"_s << QDate(2019, 1, 1) << QDate(2020, 12, 31) << true;
    QTest::newRow("worker, up to a date") << u"worker"_s << QDate() << QDate(2020, 6, 15) << true;
    QTest::newRow("job, no corrections kept") << u"job"_s << QDate() << QDate() << false;
}

void TestJobCostPaths::bothPathsAgree()
{
    QFETCH(QString, view);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, corrections);
    const Engine engine = currentEngine();
    std::unique_ptr<Site> site;
    if (engine == Engine::Access) {
        site = std::make_unique<Site>(Site::Contents::Sample, engine);
    } else {
        site = std::make_unique<Site>(Site::Contents::Empty, engine);
        SiteBuilder::fillLarge(site->path(), 30, engine == Engine::Server ? 600 : 3000, 7);
        addOddRows(*site);
        if (corrections)
            addCorrections(*site);
        else
            site->sql(SiteModel::jobPunchesFile, u"DROP TABLE JobPunchCorrections"_s);
    }
    JobCost::Options options;
    options.view = *JobCost::viewNamed(view);
    options.now = QDateTime(QDate(2025, 1, 2), QTime(12, 0));
    options.corrections = true;
    if (from.isValid())
        options.from = from;
    if (to.isValid())
        options.to = to;
    const QString file = site->file(SiteModel::jobPunchesFile);

    Path used = Path::Streaming;
    QStringList reference;
    QStringList summed;
    qint64 corrected = 0;
    try {
        const Report read = JobCostRead::read(options, file, Path::Streaming);
        corrected = read.total().corrected;
        reference = contents(read);
        summed = contents(JobCostRead::read(options, file, Path::Engine, &used));
    } catch (const DataError& error) {
        QFAIL(qPrintable(error.message()));
    }
    for (const QString& line : reference)
        QVERIFY2(summed.contains(line), qPrintable(u"only in the reference: "_s + line));
    for (const QString& line : summed)
        QVERIFY2(reference.contains(line), qPrintable(u"only in the engine's: "_s + line));
    QCOMPARE(summed, reference);
    QCOMPARE(used, engine == Engine::Access ? Path::Streaming : Path::Engine);
    QVERIFY(engine == Engine::Access || reference.size() > 8);
    QVERIFY(engine == Engine::Access || !reference.filter(u"not costed"_s).isEmpty());
    const bool kept = corrections && engine != Engine::Access;
    QCOMPARE(corrected > 0, kept);
    for (const QString& apart : {u"open"_s, u"not costed"_s, u"correction"_s}) {
        const QStringList rows = reference.filter(QRegularExpression(u"^%1 "_s.arg(apart)));
        const QStringList marked = rows.filter(QRegularExpression(u"(corrected 1|deleted 0)$"_s));
        QCOMPARE(!marked.isEmpty(), kept && !rows.isEmpty());
    }
}

void TestJobCostPaths::hoursAcrossTheNightsTheClocksChange_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDate>("back");
    QTest::addColumn<QTime>("backStart"); // read twice that night
    QTest::addColumn<QDate>("forward");
    QTest::addColumn<QTime>("forwardStart"); // half an hour before the clocks skip an hour
    QTest::newRow("New York") << u"America/New_York"_s << QDate(2026, 11, 1) << QTime(1, 30)
                              << QDate(2026, 3, 8) << QTime(1, 30);
    QTest::newRow("Berlin") << u"Europe/Berlin"_s << QDate(2026, 10, 25) << QTime(2, 30)
                            << QDate(2026, 3, 29) << QTime(1, 30);
}

// The hours of a job are the real time from its start to its stop in the
// site's zone, whatever the zone of the machine the report runs on, by both
// ways and on every engine; an open job is timed to the site's now.
void TestJobCostPaths::hoursAcrossTheNightsTheClocksChange()
{
    QFETCH(QString, zone);
    QFETCH(QDate, back);
    QFETCH(QTime, backStart);
    QFETCH(QDate, forward);
    QFETCH(QTime, forwardStart);
    if (currentEngine() == Engine::Access)
        QSKIP("An Access site records no zone: it is the machine's.");
    const Site site(Site::Contents::Empty, currentEngine(), zone);
    // Each worker one job: 45 minutes over the change back (the stop reads
    // earlier than the start) and over the change forward (an hour later);
    // a night across each change; a plain night.
    const QList<std::tuple<QString, QDate, QTime, QTime, qint64>> jobs {
        {u"Back"_s, back, backStart, backStart.addSecs(-15 * 60), 45 * 60},
        {u"Forward"_s, forward, forwardStart, forwardStart.addSecs(105 * 60), 45 * 60},
        {u"Night back"_s, back.addDays(-1), QTime(22, 0), QTime(6, 0), 9 * 3600},
        {u"Night forward"_s, forward.addDays(-1), QTime(22, 0), QTime(6, 0), 7 * 3600},
        {u"Plain night"_s, QDate(2026, 6, 10), QTime(23, 0), QTime(1, 0), 2 * 3600}};
    int number = 100;
    for (const auto& [name, date, start, stop, seconds] : jobs)
        insert(site,
            {{u"Name"_s, name}, {u"EmpNum"_s, ++number},
                {u"DateWorked"_s, date.toString(Qt::ISODate)},
                {u"TimeStart"_s, start.toString(u"HH:mm:ss"_s)},
                {u"TimeStop"_s, stop.toString(u"HH:mm:ss"_s)}});
    insert(site,
        {{u"Name"_s, u"Still at it"_s}, {u"Badge"_s, u"Open"_s},
            {u"DateWorked"_s, back.toString(Qt::ISODate)},
            {u"TimeStart"_s, backStart.toString(u"HH:mm:ss"_s)},
            {u"TimeStop"_s, backStart.toString(u"HH:mm:ss"_s)}});

    const SiteTime clocks {QTimeZone(zone.toUtf8())};
    JobCost::Options options;
    options.view = JobCost::View::Worker;
    // The machine runs on another zone; the site's is the one that counts.
    options.time
        = SiteTime(QTimeZone(zone.startsWith(u"Europe"_s) ? "Asia/Tokyo" : "Europe/Berlin"));
    // Now is 45 minutes after the open job's start, once the clocks went back.
    options.now = clocks.moment(back, backStart).addSecs(45 * 60);
    const QString file = site.file(SiteModel::jobPunchesFile);
    for (const Path path : {Path::Streaming, Path::Engine}) {
        Path used = Path::Streaming;
        const Report report = JobCostRead::read(options, file, path, &used);
        QCOMPARE(used, path);
        QHash<QString, qint64> hours;
        report.lines([&](const JobCost::Line& line) {
            if (line.kind == JobCost::Line::Kind::Group)
                hours.insert(line.key.last(), line.totals.seconds);
        });
        for (const auto& [name, date, start, stop, seconds] : jobs)
            QCOMPARE(hours.value(name), seconds);
        QCOMPARE(report.openJobs().size(), 1);
        QCOMPARE(report.openJobs().first().secondsOpen, 45 * 60);
        QCOMPARE(report.openJobs().first().started.time(), backStart);
    }
}

QTEST_MAIN(TestJobCostPaths)
#include "tst_jobcostpaths.moc"
