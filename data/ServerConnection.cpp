#include "ServerConnection.h"

#include "ClientLibrary.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <sys/socket.h>

namespace {

std::mutex registryMutex;

// Closing sends the server a last word and waits for nothing.
constexpr int closeMs = 10000;

QHash<QString, std::weak_ptr<ServerConnection>>& registry()
{
    static QHash<QString, std::weak_ptr<ServerConnection>> byAddress;
    return byAddress;
}

bool inTransaction(PGTransactionStatusType status)
{
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

} // namespace

std::shared_ptr<ServerConnection> ServerConnection::to(
    const QString& address, const std::function<void(QSqlDatabase&)>& configure)
{
    const std::lock_guard lock(registryMutex);
    if (auto existing = registry().value(address).lock())
        return existing;
    static int serial = 0;
    std::shared_ptr<ServerConnection> made(
        new ServerConnection(address, QStringLiteral("jobcosting-server-%1").arg(++serial)));
    made->m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), made->m_name);
    configure(made->m_db);
    registry().insert(address, made);
    return made;
}

ServerConnection::ServerConnection(QString key, QString name)
    : m_key(std::move(key))
    , m_name(std::move(name))
{ }

ServerConnection::~ServerConnection()
{
    // A connection given up on while it was being made ends soon: libpq's
    // connect_timeout bounds it.
    m_thread.waitUntilIdle();
    if (m_db.isOpen()) {
        try {
            m_thread.run([this] { m_db.close(); }, QDeadlineTimer(closeMs));
        } catch (...) {
            // A connection that cannot be closed in time is left to the server.
        }
        m_thread.waitUntilIdle();
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

bool ServerConnection::lost() const
{
    return m_lost.load();
}

ServerConnection::Outcome ServerConnection::run(
    const std::function<void()>& work, QDeadlineTimer deadline, bool flushed)
{
    const auto request = [this, &work, flushed] {
        PGconn* connection = connectionOf(m_db);
        const ClientLibrary& pq = clientLibrary();
        const bool idleBefore = connection && pq.transactionStatus(connection) == PQTRANS_IDLE;
        if (idleBefore) {
            listenOnChannels();
            // A session setting, made outside every transaction, where no
            // rollback takes it back.
            if (m_flushed != flushed) {
                m_flushed.reset();
                if (QSqlQuery(m_db).exec(flushed ? QStringLiteral("RESET synchronous_commit")
                                                 : QStringLiteral("SET synchronous_commit = off")))
                    m_flushed = flushed;
            }
        }
        bool failed = false;
        try {
            work();
        } catch (...) {
            failed = true;
            settle(idleBefore, failed);
            throw;
        }
        settle(idleBefore, failed);
    };
    const auto cut = [this] {
        if (const int socket = m_socket.load(); socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
    };
    switch (m_thread.run(request, deadline, cut)) {
    case ConnectionThread::Ran::InTime:
        return Outcome::Done;
    case ConnectionThread::Ran::NotStarted:
        return Outcome::NotStarted;
    case ConnectionThread::Ran::GivenUp:
        break;
    }
    m_dropped = true;
    return Outcome::GivenUp;
}

void ServerConnection::settle(bool idleBefore, bool failed)
{
    PGconn* connection = connectionOf(m_db);
    const ClientLibrary& pq = clientLibrary();
    // A statement whose answer was not read to its end (Qt's driver streams
    // the rows of a forward-only query) would leave the connection busy, its
    // transaction unknown: the rest is read now, as Qt's driver does before
    // the next statement. What the work needed it has read.
    if (connection && pq.transactionStatus(connection) == PQTRANS_ACTIVE) {
        while (PGresult* rest = pq.getResult(connection))
            pq.clear(rest);
    }
    PGTransactionStatusType status
        = connection ? pq.transactionStatus(connection) : PQTRANS_UNKNOWN;
    // A transaction that the work began and can no longer end well ends here,
    // before another thread's work could run in it.
    if (idleBefore && inTransaction(status) && (failed || status == PQTRANS_INERROR)) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        status = pq.transactionStatus(connection);
    }
    m_thread.holdForAsker(inTransaction(status));
    collectNotices();
    m_lost = !connection || pq.status(connection) != CONNECTION_OK;
}

void ServerConnection::listenOnChannels()
{
    QSet<QString> channels;
    {
        const std::lock_guard lock(m_mutex);
        channels = m_channels;
    }
    for (const QString& channel : std::as_const(channels)) {
        if (m_listening.contains(channel))
            continue;
        QString quoted = channel;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        if (QSqlQuery(m_db).exec(QStringLiteral("LISTEN \"%1\"").arg(quoted)))
            m_listening.insert(channel);
    }
}

void ServerConnection::collectNotices()
{
    PGconn* connection = connectionOf(m_db);
    const ClientLibrary& pq = clientLibrary();
    // Never in the middle of a statement's answer.
    if (!connection || pq.status(connection) != CONNECTION_OK
        || pq.transactionStatus(connection) == PQTRANS_ACTIVE)
        return;
    // The second read finds the end of a connection that the server closed
    // after its last words (a restart, the connection cut).
    if (pq.consumeInput(connection))
        pq.consumeInput(connection);
    QList<Notice> arrived;
    while (PGnotify* notice = pq.notifies(connection)) {
        arrived.append({QString::fromUtf8(notice->relname), QString::fromUtf8(notice->extra),
            notice->be_pid == m_backendPid});
        pq.freeMemory(notice);
    }
    if (arrived.isEmpty())
        return;
    const std::lock_guard lock(m_mutex);
    m_notices.append(arrived);
}

ServerConnection::Opened ServerConnection::open(QDeadlineTimer deadline)
{
    if (m_thread.busy())
        return {Outcome::GivenUp, {}};
    // The attempt holds nothing of this call's: given up at the deadline, it
    // runs out on its own, and libpq's connect_timeout ends it soon after.
    const auto refusal = std::make_shared<std::optional<QString>>();
    const auto request = [this, refusal] {
        // A connection that the server closed (a restart, the connection cut)
        // says so once what it sent is read: no statement needs to ask.
        if (!m_dropped && m_db.isOpen()) {
            collectNotices();
            PGconn* connection = connectionOf(m_db);
            if (connection && clientLibrary().status(connection) == CONNECTION_OK)
                return;
        }
        m_db.close();
        m_socket = -1;
        m_listening.clear();
        m_flushed.reset();
        // A transaction open on the connection gone went with it.
        m_thread.holdForAsker(false);
        if (!m_db.open()) {
            m_lost = true;
            *refusal = m_db.lastError().databaseText();
            return;
        }
        PGconn* connection = connectionOf(m_db);
        const ClientLibrary& pq = clientLibrary();
        m_socket = connection ? pq.socket(connection) : -1;
        m_backendPid = connection ? pq.backendPid(connection) : 0;
        m_dropped = false;
        m_lost = false;
        ++m_generation;
        listenOnChannels();
    };
    switch (m_thread.run(request, deadline)) {
    case ConnectionThread::Ran::InTime:
        return {Outcome::Done, *refusal};
    case ConnectionThread::Ran::NotStarted:
        return {Outcome::NotStarted, {}};
    case ConnectionThread::Ran::GivenUp:
        break;
    }
    m_dropped = true;
    return {Outcome::GivenUp, {}};
}

void ServerConnection::listen(const QString& channel)
{
    const std::lock_guard lock(m_mutex);
    m_channels.insert(channel);
}

QList<ServerConnection::Notice> ServerConnection::notices(QDeadlineTimer deadline)
{
    if (!m_thread.busy() && !m_dropped) {
        const auto cut = [this] {
            if (const int socket = m_socket.load(); socket >= 0)
                ::shutdown(socket, SHUT_RDWR);
        };
        const auto request = [this] {
            PGconn* connection = connectionOf(m_db);
            if (connection && clientLibrary().transactionStatus(connection) == PQTRANS_IDLE)
                listenOnChannels();
            collectNotices();
            m_lost = !connection || clientLibrary().status(connection) != CONNECTION_OK;
        };
        if (m_thread.run(request, deadline, cut) == ConnectionThread::Ran::GivenUp)
            m_dropped = true;
    }
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_notices, {});
}
