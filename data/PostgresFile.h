#pragma once

#include "DatabaseFile.h"

#include <QByteArray>

// A database on a PostgreSQL server, named by a pointer file: a short text
// file whose first line is a connection URI (postgresql://user@host/database).
// The file holds no password: libpq finds one in ~/.pgpass, PGPASSFILE or a
// service file, or the server knows the user by peer or certificate.
//
// Names are folded to lower case, as the server folds the unquoted names in
// the record sources. Text columns are citext, so that they compare without
// regard to letter case as on SQLite.
class PostgresFile : public DatabaseFile
{
public:
    // Connects at once. A malformed pointer file (BadPointer) or a server that
    // cannot be reached (Unreachable) raises a DataError that names the file.
    PostgresFile(const QString& path, const QString& connection);

    // True for the first bytes of a pointer file.
    static bool recognizes(const QByteArray& header);
    // The connection URI of a pointer file.
    static QString readPointer(const QString& path);
    // Sets up a connection of Qt's driver to the server of a URI, not yet open.
    // libpq parses the URI; one that it refuses, or that carries a password,
    // raises DataError (BadPointer) saying why.
    static void configure(QSqlDatabase& db, const QString& uri);

    bool hasFeature(Feature feature) const override;
    void beforeRead(const QString& table) override;
    void beforeWrite() override;
    void setCommitsFlushed(bool flushed) override;
    QString rowKey(const QString& table) const override;
    QString quoted(const QString& identifier) const override;
    QString unchangedCondition(const Column& column) const override;
    DataError errorOf(const QSqlError& error, const QString& table) override;

protected:
    QList<Column> readColumns(const QString& table) override;

private:
    void connect();
    // A connection that the server dropped since its last use (a restart, a
    // network outage) is opened anew before it is used.
    void reconnectIfLost();

    QString m_uri;
    QHash<QString, QString> m_keys; // the primary key column by case-folded table name
};
