#include "Outage.h"
#include "PunchScreen.h"
#include "ServerProxy.h"
#include "data/JournalSender.h"
#include "data/OfflineStore.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;
using Rows = QList<QVariantList>;

namespace {

using Outage::endJob;
using Outage::keptText;
using Outage::stored;

// The copied tables that the statements read whole, and those they read by
// the keys of some rows, each as often as it was read.
struct Reads
{
    QStringList whole;
    QStringList byKeys;
};
Reads readsIn(const QStringList& statements)
{
    static const QRegularExpression select(
        u"^PREPARE \\w+ AS SELECT .* FROM \"(employees|level1|level2|level3)\"(.*)$"_s);
    Reads reads;
    for (const QString& statement : statements) {
        if (const auto read = select.match(statement); read.hasMatch())
            (read.captured(2).contains(u"= ANY"_s) ? reads.byKeys : reads.whole)
                << read.captured(1);
    }
    reads.whole.removeDuplicates();
    reads.byKeys.removeDuplicates();
    return reads;
}

// Every message the program logs, kept for the test to read.
class Log
{
public:
    Log()
    {
        const std::lock_guard lock(mutex());
        lines().clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) {
                const std::lock_guard lock(mutex());
                lines() << message;
            });
    }
    ~Log() { qInstallMessageHandler(m_previous); }
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    QStringList said() const
    {
        const std::lock_guard lock(mutex());
        return lines();
    }

private:
    static std::mutex& mutex()
    {
        static std::mutex kept;
        return kept;
    }
    static QStringList& lines()
    {
        static QStringList kept;
        return kept;
    }
    QtMessageHandler m_previous;
};

// Connections of a site's role, held open until the server refuses one more:
// the server is full for every login but its superusers'.
class FullServer
{
public:
    explicit FullServer(const Site& site)
    {
        for (int i = 0; i < 200; ++i) {
            const QString name = QUuid::createUuid().toString();
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, name);
            PostgresFile::configure(db, site.server()->uri() + u"&application_name=filler"_s);
            if (!db.open()) {
                refusal = db.lastError().databaseText();
                db = QSqlDatabase();
                QSqlDatabase::removeDatabase(name);
                return;
            }
            m_names << name;
        }
    }
    ~FullServer()
    {
        while (!m_names.isEmpty())
            freeOne();
    }
    FullServer(const FullServer&) = delete;
    FullServer& operator=(const FullServer&) = delete;

    void freeOne()
    {
        const QString name = m_names.takeLast();
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    qsizetype held() const { return m_names.size(); }

    QString refusal; // the server's words to the connection it refused

private:
    QStringList m_names;
};

} // namespace

// A plant's terminals on one server: each holds one connection to it, whatever
// it does; its copies follow the server's notices of changes and read nothing
// while nothing changes; and a server with no room for one more connection is,
// to a terminal, a server away. Runs on a private server of its own that takes
// few connections (scripts/test-server --max-connections).
class TestPlant : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneConnectionAtRestInACycleAndWhileSending();
    void copiesReadOnlyWhatChanged();
    void openJobsFollowABurstOfOtherPunchesOnce();
    void fullServerIsAnOutage();
};

void TestPlant::initTestCase()
{
    if (testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set. scripts/test sets it; "
              "scripts/test-server ctest runs the tests with one.");
    // The connections show on the server under the terminal's name.
    QCoreApplication::setApplicationName(u"jobcosting"_s);
    // The pauses between tries grow as in a plant, only shorter.
    JournalSender::setRetryPauses(100, 1000);
}

// The terminal's screens, its sender and its copies share one connection: at
// rest, in a Start Job and an End Job, and while it sends what it kept through
// an outage.
void TestPlant::oneConnectionAtRestInACycleAndWhileSending()
{
    Site site(Site::Contents::Demo, Engine::Server);
    ServerProxy proxy;
    site.pointTo({}, proxy.uri(site.server()->uri()));
    PunchScreen punch(site.path());
    QVERIFY(punch.open());
    const auto store = OfflineStore::of(site.path());
    QVERIFY(store);
    QTRY_VERIFY(store->hasCopies());
    // At rest: the sender has looked for notices a few times meanwhile.
    QTest::qWait(3000);
    QCOMPARE(site.server()->connections(), 1);

    punch.startJob(u"000123"_s);
    QCOMPARE(site.server()->connections(), 1);
    endJob(punch, u"000123"_s, u"5"_s);
    QCOMPARE(site.server()->connections(), 1);

    // Kept through an outage, and sent while another program holds the table:
    // the sender tries again and again, on the terminal's one connection.
    proxy.setDown(true);
    punch.startJob(u"000124"_s, true);
    QCOMPARE(punch.services().dialogs.texts().last(), keptText);
    {
        const Site::Lock lock(site, SiteModel::jobPunchesFile, SiteModel::jobPunches);
        proxy.setDown(false);
        int most = 0;
        QElapsedTimer held;
        held.start();
        while (held.elapsed() < 3000) {
            most = std::max(most, site.server()->connections());
            QTest::qWait(100);
        }
        QCOMPARE(most, 1);
        QCOMPARE(store->journalled(), 1);
    }
    QVERIFY(allSent(site.path()));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT COUNT(*) FROM JobPunches WHERE Name = 'Maria Lopez'"_s),
        (Rows {{1}}));
    QCOMPARE(site.server()->connections(), 1);
    QCOMPARE(punch.services().dialogs.problems(), QString());
}

