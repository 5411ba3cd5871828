// A server site's terminal through an outage of its server, measured on the
// private test server:
//
// 1. The worker's answer when the server stops answering (its processes
//    stopped) just before a Start Job: the time from the save to the "kept"
//    answer, beside the deadline and, as the anchor, the same save with the
//    server up.
// 2. The cost of a kept Start Job (the journal's write, on the disk before the
//    answer) beside a Start Job written on the server, and beside a raw SQLite
//    insert that waits for the disk as the journal's does.
// 3. The time from the server's return to the last kept punch on it, for 10
//    and for 1,000 kept punches.
//
//   scripts/test-server build/bench/bench_outage [--deadline 10] [--runs 5] [--punches 10,1000]

#include "BenchPunch.h"
#include "Site.h"
#include "data/DataSource.h"
#include "data/OfflineStore.h"
#include "data/SiteModel.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
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

double median(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms.isEmpty() ? 0 : ms.at(ms.size() / 2);
}

double largest(const QList<double>& ms)
{
    return ms.isEmpty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

// A Start Job's save through the punch data source, as the screen makes it.
DataSource::Saved startJob(DataSource& data1, int worker)
{
    addStartJob(data1, u"Worker %1"_s.arg(worker), worker);
    return data1.save();
}

double timed(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

// The terminal works on its server again, its connection open.
void back(const Site& site, DataSource& data1)
{
    if (!allSent(site.path(), 120000))
        throw std::runtime_error("the kept punches were not sent");
    data1.refresh();
}

int run(double deadline, int runs, const QList<int>& batches)
{
    Site site(Site::Contents::Demo, Engine::Server);
    site.pointTo(QString::number(deadline));
    const auto store = OfflineStore::open(site.path());
    if (!QTest::qWaitFor([&] { return store->hasCopies(); }, 30000))
        throw std::runtime_error("the terminal made no copies");
    DataSource data1(u"Data1"_s, SiteModel::jobPunchesFile,
        u"select * from JobPunches where Badge = 'Open'"_s, false, regional);
    data1.refresh();
    int worker = 0;

    // 1. The answer when the server stops answering.
    QList<double> direct;
    QList<double> answer;
    for (int i = 0; i < runs; ++i) {
        direct << timed([&] { startJob(data1, ++worker); });
        ServerStop stop;
        answer << timed([&] {
            if (startJob(data1, ++worker) != DataSource::Saved::Kept)
                throw std::runtime_error("a punch was neither written nor kept");
        });
        stop.resume();
        back(site, data1);
    }
    out << u"1. Server stopped just before a Start Job; deadline %1 s, %2 runs (ms)"_s.arg(deadline)
               .arg(runs)
        << Qt::endl;
    out << u"   answer (kept)       median %1  max %2   want <= %3"_s.arg(median(answer), 9, 'f', 1)
               .arg(largest(answer), 9, 'f', 1)
               .arg(deadline * 1000 + 1000, 7, 'f', 0)
        << Qt::endl;
    out << u"   anchor: written     median %1  max %2"_s.arg(median(direct), 9, 'f', 1)
               .arg(largest(direct), 9, 'f', 1)
        << Qt::endl;

    // 2. A kept Start Job beside a written one and a raw SQLite insert.
    const int writes = std::max(20, runs * 20);
    QList<double> written;
    for (int i = 0; i < writes; ++i)
        written << timed([&] { startJob(data1, ++worker); });
    site.server()->setReachable(false);
    startJob(data1, ++worker); // finds the server away
    QList<double> kept;
    for (int i = 0; i < writes; ++i)
        kept << timed([&] { startJob(data1, ++worker); });
    QList<double> raw;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"raw"_s);
        db.setDatabaseName(site.file(u"raw.db"_s));
        db.open();
        QSqlQuery sql(db);
        sql.exec(u"PRAGMA journal_mode = WAL"_s);
        sql.exec(u"PRAGMA synchronous = FULL"_s);
        sql.exec(u"CREATE TABLE Journal (Seq INTEGER PRIMARY KEY, Punch TEXT)"_s);
        const QString punch(700, u'x');
        for (int i = 0; i < writes; ++i)
            raw << timed([&] {
                sql.prepare(u"INSERT INTO Journal (Punch) VALUES (?)"_s);
                sql.addBindValue(punch);
                sql.exec();
            });
    }
    QSqlDatabase::removeDatabase(u"raw"_s);
    site.server()->setReachable(true);
    back(site, data1);
    out << Qt::endl << u"2. Start Job saves, %1 each (ms)"_s.arg(writes) << Qt::endl;
    out << u"   written on the server  median %1  max %2"_s.arg(median(written), 8, 'f', 2)
               .arg(largest(written), 8, 'f', 2)
        << Qt::endl;
    out << u"   kept in the journal    median %1  max %2"_s.arg(median(kept), 8, 'f', 2)
               .arg(largest(kept), 8, 'f', 2)
        << Qt::endl;
    out << u"   anchor: raw SQLite insert, synchronous=FULL, WAL  median %1"_s.arg(
        median(raw), 8, 'f', 2)
        << Qt::endl;

    // 3. From the server's return to the last kept punch on it.
    out << Qt::endl
        << u"3. Server back after an outage: time until the last kept punch is there"_s << Qt::endl;
    const auto count = [&site] {
        return site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunches"_s)
            .value(0)
            .value(0)
            .toInt();
    };
    for (const int batch : batches) {
        site.server()->setReachable(false);
        startJob(data1, ++worker); // finds the server away
        for (int i = 1; i < batch; ++i)
            startJob(data1, ++worker);
        const int expected = worker;
        QElapsedTimer sent;
        site.server()->setReachable(true);
        sent.start();
        while (count() < expected)
            QTest::qWait(5);
        const double ms = sent.nsecsElapsed() / 1e6;
        out << u"   %1 kept punches: %2 ms (%3 ms a punch)"_s.arg(batch, 5)
                   .arg(ms, 8, 'f', 0)
                   .arg(ms / batch, 6, 'f', 2)
            << Qt::endl;
        back(site, data1);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Times a server site's terminal through an outage."_s);
    parser.addHelpOption();
    const QCommandLineOption deadline(
        u"deadline"_s, u"The terminal's deadline in seconds."_s, u"S"_s, u"10"_s);
    const QCommandLineOption runs(u"runs"_s, u"Stops of the server to answer."_s, u"N"_s, u"5"_s);
    const QCommandLineOption punches(
        u"punches"_s, u"Kept punches to send after an outage."_s, u"N,M"_s, u"10,1000"_s);
    parser.addOptions({deadline, runs, punches});
    parser.process(app);
    if (testServer().isEmpty()) {
        out << "No server: run it as scripts/test-server build/bench/bench_outage" << Qt::endl;
        return 2;
    }
    QList<int> batches;
    for (const QString& batch : parser.value(punches).split(u','))
        batches << std::max(1, batch.toInt());
    try {
        return run(
            parser.value(deadline).toDouble(), std::max(1, parser.value(runs).toInt()), batches);
    } catch (const std::exception& error) {
        out << "bench_outage: " << error.what() << Qt::endl;
        return 1;
    }
}
