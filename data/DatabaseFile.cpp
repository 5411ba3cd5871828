#include "DatabaseFile.h"

#include "AccessFile.h"
#include "DataError.h"
#include "PostgresFile.h"
#include "SqliteFile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QSqlError>
#include <optional>

namespace {

QHash<QString, std::weak_ptr<DatabaseFile>>& openFiles()
{
    static QHash<QString, std::weak_ptr<DatabaseFile>> files;
    return files;
}

QByteArray headerOf(const QString& path)
{
    // Unbuffered: a buffered read would fetch 16 KB to hand over 64 bytes.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw DataError(QStringLiteral("%1 cannot be read: %2.")
                            .arg(QFileInfo(path).fileName(), file.errorString()));
    return file.read(64);
}

} // namespace

DatabaseFile::DatabaseFile(QString path, QString connection)
    : m_path(std::move(path))
    , m_connection(std::move(connection))
{ }

DatabaseFile::~DatabaseFile()
{
    openFiles().remove(m_path);
    m_statements.clear();
    m_lastStatement.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QList<DatabaseFile::Column> DatabaseFile::columns(const QString& table)
{
    const QString key = table.toCaseFolded();
    if (const auto known = m_columns.constFind(key); known != m_columns.constEnd())
        return *known;
    const QList<Column> read = readColumns(table);
    if (!read.isEmpty())
        m_columns.insert(key, read);
    return read;
}

QString DatabaseFile::contentOf(const QString& path)
{
    return QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchContent).comment();
}

QString DatabaseFile::name() const
{
    return QFileInfo(m_path).fileName();
}

DataError DatabaseFile::errorOf(const QSqlError& error, const QString& table)
{
    return DataError(
        QStringLiteral("%1, table %2: %3").arg(name(), table, error.databaseText().trimmed()));
}

QSqlQuery& DatabaseFile::statement(const QString& sql, const QString& table)
{
    if (const auto kept = m_statements.find(sql); kept != m_statements.end())
        return *kept->second;
    auto query = std::make_unique<QSqlQuery>(database());
    query->setForwardOnly(true);
    if (!query->prepare(sql))
        throw errorOf(query->lastError(), table);
    if (!keepsStatements())
        return *(m_lastStatement = std::move(query));
    return *m_statements.emplace(sql, std::move(query)).first->second;
}

std::shared_ptr<DatabaseFile> DatabaseFile::open(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        throw DataError::missingFile(info.absoluteFilePath());
    const QString path = info.canonicalFilePath();
    if (auto existing = openFiles().value(path).lock())
        return existing;

    static int serial = 0;
    const QString connection = QStringLiteral("jobcosting-%1").arg(++serial);
    const QByteArray header = headerOf(path);
    if (PostgresFile::recognizes(header)) {
        auto file = std::shared_ptr<DatabaseFile>(new PostgresFile(path, connection));
        openFiles().insert(path, file);
        return file;
    }
    if (Access::isAccessFile(header)) {
        auto access = std::make_shared<AccessFile>(path, connection);
        openFiles().insert(path, access);
        return access;
    }
    if (!SqliteFile::recognizes(header))
        throw DataError(QStringLiteral("%1 is not a database; its content looks like: %2.")
                            .arg(info.fileName(), contentOf(path)));
    auto file = std::make_shared<SqliteFile>(path, connection);
    openFiles().insert(path, file);
    return file;
}

namespace {

std::optional<QDeadlineTimer>& commonDeadline()
{
    static std::optional<QDeadlineTimer> deadline;
    return deadline;
}

} // namespace

LockDeadline::LockDeadline()
    : m_outermost(!commonDeadline())
{
    if (m_outermost)
        commonDeadline() = QDeadlineTimer(DatabaseFile::lockWaitMs);
}

LockDeadline::~LockDeadline()
{
    if (m_outermost)
        commonDeadline().reset();
}

int LockDeadline::remainingMs()
{
    return commonDeadline() ? static_cast<int>(commonDeadline()->remainingTime())
                            : DatabaseFile::lockWaitMs;
}
