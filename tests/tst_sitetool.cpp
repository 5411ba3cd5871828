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
    void demoSiteHasEveryTable();
    void neverOverwrites_data();
    void neverOverwrites();
    void helpSaysItNeverOverwrites();

private:
    struct Run
    {
        int exitCode;
        QString output;
    };
    static Run run(const QStringList& arguments);
    static QMap<QString, qint64> rowCounts(const QString& path);
    static const QStringList siteFiles;
};

const QStringList TestSiteTool::siteFiles { SiteBuilder::jobPunchesFile,
    SiteBuilder::validationsFile, SiteBuilder::timeClockFile };

TestSiteTool::Run TestSiteTool::run(const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(JOBCOSTING_SITE_TOOL), arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return { -1, QString() };
    return { tool.exitCode(), QString::fromLocal8Bit(tool.readAll()) };
}

// The row count of every table of a database file.
QMap<QString, qint64> TestSiteTool::rowCounts(const QString& path)
{
    QMap<QString, qint64> counts;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, path);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        if (db.open()) {
            QSqlQuery tables(
                QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                               "LIKE 'sqlite%'"),
                db);
            while (tables.next()) {
                QSqlQuery count(u"SELECT COUNT(*) FROM "_s + tables.value(0).toString(), db);
                counts.insert(
                    tables.value(0).toString(), count.next() ? count.value(0).toLongLong() : -1);
            }
        }
    }
    QSqlDatabase::removeDatabase(path);
    return counts;
}

void TestSiteTool::demoSiteHasEveryTable()
{
    QTemporaryDir dir;
    const QString site = dir.filePath(u"new/site"_s);
    const Run created = run({ u"create"_s, site, u"--demo"_s });
    QCOMPARE(created.exitCode, 0);

    using Counts = QMap<QString, qint64>;
    QCOMPARE(rowCounts(QDir(site).filePath(SiteBuilder::jobPunchesFile)),
        (Counts { { u"JobPunches"_s, 0 } }));
    QCOMPARE(rowCounts(QDir(site).filePath(SiteBuilder::validationsFile)),
        (Counts { { u"Level1"_s, 4 }, { u"Level2"_s, 5 }, { u"Level3"_s, 5 } }));
    QCOMPARE(rowCounts(QDir(site).filePath(SiteBuilder::timeClockFile)),
        (Counts { { u"EMPLOYEES"_s, 12 }, { u"WORK"_s, 0 } }));
}

void TestSiteTool::neverOverwrites_data()
{
    QTest::addColumn<QStringList>("present");

    QTest::newRow("a whole site") << siteFiles;
    QTest::newRow("only the time-clock database") << QStringList { SiteBuilder::timeClockFile };
}

void TestSiteTool::neverOverwrites()
{
    QFETCH(QStringList, present);
    QTemporaryDir dir;
    QCOMPARE(run({ u"create"_s, dir.path(), u"--demo"_s }).exitCode, 0);
    QMap<QString, QByteArray> before;
    for (const QString& file : siteFiles) {
        if (!present.contains(file)) {
            QVERIFY(QFile::remove(dir.filePath(file)));
            continue;
        }
        QFile content(dir.filePath(file));
        QVERIFY(content.open(QIODevice::ReadOnly));
        before.insert(file, content.readAll());
    }

    const Run refused = run({ u"create"_s, dir.path(), u"--demo"_s });
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.output.contains(u"already exists"_s), qPrintable(refused.output));
    for (const QString& file : siteFiles) {
        QFile content(dir.filePath(file));
        QCOMPARE(content.exists(), present.contains(file));
        if (content.exists()) {
            QVERIFY(content.open(QIODevice::ReadOnly));
            QVERIFY2(content.readAll() == before.value(file), qPrintable(file));
        }
    }
}

void TestSiteTool::helpSaysItNeverOverwrites()
{
    const Run help = run({ u"--help"_s });
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.output.contains(u"never overwrites"_s), qPrintable(help.output));
    QVERIFY(help.output.contains(u"--demo"_s));
}

QTEST_GUILESS_MAIN(TestSiteTool)
#include "tst_sitetool.moc"
