#include "DiskFlushes.h"
#include "Outage.h"
#include "PunchScreen.h"
#include "ServerProxy.h"
#include "data/DataSource.h"
#include "data/OfflineStore.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"
#include "ui/PictureButton.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrlQuery>
#include <QtTest>
#include <csignal>
#include <iostream>
#include <thread>

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;
using Rows = QList<QVariantList>;

namespace {

using Outage::endJob;
using Outage::keptText;
using Outage::stored;

// Waits until the terminal's copy of the open jobs holds `count` jobs of the worker.
bool copied(const QString& folder, const QString& name, int count)
{
    return QTest::qWaitFor(
        [&] {
            return stored(folder,
                       u"SELECT COUNT(*) FROM jobpunches WHERE name = '%1' AND badge = 'Open'"_s
                           .arg(name))
                == Rows {{count}};
        },
        10000);
}

// Answers every box as a worker in a hurry does: OK, Yes, and five pieces.
class HurriedWorker : public Dialogs
{
public:
    Answer message(const Message& message) override
    {
        texts << message.text;
        return message.buttons == Buttons::Ok || message.buttons == Buttons::OkCancel ? Answer::Ok
                                                                                      : Answer::Yes;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return u"5"_s; }
    void beep() override { }
    QStringList texts;
};

} // namespace

// A terminal whose server goes away keeps its workers' punches and sends them
// when the server answers again, each once; on the private test server.
class TestOffline : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void punchesKeptWhileServerIsAwayArriveOnce_data();
    void punchesKeptWhileServerIsAwayArriveOnce();
    void sendCutMidway_data();
    void sendCutMidway();
    void savesStandInTheCopiesAtOnce();
    void lostAnswerLeavesOneRow_data();
    void lostAnswerLeavesOneRow();
    void punchesThatNoLongerApplyAreSettledOnce_data();
    void punchesThatNoLongerApplyAreSettledOnce();
    void startWithoutServer_data();
    void startWithoutServer();
    void folderThatCannotKeepPunchesRefusesAsBefore();
    void killedWithAFullJournalLosesNothing();
    void twoTerminalsThroughRandomOutages();

    // Run by the tests above in processes of their own.
    void keepPunchesAndDie();
    void runTerminal();
};

void TestOffline::init()
{
    if (testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set. scripts/test sets it; "
              "scripts/test-server ctest runs the tests with one.");
    const bool child = !qEnvironmentVariableIsEmpty("JOBCOSTING_CHILD_SITE");
    const QLatin1String function(QTest::currentTestFunction());
    const bool childTest = function == QLatin1String("keepPunchesAndDie")
        || function == QLatin1String("runTerminal");
    if (child != childTest)
        QSKIP("Run in a process of its own by another test.");
}

// A job started or ended on the server shows in the terminal's copy of the
// open jobs as the save returns, not only when the copy is next refreshed: an
// outage right after it finds the jobs as they are, and a worker who ended his
// job is not offered it to end again.
void TestOffline::savesStandInTheCopiesAtOnce()
{
    Site site(Site::Contents::Demo, Engine::Server);
    site.pointTo(u"0.5"_s);
    const auto store = OfflineStore::open(site.path());
    QVERIFY(store);
    QVERIFY(QTest::qWaitFor([&] { return store->hasCopies(); }, 10000));
    const SystemClock clock;
    const RegionalSettings regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), clock};
    DataSource punches(u"Data1"_s, SiteModel::jobPunchesFile,
        u"select * from JobPunches where Badge = 'Open'"_s, false, regional);
    punches.refresh();
    const auto openInCopy = [&site] {
        return stored(
            site.path(), u"SELECT name FROM jobpunches WHERE badge = 'Open' ORDER BY name"_s);
    };
    const auto start = [&](const QString& name) {
        punches.addNew();
        punches.setField(u"Name"_s, name);
        punches.setField(u"Badge"_s, u"Open"_s);
        punches.setField(u"TimeStop"_s, QTime(7, 0));
        punches.setField(u"PunchId"_s, QUuid::createUuid().toString(QUuid::WithoutBraces));
        QCOMPARE(punches.save(), DataSource::Saved::Written);
    };
    // Checked as each save returns, before the copy's next refresh can come.
    start(u"Walter Brennan"_s);
    QCOMPARE(openInCopy(), (Rows {{u"Walter Brennan"_s}}));
    start(u"Maria Lopez"_s);
    QCOMPARE(openInCopy(), (Rows {{u"Maria Lopez"_s}, {u"Walter Brennan"_s}}));
    punches.refresh();
    punches.findFirst(u"Name = 'Walter Brennan'"_s);
    punches.edit();
    punches.setField(u"Badge"_s, u"Closed"_s);
    QCOMPARE(punches.save(), DataSource::Saved::Written);
    QCOMPARE(openInCopy(), (Rows {{u"Maria Lopez"_s}}));

    // Away from its server, the terminal finds the open jobs as they are.
    const ServerStop stop;
    punches.refresh();
    QStringList open;
    for (; !punches.eof(); punches.moveNext())
        open << punches.field(u"Name"_s).toString();
    QCOMPARE(open, QStringList {u"Maria Lopez"_s});
}

