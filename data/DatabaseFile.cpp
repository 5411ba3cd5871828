#include "DatabaseFile.h"

#include "DataError.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// How long a write waits for another program's lock before it fails.
constexpr int lockWaitMs = 5000;

QHash<QString, std::weak_ptr<DatabaseFile>>& openFiles()
{
    static QHash<QString, std::weak_ptr<DatabaseFile>> files;
    return files;
}

} // namespace

DatabaseFile::DatabaseFile(QString path, QString connection)
    : m_path(std::move(path))
    , m_connection(std::move(connection))
{ }

DatabaseFile::~DatabaseFile()
{
    openFiles().remove(m_path);
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

std::shared_ptr<DatabaseFile> DatabaseFile::open(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        throw DataError(QStringLiteral("Could not find file '%1'.").arg(info.absoluteFilePath()));
    const QString path = info.canonicalFilePath();
    if (auto existing = openFiles().value(path).lock())
        return existing;

    static int serial = 0;
    const QString connection = QStringLiteral("jobcosting-%1").arg(++serial);
    auto file = std::shared_ptr<DatabaseFile>(new DatabaseFile(path, connection));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs));
    if (!db.open())
        throw DataError(QStringLiteral("Could not open '%1': %2").arg(path, db.lastError().text()));
    QSqlQuery pragma(db);
    // A save is on the disk when it returns.
    pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    openFiles().insert(path, file);
    return file;
}
