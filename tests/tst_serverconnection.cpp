#include "Site.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/SiteModel.h"
#include "data/Transaction.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/BusyPointer.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using Rows = QList<QVariantList>;

namespace {

// Counts the paints a widget gets.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

// The terminal's connection to its database server, on the private test
// server: what the terminal does when the server drops it, and when it stops
// answering without dropping it.
class TestServerConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { showBusyPointerWhileServerWaits(); }
    void init();
    void droppedConnectionIsOpenedAnewAtNextUse_data();
    void droppedConnectionIsOpenedAnewAtNextUse();
    void stoppedServerIsGivenUpAtTheDeadline_data();
    void stoppedServerIsGivenUpAtTheDeadline();
    void waitRepaintsAndTakesNoInput();
    void defaultDeadlineIsTenSeconds();

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
    site.sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge) VALUES ('Walter Brennan', 'Open')"_s);
    DataSource punches(u"Data1"_s, SiteModel::jobPunchesFile,
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
        site.sql(SiteModel::jobPunchesFile, u"SELECT Name, Badge FROM JobPunches ORDER BY ID"_s),
        expected);
}

void TestServerConnection::stoppedServerIsGivenUpAtTheDeadline_data()
{
    QTest::addColumn<QString>("use");
    QTest::newRow("the first connection") << u"connect"_s;
    QTest::newRow("a lookup") << u"find"_s;
    QTest::newRow("the open-job query") << u"refresh"_s;
    QTest::newRow("a save") << u"add"_s;
    QTest::newRow("a commit") << u"commit"_s;
}

// A server whose processes stopped keeps its connections open and its kernel
// takes what is sent: each kind of round trip is given up at the deadline
// with the data layer's error, and once the server goes on the next use opens
// a connection anew and works.
void TestServerConnection::stoppedServerIsGivenUpAtTheDeadline()
{
    QFETCH(QString, use);
    Site site(Site::Contents::Demo, Engine::Server);
    site.pointTo(u"0.5"_s);
    DataSource employees(u"Data8"_s, SiteModel::timeClockFile, u"EMPLOYEES"_s, false, m_regional);
    DataSource punches(u"Data1"_s, SiteModel::jobPunchesFile,
        u"select * from JobPunches where Badge = 'Open'"_s, false, m_regional);
    if (use != u"connect"_s) {
        employees.refresh();
        punches.refresh();
    }
    // Maria's row given up on may yet reach the server when it goes on (its
    // acknowledgement is what was lost): the next save is Linda's.
    QString worker = u"Maria Lopez"_s;
    const auto add = [&punches, &worker] {
        punches.addNew();
        punches.setField(u"Name"_s, worker);
        punches.setField(u"Badge"_s, u"Open"_s);
        punches.save();
    };
    const auto work = [&] {
        if (use == u"connect"_s || use == u"find"_s) {
            employees.findFirst(u"Badge = '000123'"_s);
            if (employees.noMatch())
                throw std::runtime_error("Walter was not found");
        } else if (use == u"refresh"_s) {
            punches.refresh();
        } else if (use == u"add"_s) {
            add();
        } else {
            Transaction writes(SiteModel::jobPunchesFile, u"JobPunches"_s);
            add();
            writes.commit();
        }
    };

    {
        ServerStop stop;
        QElapsedTimer waited;
        waited.start();
        try {
            if (use == u"commit"_s) {
                // The server stops between the row and the commit.
                stop.resume();
                Transaction writes(SiteModel::jobPunchesFile, u"JobPunches"_s);
                add();
                ServerStop again;
                waited.restart();
                writes.commit();
            } else {
                work();
            }
            QFAIL("a stopped server answered");
        } catch (const DataError& error) {
            QCOMPARE(error.reason(), DataError::Reason::Unreachable);
            QVERIFY2(error.message().contains(u"did not answer within 0.5 seconds"_s),
                qPrintable(error.message()));
        }
        QVERIFY2(waited.elapsed() >= 450 && waited.elapsed() < 1000,
            qPrintable(QString::number(waited.elapsed())));
    }

    // A connection given up on while it was being made may still be on its way.
    worker = u"Linda Kowalski"_s;
    const QDeadlineTimer back(5000);
    for (;;) {
        try {
            work();
            break;
        } catch (const DataError& error) {
            if (back.hasExpired())
                QFAIL(qPrintable(error.message()));
        }
        QTest::qWait(50);
    }
}

// While a round trip waits, the window repaints and shows a busy pointer,
// and keys typed meanwhile never reach it.
void TestServerConnection::waitRepaintsAndTakesNoInput()
{
    Site site(Site::Contents::Demo, Engine::Server);
    site.pointTo(u"1"_s);
    DataSource employees(u"Data8"_s, SiteModel::timeClockFile, u"EMPLOYEES"_s, false, m_regional);
    employees.refresh();
    QLineEdit box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const PaintCounter counter(&box);

    Qt::CursorShape during = Qt::ArrowCursor;
    int paintsDuring = 0;
    QTimer::singleShot(300, &box, [&] {
        during = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                   : Qt::ArrowCursor;
        QTest::keyClicks(&box, u"000123"_s);
        box.update();
    });
    QTimer::singleShot(600, &box, [&] { paintsDuring = counter.paints; });
    {
        ServerStop stop;
        QVERIFY_THROWS_EXCEPTION(DataError, employees.findFirst(u"Badge = '000123'"_s));
    }
    QCOMPARE(during, Qt::WaitCursor);
    QVERIFY(paintsDuring > 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(box.text(), QString());
}

// The one test that waits the real default.
void TestServerConnection::defaultDeadlineIsTenSeconds()
{
    Site site(Site::Contents::Demo, Engine::Server);
    DataSource employees(u"Data8"_s, SiteModel::timeClockFile, u"EMPLOYEES"_s, false, m_regional);
    employees.refresh();
    ServerStop stop;
    QElapsedTimer waited;
    waited.start();
    QVERIFY_THROWS_EXCEPTION(DataError, employees.findFirst(u"Badge = '000123'"_s));
    QVERIFY2(waited.elapsed() >= 9900 && waited.elapsed() < 11000,
        qPrintable(QString::number(waited.elapsed())));
}

QTEST_MAIN(TestServerConnection)
#include "tst_serverconnection.moc"
