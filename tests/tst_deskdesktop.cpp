#include "DeskJobs.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>
#include <sys/prctl.h>

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
    bool x(const QString& tool, const QStringList& arguments, QString* output = nullptr) const;
    void key(const QString& keys) const { x(u"xdotool"_s, {u"key"_s, keys}); }
    QString waitForActive(const QString& title, int timeout = 20000) const;
    void screenshot(const QString& name, const QString& window = u"root"_s) const;

    QProcess m_server;
    QProcess m_windowManager;
    QProcess m_desk;
    QTemporaryDir m_config;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

void TestDeskDesktop::initTestCase()
{
    for (const QString& tool : {u"Xvfb"_s, u"openbox"_s, u"xdotool"_s, u"import"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QFAIL(qPrintable(tool + u" is missing (scripts/test installs it)"_s));
    }
    m_environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    m_environment.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
    m_environment.insert(u"LC_ALL"_s, u"en_US.UTF-8"_s);
    for (QProcess* process : {&m_server, &m_windowManager, &m_desk}) {
        process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    }
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel); // the display number
    m_server.start(u"Xvfb"_s,
        {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s, u"-dpi"_s,
            u"96"_s, u"-nolisten"_s, u"tcp"_s});
    QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine(), 20000);
    m_environment.insert(u"DISPLAY"_s, u":"_s + QString::fromLatin1(m_server.readLine()).trimmed());
    m_windowManager.setProcessEnvironment(m_environment);
    m_windowManager.start(u"openbox"_s, {u"--sm-disable"_s});
    QTRY_VERIFY_WITH_TIMEOUT(x(u"xdotool"_s, {u"get_num_desktops"_s}), 20000);
}

void TestDeskDesktop::cleanup()
{
    if (QTest::currentTestFailed())
        screenshot(u"failed"_s);
    for (QProcess* process : {&m_desk, &m_windowManager, &m_server}) {
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
    }
}

bool TestDeskDesktop::x(const QString& tool, const QStringList& arguments, QString* output) const
{
    QProcess client;
    client.setProcessEnvironment(m_environment);
    client.start(tool, arguments);
    if (!client.waitForFinished(5000) || client.exitStatus() != QProcess::NormalExit
        || client.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromUtf8(client.readAllStandardOutput()).chopped(1);
    return true;
}

QString TestDeskDesktop::waitForActive(const QString& title, int timeout) const
{
    QString id, name;
    const auto active = [&] {
        return x(u"xdotool"_s, {u"getactivewindow"_s}, &id)
            && x(u"xdotool"_s, {u"getwindowname"_s, id}, &name) && name == title;
    };
    return QTest::qWaitFor(active, timeout) ? id : QString();
}

void TestDeskDesktop::screenshot(const QString& name, const QString& window) const
{
    const QString file = QStringLiteral("%1/desktop-desk-%2.png")
                             .arg(QStringLiteral(JOBCOSTING_PICTURE_DIR), name);
    if (!x(u"import"_s, {u"-window"_s, window, file}))
        qWarning("no screenshot %s", qPrintable(file));
}

void TestDeskDesktop::forgottenJobIsSeenAndEnded()
{
    const Site site;
    // A job forgotten two days ago, and one of this morning.
    const QDate today = QDate::currentDate();
    const QString forgotten = DeskJobs::start(
        site, u"Walter Brennan"_s, QDateTime(today.addDays(-2), QTime(7, 0)), true);
    DeskJobs::start(site, u"Robert Chen"_s, QDateTime::currentDateTime().addSecs(-3600));
    m_desk.setProcessEnvironment(m_environment);
    m_desk.start(QStringLiteral(JOBCOSTING_DESK_PROGRAM), {site.path()});
    const QString window = waitForActive(u"Job Costing Desk - 2 open jobs"_s);
    QVERIFY(!window.isEmpty());

    // A terminal's save shows on the board without anything pressed.
    QElapsedTimer saved;
    saved.start();
    DeskJobs::start(site, u"Maria Lopez"_s, QDateTime::currentDateTime().addSecs(-600));
    QCOMPARE(waitForActive(u"Job Costing Desk - 3 open jobs"_s, 2000), window);
    qInfo("shown %lld ms after the save", saved.elapsed());
    screenshot(u"board"_s, window);

    // The board stands on the longest open job: Return ends it, a shift after
    // its start unless told otherwise; the reason is typed, and confirmed.
    key(u"Return"_s);
    QVERIFY(!waitForActive(u"Job Costing Desk - End a job"_s).isEmpty());
    x(u"xdotool"_s, {u"type"_s, u"forgot to punch out"_s});
    screenshot(u"end-form"_s);
    key(u"Return"_s);
    QVERIFY(!waitForActive(u"Job Costing Desk"_s).isEmpty());
    key(u"Return"_s);
    QCOMPARE(waitForActive(u"Job Costing Desk - 2 open jobs"_s), window);

    const QVariantMap ended = DeskJobs::row(site, forgotten);
    QCOMPARE(ended.value(u"Badge"_s).toString(), u"Closed"_s);
    QCOMPARE(ended.value(u"TimeStop"_s).toString(), u"15:00:00"_s);
    const auto audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 1);
    QCOMPARE(audit.first().at(2).toString(), u"end"_s);
    QCOMPARE(audit.first().at(4).toString(), u"forgot to punch out"_s);

    key(u"alt+F4"_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_desk.state(), QProcess::NotRunning, 20000);
    QCOMPARE(m_desk.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestDeskDesktop)
#include "tst_deskdesktop.moc"