void TestOffline::punchesKeptWhileServerIsAwayArriveOnce_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<bool>("linked"); // the working folder is also reached through a link
    QTest::newRow("the server refuses the terminal") << false << false;
    QTest::newRow("the server stands still, the folder through a link") << true << true;
}

// Walter ends the job he started before the outage, Maria starts and ends
// one and Linda starts one, all while the server is away: each is told at
// once that his punch is kept (the first within the deadline and a second),
// badges in and chooses his job from the terminal's copies, and when the
// server answers again every punch arrives there once, without another badge.
// A punch is on the disk before the worker is told; the copy of a punch the
// server has needs no flush. The folder, by any path, has one store.
void TestOffline::punchesKeptWhileServerIsAwayArriveOnce()
{
    QFETCH(bool, stopped);
    QFETCH(bool, linked);
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const Site& site = punch.site();
    site.pointTo(u"0.5"_s);
    QTemporaryDir links;
    const QString link = links.filePath(u"site"_s);
    std::shared_ptr<OfflineStore> throughLink;
    if (linked) {
        QVERIFY(QFile::link(site.path(), link));
        throughLink = OfflineStore::open(link);
    }
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    QTRY_VERIFY_WITH_TIMEOUT(OfflineStore::of(site.path())->hasCopies(), 10000);
    long flushes = diskFlushes();
    punch.startJob(u"000123"_s);
    QCOMPARE(diskFlushes() - flushes, 0);
    QVERIFY(copied(site.path(), u"Walter Brennan"_s, 1));
    const QString walter = site.jobPunches().first().value(u"PunchId"_s).toString();

    {
        std::optional<ServerStop> stop;
        if (stopped)
            stop.emplace();
        else
            site.server()->setReachable(false);
        QElapsedTimer waited;
        waited.start();
        flushes = diskFlushes();
        endJob(punch, u"000123"_s, u"5"_s, true);
        QVERIFY2(waited.elapsed() < 1500, qPrintable(QString::number(waited.elapsed())));
        QVERIFY(diskFlushes() > flushes);
        // The terminal knows now: the next ones wait for no server.
        waited.restart();
        punch.startJob(u"000124"_s, true);
        QCOMPARE(punch.find<QLabel>(u"Label5"_s)->text(), u"Maria Lopez"_s);
        endJob(punch, u"000124"_s, u"3"_s, true);
        punch.startJob(u"000126"_s, true);
        QVERIFY2(waited.elapsed() < 500, qPrintable(QString::number(waited.elapsed())));
        VERIFY_DIALOGS(dialogs);
        const Dialogs::Message told = dialogs.shown().last().message;
        QCOMPARE(told.text, keptText);
        QCOMPARE(told.title, u"Job Costing - Operator Information"_s);
        QCOMPARE(told.icon, Dialogs::Icon::Information);
        QCOMPARE(told.buttons, Dialogs::Buttons::Ok);
        QCOMPARE(OfflineStore::of(site.path())->journalled(), 4);
        if (linked)
            QCOMPARE(OfflineStore::of(link), OfflineStore::of(site.path()));
        QCOMPARE(punch.badgeEntryProblems(), QString());
        if (!stopped)
            site.server()->setReachable(true);
    }

    QVERIFY(allSent(site.path()));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT Name, Badge, Pieces, COUNT(*) OVER (PARTITION BY PunchId) FROM "
                 "JobPunches ORDER BY ID"_s),
        (Rows {{u"Walter Brennan"_s, u"Closed"_s, 5.0, 1}, {u"Maria Lopez"_s, u"Closed"_s, 3.0, 1},
            {u"Linda Kowalski"_s, u"Open"_s, 0.0, 1}}));
    QCOMPARE(site.jobPunches().first().value(u"PunchId"_s).toString(), walter);
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunchConflicts"_s),
        Rows {{0}});
    // The terminal works on its server again.
    endJob(punch, u"000126"_s, u"2"_s);
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT Badge FROM JobPunches WHERE Name = 'Linda Kowalski'"_s),
        Rows {{u"Closed"_s}});
}

