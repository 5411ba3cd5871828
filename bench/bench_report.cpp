// Times the job-cost report beside the database engine's own GROUP BY of the
// same sums over the same table, in one run.
//
//   bench_report [--dir DIR] [--punches 1000000] [--employees 2000]
//                [--items 10,200,50000] [--runs 5] [--server-items 200]
//
// SQLite: the report's processor time (CSV by job) beside that of a plain
// GROUP BY of the same sums, run through Qt's SQLite driver. A server (when
// JOBCOSTING_TEST_SERVER names one, as `scripts/test-server` does): the
// report's processor time and the server's, beside psql's and the server's
// for the same GROUP BY; the server's is read from /proc (ServerCpu.h), all
// of its processes, so that parallel workers count wherever the server plans
// them. Peak memory is compared between sites of 10 and of 50,000
// groups. Each measurement runs in a child process of its own, the anchor and
// the report by turns; medians. One punch in a thousand has been corrected at
// the desk, as on a site in use, so that the report counts them. The SQLite
// sites are made once in DIR and reused (making one of a million punches takes
// minutes; a site made before the desk is brought up to date once); a server
// site is made anew in every run.

#include "JobCostCommand.h"
#include "ProcessMemory.h"
#include "ServerCpu.h"
#include "SiteBuilder.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

const QString keys = u"Level1ItemCode, Level1ItemDescription, Level2ItemCode, "
                     "Level2ItemDescription, Level3ItemCode, Level3ItemDescription"_s;

QString sqliteScaled(const QString& field)
{
    return u"CAST(%1 * 10000 + 0.5 AS INTEGER)"_s.arg(field);
}

// The site tool's amounts on a server are numeric(19, 4); only Pieces is a double.
QString serverScaled(const QString& field)
{
    if (field != u"Pieces"_s)
        return u"(%1 * 10000)::bigint"_s.arg(field);
    return u"floor(CAST(%1 AS double precision) * 10000 + 0.5)::bigint"_s.arg(field);
}

// The figures' sums by job as one would ask the engine for them, with the
// report's rules (hours past midnight, the deepest described level's bonus
// rate, the standard costs of the described levels, four decimals) and none of
// its checks.
QString anchorSql(bool server)
{
    const auto scaled = server ? serverScaled : sqliteScaled;
    const auto described = [&](int level) {
        return server ? u"COALESCE(CAST(Level%1Description AS text), '') <> ''"_s.arg(level)
                      : u"Level%1Description <> ''"_s.arg(level);
    };
    QStringList bonus;
    QStringList standard;
    for (int level = 3; level >= 1; --level) {
        bonus << u"WHEN %1 THEN COALESCE(%2, 0)"_s.arg(
            described(level), scaled(u"Level%1BonusRate"_s.arg(level)));
        standard << u"CASE WHEN %1 THEN COALESCE(%2, 0) ELSE 0 END"_s.arg(
            described(level), scaled(u"Level%1StandardCost"_s.arg(level)));
    }
    const QString seconds = server
        ? u"(CAST(date_part('epoch', TimeStop) AS integer) - CAST(date_part('epoch', TimeStart) "
          "AS integer) + 86400) % 86400"_s
        : u"(unixepoch(TimeStop) - unixepoch(TimeStart) + 86400) % 86400"_s;
    QStringList keyTexts;
    for (const QString& key : keys.split(u", "_s))
        keyTexts << (server ? u"CAST(%1 AS text) AS %1"_s.arg(key) : key);
    return u"SELECT %1, count(*), sum(s), sum(s * r), sum(p * b), sum(p), sum(p * c) FROM ("
           "SELECT %2, %3 AS s, %4 AS r, %5 AS p, CASE %6 ELSE 0 END AS b, %7 AS c FROM "
           "JobPunches WHERE %8 = 'Closed') AS costed GROUP BY %1"_s.arg(keys,
               keyTexts.join(u", "_s), seconds, scaled(u"BaseRate"_s), scaled(u"Pieces"_s),
               bonus.join(u' '), standard.join(u" + "_s), server ? u"Badge"_s : u"+Badge"_s);
}

