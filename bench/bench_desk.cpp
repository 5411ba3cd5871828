// The supervisor's desk, measured:
//
// 1. A refresh of the board: the open jobs read with their badges, and the
//    board's model changed in place, after a terminal ended one job and
//    started another. On sites of E employees, P punches and O open jobs,
//    beside the anchor: one plain forward-only QSqlQuery that reads the same
//    open rows, on a connection of its own. Each site is measured in a child
//    process of its own, so that its peak memory is the desk's on that site.
// 2. The time from a terminal's save (a commit on a connection of its own) to
//    the board showing the job, with the desk's own watch: SQLite asked once a
//    second, a server's notice. Each save comes at a random moment.
//
//   bench_desk [--dir /var/tmp] [--employees 50000] [--punches 10000,1000000]
//              [--open 500] [--runs 50] [--saves 20] [--server URI]
//              [--server-punches 100000]
//
// The SQLite sites are made once, in DIR, and kept for the next run (a
// million punches take minutes). URI names a PostgreSQL database where the
// bench may make a schema of its own (dropped at the end); it defaults to
// JOBCOSTING_TEST_SERVER, so that `scripts/test-server build/bench/bench_desk`
// runs it on a private server.

#include "BenchSchema.h"
#include "ProcessMemory.h"
#include "SiteBuilder.h"
#include "data/DataError.h"
#include "data/OpenDatabaseFile.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"
#include "desk/ChangeWatch.h"
#include "desk/DeskStore.h"
#include "desk/PunchTableModel.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUuid>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);
const SystemClock systemClock;
const RegionalSettings regional {
    u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), systemClock};

[[noreturn]] void fail(const QString& what)
{
    throw DataError(what);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double percentile(QList<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty()
        ? 0
        : values.at(std::min<qsizetype>(values.size() - 1, qsizetype(values.size() * share)));
}

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// A terminal beside the desk: a connection of its own to the site's
// JobPunches, which starts and ends the generated workers' jobs.
class Terminal
{
public:
    explicit Terminal(const QString& site)
        : m_name(QUuid::createUuid().toString())
    {
        const QString file = QDir(site).filePath(SiteModel::jobPunchesFile);
        QFile pointer(file);
        pointer.open(QIODevice::ReadOnly);
        const bool server = PostgresFile::recognizes(pointer.read(64));
        QSqlDatabase db = QSqlDatabase::addDatabase(server ? u"QPSQL"_s : u"QSQLITE"_s, m_name);
        if (server)
            PostgresFile::configure(db, PostgresFile::readPointer(file));
        else
            db.setDatabaseName(file);
        if (!db.open())
            fail(db.lastError().text());
        if (!server)
            exec(u"PRAGMA synchronous = FULL"_s);
    }
    ~Terminal()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }

    QSqlQuery exec(const QString& statement, const QVariantList& values = {}) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        query.prepare(statement);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            fail(statement + u": "_s + query.lastError().text());
        return query;
    }
    // Worker n of a generated site (its employee number).
    void start(int worker) const
    {
        const QDateTime now = QDateTime::currentDateTime().addSecs(-60);
        const QString time = now.time().toString(u"HH:mm:ss"_s);
        exec(u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, "
             "Level1Description, Level1ItemCode, Level1ItemDescription, Level1StandardCost, "
             "Level1BonusRate, Pieces, EmpNum, DeptNum, BaseRate) VALUES (?, 'Open', ?, ?, ?, "
             "'Level 1', '10001', 'Item 1 of level 1', 0.5, 0, 0, ?, ?, 15)"_s,
            {u"Worker %1"_s.arg(worker), now.date().toString(Qt::ISODate), time, time, worker,
                10 * (1 + (worker - 1) % 9)});
    }
    void end(int worker) const
    {
        exec(u"UPDATE JobPunches SET Badge = 'Closed', TimeStop = ?, Pieces = 0 WHERE Name = ? "
             "AND Badge = 'Open'"_s,
            {QTime::currentTime().toString(u"HH:mm:ss"_s), u"Worker %1"_s.arg(worker)});
    }
    // The workers with an open job, by number.
    QList<int> open() const
    {
        QSqlQuery query = exec(u"SELECT EmpNum FROM JobPunches WHERE Badge = 'Open'"_s);
        QList<int> workers;
        while (query.next())
            workers << query.value(0).toInt();
        return workers;
    }
    // The anchor: the open rows as the desk reads them, in one plain statement.
    qsizetype readOpenRows() const
    {
        QStringList fields = Punch::fields();
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        query.setForwardOnly(true);
        if (!query.exec(u"SELECT %1, PunchId FROM JobPunches WHERE Badge = 'Open'"_s.arg(
                fields.join(u", "_s))))
            fail(query.lastError().text());
        qsizetype rows = 0;
        while (query.next()) {
            for (int i = 0; i <= fields.size(); ++i)
                query.value(i);
            ++rows;
        }
        return rows;
    }