void TestOffline::sendCutMidway_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::newRow("its statement cancelled") << false;
    QTest::newRow("the server stops") << true;
}

// A kept End Job waits on the server for the row that another connection
// holds when its send is cut midway. A cancelled statement is sent again,
// never taken for a conflict. A server that stops is given up on at the
// deadline by the sending thread too, and the terminal then ends at once.
// Either way the punch arrives once.
void TestOffline::sendCutMidway()
{
    QFETCH(bool, stopped);
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const Site& site = punch.site();
    site.pointTo(u"1"_s);
    QVERIFY(punch.open());
    punch.startJob(u"000123"_s);
    QVERIFY(copied(site.path(), u"Walter Brennan"_s, 1));
    site.server()->setReachable(false);
    endJob(punch, u"000123"_s, u"5"_s, true);
    VERIFY_DIALOGS(punch.services().dialogs);

    const QString role
        = QUrlQuery(QUrl(site.server()->uri()).query()).allQueryItemValues(u"user"_s).last();
    const QString admin = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, admin);
        PostgresFile::configure(db, testServer());
        QVERIFY(db.open());
        QSqlQuery query(db);
        const auto run = [&query](const QString& sql) {
            if (!query.exec(sql))
                qFatal("%s", qPrintable(query.lastError().text()));
            return query.next() ? query.value(0) : QVariant();
        };
        run(u"BEGIN"_s);
        run(u"SELECT 1 FROM %1.jobpunches WHERE name = 'Walter Brennan' FOR UPDATE"_s.arg(role));
        site.server()->setReachable(true);
        // The activity is read anew in the transaction at each look.
        const auto waiting = [&] {
            run(u"SELECT pg_stat_clear_snapshot()"_s);
            return run(u"SELECT pid FROM pg_stat_activity WHERE usename = '%1' AND "
                       "wait_event_type = 'Lock'"_s.arg(role));
        };
        QTRY_VERIFY_WITH_TIMEOUT(waiting().isValid(), 10000);
        if (stopped) {
            std::optional<ServerStop> stop(std::in_place);
            QElapsedTimer waited;
            waited.start();
            // A sending thread that waited for the server without a bound would
            // keep the terminal from ending: it is freed after three seconds, to fail.
            std::atomic<bool> closed = false;
            std::thread watchdog([&] {
                for (const QDeadlineTimer limit(3000); !closed && !limit.hasExpired();)
                    QThread::msleep(20);
                if (!closed) {
                    stop->resume();
                    site.server()->dropConnections();
                }
            });
            punch.close();
            closed = true;
            watchdog.join();
            QVERIFY2(waited.elapsed() < 2000, qPrintable(QString::number(waited.elapsed())));
            QVERIFY(!OfflineStore::of(site.path()));
            stop.reset();
            const auto store = OfflineStore::open(site.path());
            QTRY_VERIFY_WITH_TIMEOUT(waiting().isValid(), 10000);
            run(u"COMMIT"_s);
            QVERIFY(allSent(site.path()));
        } else {
            run(u"SELECT pg_cancel_backend(%1)"_s.arg(waiting().toInt()));
            QTest::qWait(300);
            run(u"COMMIT"_s);
            QVERIFY(allSent(site.path()));
        }
    }
    QSqlDatabase::removeDatabase(admin);
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT Name, Badge, Pieces FROM JobPunches"_s),
        (Rows {{u"Walter Brennan"_s, u"Closed"_s, 5.0}}));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunchConflicts"_s),
        Rows {{0}});
}

void TestOffline::lostAnswerLeavesOneRow_data()
{
    QTest::addColumn<bool>("end");
    QTest::newRow("a Start Job") << false;
    QTest::newRow("an End Job") << true;
}

