#include "JournalSender.h"

#include "DataError.h"
#include "PostgresFile.h"
#include "PunchKeeper.h"
#include "SiteModel.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <optional>

namespace {

using SiteModel::jobPunchesFile;

// The site's names as the server folds them, and as the copies keep them.
const QString punchesTable = SiteModel::jobPunches.toLower();
const QString conflictsTable = SiteModel::jobPunchConflicts.toLower();
const QString punchIdField = SiteModel::JobPunch::punchId.toLower();
const QString badgeField = SiteModel::JobPunch::badge.toLower();

// The fields of a job punch that a conflict keeps, beside its PunchId.
const QStringList punchFields = [] {
    QStringList fields;
    for (const QString& field : SiteModel::JobPunch::fieldNames())
        fields << field.toLower();
    return fields;
}();

// How long the copies may age on a site whose server counts no changes.
constexpr int fullRefreshMs = 10 * 60 * 1000;
// How often the notices that arrived are looked at, without a word to the server.
constexpr int lookMs = 2000;
// A table is read whole in parts of this many rows, a request each, so that
// the screens' requests wait for one part at most.
constexpr int partRows = 5000;

// The pause before a server that could not be reached is tried again: the
// first, and the longest it grows to.
std::atomic<int> firstRetryMs = JournalSender::defaultFirstRetryMs;
std::atomic<int> longestRetryMs = JournalSender::defaultLongestRetryMs;
std::atomic<int> othersFollowMs = JournalSender::defaultOthersFollowMs;

struct Entry
{
    qint64 seq = 0;
    QString action;
    QString punchId;
    QJsonObject row;
    QStringList changed;
};

// An error that sending again later may clear: the connection, a lock held
// by another terminal, the server shutting down or short of resources.
bool passing(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code.isEmpty() || code.startsWith(QLatin1String("08"))
        || code.startsWith(QLatin1String("40")) || code.startsWith(QLatin1String("53"))
        || code.startsWith(QLatin1String("57")) || code == QLatin1String("55P03");
}

QString firstLine(const QString& text)
{
    return text.trimmed().section(QLatin1Char('\n'), 0, 0);
}

// The server's words, without libpq's "ERROR:  " before them.
QString serverWords(const QString& text)
{
    static const QRegularExpression severity(QStringLiteral("^[A-Z]+:\\s+"));
    return firstLine(text).remove(severity);
}

class Local
{
public:
    explicit Local(const QString& path)
        : m_name(QStringLiteral("jobcosting-journal-") + QUuid::createUuid().toString())
        , m_fileName(QFileInfo(path).fileName())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        db.open();
        // A sent punch whose removal from the journal is lost is sent again,
        // and found there already: the journal's removals need no flush.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    ~Local()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    QString fileName() const { return m_fileName; }
    QSqlQuery exec(const QString& sql, const QVariantList& values = {}) const
    {
        QSqlQuery query(db());
        if (!query.prepare(sql))
            fail(query);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            fail(query);
        return query;
    }

private:
    [[noreturn]] void fail(const QSqlQuery& query) const
    {
        throw DataError(QStringLiteral("%1 cannot be used: %2")
                            .arg(m_fileName, query.lastError().databaseText()));
    }
    QString m_name;
    QString m_fileName;
};

QString declaredType(const DatabaseFile::Column& column, bool key)
{
    using Kind = DatabaseFile::Kind;
    if (key)
        return column.kind == Kind::Integer ? QStringLiteral("INTEGER PRIMARY KEY")
                                            : QStringLiteral("TEXT PRIMARY KEY");
    switch (column.kind) {
    case Kind::Integer:
        return QStringLiteral("INTEGER");
    case Kind::Real:
        return QStringLiteral("REAL");
    case Kind::Date:
        return QStringLiteral("DATE");
    case Kind::Time:
        return QStringLiteral("TIME");
    case Kind::Text:
        break;
    }
    return QStringLiteral("TEXT COLLATE NOCASE");
}

// A server's value as the copy keeps it: as a SQLite site keeps its own.
QVariant copied(const DatabaseFile::Column& column, const QVariant& value)
{
    using Kind = DatabaseFile::Kind;
    if (value.isNull())
        return {};
    switch (column.kind) {
    case Kind::Integer:
        return value.toLongLong();
    case Kind::Real:
        return value.toDouble();
    case Kind::Date:
        return value.toDate().toString(Qt::ISODate);
    case Kind::Time:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case Kind::Text:
        break;
    }
    return value.toString();
}

// The indexes that the terminal's lookups on a copy need.
QStringList copyIndexes(const QString& table)
{
    using namespace SiteModel;
    const QString name = table.toLower();
    if (name == employees.toLower())
        return {QStringLiteral("CREATE INDEX %1_badge ON %1 (%2)")
                    .arg(name, Employee::badge.toLower())};
    if (name == punchesTable)
        return {QStringLiteral("CREATE UNIQUE INDEX %1_open ON %1 (%2) WHERE %3 = '%4'")
                    .arg(name, JobPunch::name.toLower(), badgeField, JobPunch::open),
            QStringLiteral("CREATE UNIQUE INDEX %1_punchid ON %1 (%2)").arg(name, punchIdField)};
    return {QStringLiteral("CREATE INDEX %1_code ON %1 (%2)").arg(name, Item::itemCode.toLower()),
        QStringLiteral("CREATE INDEX %1_description ON %1 (%2)")
            .arg(name, Item::itemDescription.toLower())};
}

// A table as read from the server: whole, or the rows of some keys.
struct Copy
{
    QString pointer;
    QString table;
    QList<DatabaseFile::Column> columns;
    QString key;
    QList<QVariantList> rows;
    // The server's count of the table's changes that the rows show at least.
    std::optional<qint64> changes;
    // The keys asked for, where not the whole table was read: those without
    // a row are gone.
    std::optional<QStringList> keys;
};

// What the sender knows of a pointer file's server between its rounds.
struct Watch
{
    // The connection's generation when the copies were last compared with
    // the server: a connection made anew may have missed notices.
    quint64 generation = 0;
    bool compared = false;
    QString schema; // the site's, on the server
    bool counted = false; // the server counts the changes of the copied tables
};

// A table's columns as the copy keeps them, to tell when the server's changed.
QString signatureOf(const QList<DatabaseFile::Column>& columns, const QString& key)
{
    QStringList signature;
    for (const DatabaseFile::Column& column : columns)
        signature << QStringLiteral("%1:%2%3")
                         .arg(column.name)
                         .arg(int(column.kind))
                         .arg(column.name == key ? QStringLiteral(":key") : QString());
    return signature.join(u',');
}

// A notice of changed rows of a copied table.
struct Announced
{
    QString schema;
    QString table;
    qint64 changes = 0;
    QStringList keys; // empty: too many to name
};

std::optional<Announced> announced(const QString& payload)
{
    const QStringList words = payload.split(u' ');
    bool number = false;
    const qint64 changes = words.value(2).toLongLong(&number);
    if (words.size() != 4 || !number)
        return std::nullopt;
    return Announced {words.at(0), words.at(1), changes,
        words.at(3) == QLatin1String("*") ? QStringList() : words.at(3).split(u',')};
}

} // namespace

