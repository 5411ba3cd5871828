#pragma once

#include "DatabaseFile.h"
#include "ServerConnection.h"

#include <QByteArray>
#include <memory>
#include <optional>

class PunchKeeper;

// A database on a PostgreSQL server, named by a pointer file: a short text
// file whose first line is a connection URI (postgresql://user@host/database).
// The file holds no password: libpq finds one in ~/.pgpass, PGPASSFILE or a
// service file, or the server knows the user by peer or certificate. The
// files that name one server share the program's one connection to it.
//
// Names are folded to lower case, as the server folds the unquoted names in
// the record sources. Text columns are citext, so that they compare without
// regard to letter case as on SQLite.
class PostgresFile : public DatabaseFile
{
public:
    // Who uses the connection. The terminal's screens follow the site's
    // offline store: while its server is away they do not wait for it, and
    // read the store's copies. The store's own sender reaches the server
    // whatever the store says.
    enum class Use
    {
        Terminal,
        Sender
    };

    // Reads the pointer file; a malformed one raises DataError (BadPointer)
    // naming the file. The server is reached at the first use.
    PostgresFile(const QString& path, const QString& connection, Use use = Use::Terminal);

    // True for the first bytes of a pointer file.
    static bool recognizes(const QByteArray& header);
    // The connection URI of a pointer file.
    static QString readPointer(const QString& path);
    ~PostgresFile() override;

    // How long a round trip to the server (a connection, a statement, a commit)
    // may take before it is given up, unless the address says otherwise.
    static constexpr int defaultDeadlineMs = 10000;

    // Sets up a connection of Qt's driver to the server of a URI or of libpq's
    // keyword/value pairs, not yet open; returns the connection's deadline in
    // milliseconds, which the terminal's own parameter jobcosting_deadline=SECONDS
    // sets. The server sees the program's name as the connection's
    // application_name unless the address names one. libpq parses the address;
    // one that it refuses, or that carries a password, raises DataError
    // (BadPointer) saying why.
    static int configure(QSqlDatabase& db, const QString& uri);

    // A connection set up by configure() that listens for notices: its
    // socket, to be told when something arrives (-1 while closed), and the
    // notices that arrived, read without waiting; nothing once the connection
    // is lost. Called on the thread that uses the connection.
    struct Notice
    {
        QString channel;
        QString payload;
    };
    static int socketOf(const QSqlDatabase& db);
    static std::optional<QList<Notice>> takeNotices(const QSqlDatabase& db);

    QSqlDatabase database() const override;
    // The connection this file shares with every file that names its server.
    ServerConnection& connection() const { return *m_server; }
    // How long a round trip may take on this file's connection, in milliseconds.
    int deadlineMs() const { return m_deadlineMs; }
    bool hasFeature(Feature feature) const override;
    void reach() override;
    void beforeRead(const QString& table) override;
    void beforeWrite() override;
    void setCommitsFlushed(bool flushed) override;
    QString rowKey(const QString& table) const override;
    // The primary key column of a table whose columns have been read.
    QString keyColumn(const QString& table) const { return m_keys.value(table.toCaseFolded()); }
    std::shared_ptr<DatabaseFile> standIn(const QString& table) override;
    void written(const QString& table, const QSqlRecord& read,
        const QList<QPair<QString, QVariant>>& fields) override;
    bool keep(const QString& table, const QSqlRecord& read,
        const QList<QPair<QString, QVariant>>& fields) override;
    QString quoted(const QString& identifier) const override;
    QString unchangedCondition(const Column& column) const override;
    DataError errorOf(const QSqlError& error, const QString& table) override;

protected:
    QList<Column> readColumns(const QString& table) override;
    // On the connection's thread, within the deadline; past it the connection
    // is dropped, to be opened anew at the next use, and DataError
    // (Unreachable) is raised.
    void runOnConnection(const std::function<void()>& work) override;

private:
    // A connection that the server dropped since its last use (a restart, a
    // network outage), or that was given up on, is opened anew before it is used.
    void reconnectIfLost();
    // DataError (Unreachable) at once while the terminal's store says that the
    // server is away.
    void refuseWhileAway() const;
    // The error of a round trip given up on, or not made by the deadline.
    DataError unanswered();

    std::shared_ptr<PunchKeeper> m_store; // the terminal's, where it keeps one
    std::shared_ptr<ServerConnection> m_server;
    QString m_uri;
    int m_deadlineMs = defaultDeadlineMs;
    bool m_flushed = true; // this file's commits wait for the disk
    quint64 m_generation = 0; // of the connection the columns were read on
    QHash<QString, QString> m_keys; // the primary key column by case-folded table name
};
