#include "Outage.h"
#include "PunchScreen.h"
#include "data/OfflineStore.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;
using Rows = QList<QVariantList>;

using Outage::keptText;

// The README's failover recipe, on a primary server and its synchronous
// standby of the test's own: the terminal's pointer files name both, and the
// terminal writes where it may. A commit that waits for a standby that is gone
// ends at the deadline, kept; when the primary fails and the standby is
// promoted, the kept punches and the next ones go to the new primary.
class TestFailover : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void terminalFollowsThePromotedStandby();

private:
    bool pair(const QString& command) const
    {
        return QProcess::execute(QStringLiteral(JOBCOSTING_SERVER_PAIR), {command, m_dir}) == 0;
    }
    QString uri(const QString& cluster) const
    {
        return u"postgresql:///jobcosting?host=%1/%2-socket&user=jobcosting"_s.arg(m_dir, cluster);
    }
    Rows sql(const QString& cluster, const QString& statement) const;

    QString m_dir;
};

void TestFailover::initTestCase()
{
    if (QDir(u"/usr/lib/postgresql"_s).isEmpty())
        QSKIP("PostgreSQL is not installed (Debian package postgresql).");
    m_dir
        = QDir::temp().filePath(u"jobcosting-pair-"_s + QUuid::createUuid().toString(QUuid::Id128));
    QVERIFY(pair(u"start"_s));
}

void TestFailover::cleanupTestCase()
{
    if (!m_dir.isEmpty())
        pair(u"stop"_s);
}

Rows TestFailover::sql(const QString& cluster, const QString& statement) const
{
    Rows rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, name);
        PostgresFile::configure(db, uri(cluster));
        QSqlQuery query(db);
        if (!db.open() || !query.exec(statement))
            qWarning("%s", qPrintable(query.lastError().text() + db.lastError().text()));
        while (query.next())
            rows << QVariantList {query.value(0), query.value(1)};
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

void TestFailover::terminalFollowsThePromotedStandby()
{
    QTemporaryDir site;
    SiteBuilder::create(site.path(), uri(u"primary"_s));
    SiteBuilder::fillDemo(site.path());
    for (const QString& name :
        {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile}) {
        QFile pointer(QDir(site.path()).filePath(name));
        QVERIFY(pointer.open(QIODevice::WriteOnly | QIODevice::Truncate));
        pointer.write(
            u"postgresql:///jobcosting?host=%1/primary-socket,%1/standby-socket&user="
            "jobcosting&target_session_attrs=read-write&jobcosting_deadline=1\n"_s.arg(m_dir)
                .toUtf8());
    }
    PunchScreen punch(site.path());
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    const QString names = u"SELECT Name, COUNT(*) FROM JobPunches GROUP BY Name ORDER BY Name"_s;

    // Walter's job is on the primary, and on the standby by the time he is told.
    punch.startJob(u"000123"_s);
    QCOMPARE(sql(u"standby"_s, names), (Rows {{u"Walter Brennan"_s, 1}}));

    // The standby goes away: Linda's commit waits for it until the deadline.
    QVERIFY(pair(u"stop-standby"_s));
    QElapsedTimer waited;
    waited.start();
    punch.startJob(u"000126"_s, true);
    QVERIFY2(waited.elapsed() < 2000, qPrintable(QString::number(waited.elapsed())));
    QCOMPARE(dialogs.texts().last(), keptText);
    QVERIFY(pair(u"start-standby"_s));
    QVERIFY(allSent(site.path()));

    // The primary fails: no server takes writes until the standby is promoted.
    QVERIFY(pair(u"fail-primary"_s));
    punch.startJob(u"000124"_s, true);
    QCOMPARE(dialogs.texts().last(), keptText);
    QVERIFY(pair(u"promote"_s));
    QVERIFY(allSent(site.path()));
    punch.type(u"Text34"_s, u"000123"_s);
    dialogs.type(u"5"_s);
    dialogs.answer(Answer::Yes);
    punch.click(u"Command2"_s);
    VERIFY_DIALOGS(dialogs);

    QCOMPARE(sql(u"standby"_s, names),
        (Rows {{u"Linda Kowalski"_s, 1}, {u"Maria Lopez"_s, 1}, {u"Walter Brennan"_s, 1}}));
    QCOMPARE(
        sql(u"standby"_s, u"SELECT Badge, Pieces FROM JobPunches WHERE Name = 'Walter Brennan'"_s),
        (Rows {{u"Closed"_s, 5.0}}));
    QCOMPARE(sql(u"standby"_s, u"SELECT COUNT(*), 0 FROM JobPunchConflicts"_s), (Rows {{0, 0}}));
}

QTEST_MAIN(TestFailover)
#include "tst_failover.moc"
