#pragma once

#include <QDeadlineTimer>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

class QAbstractEventDispatcher;

// The thread on which one database connection talks to its server, so that
// the thread that asks need not wait without a bound. One request at a time:
// the connection is used by one thread after the other, never by two at once.
//
// A request that the asking thread waits for longer than a moment is waited
// for in a local event loop: the windows repaint, and keys, clicks and window
// closes are dropped until the answer comes (see ServerWait).
class ConnectionThread
{
public:
    ConnectionThread();
    // A request given up on is let run out after the thread is gone.
    ~ConnectionThread();
    ConnectionThread(const ConnectionThread&) = delete;
    ConnectionThread& operator=(const ConnectionThread&) = delete;

    // A request given up on at its deadline has not returned yet.
    bool busy() const;
    // Waits, without a bound, for a request given up on to return.
    void waitUntilIdle();

    // Runs work on the thread and waits for it, at most until the deadline;
    // what work throws is thrown here. True when it returned in time. When the
    // deadline passes, cut() is called, which must make the work return at
    // once (it shuts the connection's socket down), and the work is waited for
    // to its end; false then. Without a cut the work is let run out on its own,
    // and must hold nothing of the caller's: busy() says when it is done.
    bool run(const std::function<void()>& work, QDeadlineTimer deadline,
        const std::function<void()>& cut = {});

private:
    // Shared by the thread and its owner, so that either may go first.
    struct State
    {
        std::mutex mutex;
        std::condition_variable requested;
        std::condition_variable finished;
        std::function<void()> work;
        std::exception_ptr error;
        bool running = false;
        bool stopping = false;
        QAbstractEventDispatcher* waiter = nullptr; // the asking thread's, woken at the end
    };
    static void serve(const std::shared_ptr<State>& state);
    bool finished() const;
    // Waits until the request has finished or the deadline passed; true when finished.
    bool waitFor(QDeadlineTimer deadline);

    std::shared_ptr<State> m_state;
};

// How a thread with windows spends a wait for a database server.
namespace ServerWait {

// Called with true when a wait begins that the worker may notice, and with
// false when it ends: the layer above shows a busy pointer. Set once, by the
// program, before any wait.
void setIndicator(std::function<void(bool)> indicator);

// How long a request runs before the asking thread waits in an event loop.
constexpr int quietMs = 50;

} // namespace ServerWait
