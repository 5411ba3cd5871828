#include "OpenDatabaseFile.h"

#include "AccessFile.h"
#include "DataError.h"
#include "PostgresFile.h"
#include "SqliteFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

QByteArray headerOf(const QString& path)
{
    // Unbuffered: a buffered read would fetch 16 KB to hand over 64 bytes.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw DataError::said(QT_TRANSLATE_NOOP("DataError", "%1 cannot be read: %2."),
            {QFileInfo(path).fileName(), file.errorString()});
    return file.read(64);
}

std::shared_ptr<DatabaseFile> openEngine(const QString& path, const QString& connection)
{
    const QByteArray header = headerOf(path);
    if (PostgresFile::recognizes(header))
        return std::make_shared<PostgresFile>(path, connection);
    if (Access::isAccessFile(header))
        return std::make_shared<AccessFile>(path, connection);
    if (SqliteFile::recognizes(header))
        return std::make_shared<SqliteFile>(path, connection);
    throw DataError::said(
        QT_TRANSLATE_NOOP("DataError", "%1 is not a database; its content looks like: %2."),
        {QFileInfo(path).fileName(), DatabaseFile::contentOf(path)});
}

} // namespace

std::shared_ptr<DatabaseFile> openDatabaseFile(const QString& fileName)
{
    static QHash<QString, std::weak_ptr<DatabaseFile>> openFiles;
    const QFileInfo info(fileName);
    if (info.isDir())
        throw DataError::said(
            QT_TRANSLATE_NOOP("DataError", "%1 is a folder, not a database file."),
            {info.fileName()});
    if (info.exists() && !info.isFile())
        throw DataError::said(
            QT_TRANSLATE_NOOP("DataError", "%1 is not a database file but a device or a pipe."),
            {info.fileName()});
    if (!info.isFile())
        throw DataError::missingFile(info.absoluteFilePath());
    const QString path = info.canonicalFilePath();
    if (auto existing = openFiles.value(path).lock())
        return existing;
    static int serial = 0;
    auto file = openEngine(path, QStringLiteral("jobcosting-%1").arg(++serial));
    openFiles.insert(path, file);
    return file;
}
