#include "ChangeWatch.h"

#include "data/ConnectionThread.h"
#include "data/DataError.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"

#include <QFile>
#include <QSocketNotifier>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QUuid>
#include <atomic>
#include <sys/socket.h>
#include <sys/stat.h>

// What asks, on the watch's own thread.
class ChangeWatch::Watcher : public QObject
{
public:
    Watcher(QString path, std::chrono::milliseconds poll)
        : m_path(std::move(path))
        , m_connection(QStringLiteral("jobcosting-desk-watch-") + QUuid::createUuid().toString())
    {
        m_timer.setInterval(poll);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
    }
    ~Watcher() override { QSqlDatabase::removeDatabase(m_connection); }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    // On the thread.
    void start()
    {
        begin();
        m_timer.start();
    }
    void setOwner(ChangeWatch* owner) { m_owner = owner; }
    // Ends a wait for a server at once; from any thread.
    void cut() const
    {
        if (const int socket = m_socket; socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
    }

protected:
    virtual void begin() = 0;
    virtual void check() = 0;
    void changed() const { emit m_owner->changed(); }
    void lost(const QString& why) const { emit m_owner->lost(why); }

    QString m_path;
    QString m_connection;
    std::atomic<int> m_socket = -1;

private:
    QTimer m_timer {this};
    ChangeWatch* m_owner = nullptr;
};

namespace {

// SQLite counts the commits made to the file by every connection but the one
// asking: the desk's own corrections, on its other connection, count too. A
// file put in place of the one watched (a backup copied back) counts as a
// change, and is watched from then on.
class SqliteWatcher final : public ChangeWatch::Watcher
{
public:
    using Watcher::Watcher;
    ~SqliteWatcher() override { QSqlDatabase::database(m_connection, false).close(); }

protected:
    void begin() override
    {
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        open();
    }
    void check() override
    {
        if (inode() != m_inode) {
            open();
            changed();
            return;
        }
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
            return;
        const qint64 version = query.value(0).toLongLong();
        if (std::exchange(m_version, version) != version)
            changed();
    }

private:
    quint64 inode() const
    {
        struct stat status
        {
        };
        return ::stat(QFile::encodeName(m_path).constData(), &status) == 0 ? status.st_ino : 0;
    }
    void open()
    {
        m_inode = inode();
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
        db.setDatabaseName(m_path);
        db.open();
        QSqlQuery query(db);
        m_version = query.exec(QStringLiteral("PRAGMA data_version")) && query.next()
            ? query.value(0).toLongLong()
            : -1;
    }

    quint64 m_inode = 0;
    qint64 m_version = -1;
};

// The server notifies the channel "jobpunches" at every change of the
// punches, with the schema of the table as its payload: a database may hold
// several sites. Every round trip runs on the connection's own thread within
// the server's deadline; past it the connection is cut and opened anew at the
// next check. A connection lost counts as a change once it listens again.
class ServerWatcher final : public ChangeWatch::Watcher
{
public:
    using Watcher::Watcher;
    ~ServerWatcher() override
    {
        m_notifier.reset();
        close();
    }

protected:
    void begin() override
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        try {
            m_deadlineMs = PostgresFile::configure(db, PostgresFile::readPointer(m_path));
        } catch (const DataError& error) {
            m_problem = error.shown();
            lost(m_problem);
            return;
        }
        listen();
    }
    void check() override
    {
        if (!m_problem.isEmpty() && !m_listening)
            return; // a pointer file that names no server: nothing to ask
        if (!m_listening) {
            if (listen())
                changed();
            return;
        }
        ask([](QSqlDatabase& db) { return QSqlQuery(db).exec(QStringLiteral("SELECT 1")); });
    }

private:
    // Runs work on the connection's thread, and then takes the notices that
    // came with its answer; false when the server did not answer in time or
    // the work failed, and the connection is given up.
    bool ask(const std::function<bool(QSqlDatabase&)>& work)
    {
        if (m_thread.busy())
            return false;
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        bool done = false;
        std::optional<QList<PostgresFile::Notice>> notices;
        bool inTime = false;
        try {
            inTime = m_thread.run(
                         [&] {
                             done = work(db);
                             notices = PostgresFile::takeNotices(db);
                         },
                         QDeadlineTimer(m_deadlineMs), [this] { cut(); })
                == ConnectionThread::Ran::InTime;
        } catch (const DataError&) { }
        if (inTime && done && notices) {
            tell(*notices);
            return true;
        }
        giveUp(inTime ? ChangeWatch::tr("The connection to the database server was lost.")
                      : ChangeWatch::tr("The database server did not answer within %1 seconds.")
                            .arg(m_deadlineMs / 1000.0));
        return false;
    }

