#include "Site.h"

#include "SiteConverter.h"
#include "data/AccessTable.h"
#include "data/OfflineStore.h"
#include "data/OpenDatabaseFile.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <csignal>
#include <stdexcept>
#include <utility>

using namespace Qt::StringLiterals;

QString testServer()
{
    return qEnvironmentVariable("JOBCOSTING_TEST_SERVER");
}

void addEngines()
{
    QTest::addColumn<Engine>("engine");
    QTest::newRow("SQLite") << Engine::Sqlite;
    QTest::newRow("Access") << Engine::Access;
    QTest::newRow("server") << Engine::Server;
}

Engine currentEngine()
{
    QFETCH_GLOBAL(Engine, engine);
    return engine;
}

namespace {

[[noreturn]] void fail(const QSqlError& error)
{
    throw std::runtime_error(error.text().toStdString());
}

// A connection of its own, opened by `open` and removed after fn.
template<typename Open, typename Fn> void withConnection(Open open, Fn fn)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = open(name);
        if (!db.open())
            fail(db.lastError());
        fn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QSqlDatabase serverConnection(const QString& name, const QString& uri)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, name);
    PostgresFile::configure(db, uri);
    // Told apart from the terminals' connections on the server: the last name given counts.
    db.setConnectOptions(db.connectOptions() + u" application_name='jobcosting-tests'"_s);
    db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    return db;
}

QSqlQuery exec(QSqlDatabase& db, const QString& statement, const QVariantList& values = {})
{
    QSqlQuery query(db);
    // The server prepares no statements but queries and changes of rows.
    if (values.isEmpty() ? !query.exec(statement) : !query.prepare(statement))
        fail(query.lastError());
    if (values.isEmpty())
        return query;
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

// Dates, times and numbers as SQLite keeps them.
QVariant asOnSqlite(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return value.toTime().toString(u"HH:mm:ss"_s);
    default:
        return value;
    }
}

} // namespace

ServerSchema::ServerSchema()
    : m_role(u"site_"_s + QUuid::createUuid().toString(QUuid::Id128).left(20))
{
    const QString server = testServer();
    if (server.isEmpty())
        throw std::runtime_error("JOBCOSTING_TEST_SERVER is not set");
    admin({u"CREATE ROLE %1 LOGIN"_s, u"CREATE SCHEMA %1 AUTHORIZATION %1"_s});
    m_uri = server + (server.contains(u'?') ? u'&' : u'?') + u"user="_s + m_role;
}

ServerSchema::~ServerSchema()
{
    admin({u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = '%1'"_s,
        u"DROP SCHEMA %1 CASCADE"_s, u"DROP ROLE %1"_s});
}

void ServerSchema::admin(const QStringList& statements) const
{
    withConnection([](const QString& name) { return serverConnection(name, testServer()); },
        [&](QSqlDatabase& db) {
            exec(db, u"SET client_min_messages = warning"_s);
            for (const QString& statement : statements)
                exec(db, statement.arg(m_role));
        });
}

void ServerSchema::dropConnections() const
{
    admin({u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = '%1'"_s});
    // The server ends them a moment after it was asked to.
    const QDeadlineTimer deadline(5000);
    bool gone = false;
    while (!gone && !deadline.hasExpired()) {
        withConnection([](const QString& name) { return serverConnection(name, testServer()); },
            [&](QSqlDatabase& db) {
                QSqlQuery left = exec(db,
                    u"SELECT COUNT(*) FROM pg_stat_activity WHERE usename = '%1'"_s.arg(m_role));
                gone = left.next() && left.value(0).toInt() == 0;
            });
        if (!gone)
            QThread::msleep(20);
    }
}

QList<QVariantList> ServerSchema::adminSql(const QString& statement) const
{
    QList<QVariantList> rows;
    withConnection([](const QString& name) { return serverConnection(name, testServer()); },
        [&](QSqlDatabase& db) {
            QSqlQuery query = exec(db, statement);
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i);
                rows << row;
            }
        });
    return rows;
}

int ServerSchema::connections(const QString& application) const
{
    return adminSql(u"SELECT COUNT(*) FROM pg_stat_activity WHERE usename = '%1' AND "
                    "application_name = '%2'"_s.arg(m_role, application))
        .value(0)
        .value(0)
        .toInt();
}

