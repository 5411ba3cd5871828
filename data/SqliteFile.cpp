#include "SqliteFile.h"

#include "DataError.h"
#include "ThisProgram.h"

#include <QFile>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QSqlDriver>
#include <QSqlDriverPlugin>
#include <QSqlError>
#include <QSqlQuery>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// SQLite's primary result codes, and the extended ones told apart here.
enum : int
{
    sqliteError = 1,
    sqliteBusy = 5,
    sqliteLocked = 6,
    sqliteReadOnly = 8,
    sqliteIoError = 10,
    sqliteCorrupt = 11,
    sqliteFull = 13,
    sqliteCantOpen = 14,
    sqliteConstraint = 19,
    sqliteNotADatabase = 26,
    sqliteReadOnlyMoved = sqliteReadOnly | (4 << 8),
    sqliteConstraintUnique = sqliteConstraint | (8 << 8),
};

QByteArray headerOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.read(64) : QByteArray();
}

DatabaseFile::Kind kindOf(const QString& declaredType)
{
    using Kind = DatabaseFile::Kind;
    const QString type = declaredType.toUpper();
    if (type.contains(QLatin1String("INT")))
        return Kind::Integer;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("TEXT")))
        return Kind::Text;
    if (type.startsWith(QLatin1String("DATE")))
        return Kind::Date;
    if (type.startsWith(QLatin1String("TIME")))
        return Kind::Time;
    for (const char* numeric : {"REAL", "FLOA", "DOUB", "CURRENCY", "NUMERIC", "DEC"})
        if (type.contains(QLatin1String(numeric)))
            return Kind::Real;
    return Kind::Text;
}

// Qt's SQLite driver, loaded from its known place: finding it by name lists and
// reads every database driver plugin installed. Where it is not found there
// (another plugin folder set), Qt looks for it by name.
class SqliteDriverCreator : public QSqlDriverCreatorBase
{
public:
    QSqlDriver* createObject() const override
    {
        QPluginLoader loader(QLibraryInfo::path(QLibraryInfo::PluginsPath)
            + QStringLiteral("/sqldrivers/libqsqlite.so"));
        auto* plugin = qobject_cast<QSqlDriverPlugin*>(loader.instance());
        return plugin ? plugin->create(QStringLiteral("QSQLITE")) : nullptr;
    }
};

// Set once, before SQLite is first used.
void prepareSqlite()
{
    static const bool prepared [[maybe_unused]] = [] {
        QSqlDatabase::registerSqlDriver(QStringLiteral("QSQLITE"), new SqliteDriverCreator);
        // Each connection's page cache takes pages from the heap one at a time,
        // as they are read. By default it sets aside twenty at its first read
        // and writes into each: a badge touches a few pages only, and every page
        // of memory written for the first time costs the program a page fault.
        return sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0) == SQLITE_OK;
    }();
}

} // namespace

SqliteFile::SqliteFile(QString path, QString connection)
    : DatabaseFile(std::move(path), connection)
{
    prepareSqlite();
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    connect();
}

SqliteFile::SqliteFile(QString path, QString connection, InMemory)
    : DatabaseFile(std::move(path), std::move(connection))
{
    prepareSqlite();
}

void SqliteFile::connect()
{
    struct stat status
    {
    };
    // The file's identity is taken before it opens: a file replaced in between
    // is opened once more at the next use, never missed.
    if (::stat(QFile::encodeName(path()).constData(), &status) != 0)
        throw errno == ENOENT
            ? DataError::missingFile(path())
            : DataError::said(QT_TRANSLATE_NOOP("DataError", "%1 cannot be read: %2."),
                {name(), QString::fromLocal8Bit(std::strerror(errno))});
    QSqlDatabase db = database();
    db.setDatabaseName(path());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs()));
    if (!db.open())
        throw DataError(
            QStringLiteral("%1 cannot be opened: %2.").arg(name(), db.lastError().databaseText()));
    m_identity = {quint64(status.st_dev), quint64(status.st_ino)};
    m_lockWaitMs = lockWaitMs();
    m_schemaVersion = -1;
    ++m_connections;
    m_openAgain = false;
    m_writeAheadLog = false;
    m_settingsMade = false;
}

