#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <initializer_list>

// A virtual X display of its own (Xvfb, 1024x768 at 96 dpi) with a window
// manager (openbox), and the X clients a desktop test drives it with.
class XDisplay
{
public:
    XDisplay();
    ~XDisplay() { stop(); }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // The first of the tools that is not installed, or empty.
    static QString missing(const QStringList& tools);
    // Ends the processes, killing those that do not end in five seconds.
    static void stop(std::initializer_list<QProcess*> processes);
    // Nothing outlives a test that is killed for taking too long, and what the
    // process says goes to the test's log, so that no full pipe stalls it.
    static void tieToTest(QProcess& process);

    // Starts the display and its window manager; false if either never came up.
    bool start();
    void stop() { stop({&m_windowManager, &m_server}); }
    // For a program on the display: its DISPLAY, the xcb platform and the
    // window manager's empty configuration.
    QProcessEnvironment environment() const { return m_environment; }

    // Runs an X client on the display; false if it failed.
    bool x(const QString& tool, const QStringList& arguments, QString* output = nullptr) const;
    void type(const QString& text) const;
    void key(const QString& keys) const;
    // Waits until a window of that title is the active one, and returns its id.
    QString waitForActive(const QString& title, int timeoutMs = 20000) const;
    void screenshot(const QString& file, const QString& window = QStringLiteral("root")) const;

private:
    QProcess m_server;
    QProcess m_windowManager;
    QTemporaryDir m_config;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};