// The server commits a punch whose answer never reaches the terminal: the
// terminal keeps it and sends it again, and the server holds it once.
void TestOffline::lostAnswerLeavesOneRow()
{
    QFETCH(bool, end);
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const Site& site = punch.site();
    ServerProxy proxy;
    site.pointTo(u"0.5"_s, proxy.uri(site.server()->uri()));
    QVERIFY(punch.open());
    if (end) {
        punch.startJob(u"000123"_s);
        QVERIFY(copied(site.path(), u"Walter Brennan"_s, 1));
    }

    proxy.loseAnswerToNextWrite();
    if (end)
        endJob(punch, u"000123"_s, u"5"_s, true);
    else
        punch.startJob(u"000123"_s, true);
    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.services().dialogs.texts().last(), keptText);

    QVERIFY(allSent(site.path()));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT Name, Badge, Pieces FROM JobPunches"_s),
        (Rows {{u"Walter Brennan"_s, end ? u"Closed"_s : u"Open"_s, end ? 5.0 : 0.0}}));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunchConflicts"_s),
        Rows {{0}});
}

void TestOffline::punchesThatNoLongerApplyAreSettledOnce_data()
{
    QTest::addColumn<bool>("startedBefore"); // Walter's job started while the server answered
    QTest::addColumn<bool>("endWhileAway");
    QTest::addColumn<QString>("elsewhere"); // what another terminal did meanwhile
    QTest::addColumn<Rows>("conflicts"); // Action, Reason's start, Level1ItemCode, Pieces
    QTest::addColumn<Rows>("onServer"); // Walter's jobs: Badge, Level1ItemCode, Pieces

    const QString openElsewhere = u"INSERT INTO JobPunches (Name, Badge, Level1ItemCode, Pieces) "
                                  "VALUES ('Walter Brennan', 'Open', 'elsewhere', 0)"_s;
    QTest::newRow("started here while a job was started elsewhere")
        << false << false << openElsewhere
        << Rows {{u"start"_s, u"Walter Brennan had a job open"_s, u"12"_s, 0.0}}
        << Rows {{u"Open"_s, u"elsewhere"_s, 0.0}};
    QTest::newRow("ended here and elsewhere")
        << true << true
        << u"UPDATE JobPunches SET Badge = 'Closed', Pieces = 9 WHERE Name = 'Walter Brennan'"_s
        << Rows {{u"end"_s, u"The job was ended elsewhere"_s, u"12"_s, 5.0}}
        << Rows {{u"Closed"_s, u"12"_s, 9.0}};
    QTest::newRow("ended here, its start refused")
        << false << true << openElsewhere
        << Rows {{u"start"_s, u"Walter Brennan had a job open"_s, u"12"_s, 0.0},
               {u"end"_s, u"The job is not on the server"_s, u"12"_s, 5.0}}
        << Rows {{u"Open"_s, u"elsewhere"_s, 0.0}};
}

