#include "XDisplay.h"

#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

XDisplay::XDisplay()
{
    m_environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    m_environment.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
    tieToTest(m_server);
    tieToTest(m_windowManager);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel); // the display number
}

QString XDisplay::missing(const QStringList& tools)
{
    for (const QString& tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    }
    return {};
}

void XDisplay::stop(std::initializer_list<QProcess*> processes)
{
    for (QProcess* process : processes) {
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
    }
}

void XDisplay::tieToTest(QProcess& process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process.setProcessChannelMode(QProcess::ForwardedChannels);
}

bool XDisplay::start()
{
    // Without -noreset the server starts over whenever its last client leaves,
    // and refuses the next one meanwhile. Without -r it repeats a key held down
    // for 660 ms, as a keyboard does: a loaded machine that stalls xdotool
    // between a key's press and its release then types it twice, where no card
    // reader would.
    m_server.start(u"Xvfb"_s,
        {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-r"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
            u"-dpi"_s, u"96"_s, u"-nolisten"_s, u"tcp"_s});
    if (!QTest::qWaitFor([&] { return m_server.canReadLine(); }, 20000))
        return false;
    m_environment.insert(u"DISPLAY"_s, u":"_s + QString::fromLatin1(m_server.readLine()).trimmed());
    m_windowManager.setProcessEnvironment(m_environment);
    m_windowManager.start(u"openbox"_s, {u"--sm-disable"_s});
    return QTest::qWaitFor([&] { return x(u"xdotool"_s, {u"get_num_desktops"_s}); }, 20000);
}

bool XDisplay::x(const QString& tool, const QStringList& arguments, QString* output) const
{
    QProcess client;
    client.setProcessEnvironment(m_environment);
    client.start(tool, arguments);
    if (!client.waitForFinished(5000) || client.exitStatus() != QProcess::NormalExit
        || client.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromUtf8(client.readAllStandardOutput()).chopped(1); // the newline
    return true;
}

void XDisplay::type(const QString& text) const
{
    x(u"xdotool"_s, {u"type"_s, text});
}

void XDisplay::key(const QString& keys) const
{
    x(u"xdotool"_s, {u"key"_s, keys});
}

QString XDisplay::waitForActive(const QString& title, int timeoutMs) const
{
    QString id, name;
    const auto active = [&] {
        return x(u"xdotool"_s, {u"getactivewindow"_s}, &id)
            && x(u"xdotool"_s, {u"getwindowname"_s, id}, &name) && name == title;
    };
    return QTest::qWaitFor(active, timeoutMs) ? id : QString();
}

void XDisplay::screenshot(const QString& file, const QString& window) const
{
    if (!x(u"import"_s, {u"-window"_s, window, file}))
        qWarning("no screenshot %s", qPrintable(file));
}
