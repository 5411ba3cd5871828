#include "Files.h"
#include "JobCostCommand.h"
#include "Site.h"
#include "TestServices.h"
#include "desk/DeskCommand.h"

#include <QBuffer>
#include <QtTest>

using namespace Qt::StringLiterals;

// What a supervisor does on the demo site's month, through the desk's
// command line and the report, on every engine that can be corrected: sees
// the job forgotten two days ago over a shift, ends it with a reason, and
// finds the correction in the history and in the report of the days it was
// worked.
class TestDeskDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init()
    {
        SKIP_WITHOUT_TEST_SERVER();
        SKIP_ACCESS();
    }
    void forgottenJobEndedAndReported_data();
    void forgottenJobEndedAndReported();

private:
    int desk(const QStringList& arguments);
    QList<QStringList> report(const QStringList& arguments);

    FixedClock m_clock; // Wednesday 6 March 2024, 10:20
    QString m_out;
    QString m_err;
};

int TestDeskDemo::desk(const QStringList& arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    try {
        return DeskCommand::run(DeskCommand::parse(arguments), m_clock, out, err);
    } catch (const CommandLine::Error& error) {
        err << error.message;
        return DeskCommand::badCommandLine;
    }
}

QList<QStringList> TestDeskDemo::report(const QStringList& arguments)
{
    const RegionalSettings iso(u"yyyy-MM-dd"_s, u"HH:mm:ss"_s, u'.', QChar(), m_clock);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    m_err.clear();
    QTextStream err(&m_err);
    if (JobCostCommand::run(arguments, m_clock, iso, out, err) != 0)
        return {};
    return csvCells(bytes);
}

void TestDeskDemo::forgottenJobEndedAndReported_data()
{
    QTest::addColumn<QStringList>("period"); // of the report
    QTest::addColumn<bool>("listed"); // the correction, and the worker's group counts it

    QTest::newRow("the month") << QStringList() << true;
    QTest::newRow("the day it was worked")
        << QStringList {u"--from"_s, u"2024-03-04"_s, u"--to"_s, u"2024-03-04"_s} << true;
    QTest::newRow("the days after") << QStringList {u"--from"_s, u"2024-03-05"_s} << false;
}

void TestDeskDemo::forgottenJobEndedAndReported()
{
    QFETCH(QStringList, period);
    QFETCH(bool, listed);
    m_clock.set(QDateTime(QDate(2024, 3, 6), QTime(10, 20)));
    const Site site(Site::Contents::Demo, currentEngine());
    SiteBuilder::fillDemoPunches(site.path(), m_clock.now());

    // The board: four jobs open now, Susan Miller's since Monday morning.
    QCOMPARE(
        desk({u"list"_s, site.path(), u"--open"_s, u"--format"_s, u"csv"_s}), DeskCommand::done);
    QList<QStringList> open = csvCells(m_out.toUtf8());
    QCOMPARE(open.size(), 5);
    const QStringList header = open.takeFirst();
    const auto cell = [&](const QStringList& row, const QString& column) {
        return row.value(header.indexOf(column));
    };
    QStringList states;
    for (const QStringList& row : open)
        states << cell(row, u"Badge"_s) + u' ' + cell(row, u"State"_s);
    states.sort();
    QCOMPARE(states,
        (QStringList {
            u"000127 open"_s, u"000128 open"_s, u"000130 open"_s, u"000132 over shift"_s}));
    const QStringList forgotten = *std::find_if(open.cbegin(), open.cend(),
        [&](const QStringList& row) { return cell(row, u"Badge"_s) == u"000132"_s; });
    QCOMPARE(cell(forgotten, u"Name"_s), u"Susan Miller"_s);
    QCOMPARE(cell(forgotten, u"Started"_s), u"2024-03-04 07:04:26"_s);

    // Ended a shift and a half later, as the badge is typed at a terminal.
    QCOMPARE(desk({u"end"_s, site.path(), u"--badge"_s, u"132"_s, u"--at"_s, u"2024-03-04 15:34"_s,
                 u"--reason"_s, u"forgot to punch out"_s}),
        DeskCommand::done);
    QCOMPARE(
        desk({u"list"_s, site.path(), u"--open"_s, u"--format"_s, u"csv"_s}), DeskCommand::done);
    QCOMPARE(csvCells(m_out.toUtf8()).size(), 4);
    QVERIFY(!m_out.contains(u"000132"_s));

    QCOMPARE(desk({u"history"_s, site.path(), u"--format"_s, u"csv"_s}), DeskCommand::done);
    const QList<QStringList> history = csvCells(m_out.toUtf8());
    QCOMPARE(history.size(), 2);
    const QStringList entry = history.at(1);
    QCOMPARE((QStringList {
                 entry.at(3), entry.at(4), entry.at(5), entry.at(6), entry.at(7), entry.at(9)}),
        (QStringList {u"end"_s, cell(forgotten, u"PunchId"_s), u"Susan Miller"_s,
            u"State open -> closed; Stopped (open) -> 15:34:00"_s, u"forgot to punch out"_s,
            u"{\"Badge\":\"Closed\",\"TimeStop\":\"15:34:00\"}"_s}));

    // The report by worker: the job is costed now, and marked.
    const QList<QStringList> rows
        = report(period + QStringList {u"--by"_s, u"worker"_s, u"--corrections"_s, site.path()});
    QVERIFY2(!rows.isEmpty(), qPrintable(m_err));
    const QStringList columns = rows.first();
    const auto at = [&](const QStringList& row, const QString& column) {
        return row.value(columns.indexOf(column));
    };
    QStringList corrected;
    QStringList corrections;
    QStringList openWorkers;
    for (const QStringList& row : rows) {
        if (row.first() == u"group"_s && at(row, u"Corrected"_s) != u"0"_s)
            corrected << at(row, u"Name"_s) + u' ' + at(row, u"Corrected"_s);
        if (row.first() == u"open"_s)
            openWorkers << at(row, u"Name"_s);
        if (row.first() == u"correction"_s)
            corrections << QStringList {at(row, u"Worker"_s), at(row, u"Start"_s),
                at(row, u"Stop"_s), at(row, u"Action"_s), at(row, u"Reason"_s)}
                               .join(u" | "_s);
    }
    QVERIFY(!openWorkers.contains(u"Susan Miller"_s));
    QCOMPARE(corrected, listed ? QStringList {u"Susan Miller 1"_s} : QStringList());
    QCOMPARE(corrections,
        listed ? QStringList {u"Susan Miller (132) | 2024-03-04 07:04:26 | 2024-03-04 15:34:00 | "
                              "end | forgot to punch out"_s}
               : QStringList());
}

QTEST_GUILESS_MAIN(TestDeskDemo)
#include "tst_deskdemo.moc"
