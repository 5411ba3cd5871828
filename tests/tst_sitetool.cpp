#include "Files.h"
#include "ServerProxy.h"
#include "Site.h"
#include "SiteBuilder.h"
#include "SiteConverter.h"
#include "data/SiteModel.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

// Runs the built site tool the way an installer or a technician would.
class TestSiteTool : public QObject
{
    Q_OBJECT

private slots:
    void createNeverOverwrites_data();
    void createNeverOverwrites();
    void createOnServerWritesPointersAndNeverOverwrites();
    void failedCreateLeavesWhatWasThere_data();
    void failedCreateLeavesWhatWasThere();
    void failedCreateOnServerLeavesNothing_data();
    void failedCreateOnServerLeavesNothing();
    void answersWithoutWriting_data();
    void answersWithoutWriting();
    void upgradeBringsAnEarlierSiteUpToDate_data();
    void upgradeBringsAnEarlierSiteUpToDate();
    void createJobPunchesOnlyBesideAccessFiles();
    void convertKeepsEveryValue();
    void convertChangesNothingWhenItFails_data();
    void convertChangesNothingWhenItFails();
    void convertChecksTheCopyAgainstTheOriginal_data();
    void convertChecksTheCopyAgainstTheOriginal();
    void largeSite_data();
    void largeSite();
    void demoMonthOfPunches_data();
    void demoMonthOfPunches();
};

// `limit`, where given, caps the size of each file the tool writes, as a
// full disk does.
static std::pair<int, QString> run(const QStringList& arguments, rlim_t limit = RLIM_INFINITY)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.setChildProcessModifier([limit] {
        const rlimit size {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        // A write past the limit then fails instead of ending the tool.
        ::signal(SIGXFSZ, SIG_IGN);
    });
    tool.start(QStringLiteral(JOBCOSTING_SITE_TOOL), arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return {-1, QString()};
    return {tool.exitCode(), QString::fromLocal8Bit(tool.readAll())};
}

// The row count of every table of a database file.
static QMap<QString, qint64> rowCounts(const QString& path)
{
    QMap<QString, qint64> counts;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, path);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        db.open();
        QSqlQuery tables(
            u"SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'"_s,
            db);
        while (tables.next()) {
            QSqlQuery count(u"SELECT COUNT(*) FROM "_s + tables.value(0).toString(), db);
            counts.insert(
                tables.value(0).toString(), count.next() ? count.value(0).toLongLong() : -1);
        }
    }
    QSqlDatabase::removeDatabase(path);
    return counts;
}

void TestSiteTool::createNeverOverwrites_data()
{
    QTest::addColumn<QStringList>("present"); // left before the second create
    const QStringList all {
        SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile};
    QTest::newRow("a whole site") << all;
    QTest::newRow("only the time-clock database") << QStringList {SiteModel::timeClockFile};
}

void TestSiteTool::createNeverOverwrites()
{
    QFETCH(QStringList, present);
    present.sort();
    QTemporaryDir temporary;
    const QDir dir(temporary.filePath(u"new/site"_s));
    QCOMPARE(run({u"create"_s, dir.path(), u"--demo"_s}).first, 0);
    using Counts = QMap<QString, qint64>;
    // About a month of a dozen workers' jobs, on whatever day this runs.
    const Counts punches = rowCounts(dir.filePath(SiteModel::jobPunchesFile));
    QVERIFY2(punches.value(u"JobPunches"_s) > 400 && punches.value(u"WORK"_s) == 0
            && punches.value(u"JobPunchCorrections"_s) == 0,
        qPrintable(QString::number(punches.value(u"JobPunches"_s))));
    QCOMPARE(rowCounts(dir.filePath(SiteModel::validationsFile)),
        (Counts {{u"Level1"_s, 4}, {u"Level2"_s, 5}, {u"Level3"_s, 5}}));
    QCOMPARE(rowCounts(dir.filePath(SiteModel::timeClockFile)),
        (Counts {{u"EMPLOYEES"_s, 12}, {u"WORK"_s, 0}}));

    QMap<QString, QByteArray> before = folderFiles(dir.path());
    for (const QString& file : before.keys()) {
        if (!present.contains(file))
            QVERIFY(QFile::remove(dir.filePath(file)) && before.remove(file));
    }
    QCOMPARE(before.keys(), present);
    const auto [exitCode, output] = run({u"create"_s, dir.path(), u"--demo"_s});
    QCOMPARE(exitCode, 1);
    QVERIFY2(output.contains(u"already exists"_s), qPrintable(output));
    QVERIFY(folderFiles(dir.path()) == before);
}

