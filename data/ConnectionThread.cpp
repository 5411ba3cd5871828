#include "ConnectionThread.h"

#include "DataError.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
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
        m_state->waiter = nullptr;
    }
    m_state->requested.notify_one();
}

bool ConnectionThread::busy() const
{
    return !finished();
}

void ConnectionThread::waitUntilIdle()
{
    std::unique_lock lock(m_state->mutex);
    m_state->finished.wait(lock, [this] { return !m_state->running; });
}

bool ConnectionThread::finished() const
{
    const std::lock_guard lock(m_state->mutex);
    return !m_state->running;
}

void ConnectionThread::serve(const std::shared_ptr<State>& state)
{
    std::unique_lock lock(state->mutex);
    for (;;) {
        state->requested.wait(lock, [&state] { return state->stopping || state->work; });
        if (!state->work)
            return;
        std::function<void()> work = std::exchange(state->work, {});
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
        state->error = error;
        state->running = false;
        if (state->waiter)
            state->waiter->wakeUp();
        state->finished.notify_all();
    }
}

bool ConnectionThread::run(
    const std::function<void()>& work, QDeadlineTimer deadline, const std::function<void()>& cut)
{
    QAbstractEventDispatcher* dispatcher = QCoreApplication::instance()
            && QThread::currentThread() == QCoreApplication::instance()->thread()
        ? QAbstractEventDispatcher::instance()
        : nullptr;
    {
        const std::lock_guard lock(m_state->mutex);
        if (m_state->running)
            throw DataError(
                QStringLiteral("The database server has not answered an earlier request yet."),
                DataError::Reason::Unreachable);
        m_state->work = work;
        m_state->error = nullptr;
        m_state->running = true;
        m_state->waiter = dispatcher;
    }
    m_state->requested.notify_one();

    const bool inTime = waitFor(deadline);
    if (!inTime && cut) {
        cut();
        waitFor(QDeadlineTimer(QDeadlineTimer::Forever));
    }
    if (!inTime)
        return false;
    std::exception_ptr error;
    {
        const std::lock_guard lock(m_state->mutex);
        error = std::exchange(m_state->error, nullptr);
    }
    if (error)
        std::rethrow_exception(error);
    return true;
}

bool ConnectionThread::waitFor(QDeadlineTimer deadline)
{
    const auto left = [](QDeadlineTimer until) {
        return until.isForever() ? std::chrono::nanoseconds(std::chrono::hours(24))
                                 : std::chrono::nanoseconds(until.remainingTimeNSecs());
    };
    State& state = *m_state;
    {
        // Most answers come within a moment: the thread waits for them as if
        // it had asked itself, and nothing else of the program runs meanwhile.
        std::unique_lock lock(state.mutex);
        const auto done = [&state] {
            return !state.running;
        };
        state.finished.wait_for(
            lock, left(std::min(deadline, QDeadlineTimer(ServerWait::quietMs))), done);
        if (!state.waiter) {
            while (state.running && !deadline.hasExpired())
                state.finished.wait_for(lock, left(deadline), done);
        }
        if (!state.running || deadline.hasExpired() || !state.waiter)
            return !state.running;
    }
    const InputBlock block;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    if (!deadline.isForever())
        wake.start(std::chrono::milliseconds(deadline.remainingTime()));
    QEventLoop loop;
    while (!finished() && !deadline.hasExpired())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return finished();
}