// A kept punch that can no longer be applied as it is goes into
// JobPunchConflicts with the fields as the terminal had them, and never
// doubles or closes another job; sent again, it is there once.
void TestOffline::punchesThatNoLongerApplyAreSettledOnce()
{
    QFETCH(bool, startedBefore);
    QFETCH(bool, endWhileAway);
    QFETCH(QString, elsewhere);
    QFETCH(Rows, conflicts);
    QFETCH(Rows, onServer);
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const Site& site = punch.site();
    ServerProxy proxy;
    site.pointTo(u"0.5"_s, proxy.uri(site.server()->uri()));
    QVERIFY(punch.open());
    QTRY_VERIFY_WITH_TIMEOUT(OfflineStore::of(site.path())->hasCopies(), 10000);
    if (startedBefore) {
        punch.startJob(u"000123"_s);
        QVERIFY(copied(site.path(), u"Walter Brennan"_s, 1));
    }

    proxy.setDown(true);
    if (!startedBefore)
        punch.startJob(u"000123"_s, true);
    if (endWhileAway)
        endJob(punch, u"000123"_s, u"5"_s, true);
    VERIFY_DIALOGS(punch.services().dialogs);
    const Rows journal
        = stored(site.path(), u"SELECT Action, PunchId, KeptAt, Punch FROM Journal"_s);
    site.sql(SiteModel::jobPunchesFile, elsewhere);
    proxy.setDown(false);
    QVERIFY(allSent(site.path()));

    const auto settled = [&] {
        return site.sql(SiteModel::jobPunchesFile,
            u"SELECT Action, Reason, Level1ItemCode, Pieces, Terminal, PunchId FROM "
            "JobPunchConflicts ORDER BY ID"_s);
    };
    const Rows found = settled();
    QCOMPARE(found.size(), conflicts.size());
    for (qsizetype i = 0; i < found.size(); ++i) {
        QCOMPARE(found.at(i).at(0), conflicts.at(i).at(0));
        QVERIFY2(found.at(i).at(1).toString().startsWith(conflicts.at(i).at(1).toString()),
            qPrintable(found.at(i).at(1).toString()));
        QCOMPARE(found.at(i).mid(2, 2), conflicts.at(i).mid(2, 2));
        // The terminal: its machine and its working folder.
        QCOMPARE(found.at(i).at(4).toString(),
            QSysInfo::machineHostName() + u':' + QDir(site.path()).absolutePath());
    }
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT Badge, Level1ItemCode, Pieces FROM JobPunches WHERE Name = 'Walter "
                 "Brennan' ORDER BY ID"_s),
        onServer);

    // The same punches sent once more (their answers lost) change nothing,
    // also once the job they met is ended.
    site.sql(SiteModel::jobPunchesFile,
        u"UPDATE JobPunches SET Badge = 'Closed' WHERE Name = 'Walter Brennan'"_s);
    const QString copy = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, copy);
        db.setDatabaseName(QDir(site.path()).filePath(OfflineStore::fileName));
        QVERIFY(db.open());
        for (const QVariantList& entry : journal) {
            QSqlQuery again(db);
            again.prepare(u"INSERT INTO Journal (Action, PunchId, KeptAt, Punch) VALUES (?, ?, ?, "
                          "?)"_s);
            for (const QVariant& value : entry)
                again.addBindValue(value);
            QVERIFY2(again.exec(), qPrintable(again.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(copy);
    OfflineStore::of(site.path())->markAway();
    QVERIFY(allSent(site.path()));
    QCOMPARE(settled(), found);
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT Level1ItemCode, Pieces FROM JobPunches WHERE Name = 'Walter Brennan' "
                 "ORDER BY ID"_s),
        onServer.isEmpty() ? Rows {} : Rows {onServer.first().mid(1)});
}

void TestOffline::startWithoutServer_data()
{
    QTest::addColumn<bool>("copiesBefore");
    QTest::newRow("the first start") << false;
    QTest::newRow("with copies from an earlier start") << true;
}

// A terminal that starts without its server runs on the copies an earlier
// start left; without any it refuses, with the status that has the kiosk
// service try again later.
void TestOffline::startWithoutServer()
{
    QFETCH(bool, copiesBefore);
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const Site& site = punch.site();
    site.pointTo(u"0.5"_s);
    if (copiesBefore) {
        QVERIFY(punch.open());
        QTRY_VERIFY_WITH_TIMEOUT(OfflineStore::of(site.path())->hasCopies(), 10000);
    }
    site.server()->setReachable(false);
    ScriptedDialogs& dialogs = punch.services().dialogs;
    if (!copiesBefore)
        dialogs.answer(Answer::Ok);

    punch.open();

    const RecordingProgram& program = punch.services().program;
    if (!copiesBefore) {
        QCOMPARE(program.ends, 1);
        QCOMPARE(program.status, ExitStatus::ServerAway);
        VERIFY_DIALOGS(dialogs);
        site.server()->setReachable(true);
        return;
    }
    QCOMPARE(program.ends, 0);
    punch.startJob(u"000123"_s, true);
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.texts().last(), keptText);
    site.server()->setReachable(true);
    QVERIFY(allSent(site.path()));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT Name, Badge FROM JobPunches"_s),
        (Rows {{u"Walter Brennan"_s, u"Open"_s}}));
}

