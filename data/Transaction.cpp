#include "Transaction.h"

#include "DataError.h"
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
    QSqlDatabase db = m_file->database();
    m_file->onConnection([&] { m_open = db.transaction(); });
}

Transaction::~Transaction()
{
    try {
        if (m_open) {
            QSqlDatabase db = m_file->database();
            m_file->onConnection([&db] { db.rollback(); });
        }
        if (m_durability == Durability::Scratch)
            m_file->setCommitsFlushed(true);
    } catch (const DataError&) {
        // A server that does not answer drops the transaction with the connection.
    }
}

void Transaction::commit()
{
    if (!m_open)
        return;
    QSqlDatabase db = m_file->database();
    m_open = false;
    QSqlError error;
    m_file->onConnection([&] {
        if (!db.commit()) {
            error = db.lastError();
            db.rollback();
        }
    });
    if (error.isValid())
        throw m_file->errorOf(error, m_table);
}
