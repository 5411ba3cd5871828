#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <mutex>

// A stand-in for the network between the terminal and the test server: a
// Unix socket of its own that passes every byte on to the server's socket and
// back, on a thread of its own. It can go down, cutting every connection and
// refusing new ones, while the server itself stays up for the test; and it
// can lose the answer to the next write of a job punch: the server does the
// work and commits it, and the terminal never hears of it.
class ServerProxy
{
public:
    ServerProxy();
    ~ServerProxy();
    ServerProxy(const ServerProxy&) = delete;
    ServerProxy& operator=(const ServerProxy&) = delete;

    // A connection URI of the test server, through the proxy.
    QString uri(QString direct) const;
    // Down, it cuts every connection at once and refuses new ones.
    void setDown(bool down);
    // How many connections were made through the proxy, refused ones too.
    int connectionsMade() const { return m_connections.load(); }
    // The text of every statement sent through the proxy so far (Qt's driver
    // sends each as a query: PREPARE name AS ..., EXECUTE name (...), BEGIN).
    QStringList statements() const;
    // From the next run of an insert into or an update of JobPunches on, the
    // server's answers on that connection are dropped.
    void loseAnswerToNextWrite() { m_loseNextWrite = true; }

private:
    QTemporaryDir m_dir;
    std::atomic<bool> m_down = false;
    std::atomic<bool> m_loseNextWrite = false;
    std::atomic<int> m_connections = 0;
    mutable std::mutex m_mutex;
    QStringList m_statements;
    QThread m_thread;
    QObject* m_listener;
};