// Where the working folder cannot hold the offline store, a save without a
// server is refused as before: nothing is kept, and the worker is told.
void TestOffline::folderThatCannotKeepPunchesRefusesAsBefore()
{
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const Site& site = punch.site();
    site.pointTo(u"0.5"_s);
    QVERIFY(QDir(site.path()).mkdir(OfflineStore::fileName));
    QVERIFY(punch.open());
    QVERIFY(!OfflineStore::of(site.path()));
    punch.enterJob(u"000123"_s);
    site.server()->setReachable(false);
    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.answer(Answer::Ok);
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);
    VERIFY_DIALOGS(dialogs);
    QVERIFY2(dialogs.texts().last().startsWith(u"The job was not started: "_s),
        qPrintable(dialogs.texts().last()));
    QCOMPARE(dialogs.shown().last().message.icon, Dialogs::Icon::Critical);
    site.server()->setReachable(true);
    QVERIFY(site.jobPunches().isEmpty());
}

// A terminal killed with punches in its journal sends them at its next start.
void TestOffline::killedWithAFullJournalLosesNothing()
{
    Site site(Site::Contents::Demo, Engine::Server);
    site.pointTo(u"0.5"_s);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"JOBCOSTING_CHILD_SITE"_s, site.path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"keepPunchesAndDie"_s});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    // The terminal stopped the server before it punched, and died before it let it go on.
    ServerStop().resume();
    const Rows kept = stored(site.path(), u"SELECT PunchId FROM Journal ORDER BY Seq"_s);
    QCOMPARE(kept.size(), 20);

    const auto store = OfflineStore::open(site.path());
    QVERIFY(allSent(site.path()));
    QCOMPARE(
        site.sql(SiteModel::jobPunchesFile, u"SELECT PunchId FROM JobPunches ORDER BY ID"_s), kept);
}

void TestOffline::keepPunchesAndDie()
{
    QDir::setCurrent(qEnvironmentVariable("JOBCOSTING_CHILD_SITE"));
    const auto store = OfflineStore::open(QDir::currentPath());
    QVERIFY(store);
    const SystemClock clock;
    const RegionalSettings regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), clock};
    DataSource punches(u"Data1"_s, SiteModel::jobPunchesFile, u"JobPunches"_s, false, regional);
    punches.refresh();
    ServerStop stop;
    for (int i = 0; i < 20; ++i) {
        punches.addNew();
        punches.setField(u"Name"_s, u"Worker %1"_s.arg(i));
        punches.setField(u"Badge"_s, u"Open"_s);
        punches.setField(u"PunchId"_s, QUuid::createUuid().toString(QUuid::WithoutBraces));
        QCOMPARE(punches.save(), DataSource::Saved::Kept);
    }
    ::raise(SIGKILL);
}

