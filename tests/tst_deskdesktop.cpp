#include "DeskJobs.h"
#include "XDisplay.h"
#include "data/SiteModel.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

// The built desk on a real X server with a window manager: it follows a
// terminal's save by itself, a supervisor ends a forgotten job and settles a
// terminal's conflicts through its real forms and confirmations with the
// keyboard, and a server that stops answering or stops altogether neither
// freezes the window nor lets it pass stale lists for current ones.
class TestDeskDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void forgottenJobIsSeenAndEnded();
    void stalledServerLeavesTheWindowAnswering();
    void stoppedServerIsToldAndLeft();
    void conflictsAreAppliedAndDismissed();

private:
    void screenshot(const QString& name, const QString& window = u"root"_s) const
    {
        m_display.screenshot(QStringLiteral("%1/desktop-desk-%2.png")
                                 .arg(QStringLiteral(JOBCOSTING_PICTURE_DIR), name),
            window);
    }
    QImage picture(const QString& name, const QString& window) const
    {
        screenshot(name, window);
        return QImage(QStringLiteral("%1/desktop-desk-%2.png")
                          .arg(QStringLiteral(JOBCOSTING_PICTURE_DIR), name));
    }
    // The desk on the site; the id of its window once it shows `title`.
    QString start(const Site& site, const QString& title);
    // The title the window has now.
    QString titleOf(const QString& window) const;
    // Waits for a message box of the desk other than `shown` to be the active window.
    QString messageAfter(const QString& shown, int timeoutMs = 20000) const;

    XDisplay m_display;
    QProcess m_desk;
};

void TestDeskDesktop::initTestCase()
{
    const QString missing = XDisplay::missing({u"Xvfb"_s, u"openbox"_s, u"xdotool"_s, u"import"_s});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing + u" is missing (scripts/test installs it)"_s));
    XDisplay::tieToTest(m_desk);
    QVERIFY(m_display.start());
}

void TestDeskDesktop::cleanup()
{
    if (QTest::currentTestFailed())
        screenshot(u"failed"_s);
    XDisplay::stop({&m_desk});
    m_display.stop();
    QVERIFY(m_display.start());
}

QString TestDeskDesktop::start(const Site& site, const QString& title)
{
    QProcessEnvironment environment = m_display.environment();
    environment.insert(u"LC_ALL"_s, u"en_US.UTF-8"_s);
    m_desk.setProcessEnvironment(environment);
    m_desk.start(QStringLiteral(JOBCOSTING_DESK_PROGRAM), {site.path()});
    return m_display.waitForActive(title);
}

QString TestDeskDesktop::titleOf(const QString& window) const
{
    QString name;
    m_display.x(u"xdotool"_s, {u"getwindowname"_s, window}, &name);
    return name;
}

QString TestDeskDesktop::messageAfter(const QString& shown, int timeoutMs) const
{
    QString id;
    const bool shownNow = QTest::qWaitFor(
        [&] {
            return m_display.x(u"xdotool"_s, {u"getactivewindow"_s}, &id) && id != shown
                && titleOf(id) == u"Job Costing Desk"_s;
        },
        timeoutMs);
    return shownNow ? id : QString();
}