void SqliteFile::makeSettings()
{
    // Made at the first read or write, not at the opening: the first statement
    // on a connection reads the file's schema, which only a read or a write needs.
    if (std::exchange(m_settingsMade, true))
        return;
    QSqlQuery pragma(database());
    // A save is on the disk when it returns.
    pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    // The default cache grows to 2 MB a file as the punches pile up; the
    // statements of a badge touch a few pages only.
    pragma.exec(QStringLiteral("PRAGMA cache_size = -256"));
    // A job-punch file notes where each start and end came from, in a row its
    // own trigger makes; this connection's trigger, of its own, names its
    // writer there. A file without that table refuses it, and needs none.
    const auto literal = [](QString text) {
        return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''"))
            + QLatin1Char('\'');
    };
    pragma.exec(QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS JobPunchOriginsWriter AFTER "
                               "INSERT ON main.JobPunchOrigins BEGIN UPDATE main.JobPunchOrigins "
                               "SET WrittenBy = %1, Terminal = %2 WHERE rowid = NEW.rowid; END")
                    .arg(literal(ThisProgram::user()), literal(ThisProgram::terminal())));
}

SqliteFile::~SqliteFile()
{
    if (m_identity == Identity {})
        return;
    struct stat status
    {
    };
    const bool gone = ::stat(QFile::encodeName(path()).constData(), &status) != 0;
    if (gone || Identity {quint64(status.st_dev), quint64(status.st_ino)} != m_identity)
        settleLogOfReplacedFile(gone ? nullptr : &status);
}

void SqliteFile::settleLogOfReplacedFile(const struct stat* atName)
{
    // What the write-ahead log beside the name still holds of the file held
    // open goes into that file (moved aside, or gone), and the log is emptied:
    // left there, it would be read as the log of a file put at the name. A log
    // written since a file was put there (by another terminal that noticed
    // first) is that file's already, and stays.
    struct stat log
    {
    };
    if (::stat(QFile::encodeName(path() + QLatin1String("-wal")).constData(), &log) != 0
        || log.st_size == 0)
        return;
    if (atName
        && std::pair(log.st_mtim.tv_sec, log.st_mtim.tv_nsec)
            > std::pair(atName->st_ctim.tv_sec, atName->st_ctim.tv_nsec))
        return;
    QSqlQuery(database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

void SqliteFile::reconnectIfReplaced()
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path()).constData(), &status) != 0) {
        if (errno == ENOENT) {
            settleLogOfReplacedFile(nullptr);
            throw DataError::missingFile(path());
        }
        m_openAgain = true;
    } else if (Identity {quint64(status.st_dev), quint64(status.st_ino)} != m_identity) {
        m_openAgain = true;
    }
    if (!m_openAgain)
        return;
    if (!recognizes(headerOf(path())))
        throw DataError::said(
            QT_TRANSLATE_NOOP("DataError", "%1 is not a database; its content looks like: %2."),
            {name(), contentOf(path())});
    if (Identity {quint64(status.st_dev), quint64(status.st_ino)} != m_identity)
        settleLogOfReplacedFile(&status);
    forgetColumns(); // the kept statements belong to the connection closed now
    database().close();
    connect();
}

bool SqliteFile::recognizes(const QByteArray& header)
{
    return header.startsWith(QByteArrayView("SQLite format 3\0", 16));
}

bool SqliteFile::hasFeature(Feature) const
{
    return true;
}

void SqliteFile::applyLockWait()
{
    // Within a few milliseconds of the wait set, it stands: each change is a statement.
    if (const int wait = LockDeadline::remainingMs(); std::abs(wait - m_lockWaitMs) > 20) {
        QSqlQuery(database()).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(wait));
        m_lockWaitMs = wait;
    }
}

void SqliteFile::beforeWrite()
{
    ++m_writes;
    reconnectIfReplaced();
    makeSettings();
    applyLockWait();
    if (!m_writeAheadLog)
        useWriteAheadLog();
}

void SqliteFile::prepareWrites()
{
    beforeWrite();
    if (!m_writeAheadLog)
        return;
    // A connection's first flush of the write-ahead log flushes the folder
    // that holds the log too, and the first commit into an empty log writes
    // the log's header and waits for it: the first save would cost three
    // flushes where the others cost one. They are spent here, on a commit that
    // changes nothing. Another program's lock is not waited for: the first
    // save then pays.
    m_lockWaitMs = 0;
    QSqlQuery query(database());
    query.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return;
    const bool read = query.exec(QStringLiteral("PRAGMA user_version")) && query.next();
    const qint64 version = read ? query.value(0).toLongLong() : 0;
    query.finish();
    if (!read || !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version))
        || !query.exec(QStringLiteral("COMMIT")))
        query.exec(QStringLiteral("ROLLBACK"));
}

void SqliteFile::setCommitsFlushed(bool flushed)
{
    // Only in the write-ahead log does a commit go without a flush: it may be
    // lost in a power cut then, but it never damages the file.
    makeSettings();
    const bool relaxed = !flushed && m_writeAheadLog;
    QSqlQuery(database())
        .exec(relaxed ? QStringLiteral("PRAGMA synchronous = OFF")
                      : QStringLiteral("PRAGMA synchronous = FULL"));
}

