// Times the job-cost report on generated sites of growing size, beside the
// anchor: a plain forward-only QSqlQuery over every column of JobPunches, the
// least any report that reads the rows through Qt SQL can cost.
//
//   bench_report [--punches 10000,1000000] [--employees 2000] [--runs 3]
//
// Each measurement runs in a child process (this program with --measure), so
// that its peak memory is its own. On the largest site a save waits for the
// report meanwhile, as a terminal's End Job would; its longest wait is shown.

#include "JobCostCommand.h"
#include "SiteBuilder.h"
#include "data/DataSource.h"
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
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sys/resource.h>
#include <utility>

namespace {

QTextStream out(stdout);

// The processor time and the peak memory of this process so far.
std::pair<qint64, long> usage()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) {
        return time.tv_sec * 1000 + time.tv_usec / 1000;
    };
    return {ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
}

// One measurement: prints "<ms> <processor ms> <peak KiB>". On a busy machine
// the processor time says more than the time on the clock.
int measure(const QString& dir, const QString& what)
{
    const QString file = QDir(dir).filePath(SiteBuilder::jobPunchesFile);
    QElapsedTimer timer;
    timer.start();
    const qint64 processorBefore = usage().first;
    qint64 rows = 0;
    if (what == QLatin1String("anchor")) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(file);
        db.open();
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.exec(QStringLiteral("SELECT * FROM JobPunches"));
        const int columns = query.record().count();
        while (query.next()) {
            for (int i = 0; i < columns; ++i)
                rows += query.value(i).isNull() ? 0 : 1;
        }
    } else if (what == QLatin1String("walk")) {
        const SystemClock clock;
        const RegionalSettings iso(QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"),
            QLatin1Char('.'), QChar(), clock);
        DataSource punches(
            QStringLiteral("JobPunches"), file, QStringLiteral("JobPunches"), true, iso);
        punches.refresh();
        punches.forEachRow([&](const QSqlRecord&) { ++rows; });
    } else {
        QByteArray report;
        QBuffer buffer(&report);
        buffer.open(QIODevice::WriteOnly);
        QString errors;
        QTextStream err(&errors);
        const QStringList arguments = what.split(QLatin1Char(' ')) + QStringList {dir};
        const SystemClock clock;
        const RegionalSettings regional(QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"),
            QLatin1Char('.'), QChar(), clock);
        if (JobCostCommand::run(arguments, clock, regional, buffer, err) != 0) {
            out << errors;
            return 1;
        }
        rows = report.size();
    }
    const auto [processor, kilobytes] = usage();
    out << timer.elapsed() << ' ' << processor - processorBefore << ' ' << kilobytes << Qt::endl;
    return rows > 0 ? 0 : 1;
}

struct Result
{
    qint64 ms = 0;
    qint64 processorMs = 0;
    long kilobytes = 0;
};

Result child(const QString& dir, const QString& what, qint64* longestSaveWait = nullptr)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(),
        {QStringLiteral("--measure"), dir, QStringLiteral("--what"), what});
    process.waitForStarted();
    if (longestSaveWait) {
        // A terminal's save during the report: the same busy wait, 5 s at most.
        {
            QSqlDatabase db
                = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("save"));
            db.setDatabaseName(QDir(dir).filePath(SiteBuilder::jobPunchesFile));
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
            db.open();
            while (!process.waitForFinished(200)) {
                QElapsedTimer wait;
                wait.start();
                QSqlQuery save(db);
                if (!save.exec(
                        QStringLiteral("UPDATE JobPunches SET Pieces = Pieces WHERE ID = 1")))
                    *longestSaveWait = -1;
                else if (*longestSaveWait >= 0)
                    *longestSaveWait = std::max(*longestSaveWait, wait.elapsed());
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("save"));
    }
    process.waitForFinished(-1);
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (process.exitCode() != 0 || fields.size() != 3)
        return {-1, -1, -1};
    return {fields.at(0).toLongLong(), fields.at(1).toLongLong(), fields.at(2).toLong()};
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the job-cost report."));
    parser.addHelpOption();
    const QCommandLineOption punches(QStringLiteral("punches"),
        QStringLiteral("Comma-separated job-punch counts."), QStringLiteral("list"),
        QStringLiteral("10000,1000000"));
    const QCommandLineOption employees(QStringLiteral("employees"), QStringLiteral("Employees."),
        QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption runs(QStringLiteral("runs"),
        QStringLiteral("Runs per measurement (the median is shown)."), QStringLiteral("N"),
        QStringLiteral("3"));
    const QCommandLineOption measureIn(QStringLiteral("measure"),
        QStringLiteral("Measure in an existing site (internal)."), QStringLiteral("DIR"));
    const QCommandLineOption what(
        QStringLiteral("what"), QStringLiteral("What to measure (internal)."), QStringLiteral("W"));
    parser.addOptions({punches, employees, runs, measureIn, what});
    parser.process(app);
    if (parser.isSet(measureIn))
        return measure(parser.value(measureIn), parser.value(what));

    const int runCount = std::max(1, parser.value(runs).toInt());
    const QStringList sizes = parser.value(punches).split(QLatin1Char(','));
    for (const QString& size : sizes) {
        QTemporaryDir dir;
        QElapsedTimer generation;
        generation.start();
        try {
            SiteBuilder::create(dir.path());
            SiteBuilder::fillLarge(dir.path(), parser.value(employees).toInt(), size.toLongLong());
        } catch (const SiteBuilder::Error& error) {
            out << "cannot build the site: " << error.what() << Qt::endl;
            return 1;
        }
        out << QStringLiteral("%1 punches, %2 employees (site built in %3 s, JobPunches.MDB %4 MB)")
                   .arg(size, parser.value(employees))
                   .arg(generation.elapsed() / 1000.0, 0, 'f', 1)
                   .arg(QFileInfo(QDir(dir.path()).filePath(SiteBuilder::jobPunchesFile)).size()
                           / 1e6,
                       0, 'f', 1)
            << Qt::endl;

        for (const QString& measured :
            {QStringLiteral("anchor"), QStringLiteral("walk"), QStringLiteral("--by job"),
                QStringLiteral("--by day"), QStringLiteral("--by job --format pdf")}) {
            QList<Result> results;
            for (int run = 0; run < runCount; ++run)
                results << child(dir.path(), measured);
            std::sort(results.begin(), results.end(),
                [](const Result& a, const Result& b) { return a.ms < b.ms; });
            const Result median = results.at(results.size() / 2);
            const QString name = measured == QLatin1String("anchor")
                ? QStringLiteral("anchor: QSqlQuery over every column")
                : measured == QLatin1String("walk") ? QStringLiteral("DataSource::forEachRow alone")
                                                    : QStringLiteral("report ") + measured;
            out << QStringLiteral("  %1 %2 ms (processor %3 ms), peak %4 MiB")
                       .arg(name, -40)
                       .arg(median.ms, 7)
                       .arg(median.processorMs, 7)
                       .arg(median.kilobytes / 1024.0, 6, 'f', 1)
                << Qt::endl;
        }
        if (size == sizes.last()) {
            qint64 longest = 0;
            child(dir.path(), QStringLiteral("--by job"), &longest);
            out << QStringLiteral("  a save during the report waited at most %1")
                       .arg(longest < 0 ? QStringLiteral("too long: it failed")
                                        : QStringLiteral("%1 ms").arg(longest))
                << Qt::endl;
        }
    }
    return 0;
}
