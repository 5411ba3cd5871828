#include "DeskLink.h"

#include "ChangeWatch.h"
#include "data/DataError.h"

#include <QTimer>

// The store's side, on the link's thread.
class DeskLink::Worker : public QObject
{
public:
    Worker(DeskLink& link, QString site, const Clock& clock, Timing timing)
        : m_link(link)
        , m_site(std::move(site))
        , m_clock(clock)
        , m_timing(timing)
    {
        m_retry.setSingleShot(true);
        m_retry.setInterval(timing.retry);
        QObject::connect(&m_retry, &QTimer::timeout, this, [this] { ask(); });
    }

    void setPeriods(const DeskPeriods& periods)
    {
        m_periods = periods;
        ask();
    }

    // Reads soon: what is asked meanwhile is read once.
    void ask()
    {
        if (std::exchange(m_asked, true))
            return;
        QTimer::singleShot(0, this, [this] {
            m_asked = false;
            readNow();
        });
    }

    void write(const Correction& correction)
    {
        try {
            if (!open())
                throw DataError(
                    DeskLink::tr("The site cannot be read now."), DataError::Reason::Unreachable);
            m_store->write(correction);
            emit m_link.written(m_store->login());
        } catch (const Refused& refused) {
            emit m_link.notWritten(refused.message(), true);
        } catch (const DataError& error) {
            emit m_link.notWritten(inWords(error), false);
        }
        ask();
    }

private:
    // The store, opened now if it is not yet; false when it could not be.
    bool open()
    {
        if (m_store)
            return true;
        try {
            m_store = std::make_unique<DeskStore>(m_site);
        } catch (const DataError& error) {
            if (error.reason() != DataError::Reason::Unreachable) {
                m_closed = true;
                emit m_link.cannotOpen(error.shown());
                return false;
            }
            throw;
        }
        m_watch
            = ChangeWatch::forFile(m_store->jobPunchesPath(), m_store->onServer(), m_timing.poll);
        QObject::connect(m_watch.get(), &ChangeWatch::changed, this, [this] { ask(); });
        QObject::connect(m_watch.get(), &ChangeWatch::lost, this, [this](const QString& why) {
            emit m_link.readFailed(why);
            ask();
        });
        return true;
    }

    void readNow()
    {
        if (m_closed)
            return;
        try {
            if (!open())
                return;
            DeskRead read;
            read.openJobs = m_store->openJobs();
            QString problem = m_store->employeesProblem();
            QList<Punch> closed = m_store->jobsOfDays(m_periods.closedFrom, m_periods.closedTo);
            closed.removeIf([](const Punch& punch) { return punch.isOpen(); });
            read.closedJobs = closed;
            read.corrections = m_store->history(m_periods.correctionsFrom, m_periods.correctionsTo);
            read.keepsConflicts = m_store->keepsConflicts();
            read.conflicts = m_store->conflicts();
            read.levelTitles = m_store->levelTitles();
            read.employeesProblem = problem.isEmpty() ? m_store->employeesProblem() : problem;
            read.time = m_store->siteTime();
            read.at = read.time.now(m_clock);
            m_retry.stop();
            emit m_link.read(read);
        } catch (const Refused& refused) {
            fail(refused.message());
        } catch (const DataError& error) {
            fail(inWords(error));
        }
    }

    void fail(const QString& why)
    {
        emit m_link.readFailed(why);
        m_retry.start();
    }

    DeskLink& m_link;
    QString m_site;
    const Clock& m_clock;
    DeskPeriods m_periods;
    Timing m_timing;
    std::unique_ptr<DeskStore> m_store;
    std::unique_ptr<ChangeWatch> m_watch;
    QTimer m_retry {this};
    bool m_asked = false;
    bool m_closed = false; // the site cannot be corrected here: nothing more is asked
};

DeskLink::DeskLink(const QString& site, const Clock& clock)
    : DeskLink(site, clock, Timing {})
{ }

DeskLink::DeskLink(const QString& site, const Clock& clock, Timing timing)
    : m_worker(new Worker(*this, site, clock, timing))
{
    qRegisterMetaType<DeskRead>();
    m_thread.setObjectName(QStringLiteral("DeskStore"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

DeskLink::~DeskLink()
{
    // A read or a write under way ends first, within the server's deadline.
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] {
        delete worker;
        QThread::currentThread()->quit();
    });
    m_thread.wait();
}

void DeskLink::setPeriods(const DeskPeriods& periods)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, periods] { worker->setPeriods(periods); });
}

void DeskLink::refresh()
{
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->ask(); });
}

void DeskLink::write(const Correction& correction)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, correction] { worker->write(correction); });
}
