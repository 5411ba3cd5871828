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
    void helpSaysItNeverOverwrites();
    void largeSite_data();
    void largeSite();
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

void TestSiteTool::helpSaysItNeverOverwrites()
{
    const auto [exitCode, output] = run({u"--help"_s});
    QCOMPARE(exitCode, 0);
    QVERIFY2(
        output.contains(u"never overwrites"_s) && output.contains(u"--demo"_s), qPrintable(output));
}

void TestSiteTool::largeSite_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("employees");
    QTest::addColumn<int>("punches");
    QTest::addColumn<int>("items"); // in each level table

    const auto options = [](const char* text) {
        return QString::fromLatin1(text).split(u' ');
    };
    QTest::newRow("levels only") << options("--items 3") << 0 << 0 << 0 << 3;
    QTest::newRow("200 items unless told")
        << options("--employees 4 --punches 30") << 0 << 4 << 30 << 200;
    QTest::newRow("five-digit codes")
        << options("--employees 2 --punches 40 --items 12000") << 0 << 2 << 40 << 12000;
    QTest::newRow("no items") << options("--items 0") << 2 << 0 << 0 << 0;
    QTest::newRow("demo and items") << options("--demo --items 3") << 2 << 0 << 0 << 0;
}

void TestSiteTool::largeSite()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(int, employees);
    QFETCH(int, punches);
    QFETCH(int, items);
    QTemporaryDir temporary;
    const QDir dir(temporary.filePath(u"site"_s));
    QCOMPARE(run(QStringList {u"create"_s, dir.path()} + options).first, exitCode);
    if (exitCode != 0)
        return;

    using Counts = QMap<QString, qint64>;
    QCOMPARE(rowCounts(dir.filePath(SiteBuilder::validationsFile)),
        (Counts {{u"Level1"_s, items}, {u"Level2"_s, items}, {u"Level3"_s, items}}));
    QCOMPARE(rowCounts(dir.filePath(SiteBuilder::timeClockFile)),
        (Counts {{u"EMPLOYEES"_s, employees}, {u"WORK"_s, 0}}));
    // Codes are unique, and every punch names items of the level tables.
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"large"_s);
    db.setDatabaseName(dir.filePath(SiteBuilder::jobPunchesFile));
    QVERIFY(db.open());
    QSqlQuery query(db);
    QVERIFY(query.exec(u"ATTACH '%1' AS v"_s.arg(dir.filePath(SiteBuilder::validationsFile))));
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

QTEST_GUILESS_MAIN(TestSiteTool)
#include "tst_sitetool.moc"
