#pragma once

#include "DataError.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>

// One open database file, shared by every data source on it, and the engine
// that reads it; the file's content, not its name, chose the engine. The data
// source asks the engine the few questions on which engines differ and keeps
// to plain SQL for the rest.
class DatabaseFile
{
public:
    enum class Kind
    {
        Text,
        Integer,
        Real,
        Date,
        Time
    };
    struct Column
    {
        QString name;
        Kind kind;
    };
    enum class Feature
    {
        Writes, // rows can be added, edited and deleted
    };

    // How long a statement waits for another program's lock before it fails
    // (under a LockDeadline, the time left until its deadline): five seconds,
    // unless a test has set a shorter wait for the connections opened after.
    static constexpr int defaultLockWaitMs = 5000;
    static int lockWaitMs();
    static void setLockWaitMs(int ms);

    virtual ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    virtual QSqlDatabase database() const { return QSqlDatabase::database(m_connection, false); }
    QString path() const { return m_path; }
    // The file's name, as messages to the site name it.
    QString name() const;

    virtual bool hasFeature(Feature feature) const = 0;
    // Reaches the database now where it lies on a server; DataError
    // (Unreachable) when it cannot be reached.
    virtual void reach() { }
    // While the database cannot be reached, the file where the terminal keeps
    // a copy of the table, if it does; else nothing.
    virtual std::shared_ptr<DatabaseFile> standIn(const QString&) { return nullptr; }
    // A write to the table reached the database: a new row (`read` empty)
    // with its fields, or the row as read with its changed fields.
    virtual void written(const QString&, const QSqlRecord&, const QList<QPair<QString, QVariant>>&)
    { }
    // Keeps a row that could not be written because the database cannot be
    // reached, to be written later: a new row (`read` empty) with its fields,
    // or the row as read with its changed fields. False where the terminal
    // keeps no rows of the table, or cannot keep them now.
    virtual bool keep(const QString&, const QSqlRecord&, const QList<QPair<QString, QVariant>>&)
    {
        return false;
    }
    // Runs before a table is read: the engine brings what it keeps of the table
    // up to date with the file.
    virtual void beforeRead(const QString& table) = 0;
    // Runs before a row is written.
    virtual void beforeWrite() { }
    // Sets the file up for the writes to come, so that none of them pays for
    // the set-up; what the file holds does not change. Where nothing needs
    // setting up, does nothing.
    virtual void prepareWrites() { }
    // Whether the commits that follow wait until the disk holds them. Scratch
    // rows, which nobody misses after a power cut, are committed without that
    // wait; the file itself stays sound either way.
    virtual void setCommitsFlushed(bool) { }
    // Changes whenever a write to the file is committed, here or by another
    // program; empty where the engine cannot tell.
    virtual QString contentVersion() { return {}; }
    // The table's columns with their kinds, in the table's order; empty when
    // there is no such table. Read once and kept until the engine sees the
    // table change.
    QList<Column> columns(const QString& table);
    // The columns are read again, and the statements prepared again, at the
    // next use.
    void forgetColumns();
    // Runs work, which reaches the database through this file's connection
    // (statements prepared, run, read to their end, dropped; transactions), as
    // the engine bounds it: on a server, on the connection's own thread and
    // within the connection's deadline. What work throws is thrown here. Work
    // asks database() nothing: the caller hands it what it needs.
    void onConnection(const std::function<void()>& work) { runOnConnection(work); }
    // The expression that names one row of a table in a statement; the table's
    // columns have been read.
    virtual QString rowKey(const QString& table) const = 0;
    virtual QString quoted(const QString& identifier) const = 0;
    // A condition on one column, with one value bound: true when the column
    // still holds that value exactly (letter case counts, NULL equals NULL).
    virtual QString unchangedCondition(const Column& column) const = 0;
    // The error to raise for a statement on `table` that failed: the file, the
    // table and the trouble, in words a site manager can act on.
    virtual DataError errorOf(const QSqlError& error, const QString& table);
    // What a file holds, in words: "plain text document", "PNG image".
    static QString contentOf(const QString& path);
    // A forward-only statement on `table`, prepared once where the engine
    // keeps statements, and then reused. Each use runs it to its end before
    // the next statement is asked for: on other engines the next one takes
    // its place. Values are bound by position.
    QSqlQuery& statement(const QString& sql, const QString& table);

protected:
    DatabaseFile(QString path, QString connection);
    virtual QList<Column> readColumns(const QString& table) = 0;
    // Whether prepared statements stay valid for the life of the connection.
    virtual bool keepsStatements() const { return false; }
    virtual void runOnConnection(const std::function<void()>& work) { work(); }
    // Drops the prepared statements, through the connection.
    void dropStatements();
    // Drops them on the calling thread, where the connection is.
    void releaseStatements();

private:
    QString m_path;
    QString m_connection;
    QHash<QString, QList<Column>> m_columns; // by case-folded table name
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_statements; // by their text
    std::unique_ptr<QSqlQuery> m_lastStatement; // on an engine that keeps none
};

// While one lives, every statement on a SQLite file waits for another
// program's lock only until one common deadline, lockWaitMs() after the
// outermost one began: a save of several statements waits five seconds in all,
// not five seconds a statement. Inner ones share the outer deadline.
class LockDeadline
{
public:
    LockDeadline();
    ~LockDeadline();
    LockDeadline(const LockDeadline&) = delete;
    LockDeadline& operator=(const LockDeadline&) = delete;

    // What a statement may wait now: lockWaitMs() outside any deadline.
    static int remainingMs();

private:
    bool m_outermost;
};