private:
    QString m_name;
};

// Brings the site to `open` open jobs, started by workers without one.
void openJobs(const QString& site, int employees, int open)
{
    const Terminal terminal(site);
    QList<int> busy = terminal.open();
    for (int worker = 1; busy.size() < open && worker <= employees; ++worker) {
        if (busy.contains(worker))
            continue;
        terminal.start(worker);
        busy << worker;
    }
    while (busy.size() > open)
        terminal.end(busy.takeLast());
}

QString sqliteSite(const QString& dir, int employees, qint64 punches, int open)
{
    const QString site
        = QDir(dir).filePath(u"jobcosting-desk-bench/e%1-p%2"_s.arg(employees).arg(punches));
    if (!QFileInfo::exists(QDir(site).filePath(SiteModel::jobPunchesFile))) {
        out << "Making " << site << " (" << punches << " punches)..." << Qt::endl;
        SiteBuilder::create(site);
        SiteBuilder::fillLarge(site, employees, punches);
    }
    openJobs(site, employees, open);
    return site;
}

// ---- 1. The board's refresh, in a child process of its own ----

int measureRefresh(const QString& site, int runs)
{
    DeskStore store(site);
    PunchTableModel board(PunchTableModel::Kind::OpenJobs, regional, systemClock, 8 * 3600);
    const Terminal terminal(site);
    QElapsedTimer timer;
    timer.start();
    board.refresh(store.openJobs());
    const double first = elapsedMs(timer);
    const int open = board.rowCount();

    QList<int> busy = terminal.open();
    int next = 1;
    QList<double> refreshes;
    QList<double> anchors;
    for (int run = 0; run < runs; ++run) {
        // A terminal ends the oldest job and starts one for a worker without one.
        terminal.end(busy.takeFirst());
        while (busy.contains(next))
            ++next;
        terminal.start(next);
        busy << next;
        timer.start();
        board.refresh(store.openJobs());
        refreshes << elapsedMs(timer);
        if (board.rowCount() != open)
            fail(u"the board shows %1 jobs, not %2"_s.arg(board.rowCount()).arg(open));
        timer.start();
        if (terminal.readOpenRows() != open)
            fail(u"the anchor read another number of rows"_s);
        anchors << elapsedMs(timer);
    }
    out << u"%1 %2 %3 %4 %5 %6 %7\n"_s.arg(first)
               .arg(median(refreshes))
               .arg(percentile(refreshes, 0.9))
               .arg(median(anchors))
               .arg(percentile(anchors, 0.9))
               .arg(processKilobytes("VmHWM"))
               .arg(open);
    return 0;
}

void refreshRow(const QString& engine, const QString& site, qint64 punches, int runs)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
        {u"--measure-refresh"_s, site, u"--runs"_s, QString::number(runs)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        fail(u"the measuring child failed on "_s + site);
    const QStringList figures = QString::fromUtf8(child.readAllStandardOutput()).split(u' ');
    out << u"| %1 | %2 | %3 | %4 ms | %5 ms (p90 %6) | %7 ms (p90 %8) | %9 MiB |\n"_s.arg(engine)
               .arg(punches)
               .arg(figures.value(6).trimmed())
               .arg(figures.value(0).toDouble(), 0, 'f', 1)
               .arg(figures.value(1).toDouble(), 0, 'f', 2)
               .arg(figures.value(2).toDouble(), 0, 'f', 2)
               .arg(figures.value(3).toDouble(), 0, 'f', 2)
               .arg(figures.value(4).toDouble(), 0, 'f', 2)
               .arg(figures.value(5).toLong() / 1024.0, 0, 'f', 1)
        << Qt::flush;
}

// ---- 2. From a terminal's save to the board ----