void ServerSchema::setReachable(bool reachable) const
{
    admin({reachable ? u"ALTER ROLE %1 LOGIN"_s : u"ALTER ROLE %1 NOLOGIN"_s});
    if (!reachable)
        dropConnections();
}

ServerStop::ServerStop()
{
    // The test server keeps its data beside the folder of its socket.
    const QString socket = QUrlQuery(QUrl(testServer()).query()).queryItemValue(u"host"_s);
    QFile pidFile(QDir(socket).filePath(u"../data/postmaster.pid"_s));
    if (!pidFile.open(QIODevice::ReadOnly))
        throw std::runtime_error("the test server's postmaster.pid cannot be read");
    const qint64 postmaster = QString::fromLatin1(pidFile.readLine()).trimmed().toLongLong();
    // The postmaster first, so that it starts no process while the others stop.
    m_stopped << postmaster;
    ::kill(pid_t(postmaster), SIGSTOP);
    for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile stat(u"/proc/"_s + entry + u"/stat"_s);
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold blanks, not a ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == postmaster) {
            m_stopped << entry.toLongLong();
            ::kill(pid_t(entry.toLongLong()), SIGSTOP);
        }
    }
}

bool allSent(const QString& folder, int timeoutMs)
{
    const auto store = OfflineStore::of(folder);
    return store
        && QTest::qWaitFor([&] { return store->journalled() == 0 && !store->away(); }, timeoutMs);
}

void ServerStop::resume()
{
    for (const qint64 pid : std::exchange(m_stopped, {}))
        ::kill(pid_t(pid), SIGCONT);
}

namespace {

const QList<std::pair<QString, QString>> sampleTables {
    {SiteModel::validationsFile, u"Level1"_s},
    {SiteModel::validationsFile, u"Level2"_s},
    {SiteModel::validationsFile, u"Level3"_s},
    {SiteModel::timeClockFile, u"EMPLOYEES"_s},
    {SiteModel::jobPunchesFile, u"JobPunches"_s},
};

} // namespace

Site::Site(Contents contents, Engine engine, const QString& timeZone)
    : m_previous(QDir::currentPath())
{
    if (engine == Engine::Server)
        m_server = std::make_unique<ServerSchema>();
    if (engine == Engine::Access) {
        if (contents != Contents::Sample)
            throw std::runtime_error("only the sample site is kept in Access files");
        for (const QString& name :
            {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile})
            if (!QFile::copy(sample(name), file(name)))
                throw std::runtime_error("cannot copy the sample site");
    } else {
        SiteBuilder::Contents made;
        made.timeZone = timeZone;
        SiteBuilder::create(m_dir.path(), m_server ? m_server->uri() : QString(), made);
    }
    if (contents == Contents::Demo) {
        // One connection to each database while the site is filled.
        std::vector<std::shared_ptr<DatabaseFile>> held;
        for (const QString& name :
            {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile})
            held.push_back(openDatabaseFile(file(name)));
        SiteBuilder::fillDemo(m_dir.path());
    }
    if (contents == Contents::Sample && engine != Engine::Access) {
        if (m_server)
            throw std::runtime_error("the sample site is not copied onto a server");
        for (const auto& [name, table] : sampleTables)
            SiteConverter::copyRows(Access::readTable(sample(name), table), file(name));
    }
    QDir::setCurrent(m_dir.path());
}

QString Site::sample(const QString& name)
{
    return QDir(QStringLiteral(JOBCOSTING_SAMPLE_SITE)).filePath(name);
}

QList<QStringList> Site::sampleCsv(const QString& file, const QString& table)
{
    QFile csv(sample(file + QLatin1Char('.') + table + QLatin1String(".csv")));
    if (!csv.open(QIODevice::ReadOnly))
        throw std::runtime_error("no such sample table");
    const QString text = QString::fromUtf8(csv.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                field += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << std::exchange(field, {});
        } else if (c == u'\n') {
            row << std::exchange(field, {});
            rows << std::exchange(row, {});
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!row.isEmpty() || !field.isEmpty())
        rows << (row << field);
    return rows;
}

Site::~Site()
{
    QDir::setCurrent(m_previous);
}

void Site::pointTo(const QString& deadline, QString address) const
{
    if (address.isEmpty())
        address = m_server->uri();
    if (!deadline.isEmpty())
        address += u"&jobcosting_deadline="_s + deadline;
    for (const QString& name :
        {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile}) {
        QFile pointer(file(name));
        if (!pointer.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || pointer.write((address + u'\n').toUtf8()) < 0)
            throw std::runtime_error("cannot write a pointer file");
    }
}