qint64 processorMs(const rusage& usage)
{
    const auto ms = [](const timeval& time) {
        return qint64(time.tv_sec) * 1000 + time.tv_usec / 1000;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

qint64 ownProcessorMs()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return processorMs(usage);
}

QString serverUri(const QString& dir)
{
    // A pointer file holds the URI on its first line; a SQLite file no such text.
    QFile pointer(QDir(dir).filePath(SiteModel::jobPunchesFile));
    return pointer.open(QIODevice::ReadOnly) ? QString::fromUtf8(pointer.readLine(4096)).trimmed()
                                             : QString();
}

struct Result
{
    qint64 ms = -1;
    qint64 processorMs = -1; // of the process, or of psql
    long peakKiB = -1;
    qint64 serverMs = 0; // of the server's processes
    qint64 total() const { return processorMs + serverMs; }
};

// One measurement in this process (a child of the bench): prints
// "<ms> <processor ms> <peak KiB> <server ms>"; the server's time is that of
// the postmaster given (0: none).
int measure(const QString& dir, const QString& what, qint64 postmaster)
{
    QElapsedTimer timer;
    timer.start();
    const qint64 before = ownProcessorMs();
    const QString file = QDir(dir).filePath(SiteModel::jobPunchesFile);
    const ServerCpu server(postmaster);
    const double serverBefore = server.ms().value_or(0);
    if (what == u"anchor"_s) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(anchorSql(false)))
            return 1;
        qint64 groups = 0;
        while (query.next())
            ++groups;
        if (groups == 0)
            return 1;
    } else {
        const SystemClock clock;
        const RegionalSettings regional(
            u"yyyy-MM-dd"_s, u"HH:mm:ss"_s, QLatin1Char('.'), QLatin1Char(','), clock);
        QBuffer none;
        QString errors;
        QTextStream err(&errors);
        const QStringList arguments = what.split(u' ')
            + QStringList {dir, u"-o"_s, QDir(dir).filePath(u"bench-report.out"_s)};
        if (JobCostCommand::run(arguments, clock, regional, none, err) != 0) {
            out << errors << Qt::endl;
            return 1;
        }
    }
    out << timer.elapsed() << ' ' << ownProcessorMs() - before << ' ' << processKilobytes("VmHWM")
        << ' ' << qint64(server.ms().value_or(0) - serverBefore) << Qt::endl;
    return 0;
}

Result child(const QString& dir, const QString& what, qint64 postmaster = 0,
    qint64* longestSaveWait = nullptr)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(),
        {u"--measure"_s, dir, u"--what"_s, what, u"--postmaster"_s, QString::number(postmaster)});
    process.waitForStarted();
    if (longestSaveWait) {
        // A terminal's save during the report: the same busy wait, 5 s at most.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"save"_s);
            db.setDatabaseName(QDir(dir).filePath(SiteModel::jobPunchesFile));
            db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=5000"_s);
            db.open();
            while (!process.waitForFinished(200)) {
                QElapsedTimer wait;
                wait.start();
                QSqlQuery save(db);
                if (!save.exec(u"UPDATE JobPunches SET Pieces = Pieces WHERE ID = 1"_s))
                    *longestSaveWait = -1;
                else if (*longestSaveWait >= 0)
                    *longestSaveWait = std::max(*longestSaveWait, wait.elapsed());
            }
        }
        QSqlDatabase::removeDatabase(u"save"_s);
    }
    process.waitForFinished(-1);
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (process.exitCode() != 0 || fields.size() != 4)
        return {};
    return {fields.at(0).toLongLong(), fields.at(1).toLongLong(), fields.at(2).toLong(),
        fields.at(3).toLongLong()};
}

