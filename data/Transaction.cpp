#include "Transaction.h"

#include "DatabaseFile.h"
#include "OpenDatabaseFile.h"

#include <utility>

Transaction::Transaction(const QString& fileName, QString table, Durability durability)
    : m_file(openDatabaseFile(fileName))
    , m_table(std::move(table))
    , m_durability(durability)
{
    // A lost server connection is opened anew before the transaction, not inside it.
    m_file->beforeWrite();
    if (m_durability == Durability::Scratch)
        m_file->setCommitsFlushed(false);
    m_open = m_file->database().transaction();
}

Transaction::~Transaction()
{
    if (m_open)
        m_file->database().rollback();
    if (m_durability == Durability::Scratch)
        m_file->setCommitsFlushed(true);
}

void Transaction::commit()
{
    if (!m_open)
        return;
    QSqlDatabase db = m_file->database();
    m_open = false;
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        throw m_file->errorOf(error, m_table);
    }
}
