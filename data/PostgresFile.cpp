#include "PostgresFile.h"

#include "ClientLibrary.h"
#include "PunchKeeper.h"
#include "ThisProgram.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringDecoder>
#include <algorithm>
#include <libpq-fe.h>
#include <memory>
#include <optional>

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

// A text from a pointer file or the server, as a message may quote it: a
// password masked, and every word cut to a length that keeps the message box
// as narrow as the others.
QString quotable(QString text)
{
    static const QRegularExpression userPassword(QStringLiteral("(://[^:/@]*):[^@/]*@"));
    static const QRegularExpression passwordValue(
        QStringLiteral("(password\\s*=\\s*)('(?:[^'\\\\]|\\\\.)*'|\\S*)"),
        QRegularExpression::CaseInsensitiveOption);
    text.replace(userPassword, QStringLiteral("\\1:***@"));
    text.replace(passwordValue, QStringLiteral("\\1***"));
    constexpr qsizetype longestWord = 48;
    QStringList words = text.split(QLatin1Char(' '));
    for (QString& word : words) {
        if (word.size() > longestWord)
            word = word.left(longestWord - 3) + QLatin1String("...");
    }
    return words.join(QLatin1Char(' '));
}

// The terminal's own parameter jobcosting_deadline=SECONDS, taken out of a
// URI's query or out of keyword/value pairs before libpq sees them.
std::optional<QString> takeDeadline(QString& address)
{
    static const QRegularExpression inQuery(
        QStringLiteral("([?&])jobcosting_deadline=([^&]*)(&?)"));
    static const QRegularExpression inPairs(
        QStringLiteral("(?:^|\\s)jobcosting_deadline\\s*=\\s*(\\S*)"));
    if (address.contains(QLatin1String("://"))) {
        const QRegularExpressionMatch found = inQuery.match(address);
        if (!found.hasMatch())
            return std::nullopt;
        // The parameter goes with one of the separators around it.
        const QString kept = found.captured(3).isEmpty() ? QString() : found.captured(1);
        address.replace(found.capturedStart(), found.capturedLength(), kept);
        return found.captured(2);
    }
    const QRegularExpressionMatch found = inPairs.match(address);
    if (!found.hasMatch())
        return std::nullopt;
    address.remove(found.capturedStart(), found.capturedLength());
    return found.captured(1);
}

