#pragma once

#include "ConnectionThread.h"

#include <QDeadlineTimer>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

// The program's one connection to a database server at one address, shared by
// every pointer file that names the address and by every thread of the
// program (the screens, the terminal's sender): a plant's server counts one
// connection a terminal, whatever the terminal does.
//
// Its requests run on the connection's own thread, one after another; a
// request that leaves a transaction open keeps the connection for the thread
// that asked until the transaction ends, so that no other thread's statement
// runs in it, nor fails it, and a request that fails inside a transaction of
// its own has that transaction rolled back.
class ServerConnection
{
public:
    struct Notice
    {
        QString channel;
        QString payload;
        // Sent by a change made through this very connection.
        bool own = false;
    };

    // The connection to `address` (a pointer file's address, without the
    // terminal's own parameters), made by `configure` where nobody holds one
    // yet; not opened until it is first used.
    static std::shared_ptr<ServerConnection> to(
        const QString& address, const std::function<void(QSqlDatabase&)>& configure);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    QSqlDatabase database() const { return m_db; }

    // How a request went.
    enum class Outcome
    {
        Done,
        // It waited for its turn until the deadline and never ran: the
        // connection was busy with another thread's work.
        NotStarted,
        // The server did not answer by the deadline: the connection was
        // dropped, and is opened anew at the next use.
        GivenUp,
    };
    // Runs work on the connection's thread, with the commits of the session
    // flushed (waiting for the disk, and for a synchronous standby) or not;
    // what work throws is thrown here.
    Outcome run(const std::function<void()>& work, QDeadlineTimer deadline, bool flushed = true);

    // Opens the connection where it is closed, was lost or dropped: a
    // connection that the server closed is found so by what it sent, without
    // a word to the server. `refusal` holds the server's own words why it
    // could not be opened.
    struct Opened
    {
        Outcome outcome = Outcome::Done;
        std::optional<QString> refusal;
    };
    Opened open(QDeadlineTimer deadline);
    // A request given up on is still being answered: the connection takes no
    // other until it is done.
    bool busy() const { return m_thread.busy(); }
    // Waits for every request asked for to be done.
    void waitUntilIdle() { m_thread.waitUntilIdle(); }
    // Counts the connections made: a statement prepared on an earlier one is
    // gone, and so are the notices sent while none was open.
    quint64 generation() const { return m_generation.load(); }
    // The connection was lost (the server restarted, the network failed).
    bool lost() const;
    // The connection is dropped: opened anew at the next use.
    void drop() { m_dropped = true; }

    // The connection listens on the channel from now on, on every connection
    // it makes. Notices that arrived are taken by notices().
    void listen(const QString& channel);
    // The notices that arrived since the last call, without a word to the
    // server; nothing while the connection is not open. Work on the
    // connection's thread, bounded by the deadline.
    QList<Notice> notices(QDeadlineTimer deadline);

private:
    ServerConnection(QString key, QString name);
    // On the connection's thread: after a request's work, ends the
    // transaction it began where it failed, keeps the connection for the
    // asking thread while a transaction is open, and takes the notices in.
    void settle(bool idleBefore, bool failed);
    void listenOnChannels();
    void collectNotices();

    QString m_key;
    QString m_name;
    QSqlDatabase m_db;
    ConnectionThread m_thread;
    std::atomic<int> m_socket = -1;
    std::atomic<quint64> m_generation = 0;
    std::atomic<bool> m_dropped = false;
    std::atomic<bool> m_lost = false;
    // Only on the connection's thread.
    std::optional<bool> m_flushed; // the session's synchronous_commit: on, off or not known
    int m_backendPid = 0;
    // Shared by the threads that ask.
    mutable std::mutex m_mutex;
    QSet<QString> m_channels;
    QSet<QString> m_listening; // on the connection open now
    QList<Notice> m_notices;
};