QString Site::rowKey() const
{
    return m_server ? u"ID"_s : u"rowid"_s;
}

namespace {

QList<QVariantList> rowsOf(QSqlQuery& query, QVariant (*convert)(const QVariant&))
{
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << convert(query.value(i));
        rows << row;
    }
    return rows;
}

} // namespace

QList<QVariantList> ServerSchema::sql(const QString& statement, const QVariantList& values) const
{
    QList<QVariantList> rows;
    withConnection([this](const QString& name) { return serverConnection(name, m_uri); },
        [&](QSqlDatabase& db) {
            QSqlQuery query = exec(db, statement, values);
            rows = rowsOf(query, asOnSqlite);
        });
    return rows;
}

QList<QVariantList> Site::sql(
    const QString& file, const QString& statement, const QVariantList& values) const
{
    if (m_server)
        return m_server->sql(statement, values);
    QList<QVariantList> rows;
    withConnection(
        [&](const QString& name) {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
            db.setDatabaseName(this->file(file));
            return db;
        },
        [&](QSqlDatabase& db) {
            QSqlQuery query = exec(db, statement, values);
            rows = rowsOf(query, [](const QVariant& value) { return value; });
        });
    return rows;
}

void Site::seed(const QString& statement, const QVariantList& values) const
{
    SiteBuilder::unchecked(path(), [&](QSqlDatabase& db) { exec(db, statement, values); });
}

void Site::correct(
    const QString& statement, const QVariantList& values, const QString& reason) const
{
    const auto open = [&](const QString& name) {
        if (m_server)
            return serverConnection(name, m_server->uri());
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(file(SiteModel::jobPunchesFile));
        return db;
    };
    withConnection(open, [&](QSqlDatabase& db) {
        if (!db.transaction())
            fail(db.lastError());
        if (m_server) {
            exec(db, u"SELECT set_config('jobcosting.reason', ?, true)"_s, {reason});
        } else {
            exec(db,
                u"INSERT INTO %1 (Reason, CorrectedBy) VALUES (?, 'test')"_s.arg(
                    SiteModel::jobPunchCorrectionReason),
                {reason});
        }
        exec(db, statement, values);
        if (!m_server)
            exec(db, u"DELETE FROM %1"_s.arg(SiteModel::jobPunchCorrectionReason));
        if (!db.commit())
            fail(db.lastError());
    });
}

QStringList Site::jobFields()
{
    QStringList fields {u"Name"_s, u"Badge"_s, u"DateWorked"_s, u"TimeStart"_s, u"TimeStop"_s};
    for (int level = 1; level <= 3; ++level) {
        for (const char* field :
            {"Description", "ItemCode", "ItemDescription", "StandardCost", "BonusRate"})
            fields << u"Level%1"_s.arg(level) + QLatin1String(field);
    }
    return fields << u"Pieces"_s << u"EmpNum"_s << u"DeptNum"_s << u"BaseRate"_s;
}

QList<QVariantMap> Site::jobPunches() const
{
    const QStringList fields = QStringList {u"ID"_s} + jobFields() + QStringList {u"PunchId"_s};
    QList<QVariantMap> punches;
    const auto rows = sql(SiteModel::jobPunchesFile,
        u"SELECT %1 FROM JobPunches ORDER BY ID"_s.arg(fields.join(u", "_s)));
    for (const QVariantList& row : rows) {
        QVariantMap punch;
        for (qsizetype i = 0; i < fields.size(); ++i)
            punch.insert(fields.at(i), row.at(i));
        punches << punch;
    }
    return punches;
}

Site::Lock::Lock(const Site& site, const QString& file, const QString& table)
    : m_connection(QUuid::createUuid().toString())
{
    QSqlDatabase db = site.server() ? serverConnection(m_connection, site.server()->uri())
                                    : QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
    if (!site.server())
        db.setDatabaseName(site.file(file));
    if (!db.open())
        fail(db.lastError());
    if (site.server()) {
        exec(db, u"BEGIN"_s);
        exec(db, u"LOCK TABLE %1 IN EXCLUSIVE MODE"_s.arg(table));
    } else {
        exec(db, u"BEGIN EXCLUSIVE"_s);
    }
}

Site::Lock::~Lock()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        QSqlQuery(u"ROLLBACK"_s, db);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}