// psql running the anchor, its processor time and the server's.
Result psql(const QString& uri, qint64 postmaster)
{
    const ServerCpu server(postmaster);
    const double serverBefore = server.ms().value_or(0);
    rusage before {};
    getrusage(RUSAGE_CHILDREN, &before);
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(u"psql"_s, {u"-X"_s, u"-q"_s, u"-v"_s, u"ON_ERROR_STOP=1"_s, uri});
    process.write(u"\\o /dev/null\n"_s.toUtf8() + anchorSql(true).toUtf8() + ";\n");
    process.closeWriteChannel();
    process.waitForFinished(-1);
    const qint64 ms = timer.elapsed();
    rusage after {};
    getrusage(RUSAGE_CHILDREN, &after);
    if (process.exitCode() != 0)
        return {};
    return {ms, processorMs(after) - processorMs(before), -1,
        qint64(server.ms().value_or(0) - serverBefore)};
}

template<typename T> T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? T() : values.at(values.size() / 2);
}

// A measured thing's median over the runs.
struct Series
{
    QList<Result> results;
    Result median() const
    {
        QList<qint64> ms, processor, server;
        QList<long> peak;
        for (const Result& result : results) {
            ms << result.ms;
            processor << result.processorMs;
            server << result.serverMs;
            peak << result.peakKiB;
        }
        return {::median(ms), ::median(processor), ::median(peak), ::median(server)};
    }
};

void line(const QString& name, const Result& result)
{
    out << u"    %1 %2 s processor%3, %4 s on the clock%5"_s.arg(name, -38)
               .arg(result.total() / 1000.0, 6, 'f', 2)
               .arg(result.serverMs > 0
                       ? u" (%1 + server %2)"_s.arg(result.processorMs / 1000.0, 0, 'f', 2)
                             .arg(result.serverMs / 1000.0, 0, 'f', 2)
                       : QString())
               .arg(result.ms / 1000.0, 6, 'f', 2)
               .arg(result.peakKiB > 0 ? u", peak %1 MiB"_s.arg(result.peakKiB / 1024.0, 0, 'f', 1)
                                       : QString())
        << Qt::endl;
}

// The anchor and the report by job, by turns; the ratio of the medians and
// the median of each turn's ratio.
void compare(const QString& name, const std::function<Result()>& anchor,
    const std::function<Result()>& report, int runs, Series* reports = nullptr)
{
    Series anchors;
    Series ours;
    QList<double> ratios;
    for (int run = 0; run < runs; ++run) {
        const Result a = anchor();
        const Result r = report();
        if (a.processorMs < 0 || r.processorMs < 0) {
            out << "    a measurement failed" << Qt::endl;
            return;
        }
        anchors.results << a;
        ours.results << r;
        ratios << double(r.total()) / double(std::max<qint64>(1, a.total()));
    }
    line(name, anchors.median());
    line(u"report --by job (CSV)"_s, ours.median());
    out << u"    report / %1: %2 (median of the turns' ratios %3)"_s.arg(name)
               .arg(double(ours.median().total())
                       / double(std::max<qint64>(1, anchors.median().total())),
                   0, 'f', 2)
               .arg(median(ratios), 0, 'f', 2)
        << Qt::endl;
    if (reports)
        *reports = ours;
}