QStringList JournalSender::pointersIn(const QString& folder)
{
    QStringList pointers;
    for (const QString& name : SiteModel::files) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly) && PostgresFile::recognizes(file.read(64)))
            pointers << name;
    }
    return pointers;
}

JournalSender::JournalSender(QString storePath, QString folder)
    : m_storePath(std::move(storePath))
    , m_folder(std::move(folder))
    , m_thread([this] { run(); })
{ }

JournalSender::~JournalSender()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void JournalSender::wake()
{
    {
        const std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_wake.notify_one();
}

void JournalSender::markAway()
{
    if (!m_away.exchange(true))
        wake();
}

void JournalSender::refreshOpenJobsSoon()
{
    {
        const std::lock_guard lock(m_mutex);
        m_openJobsDue = true;
        m_woken = true;
    }
    m_wake.notify_one();
}

namespace {

// Runs statements with their values on one query, true when each succeeds.
auto statementsOn(QSqlQuery& query)
{
    return [&query](const QString& sql, const QVariantList& values) {
        if (!query.prepare(sql))
            return false;
        for (const QVariant& value : values)
            query.addBindValue(value);
        return query.exec();
    };
}

// One round of the sender's work, with the files and what it knows of their
// servers kept between rounds.
class Round
{
public:
    Round(const QString& folder, Local& local,
        std::map<QString, std::unique_ptr<PostgresFile>>& servers,
        std::map<QString, Watch>& watches)
        : m_folder(folder)
        , m_local(local)
        , m_servers(servers)
        , m_watches(watches)
    { }

    // Other connections punched since the open jobs were last read, and this
    // round did not read them.
    bool othersPunched() const { return m_othersPunched; }

    // The server of a pointer file, reached once a round: a connection that
    // was lost or given up on is made anew.
    PostgresFile& server(const QString& pointer)
    {
        auto& file = m_servers[pointer];
        if (!file)
            file = std::make_unique<PostgresFile>(QDir(m_folder).filePath(pointer),
                QStringLiteral("jobcosting-sender-%1").arg(QUuid::createUuid().toString()),
                PostgresFile::Use::Sender);
        if (!m_reached.contains(pointer)) {
            file->reach();
            m_reached << pointer;
        }
        return *file;
    }

    // Sends the journal in order, until it is empty; how many punches it sent.
    qint64 sendJournal()
    {
        qint64 sent = 0;
        for (;; ++sent) {
            QSqlQuery next = m_local.exec(QStringLiteral(
                "SELECT Seq, Action, PunchId, Punch FROM Journal ORDER BY Seq LIMIT 1"));
            if (!next.next())
                return sent;
            Entry entry;
            entry.seq = next.value(0).toLongLong();
            entry.action = next.value(1).toString();
            entry.punchId = next.value(2).toString();
            const QJsonObject punch
                = QJsonDocument::fromJson(next.value(3).toString().toUtf8()).object();
            entry.row = punch.value(QStringLiteral("row")).toObject();
            for (const QJsonValue& name : punch.value(QStringLiteral("changed")).toArray())
                entry.changed << name.toString();
            next.finish();
            send(entry);
            m_local.exec(QStringLiteral("DELETE FROM Journal WHERE Seq = ?"), {entry.seq});
        }
    }

    // Brings the copies up to date with what changed on the servers: the open
    // jobs when due, and everything where the server counts no changes and
    // `everything` is due. False when the open jobs were due but punches were
    // kept meanwhile: they are sent first.
    bool refresh(bool openJobsDue, bool everything)
    {
        QList<Copy> copies;
        std::map<const ServerConnection*, QList<ServerConnection::Notice>> arrived;
        std::map<QString, Watch> looked;
        for (const QString& pointer : JournalSender::pointersIn(m_folder)) {
            PostgresFile& file = server(pointer);
            ServerConnection& connection = file.connection();
            connection.listen(SiteModel::tablesChannel);
            connection.listen(SiteModel::punchesChannel);
            // Taken in before the counts are compared: what changes after is
            // announced.
            if (!arrived.contains(&connection))
                arrived[&connection] = connection.notices(QDeadlineTimer(file.deadlineMs()));
            const QList<ServerConnection::Notice>& notices = arrived[&connection];
            Watch watch = m_watches[pointer];
            const bool compare = !watch.compared || watch.generation != connection.generation();
            QHash<QString, qint64> counts;
            if (compare) {
                watch = look(file, counts);
                watch.generation = connection.generation();
            }
            for (const QString& table : SiteModel::screenTables(pointer)) {
                const QString name = table.toLower();
                if (PunchKeeper::keepsPunchesOf(table)) {
                    const bool others = std::ranges::any_of(notices, [&](const auto& notice) {
                        return notice.channel == SiteModel::punchesChannel && !notice.own
                            && notice.payload == watch.schema;
                    });
                    if (compare || openJobsDue || (everything && !watch.counted))
                        copies << readWhole(file, pointer, table, {});
                    else if (others)
                        m_othersPunched = true;
                    continue;
                }
                const Copied copied = copiedOf(name);
                if (compare) {
                    file.forgetColumns();
                    const std::optional<qint64> count
                        = watch.counted ? std::optional<qint64>(counts.value(name)) : std::nullopt;
                    // The key is known once the columns are read.
                    const QList<DatabaseFile::Column> columns = file.columns(table);
                    if (!count || copied.changes != count
                        || copied.signature != signatureOf(columns, file.keyColumn(table)))
                        copies << readWhole(file, pointer, table, count);
                    continue;
                }
                if (!watch.counted) {
                    if (everything)
                        copies << readWhole(file, pointer, table, {});
                    continue;
                }
                // The rows announced changed since the copy was made.
                std::optional<qint64> changes;
                QStringList keys;
                bool whole = false;
                for (const ServerConnection::Notice& notice : notices) {
                    const std::optional<Announced> change
                        = notice.channel == SiteModel::tablesChannel ? announced(notice.payload)
                                                                     : std::nullopt;
                    if (!change || change->schema != watch.schema || change->table != name
                        || change->changes <= copied.changes.value_or(-1))
                        continue;
                    changes = std::max(changes.value_or(0), change->changes);
                    whole = whole || change->keys.isEmpty();
                    keys << change->keys;
                }
                if (!changes)
                    continue;
                keys.removeDuplicates();
                if (whole || keys.size() > SiteModel::announcedKeys)
                    copies << readWhole(file, pointer, table, changes);
                else
                    copies << readRows(file, pointer, table, keys, *changes);
            }
            watch.compared = true;
            looked[pointer] = watch;
        }
        bool openJobs = !JournalSender::pointersIn(m_folder).contains(jobPunchesFile);
        bool openJobsWanted = false;
        m_local.exec(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            for (const Copy& copy : std::as_const(copies)) {
                if (PunchKeeper::keepsPunchesOf(copy.table)) {
                    openJobsWanted = true;
                    // Punches kept meanwhile are sent first: the copy of the
                    // open jobs shows them until then.
                    QSqlQuery kept = m_local.exec(QStringLiteral("SELECT COUNT(*) FROM Journal"));
                    if (kept.next() && kept.value(0).toLongLong() > 0)
                        continue;
                    openJobs = true;
                }
                if (copy.keys)
                    writeRows(copy);
                else
                    write(copy);
            }
            m_local.exec(QStringLiteral("COMMIT"));
        } catch (...) {
            m_local.exec(QStringLiteral("ROLLBACK"));
            throw;
        }
        // Only what reached the copies counts as known.
        for (auto& [pointer, watch] : looked)
            m_watches[pointer] = watch;
        return openJobs || !openJobsWanted;
    }

private:
    struct Copied
    {
        std::optional<qint64> changes;
        QString signature;
    };
    // What the copy of a table says of itself; nothing where there is none.
    Copied copiedOf(const QString& table) const
    {
        QSqlQuery known = m_local.exec(
            QStringLiteral("SELECT Stamp, Columns FROM Copies WHERE TableName = ?"), {table});
        if (!known.next())
            return {};
        return {known.value(0).isNull() ? std::nullopt
                                        : std::optional<qint64>(known.value(0).toLongLong()),
            known.value(1).toString()};
    }

    // The site's schema on the server, and whether the server counts the
    // changes of the copied tables; where it does, their counts.
    Watch look(PostgresFile& file, QHash<QString, qint64>& counts)
    {
        using namespace SiteModel;
        Watch watch;
        const QSqlDatabase db = file.database();
        QSqlError error;
        file.onConnection([&] {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (query.exec(QStringLiteral("SELECT current_schema(), to_regclass('%1') IS NOT NULL")
                               .arg(tableChanges.toLower()))
                && query.next()) {
                watch.schema = query.value(0).toString();
                watch.counted = query.value(1).toBool();
            }
            if (watch.counted
                && query.exec(
                    QStringLiteral("SELECT %1, %2 FROM %3")
                        .arg(TableChange::tableName, TableChange::changes, tableChanges))) {
                while (query.next())
                    counts.insert(query.value(0).toString(), query.value(1).toLongLong());
            }
            error = query.lastError();
        });
        if (error.isValid())
            throw file.errorOf(error, tableChanges);
        return watch;
    }

    // The table's shape on the server, without rows.
    static Copy shapeOf(PostgresFile& file, const QString& pointer, const QString& table)
    {
        Copy copy {pointer, table, file.columns(table), {}, {}, {}, {}};
        if (copy.columns.isEmpty())
            throw DataError(QStringLiteral("%1 has no table %2.").arg(pointer, table));
        copy.key = file.keyColumn(table);
        return copy;
    }

    static QString namesOf(PostgresFile& file, const Copy& copy)
    {
        QStringList names;
        for (const DatabaseFile::Column& column : std::as_const(copy.columns))
            names << file.quoted(column.name);
        return names.join(QLatin1String(", "));
    }

    // Runs a SELECT of the copy's columns and adds its rows; how many.
    static qsizetype select(
        PostgresFile& file, Copy& copy, const QString& sql, const QVariantList& values = {})
    {
        const QSqlDatabase db = file.database();
        QSqlError error;
        const int width = int(copy.columns.size());
        const qsizetype before = copy.rows.size();
        file.onConnection([&] {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (query.prepare(sql)) {
                for (const QVariant& value : values)
                    query.addBindValue(value);
                if (query.exec()) {
                    while (query.next()) {
                        QVariantList row;
                        row.reserve(width);
                        for (int i = 0; i < width; ++i)
                            row << query.value(i);
                        copy.rows << row;
                    }
                }
            }
            error = query.lastError();
        });
        if (error.isValid())
            throw file.errorOf(error, copy.table);
        return copy.rows.size() - before;
    }

    // The whole table (of JobPunches, the open jobs), in parts by its key.
    static Copy readWhole(PostgresFile& file, const QString& pointer, const QString& table,
        std::optional<qint64> changes)
    {
        Copy copy = shapeOf(file, pointer, table);
        copy.changes = changes;
        const QString select
            = QStringLiteral("SELECT %1 FROM %2").arg(namesOf(file, copy), file.quoted(table));
        if (PunchKeeper::keepsPunchesOf(table)) {
            Round::select(file, copy,
                select
                    + QStringLiteral(" WHERE %1 = '%2'")
                          .arg(badgeField, SiteModel::JobPunch::open));
            return copy;
        }
        const qsizetype key = std::ranges::find_if(copy.columns, [&copy](const auto& column) {
            return column.name == copy.key;
        }) - copy.columns.begin();
        if (copy.key.isEmpty() || key >= copy.columns.size()) {
            Round::select(file, copy, select);
            return copy;
        }
        const QString order
            = QStringLiteral(" ORDER BY %1 LIMIT %2").arg(file.quoted(copy.key)).arg(partRows);
        qsizetype read = Round::select(file, copy, select + order);
        while (read == partRows) {
            const QVariant last = copy.rows.last().at(key);
            read = Round::select(file, copy,
                select + QStringLiteral(" WHERE %1 > ?").arg(file.quoted(copy.key)) + order,
                {last});
        }
        return copy;
    }

    // The rows of the keys given; those without a row are gone.
    static Copy readRows(PostgresFile& file, const QString& pointer, const QString& table,
        const QStringList& keys, qint64 changes)
    {
        Copy copy = shapeOf(file, pointer, table);
        copy.changes = changes;
        copy.keys = keys;
        const auto key = std::ranges::find_if(
            copy.columns, [&copy](const auto& column) { return column.name == copy.key; });
        if (key == copy.columns.end())
            return readWhole(file, pointer, table, changes);
        // The keys' own type, so that the server finds them by the key's index.
        const QString array = key->kind == DatabaseFile::Kind::Integer
            ? QStringLiteral("string_to_array(?, ',')::bigint[]")
            : QStringLiteral("string_to_array(?, ',')");
        select(file, copy,
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ANY (%4)")
                .arg(namesOf(file, copy), file.quoted(table), file.quoted(copy.key), array),
            {keys.join(u',')});
        return copy;
    }

    void write(const Copy& copy)
    {
        QStringList definitions;
        QStringList names;
        QStringList marks;
        for (const DatabaseFile::Column& column : copy.columns) {
            definitions << QLatin1Char('"') + column.name + QLatin1String("\" ")
                    + declaredType(column, column.name == copy.key);
            names << QLatin1Char('"') + column.name + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        const QString signature = signatureOf(copy.columns, copy.key);
        const QString table = copy.table.toLower();
        if (copiedOf(table).signature != signature) {
            m_local.exec(QStringLiteral("DROP TABLE IF EXISTS \"%1\"").arg(table));
            m_local.exec(QStringLiteral("CREATE TABLE \"%1\" (%2)")
                             .arg(table, definitions.join(QLatin1String(", "))));
            for (const QString& index : copyIndexes(table))
                m_local.exec(index);
        } else {
            m_local.exec(QStringLiteral("DELETE FROM \"%1\"").arg(table));
        }
        QSqlQuery insert(m_local.db());
        insert.prepare(
            QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                .arg(table, names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
        for (const QVariantList& row : copy.rows)
            insertRow(insert, copy, row);
        m_local.exec(QStringLiteral("INSERT OR REPLACE INTO Copies (TableName, Pointer, Columns, "
                                    "CopiedAt, Stamp) VALUES (?, ?, ?, ?, ?)"),
            {table, copy.pointer, signature, QDateTime::currentDateTimeUtc().toString(Qt::ISODate),
                copy.changes ? QVariant(*copy.changes) : QVariant()});
    }

    // The rows read replace those of their keys in the copy; a key without a
    // row leaves it.
    void writeRows(const Copy& copy)
    {
        const QString table = copy.table.toLower();
        QStringList names;
        QStringList marks;
        qsizetype key = -1;
        for (qsizetype i = 0; i < copy.columns.size(); ++i) {
            names << QLatin1Char('"') + copy.columns.at(i).name + QLatin1Char('"');
            marks << QStringLiteral("?");
            if (copy.columns.at(i).name == copy.key)
                key = i;
        }
        QSet<QString> found;
        QSqlQuery replace(m_local.db());
        replace.prepare(
            QStringLiteral("INSERT OR REPLACE INTO \"%1\" (%2) VALUES (%3)")
                .arg(table, names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
        for (const QVariantList& row : copy.rows) {
            insertRow(replace, copy, row);
            found << row.at(key).toString();
        }
        for (const QString& gone : *copy.keys) {
            if (!found.contains(gone))
                m_local.exec(
                    QStringLiteral("DELETE FROM \"%1\" WHERE \"%2\" = ?").arg(table, copy.key),
                    {copied(copy.columns.at(key), gone)});
        }
        m_local.exec(QStringLiteral("UPDATE Copies SET Stamp = ? WHERE TableName = ?"),
            {*copy.changes, table});
    }

    void insertRow(QSqlQuery& insert, const Copy& copy, const QVariantList& row) const
    {
        for (int i = 0; i < row.size(); ++i)
            insert.bindValue(i, copied(copy.columns.at(i), row.at(i)));
        if (!insert.exec())
            throw DataError(QStringLiteral("%1 cannot be used: %2")
                                .arg(m_local.fileName(), insert.lastError().databaseText()));
    }

    // Sends one punch in one transaction of the server: applied, found
    // applied already, or put among the conflicts.
    void send(const Entry& entry)
    {
        PostgresFile& file = server(jobPunchesFile);
        QString reason;
        QSqlError error = apply(file, entry, reason);
        if (error.isValid()) {
            if (passing(error))
                throw file.errorOf(error, SiteModel::jobPunches);
            reason = QStringLiteral("The server refused the punch: %1")
                         .arg(serverWords(error.databaseText()));
            if (error.nativeErrorCode() == QLatin1String("23505"))
                reason = QStringLiteral("%1 had a job open on the server already when this "
                                        "start arrived.")
                             .arg(entry.row.value(SiteModel::JobPunch::name.toLower()).toString());
            error = settle(file, entry, reason);
            if (error.isValid())
                throw file.errorOf(error, SiteModel::jobPunchConflicts);
        }
    }

    QSqlError apply(PostgresFile& file, const Entry& entry, QString& reason)
    {
        QSqlDatabase db = file.database();
        QSqlError error;
        file.onConnection([&] {
            QSqlQuery query(db);
            const auto run = statementsOn(query);
            if (!db.transaction()) {
                error = db.lastError();
                return;
            }
            bool done
                = run(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? AND %3 = ?")
                          .arg(conflictsTable, punchIdField, SiteModel::Conflict::action.toLower()),
                    {entry.punchId, entry.action});
            if (done && !query.next()) {
                if (entry.action == QLatin1String("start")) {
                    QStringList names;
                    QStringList marks;
                    QVariantList values;
                    for (const QString& field : punchFields + QStringList {punchIdField}) {
                        names << field;
                        marks << QStringLiteral("?");
                        values << entry.row.value(field).toVariant();
                    }
                    done = run(QStringLiteral(
                                   "INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO NOTHING")
                                   .arg(punchesTable, names.join(QLatin1String(", ")),
                                       marks.join(QLatin1String(", ")), punchIdField),
                        values);
                } else {
                    done = applyEnd(run, query, entry, reason);
                    if (done && !reason.isEmpty())
                        done = insertConflict(run, entry, reason);
                }
            }
            if (!done || !db.commit()) {
                error = done ? db.lastError() : query.lastError();
                db.rollback();
            }
        });
        return error;
    }

    template<typename Run>
    static bool applyEnd(Run& run, QSqlQuery& query, const Entry& entry, QString& reason)
    {
        QStringList assignments;
        QStringList same;
        QVariantList values;
        for (const QString& field : entry.changed) {
            if (!punchFields.contains(field))
                continue;
            assignments << field + QLatin1String(" = ?");
            same << QStringLiteral("(%1 IS NOT DISTINCT FROM ?)").arg(field);
            values << entry.row.value(field).toVariant();
        }
        if (assignments.isEmpty())
            return true;
        if (!run(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ? AND %4 = '%5'")
                     .arg(punchesTable, assignments.join(QLatin1String(", ")), punchIdField,
                         badgeField, SiteModel::JobPunch::open),
                values + QVariantList {entry.punchId}))
            return false;
        if (query.numRowsAffected() == 1)
            return true;
        // Not open: ended by this very punch, sent before its answer was lost,
        // or elsewhere.
        if (!run(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                     .arg(same.join(QLatin1String(" AND ")), punchesTable, punchIdField),
                values + QVariantList {entry.punchId}))
            return false;
        if (!query.next())
            reason = QStringLiteral("The job is not on the server; its start may be among the "
                                    "conflicts.");
        else if (!query.value(0).toBool())
            reason = QStringLiteral("The job was ended elsewhere before this end arrived.");
        return true;
    }

    // The terminal as a supervisor finds it: its machine and its working folder.
    QString terminal() const
    {
        return QSysInfo::machineHostName() + QLatin1Char(':') + QDir(m_folder).absolutePath();
    }

    template<typename Run>
    bool insertConflict(Run& run, const Entry& entry, const QString& reason) const
    {
        using namespace SiteModel;
        QStringList names {punchIdField, Conflict::terminal.toLower(), Conflict::action.toLower()};
        QVariantList values {entry.punchId, terminal(), entry.action};
        for (const QString& field : punchFields) {
            names << field;
            values << entry.row.value(field).toVariant();
        }
        names << Conflict::reason.toLower();
        values << reason;
        QStringList marks;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        return run(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4, %5, %6, %7) "
                           "DO NOTHING")
                .arg(conflictsTable, names.join(QLatin1String(", ")),
                    marks.join(QLatin1String(", ")), punchIdField, Conflict::action.toLower(),
                    Conflict::terminal.toLower(), JobPunch::timeStop.toLower()),
            values);
    }

    QSqlError settle(PostgresFile& file, const Entry& entry, const QString& reason)
    {
        QSqlDatabase db = file.database();
        QSqlError error;
        file.onConnection([&] {
            QSqlQuery query(db);
            const auto run = statementsOn(query);
            if (!insertConflict(run, entry, reason))
                error = query.lastError();
        });
        return error;
    }

    const QString& m_folder;
    Local& m_local;
    std::map<QString, std::unique_ptr<PostgresFile>>& m_servers;
    std::map<QString, Watch>& m_watches;
    QStringList m_reached;
    bool m_othersPunched = false;
};

} // namespace

void JournalSender::setRetryPauses(int firstMs, int longestMs)
{
    firstRetryMs = firstMs;
    longestRetryMs = longestMs;
}

void JournalSender::setOthersFollow(int ms)
{
    othersFollowMs = ms;
}

namespace {

// The pause after the failures in a row: it doubles from the first to the
// longest, and is drawn from half to one and a half of that, so that the
// terminals that a server turned away do not come back together.
std::chrono::milliseconds retryPause(int failures)
{
    const qint64 grown = std::min<qint64>(
        longestRetryMs.load(), qint64(firstRetryMs.load()) << std::min(failures, 20));
    return std::chrono::milliseconds(
        grown / 2 + QRandomGenerator::global()->bounded(std::max<qint64>(1, grown)));
}

} // namespace

void JournalSender::run()
{
    using Clock = std::chrono::steady_clock;
    Local local(m_storePath);
    std::map<QString, std::unique_ptr<PostgresFile>> servers;
    std::map<QString, Watch> watches;
    QDeadlineTimer fullRefresh(0);
    int failures = 0;
    // After a failed round the next waits its pause out, whatever wakes it:
    // a server that refuses is not asked again at every kept punch.
    auto notBefore = Clock::now();
    auto next = Clock::now();
    // When the open jobs are read again for other terminals' punches: never
    // while none came.
    QDeadlineTimer othersRead(QDeadlineTimer::Forever);
    // A connection lost in a round (a restart of the server, a connection cut)
    // is opened anew at once, once, before the server is taken for away.
    bool lostBefore = false;
    // The log told that the server cannot be reached, and not yet that it answers.
    bool told = false;
    for (;;) {
        bool openJobsDue = false;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_until(lock, std::max(next, notBefore), [this, &notBefore] {
                return m_stopping || (m_woken && Clock::now() >= notBefore);
            });
            if (m_stopping)
                break;
            m_woken = false;
            openJobsDue = std::exchange(m_openJobsDue, false);
        }
        try {
            Round round(m_folder, local, servers, watches);
            // Sent punches may have met conflicts: the open jobs are read anew.
            if (round.sendJournal() > 0)
                openJobsDue = true;
            if (othersRead.hasExpired())
                openJobsDue = true;
            const bool everything = fullRefresh.hasExpired();
            if (!round.refresh(openJobsDue, everything)) {
                // Punches were kept while the journal was sent: they go first.
                const std::lock_guard lock(m_mutex);
                m_woken = m_openJobsDue = true;
                continue;
            }
            if (everything)
                fullRefresh.setRemainingTime(fullRefreshMs);
            if (openJobsDue)
                othersRead = QDeadlineTimer(QDeadlineTimer::Forever);
            if (round.othersPunched() && othersRead.isForever()) {
                const int follow = othersFollowMs.load();
                othersRead.setRemainingTime(
                    follow / 2 + QRandomGenerator::global()->bounded(std::max(1, follow / 2)));
            }
            m_away = false;
            lostBefore = false;
            failures = 0;
            if (std::exchange(told, false))
                qWarning("jobcosting: the database server answers again.");
            next = Clock::now() + std::chrono::milliseconds(lookMs);
        } catch (const DataError& error) {
            // Notices taken in this round may not have reached the copies: the
            // next round compares every copy with the server.
            watches.clear();
            if (error.reason() == DataError::Reason::Unreachable && !std::exchange(lostBefore, true)
                && !m_away.load()) {
                const std::lock_guard lock(m_mutex);
                m_woken = true;
                continue;
            }
            if (error.reason() == DataError::Reason::Unreachable) {
                m_away = true;
                if (!std::exchange(told, true))
                    qWarning("jobcosting: the database server cannot be reached; the terminal "
                             "works on its copies and keeps the punches to send later: %s",
                        qPrintable(error.message()));
            } else {
                qWarning("jobcosting: the kept punches could not be sent: %s",
                    qPrintable(error.message()));
            }
            notBefore = next = Clock::now() + retryPause(failures++);
            const std::lock_guard lock(m_mutex);
            m_openJobsDue = true;
        }
    }
}