// The copies follow each change as its notice arrives, reading the rows it
// names and nothing else; many rows changed at once are read whole. A
// terminal that may have missed notices (started anew, its connection made
// anew) compares each table's count of changes, and reads only the tables that
// changed.
void TestPlant::copiesReadOnlyWhatChanged()
{
    Site site(Site::Contents::Demo, Engine::Server);
    ServerProxy proxy;
    site.pointTo({}, proxy.uri(site.server()->uri()));
    site.sql(SiteModel::validationsFile,
        u"INSERT INTO Level1 (ItemCode, ItemDescription, StandardCost, BonusRate, "
        "LevelDescription) SELECT 'X' || n, 'Extra ' || n, 1, 0, 'Department' FROM "
        "generate_series(1, 2000) n"_s);
    const QString folder = site.path();
    auto store = OfflineStore::open(folder);
    QVERIFY(store);
    QTRY_VERIFY(store->hasCopies());
    const auto item = [&](const QString& code) {
        return stored(
            folder, u"SELECT ItemDescription FROM level1 WHERE ItemCode = '%1'"_s.arg(code))
            .value(0)
            .value(0)
            .toString();
    };
    QCOMPARE(readsIn(proxy.statements()).whole,
        (QStringList {u"level1"_s, u"level2"_s, u"level3"_s, u"employees"_s}));

    // One row changed, one added, one removed: those rows, read by their keys.
    qsizetype sent = proxy.statements().size();
    site.sql(SiteModel::validationsFile,
        u"UPDATE Level1 SET ItemDescription = 'Renamed' WHERE ItemCode = 'X10'"_s);
    site.sql(SiteModel::validationsFile,
        u"INSERT INTO Level1 (ItemCode, ItemDescription, StandardCost, BonusRate, "
        "LevelDescription) VALUES ('X9999', 'Added', 1, 0, 'Department')"_s);
    site.sql(SiteModel::validationsFile, u"DELETE FROM Level1 WHERE ItemCode = 'X20'"_s);
    QTRY_COMPARE(item(u"X10"_s), u"Renamed"_s);
    QTRY_COMPARE(item(u"X9999"_s), u"Added"_s);
    QTRY_COMPARE(item(u"X20"_s), QString());
    Reads reads = readsIn(proxy.statements().mid(sent));
    QCOMPARE(reads.whole, QStringList());
    QCOMPARE(reads.byKeys, QStringList {u"level1"_s});

    // Started anew with nothing changed: every count agrees, nothing is read.
    sent = proxy.statements().size();
    store.reset();
    store = OfflineStore::open(folder);
    QTRY_VERIFY(proxy.statements().mid(sent).filter(u"FROM TableChanges"_s).size() >= 3);
    QTest::qWait(500);
    reads = readsIn(proxy.statements().mid(sent));
    QCOMPARE(reads.whole, QStringList());
    QCOMPARE(reads.byKeys, QStringList());

    // Changed while the connection was down: that table alone is read whole.
    sent = proxy.statements().size();
    proxy.setDown(true);
    site.sql(SiteModel::timeClockFile,
        u"UPDATE EMPLOYEES SET Name = 'Walter Brennan Jr.' WHERE Badge = '000123'"_s);
    proxy.setDown(false);
    QTRY_COMPARE(stored(folder, u"SELECT Name FROM employees WHERE Badge = '000123'"_s),
        (Rows {{u"Walter Brennan Jr."_s}}));
    QCOMPARE(readsIn(proxy.statements().mid(sent)).whole, QStringList {u"employees"_s});

    // Too many rows to name, or the table emptied: read whole.
    sent = proxy.statements().size();
    site.sql(SiteModel::validationsFile, u"UPDATE Level1 SET BonusRate = 2"_s);
    QTRY_COMPARE(
        stored(folder, u"SELECT COUNT(*) FROM level1 WHERE BonusRate <> 2"_s), (Rows {{0}}));
    site.sql(SiteModel::validationsFile, u"TRUNCATE Level3"_s);
    QTRY_COMPARE(stored(folder, u"SELECT COUNT(*) FROM level3"_s), (Rows {{0}}));
    QCOMPARE(readsIn(proxy.statements().mid(sent)).whole, (QStringList {u"level1"_s, u"level3"_s}));
    QCOMPARE(stored(folder, u"SELECT Stamp FROM Copies WHERE TableName = 'level1'"_s),
        site.sql(SiteModel::validationsFile,
            u"SELECT Changes FROM TableChanges WHERE TableName = 'level1'"_s));
}