// The site brought up to date (PunchIds, the desk's audit), and one punch in a
// thousand corrected: on a server as the desk corrects one, its reason set and
// the audit row written by the database; a SQLite file keeps what the desk
// writes beside its change.
void correctSome(const QString& site)
{
    SiteBuilder::upgrade(site);
    const QString uri = serverUri(site);
    if (uri.startsWith(u"postgres"_s)) {
        QProcess::execute(u"psql"_s,
            {u"-X"_s, u"-q"_s, u"-v"_s, u"ON_ERROR_STOP=1"_s, uri, u"-1"_s, u"-c"_s,
                u"SET LOCAL jobcosting.reason = 'a correction'"_s, u"-c"_s,
                u"UPDATE JobPunches SET Pieces = Pieces + 1 WHERE ID % 1000 = 0"_s});
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"corrections"_s);
        db.setDatabaseName(QDir(site).filePath(SiteModel::jobPunchesFile));
        QSqlQuery query(db);
        if (!db.open()
            || !query.exec(u"INSERT INTO JobPunchCorrections (PunchId, Action, CorrectedBy, "
                           "Reason, OldValues, NewValues) SELECT PunchId, 'edit', 'bench', "
                           "'a correction', '{}', '{}' FROM JobPunches WHERE ID % 1000 = 0"_s))
            throw SiteBuilder::Error(query.lastError().text().toStdString());
    }
    QSqlDatabase::removeDatabase(u"corrections"_s);
}

