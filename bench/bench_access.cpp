// Times a badge lookup on the sample site's Access EMPLOYEES side by side with
// the same rows in a SQLite copy, and what reading a changed Access table again
// costs per thousand rows.
//
//   bench_access [--runs 301]
//
// The lookup is the badge handler's data-source work: the search and the four
// fields it keeps. A changed file is simulated by moving the file's
// modification time on before each timed lookup, so that the table is read
// again each time (the same work as after a real change).

#include "SiteBuilder.h"
#include "SiteConverter.h"
#include "data/AccessTable.h"
#include "data/DataSource.h"
#include "data/SiteModel.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

const QString sampleSite = QStringLiteral(JOBCOSTING_SAMPLE_SITE);

struct Timing
{
    double median;
    double p95;
};

Timing time(int runs, const std::function<void()>& measured, const std::function<void()>& prepare)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        measured();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.at(times.size() * 95 / 100)};
}

void report(const QString& what, Timing timing, const QString& note = {})
{
    out << QStringLiteral("  %1 median %2 ms, p95 %3 ms")
               .arg(what, -52)
               .arg(timing.median, 7, 'f', 3)
               .arg(timing.p95, 7, 'f', 3);
    if (!note.isEmpty())
        out << "   " << note;
    out << Qt::endl;
}

// Moves the file's modification time on, as another program's save does.
void touch(const QString& path)
{
    static QDateTime next = QDateTime::currentDateTime();
    next = next.addSecs(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)
        || !file.setFileTime(next, QFileDevice::FileModificationTime))
        qFatal("cannot touch %s", qPrintable(path));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times badge lookups on Access and SQLite, and Access re-reads."));
    parser.addHelpOption();
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs per operation."),
        QStringLiteral("N"), QStringLiteral("301"));
    parser.addOption(runs);
    parser.process(app);
    const int runCount = std::max(1, parser.value(runs).toInt());
    const SystemClock clock;
    const RegionalSettings regional(QStringLiteral("MM/dd/yyyy"), QStringLiteral("h:mm:ss AP"),
        QLatin1Char('.'), QLatin1Char(','), clock);

    QTemporaryDir access;
    QTemporaryDir sqlite;
    try {
        for (const QString& file : {SiteModel::jobPunchesFile, SiteModel::timeClockFile}) {
            if (!QFile::copy(QDir(sampleSite).filePath(file), QDir(access.path()).filePath(file)))
                throw SiteBuilder::Error("cannot copy the sample site");
            QFile::setPermissions(
                QDir(access.path()).filePath(file), QFile::ReadOwner | QFile::WriteOwner);
        }
        SiteBuilder::create(sqlite.path());
        SiteConverter::copyRows(
            Access::readTable(
                QDir(sampleSite).filePath(SiteModel::timeClockFile), QStringLiteral("EMPLOYEES")),
            QDir(sqlite.path()).filePath(SiteModel::timeClockFile));
    } catch (const std::exception& error) {
        out << "cannot build the sites: " << error.what() << Qt::endl;
        return 1;
    }

    out << "Badge lookup on an unchanged EMPLOYEES (40 rows), " << runCount << " runs:" << Qt::endl;
    const QString badge = QStringLiteral("Badge = '001232'"); // the last row
    for (const auto& [engine, dir] :
        {std::pair {"SQLite", sqlite.path()}, {"Access", access.path()}}) {
        QDir::setCurrent(dir);
        DataSource data8(QStringLiteral("Data8"), SiteModel::timeClockFile,
            QStringLiteral("EMPLOYEES"), false, regional);
        data8.refresh();
        const Timing lookup = time(
            runCount,
            [&] {
                data8.findFirst(badge);
                for (const char* field : {"Name", "EmpNum", "DeptNum", "BasePayRate"})
                    data8.field(QLatin1String(field));
            },
            [] {});
        report(QStringLiteral("%1 findFirst + 4 fields").arg(QLatin1String(engine)), lookup,
            data8.fieldText(QStringLiteral("Name")));
    }

    out << "Access table read again after a change:" << Qt::endl;
    QDir::setCurrent(access.path());
    for (const auto& [file, table, criteria] :
        {std::tuple {SiteModel::timeClockFile, "EMPLOYEES", "Badge = '001232'"},
            {SiteModel::jobPunchesFile, "JobPunches", "Name = 'Zion Baker'"}}) {
        DataSource data(QStringLiteral("Data"), file, QLatin1String(table), true, regional);
        data.refresh();
        const qint64 rows = data.recordCount();
        const Timing reread = time(
            runCount, [&] { data.findFirst(QLatin1String(criteria)); }, [&] { touch(file); });
        report(
            QStringLiteral("%1 (%2 rows) re-read + findFirst").arg(QLatin1String(table)).arg(rows),
            reread,
            QStringLiteral("= %1 ms per 1000 rows").arg(reread.median * 1000 / rows, 0, 'f', 2));
    }
    return 0;
}