void TestSiteTool::createOnServerWritesPointersAndNeverOverwrites()
{
    if (testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set (scripts/test sets it).");
    const ServerSchema server;
    QTemporaryDir temporary;
    const QDir dir(temporary.filePath(u"site"_s));
    QCOMPARE(run({u"create"_s, dir.path(), u"--server"_s, server.uri(), u"--demo"_s}).first, 0);
    const QByteArray pointer = server.uri().toUtf8() + '\n';
    QVERIFY(folderFiles(dir.path())
        == (QMap<QString, QByteArray> {{SiteModel::jobPunchesFile, pointer},
            {SiteModel::validationsFile, pointer}, {SiteModel::timeClockFile, pointer}}));
    const QString counts
        = u"SELECT (SELECT COUNT(*) FROM JobPunches), (SELECT COUNT(*) FROM "
          "Level1), (SELECT COUNT(*) FROM EMPLOYEES), (SELECT COUNT(*) FROM WORK)"_s;
    const QList<QVariantList> demo = server.sql(counts);
    QCOMPARE(demo.value(0).mid(1), (QVariantList {4, 12, 0}));
    QVERIFY(demo.value(0).value(0).toInt() > 400);

    // A second site on the same database would share and refill its tables.
    const QDir second(temporary.filePath(u"second"_s));
    const auto [exitCode, output] = run({u"create"_s, second.path(), u"--server"_s, server.uri()});
    QCOMPARE(exitCode, 1);
    QVERIFY2(output.contains(u"already exists on the server"_s), qPrintable(output));
    QVERIFY(folderFiles(second.path()).isEmpty());
    QCOMPARE(server.sql(counts), demo);
}

// Everything under a folder: each file's content, each link's target, each
// folder, by path.
static QMap<QString, QByteArray> tree(const QString& root)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString path = QDir(root).relativeFilePath(entry.filePath());
        if (entry.isSymLink())
            found.insert(path, "-> " + entry.symLinkTarget().toUtf8());
        else if (entry.isDir())
            found.insert(path, "folder");
        else
            found.insert(path, fileBytes(entry.filePath()));
    }
    return found;
}

enum class Fault
{
    ReadOnly, // the folder is immutable: not even the superuser writes there
    FullDisk, // the disk fills while the site is filled
    TakenByLink, // Norla.MDB is a link to where no file is yet
};

void TestSiteTool::failedCreateLeavesWhatWasThere_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("dir"); // in a fresh folder, with folder/notes.txt
    QTest::addColumn<QString>("said");
    QTest::newRow("into a read-only folder") << Fault::ReadOnly << u"folder"_s << u"Cannot make"_s;
    QTest::newRow("a new folder in a read-only one")
        << Fault::ReadOnly << u"folder/new/site"_s << u"Cannot make the folder"_s;
    QTest::newRow("a full disk, into a folder that was there")
        << Fault::FullDisk << u"folder"_s << u"disk I/O error"_s;
    QTest::newRow("a full disk, into new folders")
        << Fault::FullDisk << u"folder/new/site"_s << u"disk I/O error"_s;
    QTest::newRow("a file's name taken by a dangling link")
        << Fault::TakenByLink << u"folder"_s << u"already exists"_s;
}

// A create that fails takes back what it made, the folders too, and leaves
// what was there as it was.
void TestSiteTool::failedCreateLeavesWhatWasThere()
{
    QFETCH(Fault, fault);
    QFETCH(QString, dir);
    QFETCH(QString, said);
    QTemporaryDir temporary;
    const QDir root(temporary.path());
    QVERIFY(root.mkpath(u"folder"_s) && root.mkpath(u"elsewhere"_s));
    QFile notes(root.filePath(u"folder/notes.txt"_s));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("the site's own\n") > 0);
    notes.close();
    if (fault == Fault::TakenByLink)
        QVERIFY(QFile::link(root.filePath(u"elsewhere/Norla.MDB"_s),
            root.filePath(u"folder/"_s + SiteModel::timeClockFile)));
    const QString folder = root.filePath(u"folder"_s);
    if (fault == Fault::ReadOnly && QProcess::execute(u"chattr"_s, {u"+i"_s, folder}) != 0)
        QSKIP("cannot make a folder read-only on this file system");
    const auto undo = qScopeGuard([&] {
        if (fault == Fault::ReadOnly)
            QProcess::execute(u"chattr"_s, {u"-i"_s, folder});
    });
    const auto before = tree(root.path());

    // Large enough that its job punches do not fit under the limit.
    const auto [status, output] = run(
        {u"create"_s, root.filePath(dir), u"--employees"_s, u"20"_s, u"--punches"_s, u"20000"_s},
        fault == Fault::FullDisk ? 512 * 1024 : RLIM_INFINITY);
    QCOMPARE(status, 1);
    QVERIFY2(output.startsWith(u"jobcosting-site: "_s) && output.contains(said)
            && output.count(u'\n') == 1,
        qPrintable(output));
    QCOMPARE(tree(root.path()), before);
}

