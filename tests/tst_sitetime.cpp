#include "regional/SiteTime.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QTimeZone zone(const char* name)
{
    return QTimeZone(QByteArray(name));
}

QTime at(int hour, int minute = 0)
{
    return QTime(hour, minute);
}

} // namespace

// The site's clocks: hours are the real time that passed, on the nights the
// clocks change too, in two zones whose clocks change on other days and at
// other hours.
class TestSiteTime : public QObject
{
    Q_OBJECT

private slots:
    void hoursAreTheTimeThatPassed_data();
    void hoursAreTheTimeThatPassed();
    void aStartOnTheChangingNight_data();
    void aStartOnTheChangingNight();
    void anEndGivenTwiceIsTheOneAfterTheStart();
    void regularDaysNeedNoZone();
    void arrivedAwayAfterTenMinutes();
};

void TestSiteTime::hoursAreTheTimeThatPassed_data()
{
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("stop");
    QTest::addColumn<qint64>("minutes");

    const QTimeZone york = zone("America/New_York");
    const QTimeZone berlin = zone("Europe/Berlin");
    QTest::newRow("New York, the clocks go back")
        << york << QDate(2026, 11, 1) << at(1, 30) << at(1, 15) << qint64(45);
    QTest::newRow("New York, the clocks go forward")
        << york << QDate(2026, 3, 8) << at(1, 30) << at(3, 15) << qint64(45);
    QTest::newRow("New York, a plain night")
        << york << QDate(2026, 6, 10) << at(23) << at(1) << qint64(120);
    QTest::newRow("New York, across the night the clocks go forward")
        << york << QDate(2026, 3, 7) << at(23) << at(3) << qint64(180);
    QTest::newRow("New York, across the night the clocks go back")
        << york << QDate(2026, 10, 31) << at(23) << at(1, 30) << qint64(150);
    QTest::newRow("New York, in the hour read twice")
        << york << QDate(2026, 11, 1) << at(1, 15) << at(1, 45) << qint64(30);
    QTest::newRow("New York, from the first to the second reading")
        << york << QDate(2026, 11, 1) << at(1, 45) << at(1, 15) << qint64(30);
    QTest::newRow("New York, a start in the skipped hour")
        << york << QDate(2026, 3, 8) << at(2, 30) << at(4) << qint64(30);
    QTest::newRow("New York, a job that lasted no time")
        << york << QDate(2026, 11, 1) << at(1, 30) << at(1, 30) << qint64(0);
    QTest::newRow("Berlin, the clocks go back")
        << berlin << QDate(2026, 10, 25) << at(2, 30) << at(2, 15) << qint64(45);
    QTest::newRow("Berlin, the clocks go forward")
        << berlin << QDate(2026, 3, 29) << at(1, 30) << at(3, 15) << qint64(45);
    QTest::newRow("Berlin, a night shift over the change back")
        << berlin << QDate(2026, 10, 24) << at(22) << at(6) << qint64(9 * 60);
    QTest::newRow("Berlin, a night shift over the change forward")
        << berlin << QDate(2026, 3, 28) << at(22) << at(6) << qint64(7 * 60);
    QTest::newRow("New York's change is no change in Berlin")
        << berlin << QDate(2026, 11, 1) << at(1, 30) << at(1, 15) << qint64(23 * 60 + 45);
    QTest::newRow("UTC") << QTimeZone::utc() << QDate(2026, 11, 1) << at(23) << at(1)
                         << qint64(120);
}

void TestSiteTime::hoursAreTheTimeThatPassed()
{
    QFETCH(QTimeZone, zone);
    QFETCH(QDate, date);
    QFETCH(QTime, start);
    QFETCH(QTime, stop);
    QFETCH(qint64, minutes);
    const SiteTime site(zone);
    QCOMPARE(site.secondsWorked(date, start, stop), minutes * 60);
    // The end, on the site's clocks, reads the stop.
    const QDateTime ended = site.next(site.moment(date, start), stop);
    QCOMPARE(ended.timeZone(), zone);
    QCOMPARE(ended.time(), stop);
    QCOMPARE(site.moment(date, start).secsTo(ended), minutes * 60);
}

