#include "DatabaseFile.h"

#include "DataError.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSqlError>
#include <optional>

DatabaseFile::DatabaseFile(QString path, QString connection)
    : m_path(std::move(path))
    , m_connection(std::move(connection))
{ }

DatabaseFile::~DatabaseFile()
{
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

void DatabaseFile::forgetColumns()
{
    m_columns.clear();
    dropStatements();
}

void DatabaseFile::dropStatements()
{
    if (m_statements.empty() && !m_lastStatement)
        return;
    // A statement that the server prepared is let go of there too.
    onConnection([this] { releaseStatements(); });
}

void DatabaseFile::releaseStatements()
{
    m_statements.clear();
    m_lastStatement.reset();
}

QSqlQuery& DatabaseFile::statement(const QString& sql, const QString& table)
{
    if (const auto kept = m_statements.find(sql); kept != m_statements.end())
        return *kept->second;
    auto query = std::make_unique<QSqlQuery>(database());
    query->setForwardOnly(true);
    bool prepared = false;
    onConnection([&] {
        if (!keepsStatements())
            m_lastStatement.reset();
        prepared = query->prepare(sql);
    });
    if (!prepared)
        throw errorOf(query->lastError(), table);
    if (!keepsStatements())
        return *(m_lastStatement = std::move(query));
    return *m_statements.emplace(sql, std::move(query)).first->second;
}

namespace {

int& lockWait()
{
    static int wait = DatabaseFile::defaultLockWaitMs;
    return wait;
}

std::optional<QDeadlineTimer>& commonDeadline()
{
    static std::optional<QDeadlineTimer> deadline;
    return deadline;
}

} // namespace

int DatabaseFile::lockWaitMs()
{
    return lockWait();
}

void DatabaseFile::setLockWaitMs(int ms)
{
    lockWait() = ms;
}

LockDeadline::LockDeadline()
    : m_outermost(!commonDeadline())
{
    if (m_outermost)
        commonDeadline() = QDeadlineTimer(DatabaseFile::lockWaitMs());
}

LockDeadline::~LockDeadline()
{
    if (m_outermost)
        commonDeadline().reset();
}

int LockDeadline::remainingMs()
{
    return commonDeadline() ? static_cast<int>(commonDeadline()->remainingTime())
                            : DatabaseFile::lockWaitMs();
}
