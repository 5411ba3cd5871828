#pragma once

#include <QSqlDatabase>
#include <QString>
#include <memory>

// One open database file, shared by every data source on it. The file is found
// by its name in the working folder at the moment it opens, and never created.
class DatabaseFile
{
public:
    ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    // The open connection to fileName, opened now if nobody holds it yet.
    static std::shared_ptr<DatabaseFile> open(const QString& fileName);

    QSqlDatabase database() const { return QSqlDatabase::database(m_connection, false); }
    QString path() const { return m_path; }

private:
    DatabaseFile(QString path, QString connection);

    QString m_path;
    QString m_connection;
};
