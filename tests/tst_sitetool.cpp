#include "Site.h"
#include "SiteBuilder.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Runs the built site tool the way an installer or a technician would.
class TestSiteTool : public QObject
{
    Q_OBJECT

private slots:
    void createNeverOverwrites_data();
    void createNeverOverwrites();
    void createOnServerWritesPointersAndNeverOverwrites();
    void addressWithPasswordIsRefused();
    void upgradeAddsTheOpenJobIndex();
    void helpSaysItNeverOverwrites();
};

static std::pair<int, QString> run(const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
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

// Every file of a folder, byte for byte.
static QMap<QString, QByteArray> contents(const QDir& dir)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return files;
}

void TestSiteTool::createNeverOverwrites_data()
{
    QTest::addColumn<QStringList>("present"); // left before the second create
    const QStringList all {
        SiteBuilder::jobPunchesFile, SiteBuilder::validationsFile, SiteBuilder::timeClockFile};
    QTest::newRow("a whole site") << all;
    QTest::newRow("only the time-clock database") << QStringList {SiteBuilder::timeClockFile};
}

void TestSiteTool::createNeverOverwrites()
{
    QFETCH(QStringList, present);
    present.sort();
    QTemporaryDir temporary;
    const QDir dir(temporary.filePath(u"new/site"_s));
    QCOMPARE(run({u"create"_s, dir.path(), u"--demo"_s}).first, 0);
    using Counts = QMap<QString, qint64>;
    QCOMPARE(rowCounts(dir.filePath(SiteBuilder::jobPunchesFile)), (Counts {{u"JobPunches"_s, 0}}));
    QCOMPARE(rowCounts(dir.filePath(SiteBuilder::validationsFile)),
        (Counts {{u"Level1"_s, 4}, {u"Level2"_s, 5}, {u"Level3"_s, 5}}));
    QCOMPARE(rowCounts(dir.filePath(SiteBuilder::timeClockFile)),
        (Counts {{u"EMPLOYEES"_s, 12}, {u"WORK"_s, 0}}));

    QMap<QString, QByteArray> before = contents(dir);
    for (const QString& file : before.keys()) {
        if (!present.contains(file))
            QVERIFY(QFile::remove(dir.filePath(file)) && before.remove(file));
    }
    QCOMPARE(before.keys(), present);
    const auto [exitCode, output] = run({u"create"_s, dir.path(), u"--demo"_s});
    QCOMPARE(exitCode, 1);
    QVERIFY2(output.contains(u"already exists"_s), qPrintable(output));
    QVERIFY(contents(dir) == before);
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
    QVERIFY(contents(dir)
        == (QMap<QString, QByteArray> {{SiteBuilder::jobPunchesFile, pointer},
            {SiteBuilder::validationsFile, pointer}, {SiteBuilder::timeClockFile, pointer}}));
    const QString counts
        = u"SELECT (SELECT COUNT(*) FROM JobPunches), (SELECT COUNT(*) FROM "
          "Level1), (SELECT COUNT(*) FROM EMPLOYEES), (SELECT COUNT(*) FROM WORK)"_s;
    const QList<QVariantList> demo {{0, 4, 12, 0}};
    QCOMPARE(server.sql(counts), demo);

    // A second site on the same database would share and refill its tables.
    const QDir second(temporary.filePath(u"second"_s));
    const auto [exitCode, output] = run({u"create"_s, second.path(), u"--server"_s, server.uri()});
    QCOMPARE(exitCode, 1);
    QVERIFY2(output.contains(u"already exists on the server"_s), qPrintable(output));
    QVERIFY(contents(second).isEmpty());
    QCOMPARE(server.sql(counts), demo);
}

void TestSiteTool::addressWithPasswordIsRefused()
{
    QTemporaryDir dir;
    const auto [exitCode, output]
        = run({u"create"_s, dir.path(), u"--server"_s, u"postgresql://punch:secret@db/plant"_s});
    QCOMPARE(exitCode, 1);
    QVERIFY2(output.contains(u"password"_s) && !output.contains(u"secret"_s), qPrintable(output));
    QVERIFY(contents(QDir(dir.path())).isEmpty());
}

void TestSiteTool::upgradeAddsTheOpenJobIndex()
{
    const Site site(Site::Contents::Empty);
    // A site made before the index, whose worker has two open jobs.
    site.sql(SiteBuilder::jobPunchesFile, u"DROP INDEX JobPunchesOneOpenJob"_s);
    const QString open
        = u"INSERT INTO JobPunches (Name, Badge) VALUES ('Walter Brennan', 'Open')"_s;
    site.sql(SiteBuilder::jobPunchesFile, open);
    site.sql(SiteBuilder::jobPunchesFile, open);

    const auto [refused, why] = run({u"upgrade"_s, site.path()});
    QCOMPARE(refused, 1);
    QVERIFY2(why.contains(u"Walter Brennan"_s), qPrintable(why));
    site.sql(SiteBuilder::jobPunchesFile, u"UPDATE JobPunches SET Badge = 'Closed' WHERE ID = 1"_s);
    QCOMPARE(run({u"upgrade"_s, site.path()}).first, 0);
    QCOMPARE(run({u"upgrade"_s, site.path()}).first, 0);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, site.sql(SiteBuilder::jobPunchesFile, open));
}

void TestSiteTool::helpSaysItNeverOverwrites()
{
    const auto [exitCode, output] = run({u"--help"_s});
    QCOMPARE(exitCode, 0);
    QVERIFY2(
        output.contains(u"never overwrites"_s) && output.contains(u"--demo"_s), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestSiteTool)
#include "tst_sitetool.moc"