QString ensureSite(const QString& dir, int employees, qint64 punches, int items)
{
    const QString site = QDir(dir).filePath(u"report-%1p-%2i"_s.arg(punches).arg(items));
    const QString corrected = QDir(site).filePath(u"corrected"_s);
    if (QFileInfo::exists(QDir(site).filePath(u"complete"_s))) {
        if (!QFileInfo::exists(corrected)) {
            correctSome(site);
            QFile(corrected).open(QIODevice::WriteOnly);
        }
        return site;
    }
    QDir(site).removeRecursively();
    QElapsedTimer timer;
    timer.start();
    SiteBuilder::create(site);
    SiteBuilder::fillLarge(site, employees, punches, items);
    correctSome(site);
    QFile(corrected).open(QIODevice::WriteOnly);
    QFile complete(QDir(site).filePath(u"complete"_s));
    complete.open(QIODevice::WriteOnly);
    out << u"  (made %1 in %2 s)"_s.arg(site).arg(timer.elapsed() / 1000) << Qt::endl;
    return site;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Times the job-cost report beside the engine's GROUP BY."_s);
    parser.addHelpOption();
    const QCommandLineOption dirOption(u"dir"_s,
        u"Where the SQLite sites are made once and kept (default: a temporary folder)."_s,
        u"DIR"_s);
    const QCommandLineOption punches(
        u"punches"_s, u"Job punches of every site."_s, u"N"_s, u"1000000"_s);
    const QCommandLineOption employees(u"employees"_s, u"Employees."_s, u"N"_s, u"2000"_s);
    const QCommandLineOption items(u"items"_s,
        u"Items per level of each SQLite site: as many job groups (the first and last are "
        "compared for memory)."_s,
        u"list"_s, u"10,200,50000"_s);
    const QCommandLineOption serverItems(
        u"server-items"_s, u"Items per level of the server site (none: 0)."_s, u"N"_s, u"200"_s);
    const QCommandLineOption runs(
        u"runs"_s, u"Runs of each measurement (the median is shown)."_s, u"N"_s, u"5"_s);
    const QCommandLineOption measureIn(
        u"measure"_s, u"Measure in an existing site (internal)."_s, u"DIR"_s);
    const QCommandLineOption what(u"what"_s, u"What to measure (internal)."_s, u"W"_s);
    const QCommandLineOption postmasterOption(
        u"postmaster"_s, u"The server's postmaster, 0 for none (internal)."_s, u"PID"_s, u"0"_s);
    parser.addOptions({dirOption, punches, employees, items, serverItems, runs, measureIn, what,
        postmasterOption});
    parser.process(app);
    if (parser.isSet(measureIn))
        return measure(parser.value(measureIn), parser.value(what),
            parser.value(postmasterOption).toLongLong());

    QTemporaryDir temporary;
    const QString dir = parser.isSet(dirOption) ? parser.value(dirOption) : temporary.path();
    QDir().mkpath(dir);
    const int runCount = std::max(1, parser.value(runs).toInt());
    const qint64 punchCount = parser.value(punches).toLongLong();
    const int employeeCount = parser.value(employees).toInt();
    out << u"%1 job punches, %2 employees; processor time (user + system), medians of %3 runs"_s
               .arg(punchCount)
               .arg(employeeCount)
               .arg(runCount)
        << Qt::endl;

    QList<std::pair<int, long>> peaks; // groups, peak KiB of the report by job
    const QStringList itemCounts = parser.value(items).split(u',');
    for (const QString& count : itemCounts) {
        const int itemCount = count.toInt();
        QString site;
        try {
            site = ensureSite(dir, employeeCount, punchCount, itemCount);
        } catch (const SiteBuilder::Error& error) {
            out << "cannot make the site: " << error.what() << Qt::endl;
            return 1;
        }
        out << u"  SQLite, %1 job groups:"_s.arg(itemCount) << Qt::endl;
        Series reports;
        compare(
            u"SQLite's own GROUP BY"_s, [&] { return child(site, u"anchor"_s); },
            [&] { return child(site, u"--by job"_s); }, runCount, &reports);
        peaks << std::pair {itemCount, reports.median().peakKiB};
        if (count == itemCounts.at(itemCounts.size() / 2)) {
            for (const QString& other :
                {u"--by day"_s, u"--by worker"_s, u"--by job --format pdf"_s}) {
                Series series;
                for (int run = 0; run < runCount; ++run)
                    series.results << child(site, other);
                line(u"report "_s + other, series.median());
            }
            qint64 longest = 0;
            child(site, u"--by job"_s, 0, &longest);
            out << u"    a terminal's save during the report waited at most %1"_s.arg(
                longest < 0 ? u"too long: it failed"_s : u"%1 ms"_s.arg(longest))
                << Qt::endl;
        }
    }
    if (peaks.size() > 1)
        out << u"  peak memory of the report by job: %1 MiB at %2 groups, %3 MiB at %4 groups: "
               "%5 times"_s.arg(peaks.first().second / 1024.0, 0, 'f', 1)
                   .arg(peaks.first().first)
                   .arg(peaks.last().second / 1024.0, 0, 'f', 1)
                   .arg(peaks.last().first)
                   .arg(double(peaks.last().second) / double(peaks.first().second), 0, 'f', 2)
            << Qt::endl;

    const QString server = qEnvironmentVariable("JOBCOSTING_TEST_SERVER");
    const int serverItemCount = parser.value(serverItems).toInt();
    if (server.isEmpty() || serverItemCount <= 0)
        return 0;
    QTemporaryDir serverSite;
    QElapsedTimer timer;
    timer.start();
    try {
        SiteBuilder::create(serverSite.path(), server);
        SiteBuilder::fillLarge(serverSite.path(), employeeCount, punchCount, serverItemCount);
        correctSome(serverSite.path());
    } catch (const SiteBuilder::Error& error) {
        out << "cannot make the server site: " << error.what() << Qt::endl;
        return 1;
    }
    QProcess::execute(u"psql"_s, {u"-X"_s, u"-q"_s, server, u"-c"_s, u"VACUUM ANALYZE"_s});
    out << u"  server, %1 job groups (site made in %2 s):"_s.arg(serverItemCount)
               .arg(timer.elapsed() / 1000)
        << Qt::endl;
    QProcess dataDirectory;
    dataDirectory.start(
        u"psql"_s, {u"-X"_s, u"-A"_s, u"-t"_s, server, u"-c"_s, u"SHOW data_directory"_s});
    dataDirectory.waitForFinished(-1);
    const qint64 postmaster
        = postmasterIn(QString::fromLocal8Bit(dataDirectory.readAllStandardOutput().trimmed()));
    if (postmaster == 0) {
        out << "the server's processes cannot be read from /proc" << Qt::endl;
        return 1;
    }
    compare(
        u"psql with the server's own GROUP BY"_s, [&] { return psql(server, postmaster); },
        [&] { return child(serverSite.path(), u"--by job"_s, postmaster); }, runCount);
    return 0;
}