    bool listen()
    {
        close();
        // Opening holds nothing of this call's: given up on at the deadline, it
        // runs out on its own, ended soon after by libpq's connect_timeout.
        struct Attempt
        {
            QSqlDatabase db;
            bool opened = false;
        };
        const auto attempt = std::make_shared<Attempt>();
        attempt->db = QSqlDatabase::database(m_connection, false);
        bool inTime = false;
        if (!m_thread.busy())
            inTime = m_thread.run([attempt] { attempt->opened = attempt->db.open(); },
                         QDeadlineTimer(m_deadlineMs))
                == ConnectionThread::Ran::InTime;
        if (!inTime || !attempt->opened) {
            if (inTime)
                giveUp(ChangeWatch::tr("The database server cannot be reached."));
            else
                giveUp(ChangeWatch::tr("The database server did not answer within %1 seconds.")
                           .arg(m_deadlineMs / 1000.0));
            return false;
        }
        m_socket = PostgresFile::socketOf(attempt->db);
        QString schema;
        const bool listening = ask([&schema](QSqlDatabase& db) {
            QSqlQuery query(db);
            query.prepare(
                QStringLiteral("SELECT n.nspname FROM pg_class c JOIN pg_namespace n ON n.oid = "
                               "c.relnamespace WHERE c.oid = to_regclass(CAST(? AS text))"));
            query.addBindValue(SiteModel::jobPunches.toLower());
            if (!query.exec())
                return false;
            if (query.next())
                schema = query.value(0).toString();
            return query.exec(QStringLiteral("LISTEN ") + SiteModel::punchesChannel);
        });
        if (!listening)
            return false;
        m_schema = schema;
        m_listening = true;
        m_notifier = std::make_unique<QSocketNotifier>(m_socket, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, this,
            [this] { ask([](QSqlDatabase&) { return true; }); });
        return true;
    }

    void tell(const QList<PostgresFile::Notice>& notices) const
    {
        for (const PostgresFile::Notice& notice : notices) {
            if (notice.channel == SiteModel::punchesChannel && notice.payload == m_schema) {
                changed();
                return;
            }
        }
    }

    void giveUp(const QString& why)
    {
        // It may be the notifier that is telling.
        if (m_notifier) {
            m_notifier->setEnabled(false);
            m_notifier.release()->deleteLater();
        }
        close();
        if (std::exchange(m_listening, false) || !m_told) {
            m_told = true;
            lost(why);
        }
    }

    void close()
    {
        m_socket = -1;
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (!db.isOpen() || m_thread.busy())
            return;
        // Closing a connection that was cut sends nothing; one that answers
        // says goodbye within the deadline.
        m_thread.run([db]() mutable { db.close(); }, QDeadlineTimer(m_deadlineMs));
    }

    ConnectionThread m_thread;
    int m_deadlineMs = PostgresFile::defaultDeadlineMs;
    QString m_schema;
    QString m_problem;
    bool m_listening = false;
    bool m_told = false; // lost() was emitted since the watch last listened
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

ChangeWatch::ChangeWatch(Watcher* watcher)
    : m_watcher(watcher)
{
    m_watcher->setOwner(this);
    m_thread.setObjectName(QStringLiteral("ChangeWatch"));
    m_watcher->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(m_watcher, [watcher] { watcher->start(); });
}

ChangeWatch::~ChangeWatch()
{
    m_watcher->cut();
    QMetaObject::invokeMethod(m_watcher, [watcher = m_watcher] {
        delete watcher;
        QThread::currentThread()->quit();
    });
    m_thread.wait();
}

// The engine is told, not read from the file: closing a descriptor of a SQLite
// file drops every lock the process holds on it, and another program would
// then take the file for unused and remove its write-ahead log.
std::unique_ptr<ChangeWatch> ChangeWatch::forFile(
    const QString& jobPunchesPath, bool onServer, std::chrono::milliseconds poll)
{
    Watcher* watcher = onServer ? static_cast<Watcher*>(new ServerWatcher(jobPunchesPath, poll))
                                : new SqliteWatcher(jobPunchesPath, poll);
    return std::unique_ptr<ChangeWatch>(new ChangeWatch(watcher));
}