void TestSiteTool::failedCreateOnServerLeavesNothing_data()
{
    QTest::addColumn<bool>("cutDuringFill");
    // A function of the same name, another kind, stops the making of the
    // tables after the first of them.
    QTest::newRow("the server refuses a statement") << false;
    QTest::newRow("the connection is cut while the site is filled") << true;
}

void TestSiteTool::failedCreateOnServerLeavesNothing()
{
    QFETCH(bool, cutDuringFill);
    if (testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set (scripts/test sets it).");
    const ServerSchema server;
    ServerProxy proxy;
    const QString tables = u"SELECT COUNT(*) FROM pg_class WHERE relnamespace = "
                           "current_schema()::regnamespace"_s;
    if (!cutDuringFill)
        server.sql(u"CREATE FUNCTION JobPunchesChanged() RETURNS integer LANGUAGE sql "
                   "AS 'SELECT 1'"_s);
    QTemporaryDir temporary;
    const QString dir = temporary.filePath(u"new/site"_s);

    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(JOBCOSTING_SITE_TOOL),
        {u"create"_s, dir, u"--server"_s, proxy.uri(server.uri()), u"--employees"_s, u"20"_s,
            u"--punches"_s, u"1000000"_s});
    QVERIFY(tool.waitForStarted());
    if (cutDuringFill) {
        // The driver prepares each insert, so the filling shows as EXECUTE.
        const QString filling = u"SELECT COUNT(*) FROM pg_stat_activity WHERE usename = "
                                "current_user AND query LIKE 'EXECUTE %'"_s;
        QElapsedTimer waited;
        waited.start();
        while (server.sql(filling).value(0).value(0).toInt() == 0) {
            QVERIFY2(waited.elapsed() < 60000 && tool.state() == QProcess::Running,
                qPrintable(QString::fromLocal8Bit(tool.readAll())));
            QThread::msleep(10);
        }
        proxy.setDown(true);
    }
    QVERIFY(tool.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(tool.readAll());
    QCOMPARE(tool.exitCode(), 1);
    // The tool's own error, not the driver's warnings about the lost connection.
    QVERIFY2(output.startsWith(u"jobcosting-site: "_s), qPrintable(output));
    QCOMPARE(server.sql(tables).value(0).value(0).toInt(), 0);
    QVERIFY(tree(temporary.path()).isEmpty());
}

void TestSiteTool::answersWithoutWriting_data()
{
    QTest::addColumn<QStringList>("arguments"); // DIR: an empty folder, SITE: an empty site
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("help") << QStringList {u"--help"_s} << 0
                          << QStringList {u"never overwrites"_s, u"--demo"_s};
    // The password would end up in the pointer files, readable by anyone.
    QTest::newRow("an address with a password") << QStringList {u"create"_s, u"DIR"_s,
        u"--server"_s, u"postgresql://punch:secret@db/plant"_s}
                                                << 1 << QStringList {u"password"_s};
    QTest::newRow("roles on a site of files")
        << QStringList {u"roles"_s, u"SITE"_s} << 1 << QStringList {u"not on a database server"_s};
    QTest::newRow("a zone nobody knows")
        << QStringList {u"create"_s, u"DIR"_s, u"--time-zone"_s, u"Mars/Olympus_Mons"_s} << 2
        << QStringList {u"--time-zone: expected a time zone such as America/New_York, got "
                        "'Mars/Olympus_Mons'"_s};
    QTest::newRow("a zone on an upgrade nobody knows") << QStringList {u"upgrade"_s, u"SITE"_s,
        u"--time-zone"_s, u"Europe/Atlantis"_s} << 2 << QStringList {u"--time-zone"_s};
    QTest::newRow("a zone for the roles") << QStringList {u"roles"_s, u"SITE"_s, u"--time-zone"_s,
        u"Europe/Berlin"_s} << 2 << QStringList {u"unknown option --time-zone"_s};
}

void TestSiteTool::answersWithoutWriting()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, said);
    const Site site(Site::Contents::Empty);
    QTemporaryDir dir;
    arguments.replaceInStrings(u"DIR"_s, dir.path()).replaceInStrings(u"SITE"_s, site.path());
    const auto before = folderFiles(site.path());
    const auto [exitCode, output] = run(arguments);
    QCOMPARE(exitCode, status);
    for (const QString& words : std::as_const(said))
        QVERIFY2(output.contains(words), qPrintable(output));
    QVERIFY2(!output.contains(u"secret"_s), qPrintable(output));
    QVERIFY(folderFiles(dir.path()).isEmpty());
    QVERIFY(folderFiles(site.path()) == before);
}

