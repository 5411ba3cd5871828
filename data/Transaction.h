#pragma once

#include <QString>
#include <memory>

class DatabaseFile;

// The writes to one database file made while one lives reach the file
// together, at one flush, when it is committed; without a commit none of them
// does. On a file that keeps no transactions the writes go through one by one.
class Transaction
{
public:
    // The file as DatabaseFile::open finds it, shared with its data sources;
    // a failure names `table`, the one written.
    Transaction(const QString& fileName, QString table);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    std::shared_ptr<DatabaseFile> m_file;
    QString m_table;
    bool m_open = false;
};
