#include "ConnectionThread.h"

#include "DataError.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <thread>

namespace {

std::function<void(bool)>& indicator()
{
    static std::function<void(bool)> shown;
    return shown;
}

// While it lives, input meant for the windows is dropped: a key, a click or a
// window close made during the wait would act on a screen that is not ready
// for it, or close a message that nobody has read yet.
class InputBlock : public QObject
{
public:
    InputBlock()
    {
        QCoreApplication::instance()->installEventFilter(this);
        if (indicator())
            indicator()(true);
    }
    ~InputBlock() override
    {
        if (indicator())
            indicator()(false);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void ServerWait::setIndicator(std::function<void(bool)> shown)
{
    indicator() = std::move(shown);
}

ConnectionThread::ConnectionThread()
    : m_state(std::make_shared<State>())
{
    std::thread([state = m_state] { serve(state); }).detach();
}

ConnectionThread::~ConnectionThread()
{
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->requested.notify_one();
}

bool ConnectionThread::busy() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->current && m_state->current->abandoned;
}

void ConnectionThread::waitUntilIdle()
{
    std::unique_lock lock(m_state->mutex);
    m_state->finished.wait(lock, [this] { return !m_state->current && m_state->queue.empty(); });
}

void ConnectionThread::holdForAsker(bool hold)
{
    const std::lock_guard lock(m_state->mutex);
    if (hold && m_state->current)
        m_state->holder = m_state->current->asker;
    else
        m_state->holder.reset();
}

std::deque<std::shared_ptr<ConnectionThread::Request>>::iterator ConnectionThread::State::next()
{
    if (!holder)
        return queue.begin();
    return std::find_if(queue.begin(), queue.end(),
        [this](const std::shared_ptr<Request>& request) { return request->asker == *holder; });
}

void ConnectionThread::serve(const std::shared_ptr<State>& state)
{
    std::unique_lock lock(state->mutex);
    for (;;) {
        state->requested.wait(lock, [&state] {
            return (state->stopping && state->queue.empty()) || state->next() != state->queue.end();
        });
        const auto next = state->next();
        if (next == state->queue.end())
            return;
        std::shared_ptr<Request> request = *next;
        state->queue.erase(next);
        request->started = true;
        state->current = request;
        std::function<void()> work = std::exchange(request->work, {});
        lock.unlock();
        std::exception_ptr error;
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        // What the work held goes before its end is told.
        work = {};
        lock.lock();
        request->error = error;
        request->finished = true;
        state->current.reset();
        if (request->waiter)
            request->waiter->wakeUp();
        state->finished.notify_all();
    }
}

ConnectionThread::Ran ConnectionThread::run(
    const std::function<void()>& work, QDeadlineTimer deadline, const std::function<void()>& cut)
{
    const auto request = std::make_shared<Request>();
    request->work = work;
    request->asker = std::this_thread::get_id();
    request->waiter = QCoreApplication::instance()
            && QThread::currentThread() == QCoreApplication::instance()->thread()
        ? QAbstractEventDispatcher::instance()
        : nullptr;
    {
        const std::lock_guard lock(m_state->mutex);
        if (m_state->current && m_state->current->abandoned)
            throw DataError(
                QStringLiteral("The database server has not answered an earlier request yet."),
                DataError::Reason::Unreachable);
        m_state->queue.push_back(request);
    }
    m_state->requested.notify_one();

    if (!waitFor(*request, deadline)) {
        {
            const std::lock_guard lock(m_state->mutex);
            if (!request->started) {
                std::erase(m_state->queue, request);
                return Ran::NotStarted;
            }
            if (!cut) {
                request->abandoned = true;
                request->waiter = nullptr;
                return Ran::GivenUp;
            }
        }
        cut();
        waitFor(*request, QDeadlineTimer(QDeadlineTimer::Forever));
        return Ran::GivenUp;
    }
    std::exception_ptr error;
    {
        const std::lock_guard lock(m_state->mutex);
        error = std::exchange(request->error, nullptr);
    }
    if (error)
        std::rethrow_exception(error);
    return Ran::InTime;
}

bool ConnectionThread::waitFor(const Request& request, QDeadlineTimer deadline)
{
    const auto left = [](QDeadlineTimer until) {
        return until.isForever() ? std::chrono::nanoseconds(std::chrono::hours(24))
                                 : std::chrono::nanoseconds(until.remainingTimeNSecs());
    };
    State& state = *m_state;
    const auto done = [&request] {
        return request.finished;
    };
    {
        // Most answers come within a moment: the thread waits for them as if
        // it had asked itself, and nothing else of the program runs meanwhile.
        std::unique_lock lock(state.mutex);
        state.finished.wait_for(
            lock, left(std::min(deadline, QDeadlineTimer(ServerWait::quietMs))), done);
        if (!request.waiter) {
            while (!request.finished && !deadline.hasExpired())
                state.finished.wait_for(lock, left(deadline), done);
        }
        if (request.finished || deadline.hasExpired() || !request.waiter)
            return request.finished;
    }
    const InputBlock block;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    if (!deadline.isForever())
        wake.start(std::chrono::milliseconds(deadline.remainingTime()));
    QEventLoop loop;
    const auto finished = [this, &request] {
        const std::lock_guard lock(m_state->mutex);
        return request.finished;
    };
    while (!finished() && !deadline.hasExpired())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return finished();
}
