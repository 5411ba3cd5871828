#include "OfflineStore.h"

#include "DataError.h"
#include "DatabaseFile.h"
#include "JournalSender.h"
#include "JsonValue.h"
#include "OpenDatabaseFile.h"
#include "SiteModel.h"
#include "Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>

const QString OfflineStore::fileName = QStringLiteral("JobPunches-offline.db");

namespace {

[[noreturn]] void fail(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    // SQLite's extended code of a unique index that refused the row.
    throw DataError(QStringLiteral("%1 refused the punch: %2")
                        .arg(OfflineStore::fileName, error.databaseText()),
        code == QLatin1String("2067") ? DataError::Reason::Duplicate : DataError::Reason::Other);
}

QSqlQuery exec(QSqlDatabase db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        fail(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

QStringList columnsOf(QSqlDatabase db, const QString& table)
{
    QSqlQuery info = exec(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    QStringList names;
    while (info.next())
        names << info.value(0).toString();
    return names;
}

} // namespace

std::shared_ptr<OfflineStore> OfflineStore::open(const QString& folder)
{
    return std::static_pointer_cast<OfflineStore>(
        ofOrMade(folder, [](const QString& key) -> std::shared_ptr<PunchKeeper> {
            const QString path = QDir(key).filePath(fileName);
            // The journal and the table of copies are made once; the copies with
            // the server's columns when they are first copied.
            const QString connection = QUuid::createUuid().toString();
            bool made = false;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
                db.setDatabaseName(path);
                if (!QFileInfo(path).isDir() && db.open()) {
                    QSqlQuery query(db);
                    made = query.exec(QStringLiteral("PRAGMA journal_mode = WAL"))
                        && query.exec(QStringLiteral(
                            "CREATE TABLE IF NOT EXISTS Journal (Seq INTEGER PRIMARY KEY "
                            "AUTOINCREMENT, Action TEXT NOT NULL, PunchId TEXT NOT NULL, KeptAt "
                            "TEXT NOT NULL, Punch TEXT NOT NULL)"))
                        && query.exec(QStringLiteral(
                            "CREATE TABLE IF NOT EXISTS Copies (TableName TEXT PRIMARY KEY, "
                            "Pointer TEXT NOT NULL, Columns TEXT NOT NULL, CopiedAt TEXT NOT NULL, "
                            "Stamp INTEGER)"));
                    // A store made before copies counted the server's changes
                    // copies every table anew once.
                    if (made
                        && !columnsOf(db, QStringLiteral("Copies"))
                                .contains(QStringLiteral("Stamp")))
                        made = query.exec(
                            QStringLiteral("ALTER TABLE Copies ADD COLUMN Stamp INTEGER"));
                    db.close();
                }
            }
            QSqlDatabase::removeDatabase(connection);
            if (!made)
                return nullptr;
            std::shared_ptr<OfflineStore> store(new OfflineStore(path));
            store->m_sender = std::make_unique<JournalSender>(store->m_path, key);
            return store;
        }));
}

std::shared_ptr<OfflineStore> OfflineStore::of(const QString& folder)
{
    // The terminal's offline store is the only keeper there is.
    return std::static_pointer_cast<OfflineStore>(PunchKeeper::of(folder));
}

OfflineStore::OfflineStore(QString path)
    : m_path(std::move(path))
{ }

OfflineStore::~OfflineStore() = default;

bool OfflineStore::away() const
{
    return m_sender->away();
}

void OfflineStore::markAway()
{
    m_sender->markAway();
}

bool OfflineStore::hasCopies() const
{
    const std::shared_ptr<DatabaseFile> file = openDatabaseFile(m_path);
    QSqlQuery query = exec(file->database(), QStringLiteral("SELECT Pointer FROM Copies"));
    QStringList copied;
    while (query.next())
        copied << query.value(0).toString();
    return !JournalSender::pointersIn(QFileInfo(m_path).absolutePath()).isEmpty()
        && std::ranges::all_of(JournalSender::pointersIn(QFileInfo(m_path).absolutePath()),
            [&copied](const QString& pointer) { return copied.contains(pointer); });
}

std::shared_ptr<DatabaseFile> OfflineStore::standIn(
    const QString& pointerName, const QString& table)
{
    if (!away() || !SiteModel::screenTables(pointerName).contains(table, Qt::CaseInsensitive))
        return nullptr;
    std::shared_ptr<DatabaseFile> file = openDatabaseFile(m_path);
    QSqlQuery copied = exec(file->database(),
        QStringLiteral("SELECT 1 FROM Copies WHERE TableName = ? COLLATE NOCASE"), {table});
    return copied.next() ? file : nullptr;
}

namespace {

// The copy keeps the site's names folded, as the server gave them.
const QString punchesTable = SiteModel::jobPunches.toLower();
const QString keyField = SiteModel::keyColumn.toLower();
const QString punchIdField = SiteModel::JobPunch::punchId.toLower();

// The copy names a punch kept here by a key below every key of the server's.
const QString localKey
    = QStringLiteral("(SELECT min(0, ifnull(min(%1), 0)) - 1 FROM %2)").arg(keyField, punchesTable);

// The copy's row of the punch, from `row`; its key where the server gave one.
void insertIntoCopy(
    QSqlDatabase db, const QStringList& columns, const QVariantMap& row, const QVariant& key = {})
{
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (const QString& column : columns) {
        const bool serverKey = column == keyField && key.toLongLong() > 0;
        if (column == keyField && !serverKey) {
            names << column;
            marks << localKey;
            continue;
        }
        if (!serverKey && !row.contains(column))
            continue;
        names << QLatin1Char('"') + column + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << (serverKey ? key : row.value(column));
    }
    exec(db,
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(punchesTable, names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
        values);
}

} // namespace

void OfflineStore::keepAdded(const QList<QPair<QString, QVariant>>& fields)
{
    added(fields, Journal::Keep);
}

void OfflineStore::keepEdited(
    const QSqlRecord& read, const QList<QPair<QString, QVariant>>& changes)
{
    edited(read, changes, Journal::Keep);
}

void OfflineStore::serverWritten(
    const QSqlRecord& read, const QList<QPair<QString, QVariant>>& fields)
{
    try {
        if (read.isEmpty())
            added(fields, Journal::Sent);
        else
            edited(read, fields, Journal::Sent);
    } catch (const DataError&) {
        // The copy is made anew from the server.
        m_sender->refreshOpenJobsSoon();
    }
}

void OfflineStore::added(const QList<QPair<QString, QVariant>>& fields, Journal journal)
{
    QVariantMap row;
    for (const auto& [name, value] : fields)
        row.insert(name.toLower(), value);
    row.remove(keyField);
    keep(QStringLiteral("start"), row, {}, journal,
        [&row](QSqlDatabase db, const QStringList& columns) {
            // A start whose answer was lost may be in the copy already, copied
            // from the server that holds it.
            if (!exec(db,
                    QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(punchesTable, punchIdField),
                    {row.value(punchIdField)})
                     .next())
                insertIntoCopy(db, columns, row);
        });
}

void OfflineStore::edited(
    const QSqlRecord& read, const QList<QPair<QString, QVariant>>& changes, Journal journal)
{
    // A row is read as the key, then the table's columns.
    QVariantMap row;
    for (int i = 1; i < read.count(); ++i)
        row.insert(read.fieldName(i).toLower(), read.value(i));
    row.remove(keyField);
    QStringList assignments;
    QVariantList values;
    QStringList changed;
    for (const auto& [name, value] : changes) {
        row.insert(name.toLower(), value);
        assignments << QLatin1Char('"') + name.toLower() + QLatin1String("\" = ?");
        values << value;
        changed << name.toLower();
    }
    values << row.value(punchIdField);
    keep(QStringLiteral("end"), row, changed, journal,
        [&](QSqlDatabase db, const QStringList& columns) {
            // A job opened elsewhere after the copy was made is copied as read.
            if (exec(db,
                    QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                        .arg(punchesTable, assignments.join(QLatin1String(", ")), punchIdField),
                    values)
                    .numRowsAffected()
                == 0)
                insertIntoCopy(db, columns, row, read.value(0));
            // A job ended on the server leaves its copy of the open jobs.
            if (journal == Journal::Sent)
                exec(db,
                    QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND %3 <> '%4'")
                        .arg(punchesTable, punchIdField, SiteModel::JobPunch::badge.toLower(),
                            SiteModel::JobPunch::open),
                    {row.value(punchIdField)});
        });
}

void OfflineStore::keep(const QString& action, const QVariantMap& row, const QStringList& changed,
    Journal journal, const std::function<void(QSqlDatabase, const QStringList&)>& copy)
{
    const QString punchId = row.value(punchIdField).toString();
    if (punchId.isEmpty())
        throw DataError(QStringLiteral("A punch without a PunchId cannot be kept."));
    QJsonObject punch;
    for (auto field = row.cbegin(); field != row.cend(); ++field)
        punch.insert(field.key(), jsonValueOf(field.value()));
    QJsonObject entry {{QStringLiteral("row"), punch}};
    if (!changed.isEmpty())
        entry.insert(QStringLiteral("changed"), QJsonArray::fromStringList(changed));

    // A punch on the server needs no flush here: the copy is made anew from
    // the server after a power cut.
    Transaction writes(m_path, QStringLiteral("Journal"),
        journal == Journal::Keep ? Transaction::Durability::Flushed
                                 : Transaction::Durability::Scratch);
    const std::shared_ptr<DatabaseFile> file = openDatabaseFile(m_path);
    QSqlDatabase db = file->database();
    if (journal == Journal::Keep)
        exec(db,
            QStringLiteral(
                "INSERT INTO Journal (Action, PunchId, KeptAt, Punch) VALUES (?, ?, ?, ?)"),
            {action, punchId, QDateTime::currentDateTimeUtc().toString(Qt::ISODate),
                QString::fromUtf8(QJsonDocument(entry).toJson(QJsonDocument::Compact))});
    // The copy of the open jobs, once made, shows the punch as the terminal made it.
    if (const QStringList columns = columnsOf(db, punchesTable); !columns.isEmpty())
        copy(db, columns);
    writes.commit();
    if (journal == Journal::Keep)
        m_sender->wake();
}

qint64 OfflineStore::journalled() const
{
    const std::shared_ptr<DatabaseFile> file = openDatabaseFile(m_path);
    QSqlQuery count = exec(file->database(), QStringLiteral("SELECT COUNT(*) FROM Journal"));
    return count.next() ? count.value(0).toLongLong() : 0;
}
