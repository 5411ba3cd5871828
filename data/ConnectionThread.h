#pragma once

#include <QDeadlineTimer>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QAbstractEventDispatcher;

// The thread on which one database connection talks to its server, so that
// the threads that ask need not wait without a bound. The requests of every
// thread run one after another, in the order asked, never two at once.
//
// A request that the asking thread waits for longer than a moment is waited
// for in a local event loop: the windows repaint, and keys, clicks and window
// closes are dropped until the answer comes (see ServerWait).
class ConnectionThread
{
public:
    ConnectionThread();
    // The requests asked for are run out after the thread's owner is gone.
    ~ConnectionThread();
    ConnectionThread(const ConnectionThread&) = delete;
    ConnectionThread& operator=(const ConnectionThread&) = delete;

    // A request given up on at its deadline has not returned yet.
    bool busy() const;
    // Waits, without a bound, until no request runs or waits for its turn.
    void waitUntilIdle();

    enum class Ran
    {
        InTime,
        // The deadline passed while the request waited for its turn: it never runs.
        NotStarted,
        // The deadline passed while it ran.
        GivenUp,
    };
    // Runs work on the thread once the requests asked for before it are done,
    // and waits for it, at most until the deadline; what work throws is thrown
    // here. When the deadline passes while it runs, cut() is called, which
    // must make the work return at once (it shuts the connection's socket
    // down), and the work is waited for to its end. Without a cut the work is
    // let run out on its own, and must hold nothing of the caller's: busy()
    // says when it is done, and until then every request is refused at once.
    Ran run(const std::function<void()>& work, QDeadlineTimer deadline,
        const std::function<void()>& cut = {});
    // Called by a request's work: until released, only the requests of the
    // thread that asked for it run (it left a transaction open), or again any.
    void holdForAsker(bool hold);

private:
    struct Request
    {
        std::function<void()> work;
        std::exception_ptr error;
        std::thread::id asker;
        QAbstractEventDispatcher* waiter = nullptr; // the asking thread's, woken at the end
        bool started = false;
        bool finished = false;
        bool abandoned = false;
    };
    // Shared by the thread and its owner, so that either may go first.
    struct State
    {
        std::mutex mutex;
        std::condition_variable requested;
        std::condition_variable finished;
        std::deque<std::shared_ptr<Request>> queue;
        std::shared_ptr<Request> current;
        std::optional<std::thread::id> holder;
        bool stopping = false;
        // The next request to run, or the queue's end while none may.
        std::deque<std::shared_ptr<Request>>::iterator next();
    };
    static void serve(const std::shared_ptr<State>& state);
    // Waits until the request has finished or the deadline passed; true when finished.
    bool waitFor(const Request& request, QDeadlineTimer deadline);

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
