#include "SqliteFile.h"

#include "DataError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <cstdlib>

namespace {

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

} // namespace

SqliteFile::SqliteFile(QString path, QString connection)
    : DatabaseFile(std::move(path), std::move(connection))
{ }

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
    applyLockWait();
}

void SqliteFile::beforeRead(const QString&)
{
    applyLockWait();
    // Another program may have changed a table's columns since they were read.
    QSqlQuery& query = statement(QStringLiteral("PRAGMA schema_version"));
    if (!query.exec() || !query.next())
        throw DataError(query.lastError().text());
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

DataError SqliteFile::errorOf(const QSqlError& error) const
{
    if (error.nativeErrorCode() == QLatin1String("2067")) // SQLITE_CONSTRAINT_UNIQUE
        return DataError(error.text(), DataError::Reason::Duplicate);
    return DataError(error.text());
}

QList<DatabaseFile::Column> SqliteFile::readColumns(const QString& table)
{
    QSqlQuery info(database());
    info.setForwardOnly(true);
    if (!info.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?)")))
        throw DataError(info.lastError().text());
    info.addBindValue(table);
    if (!info.exec())
        throw DataError(info.lastError().text());
    QList<Column> columns;
    while (info.next())
        columns.append({info.value(0).toString(), kindOf(info.value(1).toString())});
    return columns;
}