void TestSiteTool::upgradeBringsAnEarlierSiteUpToDate_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::newRow("SQLite") << Engine::Sqlite;
    QTest::newRow("server") << Engine::Server;
}

void TestSiteTool::upgradeBringsAnEarlierSiteUpToDate()
{
    QFETCH(const Engine, engine);
    if (engine == Engine::Server && testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set.");
    const Site site(Site::Contents::Empty, engine);
    const auto sql = [&site](const QString& statement) {
        return site.sql(SiteModel::jobPunchesFile, statement);
    };
    // A site made before the open-job index and the punches' names, whose
    // worker has two open jobs; before the database kept its rules, its
    // origins and its zone.
    if (engine == Engine::Server) {
        for (const char* trigger : {"JobPunchesAsTerminalsWrite", "JobPunchesAudited",
                 "JobPunchesArrived", "JobPunchesNeverEmptied"})
            sql(u"DROP TRIGGER %1 ON JobPunches"_s.arg(QLatin1String(trigger)));
        sql(u"DROP TABLE JobPunchConflicts CASCADE"_s);
        // Nor did it count or announce the changes of the copied tables.
        sql(u"DROP TABLE TableChanges"_s);
        sql(u"DROP FUNCTION CopiedTableChanged() CASCADE"_s);
    } else {
        for (const QVariantList& trigger :
            sql(u"SELECT name FROM sqlite_master WHERE type = 'trigger' AND tbl_name <> "
                "'JobPunchCorrections'"_s))
            sql(u"DROP TRIGGER %1"_s.arg(trigger.at(0).toString()));
        sql(u"DROP TABLE JobPunchCorrectionReason"_s);
    }
    sql(u"DROP TABLE JobPunchOrigins"_s);
    sql(u"DROP TABLE SiteSettings"_s);
    sql(u"DROP INDEX JobPunchesOneOpenJob"_s);
    sql(u"DROP INDEX JobPunchesByPunchId"_s);
    sql(u"DROP TABLE JobPunchCorrections"_s);
    sql(u"DROP INDEX JobPunchesByDay"_s);
    sql(u"ALTER TABLE JobPunches DROP COLUMN PunchId"_s);
    const QString open
        = u"INSERT INTO JobPunches (Name, Badge) VALUES ('Walter Brennan', 'Open')"_s;
    for (int i = 0; i < 3; ++i)
        sql(open);
    const QString closed
        = u"INSERT INTO JobPunches (Name, Badge) VALUES ('Linda Kowalski', 'Closed')"_s;
    sql(closed);
    sql(closed);
    const QString key = site.rowKey();
    sql(u"DELETE FROM JobPunches WHERE %1 = 5"_s.arg(key));

    const auto [refused, why] = run({u"upgrade"_s, site.path()});
    QCOMPARE(refused, 1);
    QVERIFY2(why.contains(u"Walter Brennan"_s), qPrintable(why));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sql(u"SELECT PunchId FROM JobPunches"_s));

    sql(u"UPDATE JobPunches SET Badge = 'Closed' WHERE %1 < 3"_s.arg(key));
    const auto [upgraded, said] = run({u"upgrade"_s, site.path()});
    QVERIFY2(upgraded == 0, qPrintable(said));
    const QString machine = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    QCOMPARE(said,
        u"The site's time zone is now %1, this machine's; --time-zone names another.\n"_s.arg(
            machine));
    const auto named
        = sql(u"SELECT %1, Name, Badge, PunchId FROM JobPunches ORDER BY %1"_s.arg(key));
    QCOMPARE(named.size(), 4);
    QSet<QString> ids;
    const QRegularExpression uuid(
        u"^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"_s);
    for (qsizetype r = 0; r < named.size(); ++r) {
        QCOMPARE(named.at(r).at(0).toInt(), r + 1);
        QVERIFY2(uuid.match(named.at(r).at(3).toString()).hasMatch(),
            qPrintable(named.at(r).at(3).toString()));
        ids << named.at(r).at(3).toString();
    }
    QCOMPARE(ids.size(), 4);
    QCOMPARE(named.at(3).at(1).toString(), u"Linda Kowalski"_s);

    // Every correction leaves its row, kept for good; none is made without.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sql(closed));
    site.correct(closed);
    QCOMPARE(sql(u"SELECT Action, Reason FROM JobPunchCorrections"_s),
        (QList<QVariantList> {{u"edit"_s, u"a test's correction"_s}}));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sql(u"DELETE FROM JobPunchCorrections"_s));
    QCOMPARE(sql(u"SELECT Value FROM SiteSettings WHERE Name = 'TimeZone'"_s),
        QList<QVariantList> {{machine}});

    // Done once: a second upgrade changes nothing; the index and the names hold.
    const auto [again, saidAgain] = run({u"upgrade"_s, site.path()});
    QCOMPARE(again, 0);
    QCOMPARE(
        saidAgain, u"The site's time zone stays %1; --time-zone names another.\n"_s.arg(machine));
    QCOMPARE(
        sql(u"SELECT %1, Name, Badge, PunchId FROM JobPunches ORDER BY %1"_s.arg(key)).mid(0, 4),
        named);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sql(open));
    QCOMPARE(run({u"upgrade"_s, site.path(), u"--time-zone"_s, u"Europe/Berlin"_s}),
        std::pair(0, u"The site's time zone is now Europe/Berlin, as given.\n"_s));
    QCOMPARE(sql(u"SELECT Value FROM SiteSettings WHERE Name = 'TimeZone'"_s),
        QList<QVariantList> {{u"Europe/Berlin"_s}});
    const auto added = sql(u"SELECT %1, PunchId FROM JobPunches ORDER BY %1 DESC"_s.arg(key));
    QVERIFY(added.at(0).at(0).toInt() > 5); // the removed row's ID is not given out again
    QVERIFY(uuid.match(added.at(0).at(1).toString()).hasMatch());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
        sql(u"UPDATE JobPunches SET PunchId = '%1' WHERE %2 = 1"_s.arg(
            named.at(1).at(3).toString(), key)));
    if (engine != Engine::Server)
        return;
    // The terminals' conflicts: the job punch's fields between the punch's
    // own and the settling.
    QStringList columns {u"id"_s, u"punchid"_s, u"terminal"_s, u"action"_s};
    for (const QString& field : Site::jobFields())
        columns << field.toLower();
    columns << u"reason"_s << u"arrivedat"_s;
    QStringList found;
    for (const QVariantList& row :
        sql(u"SELECT column_name FROM information_schema.columns WHERE table_name = "
            "'jobpunchconflicts' AND table_schema = current_schema() ORDER BY ordinal_position"_s))
        found << row.at(0).toString();
    QCOMPARE(found, columns);
    // A kept punch sent again is there once; another terminal's end of the
    // same job is a conflict of its own.
    const QString conflict = u"INSERT INTO JobPunchConflicts (PunchId, Action, Name, Terminal, "
                             "TimeStop) VALUES ('p', 'end', 'x', '%1', '12:00:00')"_s;
    sql(conflict.arg(u"cell3:/srv/punch"_s));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sql(conflict.arg(u"cell3:/srv/punch"_s)));
    sql(conflict.arg(u"cell4:/srv/punch"_s));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
        sql(u"INSERT INTO JobPunchConflicts (PunchId, Action) VALUES ('q', 'stop')"_s));
    // Each change of a copied table is counted once, by triggers made once
    // however often the site was upgraded.
    QCOMPARE(sql(u"SELECT tgrelid::regclass::text, count(*) FROM pg_trigger WHERE NOT "
                 "tgisinternal AND tgfoid = 'CopiedTableChanged'::regproc GROUP BY 1 ORDER BY 1"_s),
        (QList<QVariantList> {
            {u"employees"_s, 4}, {u"level1"_s, 4}, {u"level2"_s, 4}, {u"level3"_s, 4}}));
    site.sql(SiteModel::validationsFile,
        u"INSERT INTO Level2 (ItemCode, ItemDescription) VALUES ('7', 'Weld'), ('8', 'Drill')"_s);
    site.sql(SiteModel::validationsFile, u"DELETE FROM Level2 WHERE ItemCode = '8'"_s);
    QCOMPARE(sql(u"SELECT TableName, Changes FROM TableChanges"_s),
        (QList<QVariantList> {{u"level2"_s, 2}}));
}

