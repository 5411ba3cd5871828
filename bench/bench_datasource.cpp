// Times the data-source operations that the punch screen runs on every badge,
// on generated sites of growing size, and the peak memory they take.
//
//   bench_datasource [--punches 10000,1000000] [--employees 2000] [--runs 7]
//
// Each site is generated first; the operations then run in a child process
// (the same program with --measure DIR), so that its peak memory is that of
// the data-source work alone and not of the generation.

#include "ProcessMemory.h"
#include "SiteBuilder.h"
#include "data/DataSource.h"
#include "data/SiteModel.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace {

QTextStream out(stdout);

long peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Median milliseconds of `runs` runs of `measured`; `prepare` runs untimed first.
double medianMs(
    int runs, const std::function<void()>& measured, const std::function<void()>& prepare = {})
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        measured();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void report(const char* operation, double ms, const QString& note = {})
{
    out << QStringLiteral("  %1 %2 ms").arg(QLatin1String(operation), -46).arg(ms, 9, 'f', 3);
    if (!note.isEmpty())
        out << "   (" << note << ')';
    out << Qt::endl;
}

int measure(const QString& dir, int runs)
{
    QDir::setCurrent(dir);
    const SystemClock clock;
    const RegionalSettings regional(QStringLiteral("MM/dd/yyyy"), QStringLiteral("h:mm:ss AP"),
        QLatin1Char('.'), QLatin1Char(','), clock);
    const QString openJobs = QStringLiteral("select * from JobPunches where Badge = 'Open'");
    const long before = peakKilobytes();
    const long residentBefore = processKilobytes("VmRSS");

    std::unique_ptr<DataSource> data1;
    report("open Data1 on JobPunches (construct + refresh)",
        medianMs(
            runs,
            [&] {
                data1 = std::make_unique<DataSource>(QStringLiteral("Data1"),
                    SiteModel::jobPunchesFile, QStringLiteral("JobPunches"), false, regional);
                data1->refresh();
            },
            [&] { data1.reset(); }));

    report("set open-job query + refresh", medianMs(runs, [&] {
        data1->setRecordSource(openJobs);
        data1->refresh();
    }));

    const double miss
        = medianMs(runs, [&] { data1->findFirst(QStringLiteral("Name = 'Worker 17'")); });
    report("findFirst Name = 'Worker 17' (open jobs)", miss,
        data1->noMatch() ? QStringLiteral("no open job") : QStringLiteral("found"));

    data1->moveFirst();
    const QString firstOpen = data1->field(QStringLiteral("Name")).toString();
    const QString hit = QStringLiteral("Name = '%1'").arg(firstOpen);
    const double found = medianMs(runs, [&] { data1->findFirst(hit); });
    report("findFirst of a worker with an open job", found,
        data1->noMatch() ? QStringLiteral("not found") : firstOpen);

    qint64 count = 0;
    const double counting = medianMs(runs, [&] { count = data1->recordCount(); });
    report("recordCount (open jobs)", counting, QStringLiteral("%1 rows").arg(count));

    DataSource data8(QStringLiteral("Data8"), SiteModel::timeClockFile, QStringLiteral("EMPLOYEES"),
        false, regional);
    data8.refresh();
    const double badge
        = medianMs(runs, [&] { data8.findFirst(QStringLiteral("Badge = '000017'")); });
    report("findFirst Badge = '000017' (EMPLOYEES)", badge,
        data8.noMatch() ? QStringLiteral("no match") : data8.fieldText(QStringLiteral("Name")));

    const long after = peakKilobytes();
    out << QStringLiteral(
        "  peak memory (ru_maxrss) %1 KiB before the work, %2 KiB after (+%3 KiB);"
        " resident %4 -> %5 KiB")
               .arg(before)
               .arg(after)
               .arg(after - before)
               .arg(residentBefore)
               .arg(processKilobytes("VmRSS"))
        << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the data-source operations of a badge."));
    parser.addHelpOption();
    const QCommandLineOption punches(QStringLiteral("punches"),
        QStringLiteral("Comma-separated job-punch counts."), QStringLiteral("list"),
        QStringLiteral("10000,1000000"));
    const QCommandLineOption employees(QStringLiteral("employees"), QStringLiteral("Employees."),
        QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs per operation."),
        QStringLiteral("N"), QStringLiteral("7"));
    const QCommandLineOption measureIn(QStringLiteral("measure"),
        QStringLiteral("Measure an existing site (internal)."), QStringLiteral("DIR"));
    parser.addOptions({punches, employees, runs, measureIn});
    parser.process(app);
    const int runCount = std::max(1, parser.value(runs).toInt());
    if (parser.isSet(measureIn))
        return measure(parser.value(measureIn), runCount);

    for (const QString& size : parser.value(punches).split(QLatin1Char(','))) {
        QTemporaryDir dir;
        const qint64 punchCount = size.toLongLong();
        QElapsedTimer generation;
        generation.start();
        try {
            SiteBuilder::create(dir.path());
            SiteBuilder::fillLarge(dir.path(), parser.value(employees).toInt(), punchCount);
        } catch (const SiteBuilder::Error& error) {
            out << "cannot build the site: " << error.what() << Qt::endl;
            return 1;
        }
        out << QStringLiteral("%1 punches, %2 employees (site built in %3 s, JobPunches.MDB %4 MB)")
                   .arg(punchCount)
                   .arg(parser.value(employees))
                   .arg(generation.elapsed() / 1000.0, 0, 'f', 1)
                   .arg(
                       QFileInfo(QDir(dir.path()).filePath(SiteModel::jobPunchesFile)).size() / 1e6,
                       0, 'f', 1)
            << Qt::endl;

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--measure"), dir.path(), QStringLiteral("--runs"),
                QString::number(runCount)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            return 1;
    }
    return 0;
}
