#pragma once

#include <QList>
#include <QPair>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class DatabaseFile;

// What a terminal keeps of a site whose job punches are on a database server,
// so that its workers go on punching while the server cannot be reached. The
// engine of a server asks it; it never asks the engine. A folder has one at
// most: the terminal's offline store, where the terminal made one.
class PunchKeeper
{
public:
    virtual ~PunchKeeper() = default;

    // The keeper of the folder, if one was made.
    static std::shared_ptr<PunchKeeper> of(const QString& folder);
    // Tables whose punches are kept while the server is away.
    static bool keepsPunchesOf(const QString& table);

    // The server is being treated as unreachable: reads go to the copies and
    // saves to the journal, until the journal was sent and the copies made anew.
    virtual bool away() const = 0;
    // The screens found the server away.
    virtual void markAway() = 0;
    // The copy of `table` of the pointer file `pointerName`, while the server
    // is away and the copy is there; else nothing.
    virtual std::shared_ptr<DatabaseFile> standIn(const QString& pointerName, const QString& table)
        = 0;
    // Keeps a new job punch (its fields by name, as stored) or an edited one
    // (the row as read, key first, with the changed fields), to be sent when the
    // server answers. DataError when it cannot, with the reason Duplicate where
    // the worker has a job open in the copy already.
    virtual void keepAdded(const QList<QPair<QString, QVariant>>& fields) = 0;
    virtual void keepEdited(const QSqlRecord& read, const QList<QPair<QString, QVariant>>& changes)
        = 0;
    // A save reached the server (a new row, `read` empty, or the row as read
    // with its changed fields).
    virtual void serverWritten(
        const QSqlRecord& read, const QList<QPair<QString, QVariant>>& fields)
        = 0;

protected:
    // The keeper of the folder, made by `make` (given the folder's canonical
    // path) where there is none yet; nothing where `make` makes none.
    static std::shared_ptr<PunchKeeper> ofOrMade(const QString& folder,
        const std::function<std::shared_ptr<PunchKeeper>(const QString&)>& make);
};