void TestSiteTool::createJobPunchesOnlyBesideAccessFiles()
{
    QTemporaryDir dir;
    for (const QString& file : {SiteModel::validationsFile, SiteModel::timeClockFile})
        QVERIFY(QFile::copy(Site::sample(file), dir.filePath(file)));
    const auto accessFiles = folderFiles(dir.path());
    QCOMPARE(run({u"create"_s, dir.path(), u"--job-punches-only"_s}).first, 0);
    QCOMPARE(rowCounts(dir.filePath(SiteModel::jobPunchesFile)),
        (QMap<QString, qint64> {{u"JobPunches"_s, 0}, {u"JobPunchCorrections"_s, 0},
            {u"JobPunchCorrectionReason"_s, 0}, {u"JobPunchOrigins"_s, 0}, {u"SiteSettings"_s, 1},
            {u"WORK"_s, 0}}));
    auto after = folderFiles(dir.path());
    // The job-punch file, and the log and index a reader leaves beside it.
    after.removeIf(
        [](const auto& file) { return file.key().startsWith(SiteModel::jobPunchesFile); });
    QVERIFY(after == accessFiles);

    const auto [exitCode, output] = run({u"create"_s, dir.path(), u"--job-punches-only"_s});
    QCOMPARE(exitCode, 1);
    QVERIFY2(output.contains(u"already exists"_s), qPrintable(output));
}

