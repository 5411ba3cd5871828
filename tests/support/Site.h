#pragma once

#include "SiteBuilder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>
#include <optional>

// The engines that the data-layer and punch-cycle suites run on.
enum class Engine
{
    Sqlite,
    Access, // reads the sample site's real Access files; nothing can write one
    Server
};

// The private PostgreSQL server of the tests (scripts/test-server sets
// JOBCOSTING_TEST_SERVER), or empty when none was given.
QString testServer();

// What a test waits for another program's lock: the program's five seconds
// would make every test that meets one sit them out. One test keeps them.
constexpr int testLockWaitMs = 1000;

// For initTestCase_data(): every test function of the suite runs once per engine.
void addEngines();
Engine currentEngine();

// In a test function of a suite with engines: skips the row of that engine.
#define SKIP_ENGINE(skipped, why)                                                                  \
    do {                                                                                           \
        if (currentEngine() == (skipped))                                                          \
            QSKIP(why);                                                                            \
    } while (false)
// Tests that need a site the tests fill run on every engine but Access.
#define SKIP_ACCESS() SKIP_ENGINE(Engine::Access, "Nothing can write an Access file.")
// Tests on the sample site compare the Access files with SQLite copies of them.
#define SKIP_SERVER_FOR_SAMPLE()                                                                   \
    SKIP_ENGINE(Engine::Server, "The sample site is read as Access files and SQLite copies.")

// In init() of a suite with engines: the server rows are skipped, with the
// reason, when no test server was given.
#define SKIP_WITHOUT_TEST_SERVER()                                                                 \
    do {                                                                                           \
        if (currentEngine() == Engine::Server && testServer().isEmpty())                           \
            QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set. scripts/test sets it; "      \
                  "scripts/test-server ctest runs the tests with one.");                           \
    } while (false)

// A schema of its own on the test server, owned by a role of the same name, so
// that the role's connections find their tables there. Dropped, with all in
// it, at the end.
class ServerSchema
{
public:
    ServerSchema();
    ~ServerSchema();
    ServerSchema(const ServerSchema&) = delete;
    ServerSchema& operator=(const ServerSchema&) = delete;

    // The connection URI of the role.
    QString uri() const { return m_uri; }
    // Runs SQL as the role, as Site::sql() does.
    QList<QVariantList> sql(const QString& statement, const QVariantList& values = {}) const;
    // The role, which is also the schema's name.
    QString role() const { return m_role; }
    // Runs SQL as the test server's superuser; the rows of a SELECT.
    QList<QVariantList> adminSql(const QString& statement) const;
    // The role's connections open now under that application name: the
    // terminal's, by default (the tests' own are named jobcosting-tests).
    int connections(const QString& application = QStringLiteral("jobcosting")) const;
    // Cuts every connection of the role, as a restart of the server does.
    void dropConnections() const;
    // While off, the server refuses the role's connections, as a server that
    // cannot be reached does; the role's open connections are cut.
    void setReachable(bool reachable) const;

private:
    void admin(const QStringList& statements) const;
    QString m_role;
    QString m_uri;
};

// While one lives, every process of the test server is stopped (SIGSTOP), as
// a server that stops answering without closing its connections: its kernel
// still takes what is sent to it. They go on when it is destroyed, or earlier
// by resume().
class ServerStop
{
public:
    ServerStop();
    ~ServerStop() { resume(); }
    ServerStop(const ServerStop&) = delete;
    ServerStop& operator=(const ServerStop&) = delete;

    void resume();

private:
    QList<qint64> m_stopped;
};

// Waits until the terminal working in `folder` has sent all it kept while its
// server was away, and works on its server again.
bool allSent(const QString& folder, int timeoutMs = 20000);

// A site in a fresh temporary folder that is also the working folder while
// the object lives, as the terminal expects. On the server engine its three
// files point to a schema of its own on the test server.
class Site
{
public:
    enum class Contents
    {
        Empty,
        Demo,
        // The sample site of real Access files (../shared/access-site): on
        // Access its files are copied, on SQLite every table is copied into
        // files made by the site tool.
        Sample
    };
    // Its clocks run in `timeZone` (an IANA name), the machine's where empty.
    explicit Site(Contents contents = Contents::Demo, Engine engine = Engine::Sqlite,
        const QString& timeZone = {});

    // A file of the sample site, in its read-only folder.
    static QString sample(const QString& name);
    // The expected content of a table of the sample site: the header, then
    // one list of texts per row (NULL and an empty text both empty).
    static QList<QStringList> sampleCsv(const QString& file, const QString& table);
    ~Site();
    Site(const Site&) = delete;
    Site& operator=(const Site&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // The site's schema on the test server; nullptr on SQLite.
    const ServerSchema* server() const { return m_server.get(); }
    // Points the three files of a server site to `address`, by default the
    // site's schema, with the terminal's deadline `deadline` (in seconds) when given.
    void pointTo(const QString& deadline, QString address = {}) const;
    // The column that names a row in the statements of sql().
    QString rowKey() const;

    // Runs SQL on one of the site's files through a connection of its own, as
    // another program would; returns the rows of a SELECT. Dates and times
    // come as ISO text and numbers as numbers, as SQLite keeps them.
    QList<QVariantList> sql(
        const QString& file, const QString& statement, const QVariantList& values = {}) const;
    // Runs SQL on JobPunches.MDB with its rules set aside, as the tables'
    // owner may (SiteBuilder::unchecked): rows that are the site's own,
    // neither audited nor noted as a terminal's.
    void seed(const QString& statement, const QVariantList& values = {}) const;
    // Runs SQL on JobPunches.MDB as a correction, with its reason, as the desk
    // writes one: the database's audit keeps it. For any change that is not a
    // terminal's start or end.
    void correct(const QString& statement, const QVariantList& values = {},
        const QString& reason = QStringLiteral("a test's correction")) const;
    // Every field of JobPunches that a job fills, in the table's order.
    static QStringList jobFields();
    // One JobPunches row as a map from field name (ID, jobFields() and PunchId)
    // to value.
    QList<QVariantMap> jobPunches() const;

    // Holds a write lock on a table through a connection of its own, as
    // another terminal in the middle of a save does, until it is destroyed.
    class Lock
    {
    public:
        Lock(const Site& site, const QString& file, const QString& table);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        QString m_connection;
    };

private:
    QTemporaryDir m_dir;
    QString m_previous;
    std::unique_ptr<ServerSchema> m_server;
};
