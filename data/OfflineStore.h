#pragma once

#include "PunchKeeper.h"

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
class OfflineStore : public PunchKeeper
{
public:
    static const QString fileName;

    // The store of the folder, made and its sending started if needed; nothing
    // when the folder cannot hold it (it cannot be written): the terminal then
    // refuses saves without a server, as before.
    static std::shared_ptr<OfflineStore> open(const QString& folder);
    // The store of the folder, if the terminal opened one.
    static std::shared_ptr<OfflineStore> of(const QString& folder);
    ~OfflineStore() override;
    OfflineStore(const OfflineStore&) = delete;
    OfflineStore& operator=(const OfflineStore&) = delete;

    bool away() const override;
    // The sender looks at once.
    void markAway() override;
    // Every table that the site keeps on a server has been copied once.
    bool hasCopies() const;
    std::shared_ptr<DatabaseFile> standIn(
        const QString& pointerName, const QString& table) override;

    // The punch goes into the journal and the copy of the open jobs, in one
    // commit on the disk.
    void keepAdded(const QList<QPair<QString, QVariant>>& fields) override;
    void keepEdited(const QSqlRecord& row, const QList<QPair<QString, QVariant>>& changes) override;
    // The copy of the open jobs shows the punch at once, as the server has it,
    // so that an outage that follows finds it there; a job ended leaves it. It
    // is read from the server again only where it could not be written.
    void serverWritten(
        const QSqlRecord& read, const QList<QPair<QString, QVariant>>& fields) override;

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