QString SqliteFile::contentVersion()
{
    // SQLite counts the commits of other connections only; this one's are
    // counted here.
    QSqlQuery& query = statement(QStringLiteral("PRAGMA data_version"), QString());
    if (!query.exec() || !query.next())
        return {};
    const qint64 others = query.value(0).toLongLong();
    query.finish();
    return QStringLiteral("%1.%2.%3").arg(m_connections).arg(m_writes).arg(others);
}

void SqliteFile::useWriteAheadLog()
{
    // A save is on the disk when it returns at the cost of one flush, and
    // readers are never held up by it. The mode stays with the file; only a
    // file this program writes takes it, so files it only reads keep their
    // journal and stay readable from a folder it may not write. A file it may
    // not write keeps its journal too, and its save fails with the reason.
    QSqlQuery& mode = statement(QStringLiteral("PRAGMA journal_mode = WAL"), QString());
    m_writeAheadLog
        = mode.exec() && mode.next() && mode.value(0).toString() == QLatin1String("wal");
    mode.finish();
}

void SqliteFile::beforeRead(const QString& table)
{
    reconnectIfReplaced();
    makeSettings();
    applyLockWait();
    // Another program may have changed a table's columns since they were read.
    QSqlQuery& query = statement(QStringLiteral("PRAGMA schema_version"), table);
    if (!query.exec() || !query.next())
        throw errorOf(query.lastError(), table);
    const qint64 version = query.value(0).toLongLong();
    query.finish();
    if (version != m_schemaVersion)
        forgetColumns();
    m_schemaVersion = version;
}

QString SqliteFile::rowKey(const QString&) const
{
    return QStringLiteral("_rowid_");
}

QString SqliteFile::quoted(const QString& identifier) const
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString SqliteFile::unchangedCondition(const Column& column) const
{
    return quoted(column.name) + QLatin1String(" IS ? COLLATE BINARY");
}

DataError SqliteFile::errorOf(const QSqlError& error, const QString& table)
{
    const int code = error.nativeErrorCode().toInt();
    const QString text = error.databaseText();
    const auto said = [&](const char* words) {
        return DataError::said(words, {name(), table});
    };
    const bool writable = ::access(QFile::encodeName(path()).constData(), W_OK) == 0;
    switch (code & 0xff) {
    case sqliteBusy:
    case sqliteLocked:
        return said(QT_TRANSLATE_NOOP("DataError",
            "Another program kept %1 locked for more than five seconds; the "
            "table %2 could not be used."));
    case sqliteReadOnly:
    case sqliteIoError:
    case sqliteCantOpen:
        // Opened again at the next use: the file may be writable again, or back.
        m_openAgain = true;
        if (code == sqliteReadOnlyMoved)
            return said(QT_TRANSLATE_NOOP("DataError",
                "%1 was moved or replaced while in use; the table %2 was not written."));
        if (!writable || (code & 0xff) == sqliteReadOnly)
            return said(
                QT_TRANSLATE_NOOP("DataError", "%1 is read-only; the table %2 cannot be written."));
        return said(QT_TRANSLATE_NOOP("DataError",
            "%1 could not be read or written (a disk or network fault); the "
            "table %2 could not be used."));
    case sqliteCorrupt:
        return said(QT_TRANSLATE_NOOP("DataError", "%1 is damaged; the table %2 cannot be used."));
    case sqliteFull:
        return said(QT_TRANSLATE_NOOP(
            "DataError", "The disk that holds %1 is full; the table %2 cannot grow."));
    case sqliteNotADatabase:
        m_openAgain = true;
        return said(QT_TRANSLATE_NOOP("DataError", "%1 is not a database; it has no table %2."));
    case sqliteConstraint:
        return DataError(
            QStringLiteral("%1 refused the values for the table %2: %3.").arg(name(), table, text),
            code == sqliteConstraintUnique || text == openJobTaken ? DataError::Reason::Duplicate
                                                                   : DataError::Reason::Other);
    case sqliteError:
        if (text.startsWith(QLatin1String("no such table")))
            return said(QT_TRANSLATE_NOOP("DataError", "%1 has no table %2."));
        if (text.startsWith(QLatin1String("no such column: ")))
            return DataError::said(
                QT_TRANSLATE_NOOP("DataError", "%1 has no field %2 in the table %3."),
                {name(), text.mid(16), table});
        break;
    default:
        break;
    }
    return DatabaseFile::errorOf(error, table);
}

QList<DatabaseFile::Column> SqliteFile::readColumns(const QString& table)
{
    QSqlQuery& info
        = statement(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), table);
    info.addBindValue(table);
    if (!info.exec())
        throw errorOf(info.lastError(), table);
    QList<Column> columns;
    while (info.next())
        columns.append({info.value(0).toString(), kindOf(info.value(1).toString())});
    info.finish();
    return columns;
}
