#include "ChangeWatch.h"

#include "data/DataError.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QUuid>
#include <sys/stat.h>

namespace {

// SQLite counts the commits made to the file by every connection but the one
// asking: the desk's own corrections, on its other connection, count too. A
// file put in place of the one watched (a backup copied back) counts as a
// change, and is watched from then on.
class SqliteWatch final : public ChangeWatch
{
public:
    SqliteWatch(const QString& path, std::chrono::milliseconds poll)
        : ChangeWatch(path, poll)
    {
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        open();
    }
    ~SqliteWatch() override
    {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }

protected:
    void check() override
    {
        if (inode() != m_inode) {
            open();
            emit changed();
            return;
        }
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
            return;
        const qint64 version = query.value(0).toLongLong();
        if (std::exchange(m_version, version) != version)
            emit changed();
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
// several sites. A connection lost (a restart, a network outage) is opened
// anew, and counts as a change, since notices may have been missed meanwhile.
class ServerWatch final : public ChangeWatch
{
public:
    ServerWatch(const QString& path, std::chrono::milliseconds poll)
        : ChangeWatch(path, poll)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        PostgresFile::configure(db, PostgresFile::readPointer(path));
        QObject::connect(db.driver(), &QSqlDriver::notification, this,
            [this](const QString& name, QSqlDriver::NotificationSource, const QVariant& payload) {
                if (name == SiteModel::punchesChannel && payload.toString() == m_schema)
                    emit changed();
            });
        listen();
    }
    ~ServerWatch() override
    {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }

protected:
    void check() override
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen() && QSqlQuery(db).exec(QStringLiteral("SELECT 1")))
            return;
        if (listen())
            emit changed();
    }

private:
    bool listen()
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
        if (!db.open())
            return false;
        QSqlQuery schema(db);
        schema.prepare(QStringLiteral(
            "SELECT n.nspname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.oid = to_regclass(CAST(? AS text))"));
        schema.addBindValue(SiteModel::jobPunches.toLower());
        if (schema.exec() && schema.next())
            m_schema = schema.value(0).toString();
        return db.driver()->subscribeToNotification(SiteModel::punchesChannel);
    }

    QString m_schema;
};

} // namespace

ChangeWatch::ChangeWatch(QString path, std::chrono::milliseconds poll)
    : m_path(std::move(path))
    , m_connection(QStringLiteral("jobcosting-desk-watch-") + QUuid::createUuid().toString())
{
    m_timer.setInterval(poll);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
    m_timer.start();
}

// The engine is told, not read from the file: closing a descriptor of a SQLite
// file drops every lock the process holds on it, and another program would
// then take the file for unused and remove its write-ahead log.
std::unique_ptr<ChangeWatch> ChangeWatch::forFile(
    const QString& jobPunchesPath, bool onServer, std::chrono::milliseconds poll)
{
    if (onServer)
        return std::make_unique<ServerWatch>(jobPunchesPath, poll);
    return std::make_unique<SqliteWatch>(jobPunchesPath, poll);
}