void TestSiteTool::convertKeepsEveryValue()
{
    QTemporaryDir dir;
    QVERIFY(
        QFile::copy(Site::sample(SiteModel::jobPunchesFile), dir.filePath(u"JobPunches.MDB"_s)));
    const auto [exitCode, output] = run({u"convert"_s, dir.path()});
    QCOMPARE(exitCode, 0);
    QVERIFY2(output.contains(u"503 job punches"_s), qPrintable(output));
    QVERIFY(fileBytes(dir.filePath(SiteConverter::keptAccessFile))
        == fileBytes(Site::sample(SiteModel::jobPunchesFile)));
    QVERIFY(QFileInfo(dir.filePath(u"JobPunches.MDB"_s)).isWritable());

    // Every value as the Access file held it, in typed columns.
    QList<QStringList> csv = Site::sampleCsv(SiteModel::jobPunchesFile, u"JobPunches"_s);
    const QStringList fields = csv.takeFirst();
    const QString path = dir.filePath(u"JobPunches.MDB"_s);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, path);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(u"SELECT %1 FROM JobPunches ORDER BY ID"_s.arg(fields.join(u", ")), db);
        for (const QStringList& row : std::as_const(csv)) {
            QVERIFY(query.next());
            for (qsizetype f = 0; f < fields.size(); ++f) {
                const QVariant value = query.value(int(f));
                const QString& field = fields.at(f);
                const bool same = field == u"DateWorked"_s
                    ? value.toString() + u" 00:00:00"_s == row.at(f)
                    : field.startsWith(u"Time"_s) ? u"1899-12-30 "_s + value.toString() == row.at(f)
                    : value.typeId() == QMetaType::Double ? value.toDouble() == row.at(f).toDouble()
                                                          : value.toString() == row.at(f);
                QVERIFY2(
                    same, qPrintable(field + u": "_s + value.toString() + u" for "_s + row.at(f)));
            }
        }
        QVERIFY(!query.next());
    }
    QSqlDatabase::removeDatabase(path);
}

void TestSiteTool::convertChangesNothingWhenItFails_data()
{
    QTest::addColumn<QStringList>("files"); // name=sample file, or name= for some bytes
    QTest::addColumn<QString>("reported");
    QTest::newRow("an earlier kept original") << QStringList {u"JobPunches.MDB=JobPunches.MDB"_s,
        u"JobPunches-Access.MDB="_s} << u"there already"_s;
    QTest::newRow("job punches not in an Access file")
        << QStringList {u"JobPunches.MDB="_s} << u"not an Access file"_s;
    QTest::newRow("no job punches") << QStringList {u"Norla.MDB=Norla.MDB"_s} << u"Cannot read"_s;
    QTest::newRow("an Access file without the table") << QStringList {
        u"JobPunches.MDB=Norla.MDB"_s} << u"JobPunches.MDB has no table JobPunches."_s;
    QTest::newRow("a damaged Access file")
        << QStringList {u"JobPunches.MDB=JobPunches.MDB/2"_s} << u"damaged"_s;
}

void TestSiteTool::convertChangesNothingWhenItFails()
{
    QFETCH(QStringList, files);
    QFETCH(QString, reported);
    QTemporaryDir dir;
    for (const QString& file : std::as_const(files)) {
        const auto [name, source] = std::pair {file.section(u'=', 0, 0), file.section(u'=', 1)};
        QByteArray content = source.isEmpty() ? QByteArray("kept")
                                              : fileBytes(Site::sample(source.section(u'/', 0, 0)));
        if (source.endsWith(u"/2"_s))
            content.truncate(content.size() / 2);
        QFile out(dir.filePath(name));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    }
    const auto before = folderFiles(dir.path());
    const auto [exitCode, output] = run({u"convert"_s, dir.path()});
    QCOMPARE(exitCode, 1);
    QVERIFY2(
        output.contains(reported) && output.contains(u"Nothing was changed"_s), qPrintable(output));
    QVERIFY(folderFiles(dir.path()) == before);
}