void latencyRow(const QString& engine, const QString& site, int employees, int saves)
{
    DeskStore store(site);
    PunchTableModel board(PunchTableModel::Kind::OpenJobs, regional, systemClock, 8 * 3600);
    board.refresh(store.openJobs());
    const auto watch = ChangeWatch::forFile(store.jobPunchesPath(), store.onServer());
    QObject::connect(
        watch.get(), &ChangeWatch::changed, &board, [&] { board.refresh(store.openJobs()); });
    const Terminal terminal(site);
    const QList<int> busy = terminal.open();
    int worker = employees;
    while (busy.contains(worker))
        --worker;
    QList<double> shown;
    for (int save = 0; save < saves; ++save) {
        QTest::qWait(QRandomGenerator::global()->bounded(1000));
        const int before = board.rowCount();
        QElapsedTimer timer;
        timer.start();
        terminal.start(worker);
        if (!QTest::qWaitFor([&] { return board.rowCount() == before + 1; }, 10000))
            fail(u"the board did not show the save"_s);
        shown << elapsedMs(timer);
        terminal.end(worker);
        if (!QTest::qWaitFor([&] { return board.rowCount() == before; }, 10000))
            fail(u"the board did not show the end"_s);
    }
    out << u"| %1 | %2 ms | %3 ms | %4 ms | %5 ms |\n"_s.arg(engine)
               .arg(median(shown), 0, 'f', 0)
               .arg(percentile(shown, 0.9), 0, 'f', 0)
               .arg(*std::max_element(shown.cbegin(), shown.cend()), 0, 'f', 0)
               .arg(*std::min_element(shown.cbegin(), shown.cend()), 0, 'f', 0)
        << Qt::flush;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption dirOption(
        u"dir"_s, u"Where the SQLite sites are kept."_s, u"DIR"_s, u"/var/tmp"_s);
    const QCommandLineOption employeesOption(u"employees"_s, u"Employees."_s, u"E"_s, u"50000"_s);
    const QCommandLineOption punchesOption(
        u"punches"_s, u"Punches of the SQLite sites."_s, u"P,..."_s, u"10000,1000000"_s);
    const QCommandLineOption openOption(u"open"_s, u"Open jobs."_s, u"O"_s, u"500"_s);
    const QCommandLineOption runsOption(u"runs"_s, u"Refreshes timed."_s, u"N"_s, u"50"_s);
    const QCommandLineOption savesOption(u"saves"_s, u"Saves timed."_s, u"N"_s, u"20"_s);
    const QCommandLineOption serverOption(u"server"_s, u"A PostgreSQL database."_s, u"URI"_s,
        qEnvironmentVariable("JOBCOSTING_TEST_SERVER"));
    const QCommandLineOption serverPunchesOption(
        u"server-punches"_s, u"Punches of the server site."_s, u"P"_s, u"100000"_s);
    const QCommandLineOption measureOption(u"measure-refresh"_s, u"(internal)"_s, u"SITE"_s);
    parser.addOptions({dirOption, employeesOption, punchesOption, openOption, runsOption,
        savesOption, serverOption, serverPunchesOption, measureOption});
    parser.addHelpOption();
    parser.process(application);
    const int runs = parser.value(runsOption).toInt();
    try {
        if (parser.isSet(measureOption))
            return measureRefresh(parser.value(measureOption), runs);

        const int employees = parser.value(employeesOption).toInt();
        const int open = parser.value(openOption).toInt();
        const int saves = parser.value(savesOption).toInt();
        QList<std::pair<qint64, QString>> sites;
        for (const QString& count : parser.value(punchesOption).split(u',')) {
            const qint64 punches = count.toLongLong();
            sites.append({punches, sqliteSite(parser.value(dirOption), employees, punches, open)});
        }
        const QString server = parser.value(serverOption);
        std::unique_ptr<BenchSchema> schema;
        QTemporaryDir serverSite;
        const qint64 serverPunches = parser.value(serverPunchesOption).toLongLong();
        if (!server.isEmpty()) {
            schema = std::make_unique<BenchSchema>(server);
            out << "Making a server site (" << serverPunches << " punches)..." << Qt::endl;
            SiteBuilder::create(serverSite.path(), schema->uri());
            SiteBuilder::fillLarge(serverSite.path(), employees, serverPunches);
            openJobs(serverSite.path(), employees, open);
        }

        out << "\nA refresh of the board after a terminal ended one job and started another "
               "(the open jobs read with their badges, the model changed in place), beside the "
               "anchor, one QSqlQuery reading the same open rows; the first refresh looks up "
               "every badge. "
            << runs << " refreshes, " << employees << " employees:\n\n"
            << "| Engine | Punches | Open jobs | First refresh | Refresh, median | Anchor, median "
               "| Peak memory |\n|---|---|---|---|---|---|---|\n"
            << Qt::flush;
        for (const auto& [punches, site] : std::as_const(sites))
            refreshRow(u"SQLite"_s, site, punches, runs);
        if (schema)
            refreshRow(u"PostgreSQL"_s, serverSite.path(), serverPunches, runs);

        out << "\nFrom a terminal's save to the board showing the job, " << saves
            << " saves at random moments:\n\n"
            << "| Engine | Median | p90 | Slowest | Fastest |\n|---|---|---|---|---|\n"
            << Qt::flush;
        latencyRow(u"SQLite (asked once a second)"_s, sites.constLast().second, employees, saves);
        if (schema)
            latencyRow(u"PostgreSQL (notice)"_s, serverSite.path(), employees, saves);
    } catch (const std::exception& error) {
        out << "bench_desk: " << error.what() << Qt::endl;
        return 1;
    }
    return 0;
}