// The deadline of an address in milliseconds, taken out of it.
int takeDeadlineMs(QString& address)
{
    const std::optional<QString> seconds = takeDeadline(address);
    if (!seconds)
        return PostgresFile::defaultDeadlineMs;
    bool number = false;
    const double value = seconds->toDouble(&number);
    if (!number || !(value > 0 && value <= 3600))
        throw badPointer(QStringLiteral("jobcosting_deadline must be a number of seconds up "
                                        "to 3600, not '%1'.")
                             .arg(quotable(*seconds)));
    return std::max(1, int(std::lround(value * 1000)));
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

PostgresFile::PostgresFile(const QString& path, const QString& connection, Use use)
    : DatabaseFile(path, connection)
    , m_store(use == Use::Terminal ? PunchKeeper::of(QFileInfo(path).absolutePath()) : nullptr)
{
    try {
        m_uri = readPointer(path);
        // Every file that names the same server shares one connection to it.
        QString address = m_uri;
        m_deadlineMs = takeDeadlineMs(address);
        m_server
            = ServerConnection::to(address, [this](QSqlDatabase& db) { configure(db, m_uri); });
    } catch (const DataError& error) {
        if (error.reason() != DataError::Reason::BadPointer)
            throw;
        throw badPointer(QStringLiteral("%1 does not say where its database server is: %2")
                             .arg(name(), error.message()));
    }
}

bool PostgresFile::recognizes(const QByteArray& header)
{
    // A connection URI, or libpq's keyword = value pairs, after any blanks.
    static const QRegularExpression pointer(
        QStringLiteral("^\\s*(?:postgres(?:ql)?://|[A-Za-z_]+\\s*=)"));
    return pointer.match(QString::fromLatin1(withoutByteOrderMark(header))).hasMatch();
}

QString PostgresFile::readPointer(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("%1 cannot be read: %2.")
                            .arg(QFileInfo(path).fileName(), file.errorString()));
    if (file.size() > maxPointerSize)
        throw badPointer(
            QStringLiteral("it is too long (%1 bytes) to be a pointer file.").arg(file.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString line = QString(utf8(withoutByteOrderMark(file.readLine()))).trimmed();
    const bool text = std::all_of(
        line.cbegin(), line.cend(), [](QChar c) { return c.isPrint() || c == QLatin1Char('\t'); });
    if (utf8.hasError() || !text)
        throw badPointer(QStringLiteral("its first line holds bytes that are not text."));
    return line;
}

int PostgresFile::configure(QSqlDatabase& db, const QString& uri)
{
    const ClientLibrary& pq = clientLibrary();
    QString address = uri;
    const int deadlineMs = takeDeadlineMs(address);
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> parsed(
        pq.parse(address.toUtf8().constData(), &error), pq.free);
    if (!parsed) {
        const QString reason = error ? firstLine(QString::fromUtf8(error)) : QString();
        pq.freeMemory(error);
        throw badPointer(QStringLiteral("'%1' is not a connection address that libpq reads (%2).")
                             .arg(quotable(uri), quotable(reason)));
    }

    // Qt's driver hands its connect options to libpq as keyword = 'value'
    // pairs, but reads every ";" in them as a separator.
    QStringList options;
    QStringList given;
    // A write that meets another terminal's lock waits as long as on SQLite;
    // the server's notices have no reader here.
    QString serverOptions = QStringLiteral("-c lock_timeout=%1 -c client_min_messages=warning")
                                .arg(DatabaseFile::lockWaitMs());
    // The server notes where each start and end came from: the terminal names
    // itself (a blank or a backslash escaped, as libpq's options want it).
    QString terminal = ThisProgram::terminal();
    terminal.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char(' '), QLatin1String("\\ "))
        .replace(QLatin1Char(';'), QLatin1Char(','));
    serverOptions += QLatin1String(" -c jobcosting.terminal=") + terminal;
    for (const PQconninfoOption* option = parsed.get(); option->keyword; ++option) {
        if (!option->val)
            continue;
        const QString keyword = QString::fromUtf8(option->keyword);
        const QString value = QString::fromUtf8(option->val);
        if (keyword == QLatin1String("password"))
            throw badPointer(QStringLiteral("the address holds a password; keep it in ~/.pgpass "
                                            "or the file named by PGPASSFILE instead."));
        if (value.contains(QLatin1Char(';')))
            throw badPointer(QStringLiteral("the %1 of the address holds a ';', which Qt's "
                                            "PostgreSQL driver cannot pass on.")
                                 .arg(keyword));
        if (keyword == QLatin1String("options"))
            serverOptions.prepend(value + QLatin1Char(' '));
        else
            options << keyword + QLatin1Char('=') + quotedValue(value);
        given << keyword;
    }
    options << QStringLiteral("options=") + quotedValue(serverOptions);
    // A connection given up on at the deadline ends soon after on its own
    // (libpq waits two seconds at least).
    if (!given.contains(QLatin1String("connect_timeout")))
        options << QStringLiteral("connect_timeout='%1'").arg((deadlineMs + 999) / 1000);
    if (!given.contains(QLatin1String("tcp_user_timeout")))
        options << QStringLiteral("tcp_user_timeout='10000'");
    // The program's name tells its connections apart on the server.
    if (!given.contains(QLatin1String("application_name")))
        options << QStringLiteral("application_name=")
                + quotedValue(
                    QCoreApplication::instance() && !QCoreApplication::applicationName().isEmpty()
                        ? QCoreApplication::applicationName()
                        : QStringLiteral("jobcosting"));
    db.setConnectOptions(options.join(QLatin1Char(' ')));
    // Costs and rates are numeric: read as the server writes them, not through
    // a double on the way.
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    return deadlineMs;
}

PostgresFile::~PostgresFile()
{
    // The statements prepared on the connection go with the file, on the
    // connection's thread, whether the server answers or not.
    m_server->waitUntilIdle();
    const auto release = [this] {
        releaseStatements();
    };
    try {
        while (m_server->run(release, QDeadlineTimer(m_deadlineMs), m_flushed)
            == ServerConnection::Outcome::NotStarted) { }
    } catch (const DataError&) {
        // A request given up on runs out first: the statements go after it.
        m_server->waitUntilIdle();
        releaseStatements();
    }
}

QSqlDatabase PostgresFile::database() const
{
    return m_server->database();
}

DataError PostgresFile::unanswered()
{
    if (m_store)
        m_store->markAway();
    return DataError(QStringLiteral("The database server of %1 did not answer within %2 seconds.")
                         .arg(name(), QLocale::c().toString(m_deadlineMs / 1000.0, 'g', 4)),
        DataError::Reason::Unreachable);
}

void PostgresFile::runOnConnection(const std::function<void()>& work)
{
    refuseWhileAway();
    if (m_server->busy())
        throw unanswered();
    // A server that stops answering (its processes stopped, a cable pulled)
    // leaves the connection waiting for ever: its kernel still acknowledges
    // what is sent. The connection shuts its socket down at the deadline.
    if (m_server->run(work, QDeadlineTimer(m_deadlineMs), m_flushed)
        != ServerConnection::Outcome::Done)
        throw unanswered();
}

void PostgresFile::refuseWhileAway() const
{
    // While the terminal works on its copies, the screens do not wait for the
    // server: the store's sender tells when it answers again.
    if (m_store && m_store->away())
        throw DataError(QStringLiteral("The database server of %1 cannot be reached.").arg(name()),
            DataError::Reason::Unreachable);
}

int PostgresFile::socketOf(const QSqlDatabase& db)
{
    PGconn* connection = connectionOf(db);
    return connection ? clientLibrary().socket(connection) : -1;
}

std::optional<QList<PostgresFile::Notice>> PostgresFile::takeNotices(const QSqlDatabase& db)
{
    const ClientLibrary& pq = clientLibrary();
    PGconn* connection = connectionOf(db);
    if (!connection || !pq.consumeInput(connection) || pq.status(connection) != CONNECTION_OK)
        return std::nullopt;
    QList<Notice> notices;
    while (PGnotify* notice = pq.notifies(connection)) {
        notices.append({QString::fromUtf8(notice->relname), QString::fromUtf8(notice->extra)});
        pq.freeMemory(notice);
    }
    return notices;
}

void PostgresFile::reconnectIfLost()
{
    refuseWhileAway();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw DataError(QStringLiteral("%1 points to a database server, but Qt's PostgreSQL "
                                       "driver is not installed (Debian package "
                                       "libqt6sql6-psql).")
                            .arg(name()));
    const ServerConnection::Opened opened = m_server->open(QDeadlineTimer(m_deadlineMs));
    if (opened.outcome != ServerConnection::Outcome::Done)
        throw unanswered();
    if (opened.refusal) {
        if (m_store)
            m_store->markAway();
        throw DataError(QStringLiteral("The database server of %1 (%2) could not be reached: %3")
                            .arg(name(), quotable(m_uri), quotable(firstLine(*opened.refusal))),
            DataError::Reason::Unreachable);
    }
    // The server may have changed while the connection was down. The keys
    // stay: a row read before names itself by its key in the edit that follows.
    if (const quint64 generation = m_server->generation(); generation != m_generation) {
        m_generation = generation;
        forgetColumns();
    }
}

std::shared_ptr<DatabaseFile> PostgresFile::standIn(const QString& table)
{
    return m_store ? m_store->standIn(name(), table) : nullptr;
}

void PostgresFile::written(
    const QString& table, const QSqlRecord& read, const QList<QPair<QString, QVariant>>& fields)
{
    if (m_store && PunchKeeper::keepsPunchesOf(table))
        m_store->serverWritten(read, fields);
}

bool PostgresFile::keep(
    const QString& table, const QSqlRecord& read, const QList<QPair<QString, QVariant>>& fields)
{
    if (!m_store || !PunchKeeper::keepsPunchesOf(table))
        return false;
    try {
        if (read.isEmpty())
            m_store->keepAdded(fields);
        else
            m_store->keepEdited(read, fields);
    } catch (const DataError& error) {
        // A worker with a job open in the copy is told so; a store that
        // cannot be written leaves the save refused.
        if (error.reason() == DataError::Reason::Duplicate)
            throw;
        return false;
    }
    return true;
}

bool PostgresFile::hasFeature(Feature feature) const
{
    switch (feature) {
    case Feature::Writes:
        return true;
    }
    return false;
}

void PostgresFile::reach()
{
    reconnectIfLost();
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
    // Set on the connection before this file's next request, and only for its
    // requests: another file's commits on the shared connection wait as theirs do.
    m_flushed = flushed;
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
    // The server's rules over what a login may write refused the row: they
    // say why in the server's log, in words for the site manager.
    if (code == QLatin1String("42501")) // insufficient_privilege
        return DataError(QStringLiteral("The database server of %1 does not let this login write "
                                        "this row of the table %2; its log says why.")
                             .arg(name(), table));
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
    if (m_server->lost()) {
        m_server->drop();
        if (m_store)
            m_store->markAway();
        return DataError(QStringLiteral("The connection to the database server of %1 was lost: %2")
                             .arg(name(), quotable(firstLine(error.databaseText()))),
            DataError::Reason::Unreachable);
    }
    return DatabaseFile::errorOf(error, table);
}

QList<DatabaseFile::Column> PostgresFile::readColumns(const QString& table)
{
    struct Read
    {
        QString name;
        QString type;
        bool key;
    };
    QList<Read> read;
    QSqlError error;
    const QSqlDatabase db = database();
    runOnConnection([&] {
        QSqlQuery info(db);
        info.setForwardOnly(true);
        if (info.prepare(QStringLiteral(
                "SELECT a.attname, t.typname, a.attnum = ANY (SELECT i.indkey[0] FROM pg_index i "
                "WHERE i.indrelid = a.attrelid AND i.indisprimary AND i.indnkeyatts = 1) "
                "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
                "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
                "ORDER BY a.attnum"))) {
            info.addBindValue(quoted(table));
            if (info.exec()) {
                while (info.next())
                    read.append({info.value(0).toString(), info.value(1).toString(),
                        info.value(2).toBool()});
            }
        }
        error = info.lastError();
    });
    if (error.isValid())
        throw errorOf(error, table);
    QList<Column> columns;
    const QString key = table.toCaseFolded();
    m_keys.remove(key);
    for (const Read& column : std::as_const(read)) {
        columns.append({column.name, kindOf(column.type)});
        if (column.key)
            m_keys.insert(key, column.name);
    }
    return columns;
}
