#include "Site.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using Rows = QList<QVariantList>;

// The terminal's connection to its database server, on the private test
// server: what the terminal does when the server drops it.
class TestServerConnection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void droppedConnectionIsOpenedAnewAtNextUse_data();
    void droppedConnectionIsOpenedAnewAtNextUse();

private:
    SystemClock m_clock;
    RegionalSettings m_regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), m_clock};
};

void TestServerConnection::init()
{
    if (testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set. scripts/test sets it; "
              "scripts/test-server ctest runs the tests with one.");
}

void TestServerConnection::droppedConnectionIsOpenedAnewAtNextUse_data()
{
    QTest::addColumn<QString>("use");
    QTest::newRow("a search") << u"find"_s;
    QTest::newRow("a refresh") << u"refresh"_s;
    QTest::newRow("a new row") << u"add"_s;
    QTest::newRow("an edit") << u"edit"_s;
}

// A restart of the server cuts every connection; the next use of each data
// source, whatever it is, opens its connection anew and is not refused.
void TestServerConnection::droppedConnectionIsOpenedAnewAtNextUse()
{
    QFETCH(QString, use);
    Site site(Site::Contents::Demo, Engine::Server);
    site.sql(SiteBuilder::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge) VALUES ('Walter Brennan', 'Open')"_s);
    DataSource punches(u"Data1"_s, SiteBuilder::jobPunchesFile,
        u"select * from JobPunches where Badge = 'Open'"_s, false, m_regional);
    punches.refresh();
    QVERIFY(punches.hasCurrentRow());

    site.server()->dropConnections();

    if (use == u"find"_s) {
        punches.findFirst(u"Name = 'Walter Brennan'"_s);
        QVERIFY(!punches.noMatch());
    } else if (use == u"refresh"_s) {
        punches.refresh();
        QCOMPARE(punches.field(u"Name"_s).toString(), u"Walter Brennan"_s);
    } else if (use == u"add"_s) {
        punches.addNew();
        punches.setField(u"Name"_s, u"Maria Lopez"_s);
        punches.setField(u"Badge"_s, u"Open"_s);
        punches.save();
    } else {
        punches.edit();
        punches.setField(u"Badge"_s, u"Closed"_s);
        punches.save();
    }
    const Rows expected = use == u"add"_s
        ? Rows {{u"Walter Brennan"_s, u"Open"_s}, {u"Maria Lopez"_s, u"Open"_s}}
        : Rows {{u"Walter Brennan"_s, use == u"edit"_s ? u"Closed"_s : u"Open"_s}};
    QCOMPARE(
        site.sql(SiteBuilder::jobPunchesFile, u"SELECT Name, Badge FROM JobPunches ORDER BY ID"_s),
        expected);
}

QTEST_GUILESS_MAIN(TestServerConnection)
#include "tst_serverconnection.moc"
