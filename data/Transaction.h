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
    enum class Durability
    {
        // The commit returns once the disk holds it.
        Flushed,
        // Scratch rows, which nobody misses after a power cut: the commit
        // does not wait for the disk.
        Scratch,
    };

    // The file as openDatabaseFile() finds it, shared with its data sources;
    // a failure names `table`, the one written.
    Transaction(
        const QString& fileName, QString table, Durability durability = Durability::Flushed);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    std::shared_ptr<DatabaseFile> m_file;
    QString m_table;
    Durability m_durability;
    bool m_open = false;
};