void TestSiteTool::convertChecksTheCopyAgainstTheOriginal_data()
{
    QTest::addColumn<QString>("meanwhile"); // SQL on the copy; "touch": the Access file is touched
    QTest::addColumn<bool>("converted");

    QTest::newRow("nothing happens") << QString() << true;
    // Another program wrote the Access file: what was copied may be gone.
    QTest::newRow("the Access file is written") << u"touch"_s << false;
    // The copy was changed, or did not take every row as read.
    QTest::newRow("a value of the copy differs")
        << u"UPDATE JobPunches SET Pieces = Pieces + 1 WHERE ID = 7"_s << false;
    QTest::newRow("the copy lacks a row") << u"DELETE FROM JobPunches WHERE ID = 503"_s << false;
    QTest::newRow("the copy has a row more")
        << u"INSERT INTO JobPunches (Name, Badge) VALUES ('Nobody', 'Open')"_s << false;
}

// Between the copy and its check another program may change the Access file
// or the copy: the check against the original, read again, refuses either.
void TestSiteTool::convertChecksTheCopyAgainstTheOriginal()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, converted);
    QTemporaryDir dir;
    const QString original = dir.filePath(u"JobPunches.MDB"_s);
    QVERIFY(QFile::copy(Site::sample(SiteModel::jobPunchesFile), original));
    const auto before = folderFiles(dir.path());

    const auto change = [&](const QString& copy) {
        if (meanwhile == u"touch"_s) {
            QFile file(original);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(1),
                QFileDevice::FileModificationTime));
        } else if (!meanwhile.isEmpty()) {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"meanwhile"_s);
            db.setDatabaseName(copy);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY2(query.exec(meanwhile), qPrintable(query.lastError().text()));
            QCOMPARE(query.numRowsAffected(), 1);
            query = QSqlQuery();
            db.close();
        }
    };
    QString refusal;
    try {
        QCOMPARE(SiteConverter::convert(dir.path(), change), 503);
    } catch (const SiteBuilder::Error& error) {
        refusal = QString::fromStdString(error.what());
    }
    QSqlDatabase::removeDatabase(u"meanwhile"_s);

    if (converted) {
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
        return;
    }
    QCOMPARE(refusal,
        u"The copy does not hold the same rows as %1; was it changed meanwhile? Nothing was "
        "changed."_s.arg(original));
    QVERIFY(folderFiles(dir.path()) == before);
}

void TestSiteTool::largeSite_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("employees");
    QTest::addColumn<int>("punches");
    QTest::addColumn<int>("items"); // in each level table

    const auto options = [](const char* text) {
        return QString::fromLatin1(text).split(u' ');
    };
    QTest::newRow("levels only") << options("--items 3") << 0 << 0 << 3;
    QTest::newRow("200 items unless told")
        << options("--employees 4 --punches 30") << 4 << 30 << 200;
    QTest::newRow("five-digit codes")
        << options("--employees 2 --punches 40 --items 12000") << 2 << 40 << 12000;
}

void TestSiteTool::largeSite()
{
    QFETCH(QStringList, options);
    QFETCH(int, employees);
    QFETCH(int, punches);
    QFETCH(int, items);
    QTemporaryDir temporary;
    const QDir dir(temporary.filePath(u"site"_s));
    QCOMPARE(run(QStringList {u"create"_s, dir.path()} + options).first, 0);

    using Counts = QMap<QString, qint64>;
    QCOMPARE(rowCounts(dir.filePath(SiteModel::validationsFile)),
        (Counts {{u"Level1"_s, items}, {u"Level2"_s, items}, {u"Level3"_s, items}}));
    QCOMPARE(rowCounts(dir.filePath(SiteModel::timeClockFile)),
        (Counts {{u"EMPLOYEES"_s, employees}, {u"WORK"_s, 0}}));
    // Codes are unique, and every punch names items of the level tables.
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"large"_s);
    db.setDatabaseName(dir.filePath(SiteModel::jobPunchesFile));
    QVERIFY(db.open());
    QSqlQuery query(db);
    QVERIFY(query.exec(u"ATTACH '%1' AS v"_s.arg(dir.filePath(SiteModel::validationsFile))));
    QVERIFY(query.exec(u"SELECT (SELECT COUNT(DISTINCT ItemCode) FROM v.Level2), "
                       "(SELECT COUNT(*) FROM JobPunches), (SELECT COUNT(*) FROM JobPunches p "
                       "JOIN v.Level2 l ON l.ItemCode = p.Level2ItemCode AND l.ItemDescription "
                       "= p.Level2ItemDescription)"_s));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), items);
    QCOMPARE(query.value(1).toInt(), punches);
    QCOMPARE(query.value(2).toInt(), punches);
    query = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"large"_s);
}

