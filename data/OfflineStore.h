#pragma once

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <mutex>

class DatabaseFile;
class JournalSender;

// What a terminal keeps, in JobPunches-offline.db in its working folder, of a
// site whose job punches are on a database server, so that the workers go on
// punching while the server cannot be reached:
//
// - copies of the tables that badge entry and job selection read (EMPLOYEES,
//   Level1 to Level3, the open jobs), refreshed from the server while it
//   answers; reads go to them while the server is away;
// - a journal of the Start Jobs and End Jobs that could not be sent, each on
//   the disk before the worker is told, which a thread of its own sends in
//   order as soon as the server answers again.
//
// Made by the terminal only: the site tool and the report never keep copies.
class OfflineStore
{
public:
    static const QString fileName;

    // The store of the folder, made and its sending started if needed; nothing
    // when the folder cannot hold it (it cannot be written): the terminal then
    // refuses saves without a server, as before.
    static std::shared_ptr<OfflineStore> open(const QString& folder);
    // The store of the folder, if the terminal opened one.
    static std::shared_ptr<OfflineStore> of(const QString& folder);
    ~OfflineStore();
    OfflineStore(const OfflineStore&) = delete;
    OfflineStore& operator=(const OfflineStore&) = delete;

    // The server is being treated as unreachable: reads go to the copies and
    // saves to the journal, until the sending thread has sent the journal and
    // refreshed the copies.
    bool away() const;
    // The screens found the server away: the sender looks at once.
    void markAway();
    // Every table that the site keeps on a server has been copied once.
    bool hasCopies() const;
    // The copy of `table` of the pointer file `pointerName`, while the server
    // is away and the copy is there; else nothing.
    std::shared_ptr<DatabaseFile> standIn(const QString& pointerName, const QString& table);

    // Keeps a new job punch (its fields by name, as stored) or an edited one
    // (the row as read, key first, with the changed fields) in the journal and
    // in the copy of the open jobs, in one commit on the disk. DataError when
    // it cannot, with the reason Duplicate where the copy already holds an
    // open job under the worker's name.
    void keepAdded(const QList<QPair<QString, QVariant>>& fields);
    void keepEdited(const QSqlRecord& row, const QList<QPair<QString, QVariant>>& changes);
    // Tables whose punches the store keeps.
    static bool keepsPunchesOf(const QString& table);
    // A save reached the server (a new row, `read` empty, or the row as read
    // with its changed fields): the copy of the open jobs shows it at once, so
    // that an outage that follows finds the punch as the server has it, and
    // is refreshed from the server soon.
    void serverWritten(const QSqlRecord& read, const QList<QPair<QString, QVariant>>& fields);

    // The punches kept and not yet sent.
    qint64 journalled() const;
    QString path() const { return m_path; }

private:
    explicit OfflineStore(QString path);
    enum class Journal
    {
        Keep, // the punch waits in the journal to be sent
        Sent, // the punch reached the server: only the copy shows it
    };
    void added(const QList<QPair<QString, QVariant>>& fields, Journal journal);
    void edited(
        const QSqlRecord& read, const QList<QPair<QString, QVariant>>& changes, Journal journal);
    // Journals the punch where it is kept, and shows it in the copy of the open
    // jobs (by `copy`, given the copy's columns), in one commit.
    void keep(const QString& action, const QVariantMap& row, const QStringList& changed,
        Journal journal, const std::function<void(QSqlDatabase, const QStringList&)>& copy);

    QString m_path;
    mutable std::mutex m_mutex;
    std::unique_ptr<JournalSender> m_sender;
};
