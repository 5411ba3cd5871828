#include "PostgresFile.h"

#include <QFile>
#include <QLibrary>
#include <QRegularExpression>
#include <QSqlQuery>
#include <libpq-fe.h>
#include <memory>

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");
// A pointer file is a line or two of text; anything longer is something else.
constexpr qint64 maxPointerSize = 4096;

QByteArray withoutByteOrderMark(const QByteArray& bytes)
{
    return bytes.startsWith(byteOrderMark) ? bytes.mid(byteOrderMark.size()) : bytes;
}

// A value in libpq's keyword = 'value' syntax.
QString quotedValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString firstLine(const QString& text)
{
    return text.trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
}

DataError badPointer(const QString& reason)
{
    return DataError(reason, DataError::Reason::BadPointer);
}

// libpq's URI parser, loaded when the first pointer file is read: linked into
// the program, libpq and its TLS, Kerberos and LDAP libraries (a score of them)
// would cost every start, also on the sites that never reach a server.
struct ClientLibrary
{
    decltype(&PQconninfoParse) parse = nullptr;
    decltype(&PQconninfoFree) free = nullptr;
    decltype(&PQfreemem) freeMemory = nullptr;
    QString error;
};

const ClientLibrary& clientLibrary()
{
    static const ClientLibrary library = [] {
        ClientLibrary functions;
        QLibrary pq(QStringLiteral("pq"), 5);
        if (!pq.load()) {
            functions.error = pq.errorString();
            return functions;
        }
        functions.parse
            = reinterpret_cast<decltype(&PQconninfoParse)>(pq.resolve("PQconninfoParse"));
        functions.free = reinterpret_cast<decltype(&PQconninfoFree)>(pq.resolve("PQconninfoFree"));
        functions.freeMemory = reinterpret_cast<decltype(&PQfreemem)>(pq.resolve("PQfreemem"));
        if (!functions.parse || !functions.free || !functions.freeMemory)
            functions.error = pq.errorString();
        return functions;
    }();
    if (!library.error.isEmpty())
        throw DataError(
            QStringLiteral("PostgreSQL's client library cannot be loaded: %1").arg(library.error));
    return library;
}

DatabaseFile::Kind kindOf(const QString& type)
{
    using Kind = DatabaseFile::Kind;
    if (type == QLatin1String("int2") || type == QLatin1String("int4")
        || type == QLatin1String("int8"))
        return Kind::Integer;
    if (type == QLatin1String("numeric") || type == QLatin1String("float4")
        || type == QLatin1String("float8"))
        return Kind::Real;
    if (type == QLatin1String("date"))
        return Kind::Date;
    if (type == QLatin1String("time"))
        return Kind::Time;
    return Kind::Text;
}

} // namespace

PostgresFile::PostgresFile(const QString& path, const QString& connection)
    : DatabaseFile(path, connection)
    , m_uri(readPointer(path))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    try {
        configure(db, m_uri);
    } catch (const DataError& error) {
        if (error.reason() != DataError::Reason::BadPointer)
            throw;
        throw badPointer(QStringLiteral("'%1' does not say where the database server is. %2")
                             .arg(path, error.message()));
    }
    connect();
}

bool PostgresFile::recognizes(const QByteArray& header)
{
    const QByteArray text = withoutByteOrderMark(header);
    return text.startsWith("postgresql://") || text.startsWith("postgres://");
}

QString PostgresFile::readPointer(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("Could not read '%1': %2").arg(path, file.errorString()));
    if (file.size() > maxPointerSize)
        throw badPointer(
            QStringLiteral("'%1' is too long to be a pointer to a database server.").arg(path));
    return QString::fromUtf8(withoutByteOrderMark(file.readLine())).trimmed();
}

void PostgresFile::configure(QSqlDatabase& db, const QString& uri)
{
    const ClientLibrary& pq = clientLibrary();
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> parsed(
        pq.parse(uri.toUtf8().constData(), &error), pq.free);
    if (!parsed) {
        const QString reason = error ? firstLine(QString::fromUtf8(error)) : QString();
        pq.freeMemory(error);
        throw badPointer(QStringLiteral("'%1' is not a connection URI (%2).").arg(uri, reason));
    }

    // Qt's driver hands its connect options to libpq as keyword = 'value'
    // pairs, but reads every ";" in them as a separator.
    QStringList options;
    QStringList given;
    // A write that meets another terminal's lock waits as long as on SQLite;
    // the server's notices have no reader here.
    QString serverOptions = QStringLiteral("-c lock_timeout=%1 -c client_min_messages=warning")
                                .arg(DatabaseFile::lockWaitMs());
    for (const PQconninfoOption* option = parsed.get(); option->keyword; ++option) {
        if (!option->val)
            continue;
        const QString keyword = QString::fromUtf8(option->keyword);
        const QString value = QString::fromUtf8(option->val);
        if (keyword == QLatin1String("password"))
            throw badPointer(QStringLiteral("The address holds a password; keep it in ~/.pgpass "
                                            "or the file named by PGPASSFILE instead."));
        if (value.contains(QLatin1Char(';')))
            throw badPointer(QStringLiteral("The %1 of the address holds a ';', which Qt's "
                                            "PostgreSQL driver cannot pass on.")
                                 .arg(keyword));
        if (keyword == QLatin1String("options"))
            serverOptions.prepend(value + QLatin1Char(' '));
        else
            options << keyword + QLatin1Char('=') + quotedValue(value);
        given << keyword;
    }
    options << QStringLiteral("options=") + quotedValue(serverOptions);
    // A server that vanished from the network is given up after seconds, not
    // after the minutes the operating system would wait for it.
    if (!given.contains(QLatin1String("connect_timeout")))
        options << QStringLiteral("connect_timeout='10'");
    if (!given.contains(QLatin1String("tcp_user_timeout")))
        options << QStringLiteral("tcp_user_timeout='10000'");
    if (!given.contains(QLatin1String("application_name")))
        options << QStringLiteral("application_name='jobcosting'");
    db.setConnectOptions(options.join(QLatin1Char(' ')));
    // Costs and rates are numeric: read as the server writes them, not through
    // a double on the way.
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
}