// Two terminals punch the same workers while the server stops and goes on at
// random moments. Every punch either of them made, written or kept, is on the
// server once (among the jobs or the conflicts), and no worker has two open jobs.
void TestOffline::twoTerminalsThroughRandomOutages()
{
    Site site(Site::Contents::Demo, Engine::Server);
    QTemporaryDir terminals[2];
    QProcess children[2];
    const QString cycles = qEnvironmentVariable("JOBCOSTING_OUTAGE_CYCLES", u"500"_s);
    for (int i = 0; i < 2; ++i) {
        for (const QString& name :
            {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile}) {
            QFile pointer(QDir(terminals[i].path()).filePath(name));
            QVERIFY(pointer.open(QIODevice::WriteOnly));
            pointer.write((site.server()->uri() + u"&jobcosting_deadline=0.3\n"_s).toUtf8());
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"JOBCOSTING_CHILD_SITE"_s, terminals[i].path());
        environment.insert(u"JOBCOSTING_CHILD_CYCLES"_s, cycles);
        environment.insert(u"JOBCOSTING_CHILD_OFFSET"_s, QString::number(i * 5));
        children[i].setProcessEnvironment(environment);
        children[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        children[i].start(QCoreApplication::applicationFilePath(), {u"runTerminal"_s});
        QVERIFY(children[i].waitForStarted());
    }
    QRandomGenerator random(20040226);
    const auto running = [&] {
        return children[0].state() != QProcess::NotRunning
            || children[1].state() != QProcess::NotRunning;
    };
    int outages = 0;
    while (running()) {
        QTest::qWait(random.bounded(30, 300));
        const ServerStop stop;
        ++outages;
        QTest::qWait(random.bounded(30, 400));
    }
    int started = 0;
    int ended = 0;
    for (QProcess& child : children) {
        QCOMPARE(child.exitCode(), 0);
        const QStringList tally = QString::fromLatin1(child.readAllStandardOutput())
                                      .split(u'\n')
                                      .filter(QRegularExpression(u"^tally "_s))
                                      .value(0)
                                      .split(u' ');
        QCOMPARE(tally.value(0), u"tally"_s);
        started += tally.value(1).toInt();
        ended += tally.value(2).toInt();
    }
    // What either terminal still holds goes at its next start.
    std::shared_ptr<OfflineStore> stores[2];
    for (int i = 0; i < 2; ++i) {
        stores[i] = OfflineStore::open(terminals[i].path());
        QVERIFY(allSent(terminals[i].path(), 60000));
    }
    qInfo("%d outages, %d starts and %d ends, %d conflicts", outages, started, ended,
        int(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunchConflicts"_s)
                .value(0)
                .value(0)
                .toInt()));
    QVERIFY(outages >= 5);
    const auto count = [&site](const QString& sql) {
        return site.sql(SiteModel::jobPunchesFile, sql).value(0).value(0).toInt();
    };
    QCOMPARE(count(u"SELECT COUNT(*) FROM JobPunches"_s)
            + count(u"SELECT COUNT(*) FROM JobPunchConflicts WHERE Action = 'start'"_s),
        started);
    QCOMPARE(count(u"SELECT COUNT(*) FROM JobPunches WHERE Badge = 'Closed'"_s)
            + count(u"SELECT COUNT(*) FROM JobPunchConflicts WHERE Action = 'end'"_s),
        ended);
    QCOMPARE(count(u"SELECT COUNT(*) FROM JobPunchConflicts c JOIN JobPunches j USING (PunchId) "
                   "WHERE c.Action = 'start'"_s),
        0);
    QCOMPARE(count(u"SELECT COUNT(*) FROM (SELECT Name FROM JobPunches WHERE Badge = 'Open' "
                   "GROUP BY Name HAVING COUNT(*) > 1) twice"_s),
        0);
}

// One terminal of the test above: badges in worker after worker, starting or
// ending each one's job, and tells how many starts and ends it made.
void TestOffline::runTerminal()
{
    QDir::setCurrent(qEnvironmentVariable("JOBCOSTING_CHILD_SITE"));
    const int cycles = qEnvironmentVariableIntValue("JOBCOSTING_CHILD_CYCLES");
    const int offset = qEnvironmentVariableIntValue("JOBCOSTING_CHILD_OFFSET");
    HurriedWorker dialogs;
    RecordingShell shell;
    FixedClock clock;
    const RegionalSettings regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), clock};
    RecordingProgram program;
    const Services services {dialogs, shell, clock, regional, program};
    Module1 module;
    JobCosting screen(services, module);
    screen.load();
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(program.ends, 0);
    const QStringList badges {u"000123"_s, u"000124"_s, u"000125"_s, u"000126"_s, u"000127"_s,
        u"000128"_s, u"000129"_s, u"000130"_s, u"000131"_s, u"000132"_s};
    int started = 0;
    int ended = 0;
    for (int cycle = 0; cycle < 2 * cycles; ++cycle) {
        clock.advance(30);
        const qsizetype shown = dialogs.texts.size();
        QTest::keyClicks(screen.Text34, badges.at((offset + cycle / 2) % badges.size()));
        const bool start
            = !screen.Command1->isHidden() && screen.Command1->text() == QLatin1String("New Job");
        const bool end
            = !screen.Command2->isHidden() && screen.Command2->text() == QLatin1String("End Job");
        if (start) {
            for (const auto& [box, code] :
                {std::pair {screen.Text3, "12"}, {screen.Text4, "7"}, {screen.Text5, "3"}}) {
                QTest::keyClicks(box, QString::fromLatin1(code));
                QTest::keyClick(box, Qt::Key_Return);
            }
            screen.Command1->click();
        } else if (end) {
            screen.Command2->click();
        }
        const QStringList told = dialogs.texts.mid(shown);
        const bool refused = std::ranges::any_of(told, [](const QString& text) {
            return text.startsWith(u"The job was not"_s) || text.startsWith(u"The badge"_s)
                || text.startsWith(u"No "_s) || text.startsWith(u"Item "_s);
        });
        if ((start || end) && !refused)
            ++(start ? started : ended);
    }
    std::cout << "tally " << started << ' ' << ended << std::endl;
}

QTEST_MAIN(TestOffline)
#include "tst_offline.moc"