void TestSiteTime::aStartOnTheChangingNight_data()
{
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QDateTime>("moment"); // in UTC

    const QTimeZone york = zone("America/New_York");
    const QTimeZone berlin = zone("Europe/Berlin");
    QTest::newRow("New York, read twice: the earlier")
        << york << QDate(2026, 11, 1) << at(1, 30) << QDateTime({2026, 11, 1}, at(5, 30), Qt::UTC);
    QTest::newRow("New York, skipped: as the clock showed it before the jump")
        << york << QDate(2026, 3, 8) << at(2, 30) << QDateTime({2026, 3, 8}, at(7, 30), Qt::UTC);
    QTest::newRow("Berlin, read twice: the earlier")
        << berlin << QDate(2026, 10, 25) << at(2, 30)
        << QDateTime({2026, 10, 25}, at(0, 30), Qt::UTC);
    QTest::newRow("Berlin, skipped: as the clock showed it before the jump")
        << berlin << QDate(2026, 3, 29) << at(2, 30)
        << QDateTime({2026, 3, 29}, at(1, 30), Qt::UTC);
}

void TestSiteTime::aStartOnTheChangingNight()
{
    QFETCH(QTimeZone, zone);
    QFETCH(QDate, date);
    QFETCH(QTime, start);
    QFETCH(QDateTime, moment);
    QCOMPARE(SiteTime(zone).moment(date, start).toUTC(), moment);
}

// jobcosting-desk end --at: the true end of a job over the night the clocks
// go back reads as a time before its start.
void TestSiteTime::anEndGivenTwiceIsTheOneAfterTheStart()
{
    const SiteTime york(zone("America/New_York"));
    const QDate night(2026, 11, 1);
    const QDateTime started = york.moment(night, at(1, 30));
    QCOMPARE(started.secsTo(york.moment(night, at(1, 15), started)), 45 * 60);
    // Once only on the clocks, a time is that time, before the start or not.
    QCOMPARE(started.secsTo(york.moment(night, at(0, 45), started)), -45 * 60);
    QCOMPARE(started.secsTo(york.moment(night, at(3), started)), 150 * 60);
}

// Away from a change of the clocks the hours need no zone: the fast way and
// the zone's agree, on every day of two years at random times.
void TestSiteTime::regularDaysNeedNoZone()
{
    for (const char* name : {"America/New_York", "Europe/Berlin", "Australia/Sydney"}) {
        const SiteTime site(zone(name));
        QVERIFY(!site.regular(QDate(2026, 3, 8)) || QByteArray(name) != "America/New_York");
        QVERIFY(!site.regular(SiteTime::firstKnownDay().addDays(-1)));
        QVERIFY(!site.regular(SiteTime::lastKnownDay().addDays(1)));
        QRandomGenerator random(7);
        int regular = 0;
        for (QDate day(2025, 1, 1); day < QDate(2027, 1, 1); day = day.addDays(1)) {
            const QTime start = QTime(0, 0).addSecs(random.bounded(24 * 3600));
            const QTime stop = QTime(0, 0).addSecs(random.bounded(24 * 3600));
            const QDateTime started = site.moment(day, start);
            QCOMPARE(
                site.secondsWorked(day, start, stop), started.secsTo(site.next(started, stop)));
            regular += site.regular(day) ? 1 : 0;
        }
        // Four changes, each making four days irregular.
        QCOMPARE(regular, 730 - 16);
        QCOMPARE(site.irregularDays(QDate(2025, 1, 1), QDate(2026, 12, 31)).size(), 16);
    }
    QCOMPARE(SiteTime(QTimeZone::utc()).irregularDays(QDate(2025, 1, 1), QDate(2026, 12, 31)),
        QList<QDate>());
}

void TestSiteTime::arrivedAwayAfterTenMinutes()
{
    const QDateTime own({2026, 11, 1}, at(8), Qt::UTC);
    QVERIFY(!SiteTime::arrivedAway(own, own.addSecs(600)));
    QVERIFY(!SiteTime::arrivedAway(own, own.addSecs(-600)));
    QVERIFY(SiteTime::arrivedAway(own, own.addSecs(601)));
    QVERIFY(SiteTime::arrivedAway(own, own.addSecs(-601)));
    QVERIFY(!SiteTime::arrivedAway(own, QDateTime()));
}

QTEST_GUILESS_MAIN(TestSiteTime)
#include "tst_sitetime.moc"
