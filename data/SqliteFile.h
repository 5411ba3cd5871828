#pragma once

#include "DatabaseFile.h"

#include <QByteArray>

struct stat;

// A SQLite database file, read and written in place. Before each search and
// each save it makes sure that the file it holds open is still the one at its
// name: a file replaced meanwhile (copied back from a backup, moved aside and
// put back) is opened anew, and one that is gone is reported.
class SqliteFile : public DatabaseFile
{
public:
    // Opens the file; throws DataError when it does not open.
    SqliteFile(QString path, QString connection);
    ~SqliteFile() override;

    // True for the first bytes of a SQLite database file.
    static bool recognizes(const QByteArray& header);
    // What a trigger of the job punches says when a second job would be open
    // under one name: the same refusal as the unique index over the open jobs.
    static inline const QString openJobTaken
        = QStringLiteral("A job is open already under this name.");

    bool hasFeature(Feature feature) const override;
    void beforeRead(const QString& table) override;
    void beforeWrite() override;
    void prepareWrites() override;
    void setCommitsFlushed(bool flushed) override;
    QString contentVersion() override;
    QString rowKey(const QString& table) const override;
    QString quoted(const QString& identifier) const override;
    QString unchangedCondition(const Column& column) const override;
    DataError errorOf(const QSqlError& error, const QString& table) override;

protected:
    struct InMemory
    {
    };
    // A SQLite database in memory, which the subclass fills; no file is opened.
    SqliteFile(QString path, QString connection, InMemory);
    QList<Column> readColumns(const QString& table) override;
    bool keepsStatements() const override { return true; }

private:
    void connect();
    // Opens the file anew when it is no longer the one at its name, or when a
    // statement met trouble that opening it again may clear.
    void reconnectIfReplaced();
    // Empties the write-ahead log into the file held open when that file is no
    // longer at its name; `atName` is the file there now, if any.
    void settleLogOfReplacedFile(const struct stat* atName);
    // Makes the connection's settings once, before its first read or write.
    void makeSettings();
    // Sets the connection's lock wait to what the current deadline leaves.
    void applyLockWait();
    // Puts the file in the write-ahead log, synchronised in full, before its
    // first save.
    void useWriteAheadLog();

    struct Identity
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Identity&) const = default;
    };
    Identity m_identity;
    bool m_openAgain = false;
    bool m_writeAheadLog = false;
    bool m_settingsMade = false;
    qint64 m_schemaVersion = -1;
    quint64 m_connections = 0; // opened so far
    quint64 m_writes = 0; // begun on this connection
    int m_lockWaitMs = 0; // the connection's busy timeout
};
