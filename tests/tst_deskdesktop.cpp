#include "DeskJobs.h"
#include "XDisplay.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

// The built desk on a real X server with a window manager: it follows a
// terminal's save by itself, and a supervisor ends a forgotten job through its
// real form and confirmation, with the keyboard.
class TestDeskDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void forgottenJobIsSeenAndEnded();

private:
    void screenshot(const QString& name, const QString& window = u"root"_s) const
    {
        m_display.screenshot(QStringLiteral("%1/desktop-desk-%2.png")
                                 .arg(QStringLiteral(JOBCOSTING_PICTURE_DIR), name),
            window);
    }

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
}

void TestDeskDesktop::forgottenJobIsSeenAndEnded()
{
    const Site site;
    // A job forgotten two days ago, and one of this morning.
    const QDate today = QDate::currentDate();
    const QString forgotten = DeskJobs::start(
        site, u"Walter Brennan"_s, QDateTime(today.addDays(-2), QTime(7, 0)), true);
    DeskJobs::start(site, u"Robert Chen"_s, QDateTime::currentDateTime().addSecs(-3600));
    QProcessEnvironment environment = m_display.environment();
    environment.insert(u"LC_ALL"_s, u"en_US.UTF-8"_s);
    m_desk.setProcessEnvironment(environment);
    m_desk.start(QStringLiteral(JOBCOSTING_DESK_PROGRAM), {site.path()});
    const QString window = m_display.waitForActive(u"Job Costing Desk - 2 open jobs"_s);
    QVERIFY(!window.isEmpty());

    // A terminal's save shows on the board without anything pressed.
    QElapsedTimer saved;
    saved.start();
    DeskJobs::start(site, u"Maria Lopez"_s, QDateTime::currentDateTime().addSecs(-600));
    QCOMPARE(m_display.waitForActive(u"Job Costing Desk - 3 open jobs"_s, 2000), window);
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

QTEST_GUILESS_MAIN(TestDeskDesktop)
#include "tst_deskdesktop.moc"