// The copy of the open jobs follows other terminals' punches within its
// bound (six seconds here), read once or twice for a burst of them over six
// seconds rather than at every look (every two seconds): at a plant's shift
// change every terminal would read it again at every punch.
void TestPlant::openJobsFollowABurstOfOtherPunchesOnce()
{
    Site site(Site::Contents::Demo, Engine::Server);
    ServerProxy proxy;
    site.pointTo({}, proxy.uri(site.server()->uri()));
    JournalSender::setOthersFollow(6000);
    const auto restore
        = qScopeGuard([] { JournalSender::setOthersFollow(JournalSender::defaultOthersFollowMs); });
    const QString folder = site.path();
    const auto store = OfflineStore::open(folder);
    QVERIFY(store);
    QTRY_VERIFY(store->hasCopies());
    QTest::qWait(2500);
    const qsizetype sent = proxy.statements().size();
    for (int i = 1; i <= 6; ++i) {
        site.sql(SiteModel::jobPunchesFile,
            u"INSERT INTO JobPunches (Name, Badge) VALUES ('Burst %1', 'Open')"_s.arg(i));
        QTest::qWait(1000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(
        stored(folder, u"SELECT COUNT(*) FROM jobpunches WHERE Name LIKE 'Burst %'"_s),
        (Rows {{6}}), 10000);
    static const QRegularExpression openJobsRead(
        u"^PREPARE \\w+ AS SELECT .* FROM \"jobpunches\" WHERE"_s);
    const qsizetype reads = proxy.statements().mid(sent).filter(openJobsRead).size();
    QVERIFY2(reads >= 1 && reads <= 2, qPrintable(QString::number(reads)));
}

// A server with no room for the terminal's connection, at its start or
// later, is to the terminal a server that cannot be reached: it runs on its
// copies and keeps its punches; the worker reads no word of the server's, the
// log does; and once there is room it sends what it kept.
void TestPlant::fullServerIsAnOutage()
{
    Site site(Site::Contents::Demo, Engine::Server);
    const ServerProxy proxy;
    site.pointTo({}, proxy.uri(site.server()->uri()));
    {
        // A first start, with the server: the copies are made.
        PunchScreen first(site.path());
        QVERIFY(first.open());
        const auto store = OfflineStore::of(site.path());
        QTRY_VERIFY(store && store->hasCopies());
        first.close();
    }
    QTRY_COMPARE(site.server()->connections(), 0);
    FullServer full(site);
    // The server's own words, whichever way the connection came.
    const QString refusal = full.refusal.section(u"FATAL:"_s, 1).trimmed();
    QVERIFY2(
        refusal.contains(u"slots"_s) || refusal.contains(u"too many"_s), qPrintable(full.refusal));

    const Log log;
    PunchScreen punch(site.path());
    QVERIFY(punch.open());
    punch.startJob(u"000126"_s, true);
    const QStringList told = punch.services().dialogs.texts();
    QCOMPARE(told.last(), keptText);
    for (const QString& text : told)
        QVERIFY2(!text.contains(refusal.section(u' ', 0, 2)), qPrintable(text));
    QCOMPARE(site.server()->connections(), 0);
    QTRY_VERIFY(std::ranges::any_of(log.said(), [&](const QString& line) {
        return line.contains(u"cannot be reached"_s) && line.contains(refusal);
    }));

    // Tried again after pauses that grow from a tenth of a second to one:
    // over four seconds a handful of tries, not forty; and said in the log once.
    const int tries = proxy.connectionsMade();
    const qsizetype lines = log.said().size();
    QTest::qWait(4000);
    QVERIFY2(proxy.connectionsMade() - tries <= 12,
        qPrintable(QString::number(proxy.connectionsMade() - tries)));
    QVERIFY(proxy.connectionsMade() > tries);
    QCOMPARE(log.said().size(), lines);

    // Room for the terminal, and for the test's look at the rows.
    full.freeOne();
    full.freeOne();
    QVERIFY(allSent(site.path()));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT COUNT(*) FROM JobPunches WHERE Badge = 'Open' AND Name = "
                 "'Linda Kowalski'"_s),
        (Rows {{1}}));
    QCOMPARE(site.server()->connections(), 1);
    QTRY_VERIFY(log.said().contains(u"jobcosting: the database server answers again."_s));
    QCOMPARE(punch.services().dialogs.problems(), QString());
}

QTEST_MAIN(TestPlant)
#include "tst_plant.moc"