void TestSiteTool::demoMonthOfPunches_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::newRow("a Monday morning") << QDateTime(QDate(2024, 3, 4), QTime(9, 12));
    QTest::newRow("a Sunday night") << QDateTime(QDate(2024, 3, 10), QTime(23, 40));
    QTest::newRow("just after midnight on the first of a month")
        << QDateTime(QDate(2024, 5, 1), QTime(0, 20));
}

// The demo's month as the terminal would have written it up to now: shifts
// on working days (one at night, past midnight), no worker on two jobs at
// once, pieces only where the job has a bonus rate, four jobs open and none
// of them for the badges the walk-through and the tests use; the same on the
// same day.
void TestSiteTool::demoMonthOfPunches()
{
    QFETCH(QDateTime, now);
    QList<QList<QVariantMap>> made;
    for (int twice = 0; twice < 2; ++twice) {
        Site site(Site::Contents::Demo);
        SiteBuilder::fillDemoPunches(site.path(), now);
        QList<QVariantMap> rows = site.jobPunches();
        for (QVariantMap& row : rows) {
            row.remove(u"ID"_s);
            row.remove(u"PunchId"_s);
        }
        made << rows;
    }
    QCOMPARE(made.at(1), made.at(0));

    const QList<QVariantMap>& rows = made.at(0);
    QMap<QString, QList<std::pair<QDateTime, QDateTime>>> jobs; // by worker: start, stop
    QStringList open;
    QSet<QDate> days;
    int pastMidnight = 0;
    for (const QVariantMap& row : rows) {
        const QDateTime start(QDate::fromString(row.value(u"DateWorked"_s).toString(), Qt::ISODate),
            QTime::fromString(row.value(u"TimeStart"_s).toString(), u"HH:mm:ss"_s));
        const QTime stopTime
            = QTime::fromString(row.value(u"TimeStop"_s).toString(), u"HH:mm:ss"_s);
        QVERIFY(start.isValid() && stopTime.isValid());
        qint64 seconds = start.time().secsTo(stopTime);
        pastMidnight += seconds < 0 ? 1 : 0;
        seconds += seconds < 0 ? 24 * 3600 : 0;
        const bool isOpen = row.value(u"Badge"_s) == u"Open"_s;
        const QString name = row.value(u"Name"_s).toString();
        if (isOpen) {
            open << name;
            QCOMPARE(seconds, 0);
            QCOMPARE(row.value(u"Pieces"_s).toDouble(), 0.0);
        } else {
            QCOMPARE(row.value(u"Badge"_s).toString(), u"Closed"_s);
            QCOMPARE(row.value(u"Pieces"_s).toDouble() > 0,
                row.value(u"Level3BonusRate"_s).toDouble() > 0);
            QVERIFY(seconds > 0);
        }
        QVERIFY(start.addSecs(seconds) <= now);
        QVERIFY(start.date() >= now.date().addDays(-32));
        days.insert(start.date());
        jobs[name].append({start, isOpen ? QDateTime() : start.addSecs(seconds)});
    }
    open.sort();
    QCOMPARE(open,
        (QStringList {
            u"Barbara Rossi"_s, u"Patricia Nguyen"_s, u"Robert Chen"_s, u"Susan Miller"_s}));
    QCOMPARE(jobs.value(u"Susan Miller"_s).last().first.date(), now.date().addDays(-2));
    QVERIFY2(days.size() >= 20, qPrintable(QString::number(days.size())));
    QVERIFY(pastMidnight > 10);
    QCOMPARE(jobs.size(), 12);
    for (auto it = jobs.begin(); it != jobs.end(); ++it) {
        auto& mine = it.value();
        std::sort(mine.begin(), mine.end());
        for (qsizetype i = 1; i < mine.size(); ++i)
            QVERIFY2(mine.at(i - 1).second.isValid() && mine.at(i - 1).second <= mine.at(i).first,
                qPrintable(it.key() + mine.at(i).first.toString(Qt::ISODate)));
    }
}

QTEST_GUILESS_MAIN(TestSiteTool)
#include "tst_sitetool.moc"