void TestDeskDesktop::forgottenJobIsSeenAndEnded()
{
    const Site site;
    // A job forgotten two days ago, and one of this morning.
    const QDate today = QDate::currentDate();
    const QString forgotten = DeskJobs::start(
        site, u"Walter Brennan"_s, QDateTime(today.addDays(-2), QTime(7, 0)), true);
    DeskJobs::start(site, u"Robert Chen"_s, QDateTime::currentDateTime().addSecs(-3600));
    const QString window = start(site, u"Job Costing Desk - 2 open jobs - 1 over a shift"_s);
    QVERIFY(!window.isEmpty());

    // A terminal's save shows on the board without anything pressed.
    QElapsedTimer saved;
    saved.start();
    DeskJobs::start(site, u"Maria Lopez"_s, QDateTime::currentDateTime().addSecs(-600));
    QCOMPARE(m_display.waitForActive(u"Job Costing Desk - 3 open jobs - 1 over a shift"_s, 2000),
        window);
    qInfo("shown %lld ms after the save", saved.elapsed());
    screenshot(u"board"_s, window);

    // The board stands on the longest open job: Return ends it, a shift after
    // its start unless told otherwise; the reason is typed, and confirmed.
    m_display.key(u"Return"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk - End a job"_s).isEmpty());
    m_display.type(u"forgot to punch out"_s);
    screenshot(u"end-form"_s);
    m_display.key(u"Return"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk"_s).isEmpty());
    screenshot(u"end-confirmation"_s);
    m_display.key(u"Return"_s);
    QCOMPARE(m_display.waitForActive(u"Job Costing Desk - 2 open jobs"_s), window);

    const QVariantMap ended = DeskJobs::row(site, forgotten);
    QCOMPARE(ended.value(u"Badge"_s).toString(), u"Closed"_s);
    QCOMPARE(ended.value(u"TimeStop"_s).toString(), u"15:00:00"_s);
    const auto audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 1);
    QCOMPARE(audit.first().at(2).toString(), u"end"_s);
    QCOMPARE(audit.first().at(4).toString(), u"forgot to punch out"_s);

    m_display.key(u"alt+F4"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_desk.state(), QProcess::NotRunning, 20000);
    QCOMPARE(m_desk.exitCode(), 0);
}

void TestDeskDesktop::stalledServerLeavesTheWindowAnswering()
{
    if (testServer().isEmpty())
        QSKIP("No test server: scripts/test-server runs the tests with one.");
    const Site site(Site::Contents::Demo, Engine::Server);
    // The program's own deadline, shortened so that the test does not sit out ten seconds.
    site.pointTo(u"2"_s);
    const QDateTime now = QDateTime::currentDateTime();
    const QString walter = DeskJobs::start(site, u"Walter Brennan"_s, now.addSecs(-3600));
    const QString window = start(site, u"Job Costing Desk - 1 open job"_s);
    QVERIFY(!window.isEmpty());

    // A correction confirmed while the server answers, and written after it
    // stopped: cut at the deadline, in words, and nothing of it is written.
    m_display.key(u"Return"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk - End a job"_s).isEmpty());
    m_display.type(u"forgot"_s);
    m_display.key(u"Return"_s);
    const QString confirmation = m_display.waitForActive(u"Job Costing Desk"_s);
    QVERIFY(!confirmation.isEmpty());
    {
        ServerStop stop;
        QElapsedTimer stalled;
        stalled.start();
        m_display.key(u"Return"_s);
        QVERIFY(!messageAfter(confirmation, 8000).isEmpty());
        qInfo("not written, said %lld ms after the server stopped", stalled.elapsed());
        screenshot(u"not-written"_s);
        m_display.key(u"Return"_s);

        // The window is told and answers: its title says since when it is not
        // updated, and a tab chosen meanwhile is drawn.
        const QRegularExpression stale(
            u"^Job Costing Desk - 1 open job - not updated since \\d\\d:\\d\\d$"_s);
        QVERIFY(QTest::qWaitFor([&] { return stale.match(titleOf(window)).hasMatch(); }, 15000));
        qInfo("told %lld ms after the server stopped", stalled.elapsed());
        QCOMPARE(m_display.waitForActive(titleOf(window), 5000), window);
        const QImage board = picture(u"stalled-board"_s, window);
        m_display.key(u"alt+c"_s);
        QVERIFY(
            QTest::qWaitFor([&] { return picture(u"stalled-closed"_s, window) != board; }, 5000));
        m_display.key(u"alt+o"_s);
        // A correction now is refused before its form, in words.
        m_display.key(u"Return"_s);
        QVERIFY(!messageAfter(window, 5000).isEmpty());
        screenshot(u"refused-while-stale"_s);
        m_display.key(u"Return"_s);
        QCOMPARE(m_display.waitForActive(titleOf(window), 5000), window);
        stalled.restart();
        stop.resume();
        // Back by itself within five seconds of the server answering.
        QCOMPARE(m_display.waitForActive(u"Job Costing Desk - 1 open job"_s, 5000), window);
        qInfo("current again %lld ms after the server answered", stalled.elapsed());
    }
    const QVariantMap row = DeskJobs::row(site, walter);
    QCOMPARE(row.value(u"Badge"_s).toString(), u"Open"_s);
    QVERIFY(DeskJobs::audit(site).isEmpty());
}

void TestDeskDesktop::stoppedServerIsToldAndLeft()
{
    if (testServer().isEmpty())
        QSKIP("No test server: scripts/test-server runs the tests with one.");
    const Site site(Site::Contents::Demo, Engine::Server);
    site.pointTo(u"2"_s);
    DeskJobs::start(site, u"Walter Brennan"_s, QDateTime::currentDateTime().addSecs(-600));
    const QString window = start(site, u"Job Costing Desk - 1 open job"_s);
    QVERIFY(!window.isEmpty());
    // The server refuses the site's login and cuts its connections, as a
    // server that went down does.
    site.server()->setReachable(false);
    QVERIFY(QTest::qWaitFor(
        [&] { return titleOf(window).contains(u" - not updated since "_s); }, 10000));
    screenshot(u"server-away"_s, window);
    // It is closed as it always is, without waiting for the server.
    QElapsedTimer closing;
    closing.start();
    m_display.key(u"ctrl+q"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_desk.state(), QProcess::NotRunning, 10000);
    QCOMPARE(m_desk.exitCode(), 0);
    qInfo("ended %lld ms after Ctrl+Q", closing.elapsed());
    site.server()->setReachable(true);

    // Started while the server is away, it shows since when nothing was read:
    // its start.
    site.server()->setReachable(false);
    const QString since = QTime::currentTime().toString(u"HH:mm"_s);
    const QString again
        = start(site, u"Job Costing Desk - 0 open jobs - not updated since "_s + since);
    QVERIFY2(!again.isEmpty(), qPrintable(since));
    site.server()->setReachable(true);
    QCOMPARE(m_display.waitForActive(u"Job Costing Desk - 1 open job"_s, 5000), again);
}

void TestDeskDesktop::conflictsAreAppliedAndDismissed()
{
    if (testServer().isEmpty())
        QSKIP("No test server: scripts/test-server runs the tests with one.");
    const Site site(Site::Contents::Demo, Engine::Server);
    const QDateTime now = QDateTime::currentDateTime();
    const QString open = DeskJobs::start(site, u"Walter Brennan"_s, now.addSecs(-7200), true);
    const QString closed = DeskJobs::start(site, u"Maria Lopez"_s, now.addSecs(-7200));
    DeskJobs::end(site, closed, now.addSecs(-3600).time());
    // The end of the open job, written by a terminal's journal after an
    // outage, and an end of the job ended meanwhile.
    QString ended = Site::jobFields().join(u", "_s);
    ended.replace(u"Badge"_s, u"'Closed'"_s).replace(u"Pieces"_s, u"3"_s);
    ended.replace(u"TimeStop"_s, u"'%1'"_s.arg(now.addSecs(-600).toString(u"HH:mm:ss"_s)));
    const QString conflict
        = u"INSERT INTO JobPunchConflicts (PunchId, Terminal, Action, %1, "
          "Reason) SELECT PunchId, 'cell 3', 'end', %2, 'journal' FROM "
          "JobPunches WHERE PunchId = ?"_s.arg(Site::jobFields().join(u", "_s), ended);
    site.sql(SiteModel::jobPunchesFile, conflict, {open});
    site.sql(SiteModel::jobPunchesFile, conflict, {closed});
    const QString window = start(site, u"Job Costing Desk - 1 open job"_s);
    QVERIFY(!window.isEmpty());

    // Conflicts: the list stands on the first, which is applied with its
    // reason and confirmation.
    m_display.key(u"alt+n"_s);
    screenshot(u"conflicts"_s, window);
    m_display.key(u"alt+a"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk - Apply a conflict"_s).isEmpty());
    m_display.type(u"outage at cell 3"_s);
    screenshot(u"apply-form"_s);
    m_display.key(u"Return"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk"_s).isEmpty());
    screenshot(u"apply-confirmation"_s);
    m_display.key(u"Return"_s);
    QCOMPARE(m_display.waitForActive(u"Job Costing Desk - 0 open jobs"_s), window);
    QCOMPARE(DeskJobs::row(site, open).value(u"Badge"_s).toString(), u"Closed"_s);
    QCOMPARE(DeskJobs::row(site, open).value(u"Pieces"_s).toDouble(), 3.0);

    // The other dismissed with Delete: nothing is written to the punches.
    const QVariantMap before = DeskJobs::row(site, closed);
    m_display.key(u"Delete"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk - Dismiss a conflict"_s).isEmpty());
    m_display.type(u"ended twice"_s);
    m_display.key(u"Return"_s);
    QVERIFY(!m_display.waitForActive(u"Job Costing Desk"_s).isEmpty());
    m_display.key(u"Return"_s);
    QVERIFY(QTest::qWaitFor(
        [&] {
            return site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunchConflicts"_s)
                       .value(0)
                       .value(0)
                       .toInt()
                == 0;
        },
        5000));
    QCOMPARE(DeskJobs::row(site, closed), before);
    const auto audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 2);
    QCOMPARE(audit.at(0).at(2).toString(), u"apply"_s);
    QCOMPARE(audit.at(1).at(2).toString(), u"dismiss"_s);
    QCOMPARE(audit.at(1).at(4).toString(), u"ended twice"_s);
}

QTEST_GUILESS_MAIN(TestDeskDesktop)
#include "tst_deskdesktop.moc"
