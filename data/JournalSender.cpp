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
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUuid>
#include <map>

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

// How long the whole copy of the validation and employee tables may age while
// the server answers; the open jobs are copied after every save.
constexpr int fullRefreshMs = 10 * 60 * 1000;
// Idle connections of the sender are closed after this long.
constexpr int idleMs = 60 * 1000;
// A server that could not be reached is tried again after this long.
constexpr int retryMs = 500;

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

struct Copy
{
    QString pointer;
    QString table;
    QList<DatabaseFile::Column> columns;
    QString key;
    QList<QVariantList> rows;
};

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

// One round of the sender's work, with the connections it keeps between rounds.
class Round
{
public:
    Round(const QString& folder, Local& local,
        std::map<QString, std::unique_ptr<PostgresFile>>& servers)
        : m_folder(folder)
        , m_local(local)
        , m_servers(servers)
    { }

    // The server of a pointer file, reached once a round.
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

    // Sends the journal in order; true when it is empty.
    void sendJournal()
    {
        for (;;) {
            QSqlQuery next = m_local.exec(QStringLiteral(
                "SELECT Seq, Action, PunchId, Punch FROM Journal ORDER BY Seq LIMIT 1"));
            if (!next.next())
                return;
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

    // Copies the tables of every pointer file, or the open jobs alone; true
    // when the open jobs were copied (the journal was empty).
    bool refresh(bool full)
    {
        QList<Copy> copies;
        for (const QString& pointer : JournalSender::pointersIn(m_folder)) {
            if (!full && pointer != jobPunchesFile)
                continue;
            PostgresFile& file = server(pointer);
            if (full)
                file.forgetColumns();
            for (const QString& table : SiteModel::screenTables(pointer))
                copies << read(file, pointer, table);
        }
        bool openJobs = !JournalSender::pointersIn(m_folder).contains(jobPunchesFile);
        m_local.exec(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            for (const Copy& copy : std::as_const(copies)) {
                if (PunchKeeper::keepsPunchesOf(copy.table)) {
                    // Punches kept meanwhile are sent first: the copy of the
                    // open jobs shows them until then.
                    QSqlQuery kept = m_local.exec(QStringLiteral("SELECT COUNT(*) FROM Journal"));
                    if (kept.next() && kept.value(0).toLongLong() > 0)
                        continue;
                    openJobs = true;
                }
                write(copy);
            }
            m_local.exec(QStringLiteral("COMMIT"));
        } catch (...) {
            m_local.exec(QStringLiteral("ROLLBACK"));
            throw;
        }
        return openJobs;
    }

private:
    Copy read(PostgresFile& file, const QString& pointer, const QString& table)
    {
        Copy copy {pointer, table, file.columns(table), {}, {}};
        if (copy.columns.isEmpty())
            throw DataError(QStringLiteral("%1 has no table %2.").arg(pointer, table));
        copy.key = file.keyColumn(table);
        QStringList names;
        for (const DatabaseFile::Column& column : std::as_const(copy.columns))
            names << file.quoted(column.name);
        const QString sql = QStringLiteral("SELECT %1 FROM %2%3")
                                .arg(names.join(QLatin1String(", ")), file.quoted(table),
                                    PunchKeeper::keepsPunchesOf(table)
                                        ? QStringLiteral(" WHERE %1 = '%2'")
                                              .arg(badgeField, SiteModel::JobPunch::open)
                                        : QString());
        const QSqlDatabase db = file.database();
        QSqlError error;
        const int width = int(copy.columns.size());
        file.onConnection([&] {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (query.exec(sql)) {
                while (query.next()) {
                    QVariantList row;
                    row.reserve(width);
                    for (int i = 0; i < width; ++i)
                        row << query.value(i);
                    copy.rows << row;
                }
            }
            error = query.lastError();
        });
        if (error.isValid())
            throw file.errorOf(error, table);
        return copy;
    }

    void write(const Copy& copy)
    {
        QStringList signature;
        QStringList definitions;
        QStringList names;
        QStringList marks;
        for (const DatabaseFile::Column& column : copy.columns) {
            const bool key = column.name == copy.key;
            signature << QStringLiteral("%1:%2%3")
                             .arg(column.name)
                             .arg(int(column.kind))
                             .arg(key ? QStringLiteral(":key") : QString());
            definitions << QLatin1Char('"') + column.name + QLatin1String("\" ")
                    + declaredType(column, key);
            names << QLatin1Char('"') + column.name + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        const QString table = copy.table.toLower();
        QSqlQuery known = m_local.exec(
            QStringLiteral("SELECT Columns FROM Copies WHERE TableName = ?"), {table});
        const bool same = known.next() && known.value(0).toString() == signature.join(u',');
        known.finish();
        if (!same) {
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
        for (const QVariantList& row : copy.rows) {
            for (int i = 0; i < row.size(); ++i)
                insert.bindValue(i, copied(copy.columns.at(i), row.at(i)));
            if (!insert.exec())
                throw DataError(QStringLiteral("%1 cannot be used: %2")
                                    .arg(m_local.fileName(), insert.lastError().databaseText()));
        }
        m_local.exec(QStringLiteral("INSERT OR REPLACE INTO Copies (TableName, Pointer, Columns, "
                                    "CopiedAt) VALUES (?, ?, ?, ?)"),
            {table, copy.pointer, signature.join(u','),
                QDateTime::currentDateTimeUtc().toString(Qt::ISODate)});
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
    QStringList m_reached;
};

} // namespace

void JournalSender::run()
{
    Local local(m_storePath);
    std::map<QString, std::unique_ptr<PostgresFile>> servers;
    QDeadlineTimer fullRefresh(0);
    QDeadlineTimer idle(idleMs);
    int pauseMs = 0;
    // After a failed round the next waits its pause out, whatever wakes it:
    // a server that refuses is not asked again at every kept punch.
    auto notBefore = std::chrono::steady_clock::now();
    // A connection lost in a round (a restart of the server, a connection cut)
    // is opened anew at once, once, before the server is taken for away.
    bool lostBefore = false;
    for (;;) {
        bool openJobsDue = false;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, std::chrono::milliseconds(pauseMs), [this, &notBefore] {
                return m_stopping || (m_woken && std::chrono::steady_clock::now() >= notBefore);
            });
            if (m_stopping)
                break;
            if (!std::exchange(m_woken, false) && !m_away.load() && !fullRefresh.hasExpired()) {
                // Nothing to do: connections unused for a while are let go.
                if (idle.hasExpired())
                    servers.clear();
                pauseMs = int(std::min<qint64>(fullRefresh.remainingTime(), idleMs));
                continue;
            }
            openJobsDue = std::exchange(m_openJobsDue, false);
        }
        idle.setRemainingTime(idleMs);
        try {
            Round round(m_folder, local, servers);
            const bool away = m_away.load();
            round.sendJournal();
            const bool full = fullRefresh.hasExpired();
            if (full || away || openJobsDue) {
                const bool openJobsCopied = round.refresh(full);
                if (full)
                    fullRefresh.setRemainingTime(fullRefreshMs);
                if (!openJobsCopied) {
                    // Punches were kept while the journal was sent: they go first.
                    const std::lock_guard lock(m_mutex);
                    m_woken = m_openJobsDue = true;
                    pauseMs = 0;
                    continue;
                }
            }
            m_away = false;
            lostBefore = false;
            // Back from an outage, the other tables are copied anew at once.
            if (away)
                fullRefresh.setRemainingTime(0);
            pauseMs = away ? 0 : int(std::min<qint64>(fullRefresh.remainingTime(), idleMs));
            if (away) {
                const std::lock_guard lock(m_mutex);
                m_woken = true;
            }
        } catch (const DataError& error) {
            if (error.reason() == DataError::Reason::Unreachable && !std::exchange(lostBefore, true)
                && !m_away.load()) {
                servers.clear();
                pauseMs = 0;
                const std::lock_guard lock(m_mutex);
                m_woken = true;
                continue;
            }
            if (error.reason() == DataError::Reason::Unreachable)
                m_away = true;
            else
                qWarning("jobcosting: the kept punches could not be sent: %s",
                    qPrintable(error.message()));
            pauseMs = retryMs;
            notBefore = std::chrono::steady_clock::now() + std::chrono::milliseconds(retryMs);
            const std::lock_guard lock(m_mutex);
            m_openJobsDue = true;
        }
    }
}