void PostgresFile::connect()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw DataError(QStringLiteral("'%1' points to a database server, but Qt's PostgreSQL "
                                       "driver is not installed (Debian package "
                                       "libqt6sql6-psql).")
                            .arg(path()),
            DataError::Reason::Unreachable);
    QSqlDatabase db = database();
    if (!db.open())
        throw DataError(QStringLiteral("The database server of '%1' (%2) could not be reached: %3")
                            .arg(path(), m_uri, firstLine(db.lastError().databaseText())),
            DataError::Reason::Unreachable);
}

void PostgresFile::reconnectIfLost()
{
    QSqlDatabase db = database();
    if (db.isOpen()) {
        QSqlQuery ping(db);
        if (ping.exec(QStringLiteral("SELECT 1")))
            return;
    }
    db.close();
    // The server may have changed while the connection was down.
    forgetColumns();
    m_keys.clear();
    connect();
}

bool PostgresFile::hasFeature(Feature feature) const
{
    switch (feature) {
    case Feature::Writes:
        return true;
    }
    return false;
}

void PostgresFile::beforeRead(const QString&)
{
    reconnectIfLost();
}

void PostgresFile::beforeWrite()
{
    reconnectIfLost();
}

void PostgresFile::setCommitsFlushed(bool flushed)
{
    QSqlQuery(database())
        .exec(flushed ? QStringLiteral("RESET synchronous_commit")
                      : QStringLiteral("SET synchronous_commit = off"));
}

QString PostgresFile::rowKey(const QString& table) const
{
    const QString key = m_keys.value(table.toCaseFolded());
    if (key.isEmpty())
        throw DataError(QStringLiteral("The table '%1' on the database server has no primary key "
                                       "of one column, which the terminal needs to tell its rows "
                                       "apart.")
                            .arg(table));
    return quoted(key);
}

QString PostgresFile::quoted(const QString& identifier) const
{
    QString folded;
    folded.reserve(identifier.size() + 2);
    folded += QLatin1Char('"');
    for (const QChar c : identifier) {
        if (c == QLatin1Char('"'))
            folded += QLatin1Char('"');
        folded += c.unicode() < 128 ? c.toLower() : c;
    }
    return folded + QLatin1Char('"');
}

QString PostgresFile::unchangedCondition(const Column& column) const
{
    // citext would compare the old text without regard to letter case.
    if (column.kind == Kind::Text)
        return QStringLiteral("CAST(%1 AS text) IS NOT DISTINCT FROM CAST(? AS text)")
            .arg(quoted(column.name));
    return quoted(column.name) + QLatin1String(" IS NOT DISTINCT FROM ?");
}

DataError PostgresFile::errorOf(const QSqlError& error, const QString& table)
{
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("23505")) // unique_violation
        return DataError(firstLine(error.databaseText()), DataError::Reason::Duplicate);
    if (code == QLatin1String("55P03")) // lock_not_available
        return DataError(QStringLiteral("Another terminal kept the table %1 of the database "
                                        "server of %2 locked for more than five seconds.")
                             .arg(table, name()));
    // A table or field gone since the columns were read: they are read again
    // at the next use.
    if (code == QLatin1String("42P01")) { // undefined_table
        forgetColumns();
        return DataError(QStringLiteral("%1 has no table %2.").arg(name(), table));
    }
    if (code == QLatin1String("42703")) { // undefined_column
        forgetColumns();
        static const QRegularExpression field(QStringLiteral("column \"?([^\" ]+)\"? does not"));
        return DataError(QStringLiteral("%1 has no field %2 in the table %3.")
                             .arg(name(), field.match(error.databaseText()).captured(1), table));
    }
    // The driver closes a connection that the server dropped.
    if (!database().isOpen())
        return DataError(
            QStringLiteral("The connection to the database server of '%1' was lost: %2")
                .arg(path(), firstLine(error.databaseText())),
            DataError::Reason::Unreachable);
    return DatabaseFile::errorOf(error, table);
}

QList<DatabaseFile::Column> PostgresFile::readColumns(const QString& table)
{
    QSqlQuery info(database());
    info.setForwardOnly(true);
    if (!info.prepare(QStringLiteral(
            "SELECT a.attname, t.typname, a.attnum = ANY (SELECT i.indkey[0] FROM pg_index i "
            "WHERE i.indrelid = a.attrelid AND i.indisprimary AND i.indnkeyatts = 1) "
            "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
            "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
            "ORDER BY a.attnum")))
        throw errorOf(info.lastError(), table);
    info.addBindValue(quoted(table));
    if (!info.exec())
        throw errorOf(info.lastError(), table);
    QList<Column> columns;
    const QString key = table.toCaseFolded();
    m_keys.remove(key);
    while (info.next()) {
        const QString name = info.value(0).toString();
        columns.append({name, kindOf(info.value(1).toString())});
        if (info.value(2).toBool())
            m_keys.insert(key, name);
    }
    return columns;
}
