#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <chrono>
#include <memory>

// Tells when the job punches of a site may have changed, whoever changed
// them, without reading them: on a server by the notices its trigger sends, on
// SQLite by the file's count of commits. It asks on a thread and a connection
// of its own, and waits for a server no longer than the server's deadline, so
// that the thread that made it never waits; its signals arrive there.
class ChangeWatch : public QObject
{
    Q_OBJECT

public:
    // The watch for the site's JobPunches.MDB, a pointer file to a server or
    // a SQLite file. `poll` is how often SQLite is asked, and how often a
    // server is asked whether it still answers.
    static std::unique_ptr<ChangeWatch> forFile(const QString& jobPunchesPath, bool onServer,
        std::chrono::milliseconds poll = std::chrono::seconds(1));
    ~ChangeWatch() override;
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    class Watcher;

signals:
    void changed();
    // The server did not answer the watch within its deadline, or the
    // connection was lost: why, in words. changed() follows once it listens
    // again, since notices may have been missed meanwhile.
    void lost(const QString& why);

private:
    explicit ChangeWatch(Watcher* watcher);

    QThread m_thread;
    Watcher* m_watcher; // lives on m_thread
};
